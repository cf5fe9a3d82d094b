#include "uninstaller/CommandLine.h"

namespace gamedelete {

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::optional<std::string> CommandLineArgument(const char* commandLine, std::size_t index) {
    const char* p = commandLine;
    for (std::size_t current = 0;; ++current) {
        while (*p && IsSeparator(*p)) ++p;
        if (!*p) return std::nullopt;
        std::string argument;
        bool quoted = false;
        // Neither a quote nor a separator can be the second byte of a
        // double-byte character, so the bytes can be taken one by one.
        for (; *p && (quoted || !IsSeparator(*p)); ++p) {
            if (*p == '"')
                quoted = !quoted;
            else
                argument += *p;
        }
        if (current == index) return argument;
    }
}

}  // namespace gamedelete
