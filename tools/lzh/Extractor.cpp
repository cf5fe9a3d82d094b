#include "tools/lzh/Extractor.h"

#include "tools/lzh/PosixFile.h"

#include "lha/Archive.h"
#include "lha/Error.h"
#include "lha/MemberPath.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lzh {

namespace {

// Seconds from 1601 (Windows) to 1970 (Unix), in 100 ns units.
constexpr uint64_t kWindowsEpochOffset = 116444736000000000ull;

std::string DisplayPath(const lha::Header& header) {
    std::string path = header.Path();
    for (char& c : path)
        if (c == '\\' || static_cast<uint8_t>(c) == lha::kDirectorySeparator) c = '/';
    return path;
}

int64_t ModificationTime(const lha::Header& header) {
    if (header.unixTime) return *header.unixTime;
    // In whole seconds on both sides, so that a time before 1970 stays negative.
    if (header.windowsTime)
        return static_cast<int64_t>(*header.windowsTime / 10000000) -
               static_cast<int64_t>(kWindowsEpochOffset / 10000000);
    if (header.dosTime) {
        uint32_t dos = *header.dosTime;
        std::tm local{};
        local.tm_year = static_cast<int>((dos >> 25) & 0x7F) + 80;
        local.tm_mon = static_cast<int>((dos >> 21) & 0x0F) - 1;
        local.tm_mday = static_cast<int>((dos >> 16) & 0x1F);
        local.tm_hour = static_cast<int>((dos >> 11) & 0x1F);
        local.tm_min = static_cast<int>((dos >> 5) & 0x3F);
        local.tm_sec = static_cast<int>(dos & 0x1F) * 2;
        local.tm_isdst = -1;
        return std::mktime(&local);
    }
    return std::time(nullptr);
}

// Runs `step`; an error it raises names the member.
template <typename Step>
void ForMember(const lha::Header& header, Step&& step) {
    lha::NamingMember([&] { return DisplayPath(header); }, std::forward<Step>(step));
}

void MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        throw lha::Error(lha::ErrorKind::Write, "cannot create folder " + path);
}

// Creates `folder` and the folders above it.
void MakeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        MakeFolder(folder.substr(0, slash));
    MakeFolder(folder);
}

}  // namespace

void List(const std::string& archive, std::ostream& out) {
    FileReader file(archive);
    lha::ArchiveReader reader(file);
    char line[128];
    std::snprintf(line, sizeof line, "%12s %12s %-5s %-4s %-19s %s\n", "size", "packed", "meth", "crc", "time", "name");
    out << line;
    while (auto header = reader.Next()) {
        std::time_t time = static_cast<std::time_t>(ModificationTime(*header));
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&time));
        std::snprintf(line, sizeof line, "%12llu %12llu %-5s %04x %-19s ",
                      static_cast<unsigned long long>(header->originalSize),
                      static_cast<unsigned long long>(header->compressedSize), header->method.c_str(), header->crc,
                      stamp);
        out << line << DisplayPath(*header) << '\n';
    }
}

void Test(const std::string& archive) {
    FileReader file(archive);
    lha::ArchiveReader reader(file);
    lha::NullWriter sink;
    while (auto header = reader.Next()) ForMember(*header, [&] { reader.Extract(sink); });
}

void Extract(const std::string& archive, const std::string& folder) {
    FileReader file(archive);
    // First every header: a hostile name stops the whole archive before anything is written.
    {
        lha::ArchiveReader reader(file);
        while (auto header = reader.Next()) lha::SafeMemberPath(*header, lha::NoLeadBytes);
    }
    file.Rewind();
    std::string root = folder.empty() ? "." : folder;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    MakeFolders(root);

    lha::ArchiveReader reader(file, true);
    while (auto header = reader.Next()) {
        std::vector<std::string> steps = lha::SafeMemberPath(*header, lha::NoLeadBytes);
        std::string path = root;
        size_t folders = header->IsDirectory() ? steps.size() : steps.size() - 1;
        for (size_t i = 0; i < folders; ++i) MakeFolder(path += "/" + steps[i]);
        if (header->IsDirectory()) continue;
        path += "/" + steps.back();
        ForMember(*header, [&] {
            FileWriter out(path);
            try {
                reader.Extract(out);
                out.Close(ModificationTime(*header));
            } catch (...) {
                unlink(path.c_str());
                throw;
            }
        });
    }
}

}  // namespace lzh
