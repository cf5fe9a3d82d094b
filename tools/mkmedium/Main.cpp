// mkmedium: builds the medium that setup.exe installs a game from.
//   mkmedium --project NAME --title TITLE --medium folder|1.44m|1.2m|720k
//            [--method lh5|lh6|lh7] [--programs FOLDER] [--codepage N] GAME_FOLDER OUT_FOLDER
//   mkmedium --check OUT_FOLDER [--codepage N]
// Names and texts go to the medium in the Windows code page N (default 949).
// Exit status: 0 done (warnings may have been shown), 1 failed or damaged,
// 2 wrong usage.

#include "tools/mkmedium/MediumBuilder.h"
#include "tools/mkmedium/MediumCheck.h"

#include "tools/common/CodePage.h"
#include "tools/common/Files.h"
#include "tools/common/Process.h"

#include "lha/Error.h"

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using tools::Print;

const char kUsage[] =
    "usage: mkmedium --project NAME --title TITLE --medium folder|1.44m|1.2m|720k\n"
    "                [--method lh5|lh6|lh7] [--programs FOLDER] [--codepage N] GAME_FOLDER OUT_FOLDER\n"
    "       mkmedium --check OUT_FOLDER [--codepage N]\n";

int Usage(const std::string& problem) {
    Print(stderr, "mkmedium: " + problem + "\n" + kUsage);
    return 2;
}

void Warn(const std::string& text) { Print(stderr, "mkmedium: warning: " + text + "\n"); }

std::string Thousands(uint64_t value) {
    std::string digits = std::to_string(value), text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

int Check(const std::string& out, unsigned codePage) {
    try {
        mkmedium::CheckResult result = mkmedium::CheckMedium(tools::PathFromUtf8(out), codePage, Warn);
        Print(stdout, out + ": " + std::to_string(result.disks) + " disk(s), " + std::to_string(result.members) +
                          " members in " + Thousands(result.archiveSize) + " bytes, all intact\n");
        return 0;
    } catch (const mkmedium::DamagedDisk& damage) {
        Print(stderr, "mkmedium: disk " + std::to_string(damage.Disk()) + " is damaged: " + damage.what() + "\n");
    } catch (const std::exception& error) {
        Print(stderr, std::string("mkmedium: ") + error.what() + "\n");
    }
    return 1;
}

int Build(const std::map<std::string, std::string>& options, const std::vector<std::string>& folders,
          unsigned codePage) {
    mkmedium::BuildRequest request;
    request.projectName = options.at("--project");
    request.gameTitle = options.at("--title");
    auto kind = mkmedium::FindMediumKind(options.at("--medium"));
    if (!kind) return Usage("unknown medium \"" + options.at("--medium") + "\"; one of " + mkmedium::MediumKindNames());
    request.kind = *kind;
    if (auto method = options.find("--method"); method != options.end()) {
        request.method = "-" + method->second + "-";
        if (!lha::IsPackingMethod(request.method)) return Usage("unknown method \"" + method->second + "\"");
    }
    auto programs = options.find("--programs");
    request.programsFolder = programs != options.end() ? tools::PathFromUtf8(programs->second) : tools::ProgramFolder();
    request.gameFolder = tools::PathFromUtf8(folders[0]);
    request.outFolder = tools::PathFromUtf8(folders[1]);
    request.codePage = codePage;
    try {
        mkmedium::BuildResult result = mkmedium::BuildMedium(request, Warn);
        Print(stdout, "packed " + std::to_string(result.files) + " files (" + Thousands(result.bytes) + " bytes) into " +
                          Thousands(result.archiveSize) + " bytes\n");
        for (size_t i = 0; i < result.disks.size(); ++i) {
            const mkmedium::DiskContent& disk = result.disks[i];
            std::string line = request.kind.IsFloppy() ? "disk " + std::to_string(i + 1) + ":" : folders[1] + ":";
            for (const std::string& file : disk.files) line += " " + file;
            line += " (" + Thousands(disk.used) + " bytes";
            if (request.kind.IsFloppy()) line += " of " + Thousands(request.kind.capacity);
            Print(stdout, line + ")\n");
        }
        return 0;
    } catch (const std::exception& error) {
        Print(stderr, std::string("mkmedium: ") + error.what() + "\n");
        return 1;
    }
}

int Run(const std::vector<std::string>& arguments) {
    std::map<std::string, std::string> options;
    std::vector<std::string> folders;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--project" || argument == "--title" || argument == "--medium" || argument == "--method" ||
            argument == "--programs" || argument == "--codepage" || argument == "--check") {
            if (i + 1 == arguments.size()) return Usage(argument + " needs a value");
            options[argument] = arguments[++i];
        } else if (argument.rfind("--", 0) == 0) {
            return Usage("unknown option " + argument);
        } else {
            folders.push_back(argument);
        }
    }
    unsigned codePage = tools::kKoreanCodePage;
    if (auto given = options.find("--codepage"); given != options.end()) {
        codePage = static_cast<unsigned>(std::strtoul(given->second.c_str(), nullptr, 10));
        if (codePage == 0) return Usage("--codepage needs a Windows code page number such as 949 or 932");
    }
    if (auto check = options.find("--check"); check != options.end()) {
        if (options.size() > 2 || !folders.empty() || (options.size() == 2 && !options.count("--codepage")))
            return Usage("--check takes the output folder and at most --codepage");
        return Check(check->second, codePage);
    }
    for (const char* required : {"--project", "--title", "--medium"})
        if (!options.count(required)) return Usage(std::string(required) + " is missing");
    if (folders.size() != 2) return Usage("give the game folder and the output folder");
    return Build(options, folders, codePage);
}

}  // namespace

int main(int argc, char** argv) { return Run(tools::Arguments(argc, argv)); }
