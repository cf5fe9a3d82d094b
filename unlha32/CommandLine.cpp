#include "unlha32/CommandLine.h"

#include "unlha32/ResultCode.h"

namespace unlha32 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

[[noreturn]] void Bad(const std::string& what) { throw Failure(kBadCommand, what); }

}  // namespace

// Neither a blank nor a quote can be the second byte of a double-byte
// character in the code pages we meet, so bytes can be scanned one by one.
std::vector<std::string> SplitArguments(const std::string& line, std::vector<bool>* quoted) {
    std::vector<std::string> arguments;
    size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string argument;
        bool inQuotes = false, hadQuote = false;
        for (; i < line.size() && (inQuotes || !IsBlank(line[i])); ++i) {
            if (line[i] == '"') {
                inQuotes = !inQuotes;
                hadQuote = true;
            } else {
                argument += line[i];
            }
        }
        arguments.push_back(argument);
        if (quoted) quoted->push_back(hadQuote);
    }
    return arguments;
}

Command ParseCommand(const std::string& line) {
    std::vector<bool> quoted;
    std::vector<std::string> arguments = SplitArguments(line, &quoted);
    if (arguments.empty()) Bad("no command");
    Command command;
    const std::string& action = arguments[0];
    if (action.size() != 1 || std::string("xXtTlL").find(action[0]) == std::string::npos)
        Bad("unknown command \"" + action + "\"");
    command.action = static_cast<char>(action[0] | 0x20);

    std::vector<std::string> names;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (quoted[i] || argument.size() < 2 || argument[0] != '-') {
            names.push_back(argument);
        } else if (argument == "-+") {
            // accepted for compatibility; changes nothing
        } else if (argument == "-n") {
            command.showProgress = false;
        } else {
            Bad("unknown option \"" + argument + "\"");
        }
    }
    if (names.empty() || names[0].empty()) Bad("no archive named");
    if (names.size() > 2) Bad("more than an archive and a folder: \"" + names[2] + "\"");
    command.archive = names[0];
    if (names.size() == 2) command.folder = names[1];
    return command;
}

}  // namespace unlha32
