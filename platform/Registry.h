#pragma once
// A registry accessor: a root key, at most one open key below it, and typed
// reads and writes of the open key's values. Values that cannot be written or
// that have the wrong type raise RegistryError naming the value.

#include "platform/Handle.h"

#include <optional>
#include <string>

namespace platform {

class Registry {
public:
    // `access` is the mask every OpenKey asks for.
    explicit Registry(REGSAM access = KEY_ALL_ACCESS) : access_(access) {}

    void SetRootKey(HKEY root);
    HKEY RootKey() const noexcept { return root_; }

    // Opens `path` below the root key (a leading backslash is ignored),
    // creating it (non-volatile) when `canCreate`. Closes the key opened
    // before. False when the key could not be opened.
    bool OpenKey(const std::string& path, bool canCreate);
    void CloseKey() noexcept { key_.Reset(); }
    HKEY CurrentKey() const noexcept { return key_.Get(); }

    // True when the open key holds the value. False without an open key.
    bool ValueExists(const std::string& name) const;

    // The stored type of a value; empty when there is no open key or no such value.
    std::optional<DWORD> ValueType(const std::string& name) const;

    // A REG_SZ or REG_EXPAND_SZ value as stored (no expansion); empty when the
    // value or the open key is missing. Another type raises the type error.
    std::string ReadString(const std::string& name) const;

    // A REG_DWORD value. A missing value or another type raises the type error.
    DWORD ReadDword(const std::string& name) const;

    // Writes a REG_SZ value; raises the write error naming the value when it
    // cannot be set (also when no key is open).
    void WriteString(const std::string& name, const std::string& value);

private:
    [[noreturn]] static void ThrowTypeError(const std::string& name);
    [[noreturn]] static void ThrowReadError(const std::string& name);

    REGSAM access_;
    HKEY root_ = HKEY_CURRENT_USER;
    RegistryKey key_;
};

}  // namespace platform
