#include "uninstaller/InstallData.h"

#include <windows.h>

namespace gamedelete {

namespace {

constexpr char kSection[] = "Install Data";

std::string ReadValue(const std::string& path, const char* key) {
    // The function cuts a value that does not fit and then returns the buffer
    // size less one; grow until the whole value fits.
    for (DWORD size = 256;; size *= 2) {
        std::string buffer(size, '\0');
        DWORD length = GetPrivateProfileStringA(kSection, key, "", buffer.data(), size, path.c_str());
        if (length + 1 < size || size >= 65536) {
            buffer.resize(length);
            return buffer;
        }
    }
}

}  // namespace

InstallData ReadInstallData(const std::string& path) {
    return InstallData{
        ReadValue(path, "Title"),
        ReadValue(path, "UninstallKeyName"),
        ReadValue(path, "ShortcutName"),
    };
}

}  // namespace gamedelete
