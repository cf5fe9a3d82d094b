#include "tools/common/Files.h"

#include "lha/Error.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace tools {

namespace {

std::FILE* Open(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

int SeekTo(std::FILE* file, uint64_t position, int whence) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<int64_t>(position), whence);
#else
    return fseeko(file, static_cast<off_t>(position), whence);
#endif
}

uint64_t Tell(std::FILE* file) {
#ifdef _WIN32
    return static_cast<uint64_t>(_ftelli64(file));
#else
    return static_cast<uint64_t>(ftello(file));
#endif
}

std::string Reason() { return std::strerror(errno); }

}  // namespace

fs::path PathFromUtf8(const std::string& text) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string Utf8(const fs::path& path) {
    std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

int64_t ModificationTime(const fs::path& path) {
    auto time = std::chrono::file_clock::to_sys(fs::last_write_time(path));
    return std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
}

InputFile::InputFile(const fs::path& path) : path_(path), file_(Open(path, "rb")) {
    if (!file_) throw lha::Error(lha::ErrorKind::Read, "cannot open " + Utf8(path) + ": " + Reason());
}

InputFile::~InputFile() { std::fclose(file_); }

size_t InputFile::Read(uint8_t* buffer, size_t size) {
    size_t got = std::fread(buffer, 1, size, file_);
    if (got < size && std::ferror(file_))
        throw lha::Error(lha::ErrorKind::Read, "cannot read " + Utf8(path_) + ": " + Reason());
    return got;
}

uint64_t InputFile::Skip(uint64_t count) {
    uint64_t here = Tell(file_);
    uint64_t size = Size();
    uint64_t skipped = std::min(count, size > here ? size - here : 0);
    SeekTo(file_, here + skipped, SEEK_SET);
    return skipped;
}

void InputFile::Rewind() {
    if (SeekTo(file_, 0, SEEK_SET) != 0) throw lha::Error(lha::ErrorKind::Read, "cannot rewind " + Utf8(path_));
    std::clearerr(file_);
}

uint64_t InputFile::Size() {
    uint64_t here = Tell(file_);
    SeekTo(file_, 0, SEEK_END);
    uint64_t size = Tell(file_);
    SeekTo(file_, here, SEEK_SET);
    return size;
}

OutputFile::OutputFile(const fs::path& path) : path_(path), file_(Open(path, "wb")) {
    if (!file_) throw lha::Error(lha::ErrorKind::Write, "cannot create " + Utf8(path) + ": " + Reason());
}

OutputFile::~OutputFile() {
    if (file_) std::fclose(file_);
}

void OutputFile::Write(const uint8_t* data, size_t size) {
    if (std::fwrite(data, 1, size, file_) != size)
        throw lha::Error(lha::ErrorKind::Write, "cannot write " + Utf8(path_) + ": " + Reason());
}

uint64_t OutputFile::Position() { return Tell(file_); }

void OutputFile::Seek(uint64_t position) {
    if (SeekTo(file_, position, SEEK_SET) != 0)
        throw lha::Error(lha::ErrorKind::Write, "cannot seek in " + Utf8(path_) + ": " + Reason());
}

void OutputFile::Close() {
    int result = std::fclose(file_);
    file_ = nullptr;
    if (result != 0) throw lha::Error(lha::ErrorKind::Write, "cannot write " + Utf8(path_) + ": " + Reason());
}

std::string ReadWholeFile(const fs::path& path) {
    InputFile file(path);
    std::string bytes;
    std::vector<uint8_t> buffer(1 << 16);
    while (size_t got = file.Read(buffer.data(), buffer.size())) bytes.append(buffer.begin(), buffer.begin() + got);
    return bytes;
}

void WriteWholeFile(const fs::path& path, const std::string& bytes) {
    OutputFile file(path);
    file.Write(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    file.Close();
}

}  // namespace tools
