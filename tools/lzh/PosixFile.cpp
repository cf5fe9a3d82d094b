#include "tools/lzh/PosixFile.h"

#include "lha/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lzh {

namespace {

std::string SystemText() { return std::strerror(errno); }

}  // namespace

FileReader::FileReader(const std::string& path) : path_(path), fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) throw lha::Error(lha::ErrorKind::Read, "cannot open " + path + ": " + SystemText());
}

FileReader::~FileReader() { close(fd_); }

size_t FileReader::Read(uint8_t* buffer, size_t size) {
    for (;;) {
        ssize_t got = read(fd_, buffer, size);
        if (got >= 0) return static_cast<size_t>(got);
        if (errno != EINTR) throw lha::Error(lha::ErrorKind::Read, "cannot read " + path_ + ": " + SystemText());
    }
}

uint64_t FileReader::Skip(uint64_t count) {
    off_t here = lseek(fd_, 0, SEEK_CUR);
    off_t end = lseek(fd_, 0, SEEK_END);
    if (here < 0 || end < 0) return lha::ByteReader::Skip(count);  // a pipe
    uint64_t skipped = std::min<uint64_t>(count, static_cast<uint64_t>(end - here));
    lseek(fd_, here + static_cast<off_t>(skipped), SEEK_SET);
    return skipped;
}

void FileReader::Rewind() {
    if (lseek(fd_, 0, SEEK_SET) != 0) throw lha::Error(lha::ErrorKind::Read, "cannot rewind " + path_);
}

FileWriter::FileWriter(const std::string& path) : path_(path) {
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0 && errno == EACCES && chmod(path.c_str(), 0644) == 0)
        fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) throw lha::Error(lha::ErrorKind::Write, "cannot create " + path + ": " + SystemText());
}

FileWriter::~FileWriter() {
    if (fd_ >= 0) close(fd_);
}

void FileWriter::Write(const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t done = write(fd_, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) throw lha::Error(lha::ErrorKind::Write, "cannot write " + path_ + ": " + SystemText());
        data += done;
        size -= static_cast<size_t>(done);
    }
}

void FileWriter::Close(int64_t modificationTime) {
    timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(modificationTime), 0}};
    futimens(fd_, times);
    int result = close(fd_);
    fd_ = -1;
    if (result != 0) throw lha::Error(lha::ErrorKind::Write, "cannot write " + path_ + ": " + SystemText());
}

}  // namespace lzh
