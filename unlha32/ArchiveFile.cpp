#include "unlha32/ArchiveFile.h"

#include "lha/Error.h"

namespace unlha32 {

namespace {

std::string WithCode(const std::string& what) { return what + " (error " + std::to_string(GetLastError()) + ")"; }

}  // namespace

FileReader::FileReader(const std::string& path)
    : path_(path),
      file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    if (!file_) throw lha::Error(lha::ErrorKind::Read, WithCode(path));
}

size_t FileReader::Read(uint8_t* buffer, size_t size) {
    DWORD got = 0;
    if (!ReadFile(file_.Get(), buffer, static_cast<DWORD>(size), &got, nullptr))
        throw lha::Error(lha::ErrorKind::Read, WithCode(path_));
    return got;
}

uint64_t FileReader::Skip(uint64_t count) {
    LARGE_INTEGER here{}, size{}, zero{};
    if (!SetFilePointerEx(file_.Get(), zero, &here, FILE_CURRENT) || !GetFileSizeEx(file_.Get(), &size))
        throw lha::Error(lha::ErrorKind::Read, WithCode(path_));
    uint64_t left = static_cast<uint64_t>(size.QuadPart - here.QuadPart);
    uint64_t skipped = count < left ? count : left;
    LARGE_INTEGER move;
    move.QuadPart = static_cast<LONGLONG>(skipped);
    SetFilePointerEx(file_.Get(), move, nullptr, FILE_CURRENT);
    return skipped;
}

FileWriter::FileWriter(const std::string& path) : path_(path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    file_.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) throw lha::Error(lha::ErrorKind::Write, WithCode(path));
}

void FileWriter::Write(const uint8_t* data, size_t size) {
    DWORD done = 0;
    if (!WriteFile(file_.Get(), data, static_cast<DWORD>(size), &done, nullptr) || done != size)
        throw lha::Error(lha::ErrorKind::Write, WithCode(path_));
}

void FileWriter::Close(const FILETIME& lastWrite) {
    SetFileTime(file_.Get(), nullptr, nullptr, &lastWrite);
    if (!CloseHandle(file_.Release())) throw lha::Error(lha::ErrorKind::Write, WithCode(path_));
}

void FileWriter::Discard() {
    file_.Reset();
    DeleteFileA(path_.c_str());
}

}  // namespace unlha32
