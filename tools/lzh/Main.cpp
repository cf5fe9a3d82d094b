// lzh: lists, tests and extracts LHA archives.
//   lzh l ARCHIVE          list the members
//   lzh t ARCHIVE          decode every member and check its CRC, writing nothing
//   lzh x ARCHIVE [FOLDER] extract into FOLDER (default: the current folder)
//   lzh a [-m lh5|lh6|lh7] ARCHIVE FILE_OR_FOLDER...
//                          make a new archive (default method lh5; names in code page 949)
// Exit status 0 only when everything succeeded.

#include "tools/lzh/Creator.h"
#include "tools/lzh/Extractor.h"

#include "lha/ArchiveWriter.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fputs("usage: lzh l ARCHIVE | lzh t ARCHIVE | lzh x ARCHIVE [FOLDER]\n"
               "       lzh a [-m lh5|lh6|lh7] ARCHIVE FILE_OR_FOLDER...\n",
               stderr);
    return 2;
}

// "a" with its options: argv from the archive on, and the method.
bool ParseCreate(int argc, char** argv, std::string& method, std::vector<std::string>& arguments) {
    method = "-lh5-";
    int i = 2;
    if (i + 1 < argc && std::string(argv[i]) == "-m") {
        method = std::string("-") + argv[i + 1] + "-";
        if (!lha::IsPackingMethod(method)) return false;
        i += 2;
    }
    arguments.assign(argv + i, argv + argc);
    return arguments.size() >= 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    std::string command = argv[1];
    std::string archive = argv[2];
    try {
        if (command == "a") {
            std::string method;
            std::vector<std::string> arguments;
            if (!ParseCreate(argc, argv, method, arguments)) return Usage();
            archive = arguments.front();
            lzh::Create(archive, method, {arguments.begin() + 1, arguments.end()});
        } else if (command == "l" && argc == 3) {
            lzh::List(archive, std::cout);
        } else if (command == "t" && argc == 3) {
            lzh::Test(archive);
        } else if (command == "x" && argc <= 4) {
            lzh::Extract(archive, argc == 4 ? argv[3] : "");
        } else {
            return Usage();
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lzh: %s: %s\n", archive.c_str(), error.what());
        return 1;
    }
    return 0;
}
