#include "platform/Resource.h"

#include "platform/Error.h"

namespace platform {

std::string_view ProgramResource(const char* name, LPCSTR type) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw ResourceNotFoundError(name);
    return std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

}  // namespace platform
