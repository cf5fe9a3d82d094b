#pragma once
// What a tool gets from its process, the same on Linux and Windows: its
// arguments and texts as UTF-8, and the folder of its own program.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace tools {

// The arguments after the program name, as UTF-8 (on Windows taken from the
// wide command line, so that any name survives).
std::vector<std::string> Arguments(int argc, char** argv);

// Writes UTF-8 text to stdout or stderr; a Windows console gets it as such.
void Print(std::FILE* stream, const std::string& utf8);

// The folder that holds the running program.
std::filesystem::path ProgramFolder();

}  // namespace tools
