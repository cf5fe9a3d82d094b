#include "uninstaller/ShellFolders.h"

#include "platform/Handle.h"
#include "platform/PathText.h"

namespace gamedelete {

std::optional<std::string> GetSpecialFolder(int csidl) {
    platform::ItemIdListHandle items;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, items.Put())) || !items) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(items.Get(), path) || !path[0]) return std::nullopt;
    return pathtext::AddTrailingDelimiter(path);
}

}  // namespace gamedelete
