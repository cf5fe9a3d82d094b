#include "platform/IniFile.h"

#include "platform/PathText.h"

#include "platform/Error.h"
#include "platform/Strings.h"
#include "resources/StringIds.h"

#include <windows.h>

namespace platform {

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    char buffer[2048];
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer, sizeof buffer,
                                            path_.c_str());
    return std::string(buffer, length);
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key, std::int32_t fallback) const {
    return ParseInteger(ReadString(section, key, "")).value_or(fallback);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        throw Error(FormatResString(IDS_INI_WRITE_ERROR, path_.c_str()));
}

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
    // A dot counts only in the file name, after the last backslash or colon.
    std::size_t dot = pathtext::LastDelimiter(path, ".\\:");
    bool hasExtension = dot != std::string::npos && path[dot] == '.';
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

std::string ProgramPathWithExtension(const std::string& extension) {
    char buffer[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return ChangeFileExt(std::string(buffer, length), extension);
}

}  // namespace platform
