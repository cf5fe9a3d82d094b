#include "unlha32/Extraction.h"

#include "unlha32/ArchiveFile.h"
#include "unlha32/ResultCode.h"

#include "lha/Archive.h"
#include "lha/Error.h"
#include "lha/MemberPath.h"

#include <cstdio>

namespace unlha32 {

namespace {

constexpr uint64_t kUnixEpochAsFileTime = 116444736000000000ull;

bool IsLeadByte(uint8_t c) { return IsDBCSLeadByte(c) != FALSE; }

std::string Join(const std::vector<std::string>& steps, size_t count) {
    std::string path;
    for (size_t i = 0; i < count; ++i) {
        if (i) path += '\\';
        path += steps[i];
    }
    return path;
}

std::string DisplayPath(const lha::Header& header) {
    std::vector<std::string> steps = lha::SplitPath(header.Path(), IsLeadByte);
    if (!steps.empty() && steps.front().empty()) steps.front().assign(1, '\\');  // absolute: shown as stored
    return Join(steps, steps.size());
}

FILETIME ModificationTime(const lha::Header& header) {
    FILETIME time{};
    uint64_t value = 0;
    if (header.windowsTime) {
        value = *header.windowsTime;
    } else if (header.unixTime) {
        value = static_cast<uint64_t>(*header.unixTime) * 10000000ull + kUnixEpochAsFileTime;
    } else if (header.dosTime) {
        FILETIME local;
        if (DosDateTimeToFileTime(HIWORD(*header.dosTime), LOWORD(*header.dosTime), &local) &&
            LocalFileTimeToFileTime(&local, &time))
            return time;
        GetSystemTimeAsFileTime(&time);
        return time;
    }
    time.dwLowDateTime = static_cast<DWORD>(value);
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return time;
}

// Runs `step`; an error it raises names the member.
template <typename Step>
void ForMember(const lha::Header& header, Step&& step) {
    lha::NamingMember([&] { return DisplayPath(header); }, std::forward<Step>(step));
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Index after the drive part: "C:", "C:\", "\\server\share\" or a leading "\".
size_t RootLength(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t separators = 0, i = 2;
        for (; i < path.size(); ++i) {
            if (IsLeadByte(static_cast<uint8_t>(path[i]))) ++i;
            else if (IsSeparator(path[i]) && ++separators == 2) return i + 1;
        }
        return path.size();
    }
    return path.size() >= 1 && IsSeparator(path[0]) ? 1 : 0;
}

void MakeFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw lha::Error(lha::ErrorKind::Write, "cannot create folder " + path);
}

// Creates the folder and every missing level above it.
void MakeFolders(const std::string& folder) {
    size_t root = RootLength(folder);
    for (size_t i = root; i < folder.size(); ++i) {
        if (IsLeadByte(static_cast<uint8_t>(folder[i]))) {
            ++i;
        } else if (IsSeparator(folder[i]) && i > root) {
            MakeFolder(folder.substr(0, i));
        }
    }
    if (folder.size() > root) MakeFolder(folder);
}

// The folder with a final backslash of its own, "" for the current folder.
std::string FolderPrefix(const std::string& folder) {
    if (folder.empty()) return "";
    bool endsInSeparator = false;
    for (size_t i = 0; i < folder.size(); ++i) {
        endsInSeparator = IsSeparator(folder[i]);
        if (IsLeadByte(static_cast<uint8_t>(folder[i]))) ++i;
    }
    return endsInSeparator ? folder : folder + "\\";
}

// Counts what is written for the progress window.
class ProgressWriter : public lha::ByteWriter {
public:
    ProgressWriter(lha::ByteWriter& out, Progress& progress) : out_(out), progress_(progress) {}
    void Write(const uint8_t* data, size_t size) override {
        out_.Write(data, size);
        progress_.Advance(size);
    }

private:
    lha::ByteWriter& out_;
    Progress& progress_;
};

}  // namespace

Survey SurveyArchive(const std::string& archive) {
    FileReader file(archive);
    lha::ArchiveReader reader(file);
    Survey survey;
    while (auto header = reader.Next()) {
        lha::SafeMemberPath(*header, IsLeadByte);
        if (!header->IsDirectory()) {
            ++survey.files;
            survey.bytes += header->originalSize;
        }
    }
    return survey;
}

int ExtractArchive(const Command& command, Progress& progress) {
    std::string prefix = FolderPrefix(command.folder);
    if (!prefix.empty()) MakeFolders(prefix.substr(0, prefix.size() - 1));
    FileReader file(command.archive);
    lha::ArchiveReader reader(file);
    int files = 0;
    while (auto header = reader.Next()) {
        std::vector<std::string> steps = lha::SafeMemberPath(*header, IsLeadByte);
        size_t folders = header->IsDirectory() ? steps.size() : steps.size() - 1;
        for (size_t i = 1; i <= folders; ++i) MakeFolder(prefix + Join(steps, i));
        if (header->IsDirectory()) continue;
        std::string relative = Join(steps, steps.size());
        progress.Member(relative);
        ForMember(*header, [&] {
            FileWriter out(prefix + relative);
            try {
                ProgressWriter counted(out, progress);
                reader.Extract(counted);
                out.Close(ModificationTime(*header));
            } catch (...) {
                out.Discard();
                throw;
            }
        });
        ++files;
    }
    return files;
}

int TestArchive(const Command& command, Progress& progress) {
    FileReader file(command.archive);
    lha::ArchiveReader reader(file);
    lha::NullWriter sink;
    int files = 0;
    while (auto header = reader.Next()) {
        if (header->IsDirectory()) continue;
        progress.Member(DisplayPath(*header));
        ProgressWriter counted(sink, progress);
        ForMember(*header, [&] { reader.Extract(counted); });
        ++files;
    }
    return files;
}

std::string ListArchive(const Command& command) {
    FileReader file(command.archive);
    lha::ArchiveReader reader(file);
    std::string listing;
    while (auto header = reader.Next()) {
        char line[96];
        std::snprintf(line, sizeof line, "%10llu %10llu %s %04X ", static_cast<unsigned long long>(header->originalSize),
                      static_cast<unsigned long long>(header->compressedSize), header->method.c_str(), header->crc);
        listing += line + DisplayPath(*header) + (header->IsDirectory() ? "\\" : "") + "\r\n";
    }
    return listing;
}

}  // namespace unlha32
