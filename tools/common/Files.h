#pragma once
// Files of the publisher's tools as codec streams, on Linux and Windows alike.
// Paths are std::filesystem paths; texts for people are UTF-8.

#include "lha/ArchiveWriter.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace tools {

namespace fs = std::filesystem;

fs::path PathFromUtf8(const std::string& text);
std::string Utf8(const fs::path& path);

// Modification time in seconds since 1970 (UTC).
int64_t ModificationTime(const fs::path& path);

// Errors are lha::Error (Read, Write) naming the file.
class InputFile : public lha::RewindableReader {
public:
    explicit InputFile(const fs::path& path);
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Skip(uint64_t count) override;
    void Rewind() override;
    uint64_t Size();

private:
    fs::path path_;
    std::FILE* file_;
};

// A new file, or one cut to length 0.
class OutputFile : public lha::SeekableWriter {
public:
    explicit OutputFile(const fs::path& path);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(const uint8_t* data, size_t size) override;
    uint64_t Position() override;
    void Seek(uint64_t position) override;
    // Writes what is buffered and closes; raises when that fails.
    void Close();

private:
    fs::path path_;
    std::FILE* file_;
};

// Whole small files (texts, programs).
std::string ReadWholeFile(const fs::path& path);
void WriteWholeFile(const fs::path& path, const std::string& bytes);

}  // namespace tools
