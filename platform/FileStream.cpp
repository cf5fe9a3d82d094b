#include "platform/FileStream.h"

#include "platform/Error.h"

namespace platform {

FileStream::FileStream(const std::string& path, FileMode mode) : path_(path) {
    if (mode == FileMode::Create) {
        file_.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) throw FileCreateError(path);
    } else {
        file_.Reset(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
        if (!file_) throw FileOpenError(path);
    }
}

std::size_t FileStream::Read(void* buffer, std::size_t count) {
    DWORD got = 0;
    if (!ReadFile(file_.Get(), buffer, static_cast<DWORD>(count), &got, nullptr)) return 0;
    return got;
}

std::size_t FileStream::Write(const void* buffer, std::size_t count) {
    DWORD written = 0;
    if (!WriteFile(file_.Get(), buffer, static_cast<DWORD>(count), &written, nullptr)) return 0;
    return written;
}

void FileStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (Write(buffer, count) != count) throw StreamWriteError();
}

bool FileStream::SetModificationTime(const FILETIME& time) {
    return SetFileTime(file_.Get(), nullptr, nullptr, &time) != FALSE;
}

std::uint64_t FileStream::Position() const {
    LARGE_INTEGER zero{}, position{};
    SetFilePointerEx(file_.Get(), zero, &position, FILE_CURRENT);
    return static_cast<std::uint64_t>(position.QuadPart);
}

std::uint64_t FileStream::Size() const {
    LARGE_INTEGER size{};
    GetFileSizeEx(file_.Get(), &size);
    return static_cast<std::uint64_t>(size.QuadPart);
}

void FileStream::Seek(std::uint64_t position) {
    LARGE_INTEGER target{};
    target.QuadPart = static_cast<LONGLONG>(position);
    SetFilePointerEx(file_.Get(), target, nullptr, FILE_BEGIN);
}

}  // namespace platform
