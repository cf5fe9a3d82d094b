#pragma once
// The shell's special folders (CSIDL numbers) as file-system paths.

#include <optional>
#include <string>

namespace gamedelete {

// The folder in folder form (ending in a backslash); empty when the shell
// cannot name it as a file-system path.
std::optional<std::string> GetSpecialFolder(int csidl);

}  // namespace gamedelete
