#pragma once
// Files of the native tool as codec streams.

#include "lha/ByteIo.h"

#include <string>

namespace lzh {

class FileReader : public lha::ByteReader {
public:
    explicit FileReader(const std::string& path);
    ~FileReader() override;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Skip(uint64_t count) override;
    void Rewind();

private:
    std::string path_;
    int fd_;
};

// A new file (or one cut to length 0, also when it was read-only).
class FileWriter : public lha::ByteWriter {
public:
    explicit FileWriter(const std::string& path);
    ~FileWriter() override;
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void Write(const uint8_t* data, size_t size) override;
    // Sets the modification time (seconds since 1970) and closes the file.
    void Close(int64_t modificationTime);

private:
    std::string path_;
    int fd_;
};

}  // namespace lzh
