#pragma once
// A file opened as a byte stream with a current position. Opening errors name
// the file ("파일 %s 을 작성할 수 없습니다", "파일 %s 은 열지 않습니다"); a write
// that stores fewer bytes than asked raises the stream write error.

#include "platform/Handle.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

enum class FileMode {
    Create,    // a new empty file, or an existing one cut to length 0; write access
    OpenRead,  // an existing file, read access
};

class FileStream {
public:
    // Opens without sharing: no other handle may open the file while this
    // stream holds it.
    FileStream(const std::string& path, FileMode mode);

    FileStream(FileStream&&) noexcept = default;
    FileStream& operator=(FileStream&&) noexcept = default;

    const std::string& Path() const noexcept { return path_; }

    // Reads up to `count` bytes at the position; returns how many arrived,
    // 0 at the end of the file and when the read fails.
    std::size_t Read(void* buffer, std::size_t count);

    // Writes at the position; returns how many bytes were stored.
    std::size_t Write(const void* buffer, std::size_t count);

    // Writes all `count` bytes or raises StreamWriteError.
    void WriteBuffer(const void* buffer, std::size_t count);

    // Sets the file's last-write time; false when the system refuses.
    bool SetModificationTime(const FILETIME& time);

    std::uint64_t Position() const;
    std::uint64_t Size() const;
    void Seek(std::uint64_t position);

private:
    std::string path_;
    FileHandle file_;
};

}  // namespace platform
