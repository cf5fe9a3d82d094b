// lzh: lists, tests and extracts LHA archives.
//   lzh l ARCHIVE          list the members
//   lzh t ARCHIVE          decode every member and check its CRC, writing nothing
//   lzh x ARCHIVE [FOLDER] extract into FOLDER (default: the current folder)
// Exit status 0 only when everything succeeded.

#include "tools/lzh/Extractor.h"

#include "lha/Error.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

int Usage() {
    std::fputs("usage: lzh l ARCHIVE | lzh t ARCHIVE | lzh x ARCHIVE [FOLDER]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    std::string command = argv[1];
    std::string archive = argv[2];
    try {
        if (command == "l" && argc == 3) {
            lzh::List(archive, std::cout);
        } else if (command == "t" && argc == 3) {
            lzh::Test(archive);
        } else if (command == "x" && argc <= 4) {
            lzh::Extract(archive, argc == 4 ? argv[3] : "");
        } else {
            return Usage();
        }
    } catch (const lha::Error& error) {
        std::fprintf(stderr, "lzh: %s: %s\n", archive.c_str(), error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lzh: %s: %s\n", archive.c_str(), error.what());
        return 1;
    }
    return 0;
}
