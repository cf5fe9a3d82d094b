#pragma once
// The arguments of a command line as the program receives it: separated by
// characters with codes up to 32; a stretch in double quotes belongs to one
// argument, without the quotes. Argument 0 is the program itself.

#include <optional>
#include <string>

namespace gamedelete {

// Argument `index` of `commandLine`; empty when the line has fewer arguments.
std::optional<std::string> CommandLineArgument(const char* commandLine, std::size_t index);

}  // namespace gamedelete
