#pragma once
// Raw resources of the running program (RCDATA and the like).

#include <windows.h>

#include <string_view>

namespace platform {

// The bytes of the resource `name` of `type` in the program's own module. They
// lie in the mapped module for as long as the program runs, so there is
// nothing to give back. A missing resource raises ResourceNotFoundError.
std::string_view ProgramResource(const char* name, LPCSTR type);

}  // namespace platform
