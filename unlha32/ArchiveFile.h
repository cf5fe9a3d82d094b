#pragma once
// Files as codec streams, through the system's ANSI file functions.

#include "lha/ByteIo.h"
#include "platform/Handle.h"

#include <string>

namespace unlha32 {

class FileReader : public lha::ByteReader {
public:
    // Raises lha::Error (Read) when the file cannot be opened.
    explicit FileReader(const std::string& path);
    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Skip(uint64_t count) override;

private:
    std::string path_;
    platform::FileHandle file_;
};

// A new file, or an existing one (also a read-only one) cut to length 0.
class FileWriter : public lha::ByteWriter {
public:
    explicit FileWriter(const std::string& path);
    void Write(const uint8_t* data, size_t size) override;
    // Sets the last-write time and closes the file.
    void Close(const FILETIME& lastWrite);
    // Closes and deletes the file: it is incomplete or damaged.
    void Discard();

private:
    std::string path_;
    platform::FileHandle file_;
};

}  // namespace unlha32
