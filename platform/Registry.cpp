#include "platform/Registry.h"

#include "platform/Error.h"
#include "platform/Strings.h"
#include "resources/StringIds.h"

#include <vector>

namespace platform {

void Registry::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

bool Registry::OpenKey(const std::string& path, bool canCreate) {
    CloseKey();
    std::string relative = (!path.empty() && path.front() == '\\') ? path.substr(1) : path;
    LONG result;
    if (canCreate) {
        result = RegCreateKeyExA(root_, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                                 nullptr, key_.Put(), nullptr);
    } else {
        result = RegOpenKeyExA(root_, relative.c_str(), 0, access_, key_.Put());
    }
    if (result != ERROR_SUCCESS) key_.Release();  // a failed call leaves no handle to close
    return result == ERROR_SUCCESS;
}

std::optional<DWORD> Registry::ValueType(const std::string& name) const {
    if (!key_) return std::nullopt;
    DWORD type = 0;
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return type;
}

bool Registry::ValueExists(const std::string& name) const { return ValueType(name).has_value(); }

std::string Registry::ReadString(const std::string& name) const {
    std::optional<DWORD> type = ValueType(name);
    if (!type) return std::string();
    if (*type != REG_SZ && *type != REG_EXPAND_SZ) ThrowTypeError(name);
    // The value may change between the size query and the read; retry then.
    for (;;) {
        DWORD size = 0;
        if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            ThrowReadError(name);
        std::vector<char> data(size + 1);
        DWORD got = size;
        LONG result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(data.data()), &got);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) ThrowReadError(name);
        // Stored strings need not be terminated; take them up to the first NUL.
        data[got] = '\0';
        return std::string(data.data());
    }
}

DWORD Registry::ReadDword(const std::string& name) const {
    std::optional<DWORD> type = ValueType(name);
    if (!type || *type != REG_DWORD) ThrowTypeError(name);
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof value)
        ThrowReadError(name);
    return value;
}

void Registry::WriteString(const std::string& name, const std::string& value) {
    LONG result = key_ ? RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1))
                       : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS) throw RegistryError(FormatResString(IDS_REGISTRY_SET_ERROR, name.c_str()));
}

void Registry::ThrowTypeError(const std::string& name) {
    throw RegistryError(FormatResString(IDS_REGISTRY_TYPE_ERROR, name.c_str()));
}

void Registry::ThrowReadError(const std::string& name) {
    throw RegistryError(FormatResString(IDS_REGISTRY_READ_ERROR, name.c_str()));
}

}  // namespace platform
