#pragma once
// A Windows profile (INI) file read and written through the system's
// profile-string functions, in the system code page.

#include <cstdint>
#include <string>

namespace platform {

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const noexcept { return path_; }

    // The value as the system's profile reader returns it (at most 2047
    // characters), or `fallback` when the key is missing.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // The value as a signed 32-bit integer (decimal, or hexadecimal after 0x);
    // `fallback` when the key is missing or holds no such integer.
    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t fallback) const;

    // Raises Error "%s 에 기록할 수 없습니다" naming the file when the system
    // refuses the write.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string path_;
};

// The full path of the running program with its extension replaced: the text
// after the last "." of the file name, or appended when the name has none.
std::string ProgramPathWithExtension(const std::string& extension);

// `path` with the extension of its file name replaced by `extension` (which
// includes its dot); a name without an extension gets it appended. Backslashes
// that are second bytes of double-byte characters are not separators.
std::string ChangeFileExt(const std::string& path, const std::string& extension);

}  // namespace platform
