#pragma once
// Deletion of a registry key together with everything below it.

#include <windows.h>

#include <string>

namespace gamedelete {

// Deletes the subkeys of `path` below `parent` (each in the same way, from
// the last index down to the first) and then the key itself. Failures are
// not reported; what cannot be deleted stays.
void DeleteKeyTree(HKEY parent, const std::string& path);

}  // namespace gamedelete
