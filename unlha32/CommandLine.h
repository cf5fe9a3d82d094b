#pragma once
// The command line that Unlha takes:  COMMAND [-OPTION...] ARCHIVE [FOLDER]
// Arguments are separated by blanks; double quotes group an argument that
// holds blanks and are removed. A backslash is an ordinary character, so
// "C:\Games\Foo\" ends with a backslash and the quote closes the argument.
// Options may stand anywhere; a quoted argument is never an option.

#include <string>
#include <vector>

namespace unlha32 {

struct Command {
    char action = 0;            // 'x' extract, 't' test, 'l' list
    bool showProgress = true;   // cleared by -n
    std::string archive;
    std::string folder;         // empty: the current folder
};

// Splits a command line into arguments; `quoted` tells which held a quote.
std::vector<std::string> SplitArguments(const std::string& line, std::vector<bool>* quoted = nullptr);

// Raises Failure (kBadCommand) naming what is wrong.
Command ParseCommand(const std::string& line);

}  // namespace unlha32
