#include "uninstaller/RegistryTree.h"

#include "platform/Handle.h"

namespace gamedelete {

namespace {

// A key name has at most 255 characters, each at most two bytes in the code page.
constexpr DWORD kMaxKeyNameBytes = 2 * 255 + 1;

}  // namespace

void DeleteKeyTree(HKEY parent, const std::string& path) {
    {
        platform::RegistryKey key;
        if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, key.Put()) == ERROR_SUCCESS) {
            DWORD subkeys = 0;
            RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr);
            // From the last index down, so that a deletion does not move the
            // subkeys still to come.
            for (DWORD index = subkeys; index-- > 0;) {
                char name[kMaxKeyNameBytes];
                DWORD length = kMaxKeyNameBytes;
                if (RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS)
                    DeleteKeyTree(key.Get(), std::string(name, length));
            }
        }
    }
    RegDeleteKeyA(parent, path.c_str());
}

}  // namespace gamedelete
