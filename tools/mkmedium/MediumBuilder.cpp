#include "tools/mkmedium/MediumBuilder.h"

#include "tools/mkmedium/MediumLayout.h"

#include "tools/common/Files.h"
#include "tools/common/Packer.h"

#include "lha/ArchiveWriter.h"

#include <algorithm>
#include <stdexcept>

namespace mkmedium {

namespace {

namespace fs = std::filesystem;
using tools::Utf8;

// The file `name` in `folder`, also when its case differs (Windows file names
// ignore case, and so does the setup).
std::optional<fs::path> FindFile(const fs::path& folder, const std::string& name) {
    if (fs::is_regular_file(folder / name)) return folder / name;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (SameFileName(Utf8(it->path().filename()), name) && it->is_regular_file()) return it->path();
    return std::nullopt;
}

bool IsInside(const fs::path& inner, const fs::path& outer) {
    fs::path a = fs::weakly_canonical(inner), b = fs::weakly_canonical(outer);
    auto mismatch = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return mismatch.first == b.end();
}

void CheckRequest(const BuildRequest& request, const WarningSink& warn) {
    CheckProjectName(request.projectName, request.codePage);
    for (const std::string& warning : CheckGameTitle(request.gameTitle, request.codePage)) warn(warning);
    if (!fs::is_directory(request.gameFolder))
        throw std::runtime_error("game folder " + Utf8(request.gameFolder) + " is not a folder");
    if (!FindFile(request.gameFolder, kRuntimeProgram))
        warn("game folder " + Utf8(request.gameFolder) + " has no " + kRuntimeProgram +
             "; the setup expects it at the top of the installed game");
    if (IsInside(request.outFolder, request.gameFolder))
        throw std::runtime_error("output folder " + Utf8(request.outFolder) + " lies inside the game folder");
    if (fs::exists(request.outFolder) && (!fs::is_directory(request.outFolder) || !fs::is_empty(request.outFolder)))
        throw std::runtime_error("output folder " + Utf8(request.outFolder) + " exists and is not empty");
}

// Copies a byte range of `in` into a new file.
void CopyRange(tools::InputFile& in, uint64_t size, const fs::path& to) {
    tools::OutputFile out(to);
    std::vector<uint8_t> buffer(1 << 16);
    while (size > 0) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(size, buffer.size()));
        if (lha::ReadFully(in, buffer.data(), want) != want)
            throw std::runtime_error("the archive ended early while cut into volumes");
        out.Write(buffer.data(), want);
        size -= want;
    }
    out.Close();
}

class Builder {
public:
    explicit Builder(const BuildRequest& request) : request_(request) {}

    BuildResult Build() {
        for (const char* name : {kSetupProgram, kArchiverLibrary}) {
            auto found = FindFile(request_.programsFolder, name);
            if (!found)
                throw std::runtime_error(std::string(name) + " is not in " + Utf8(request_.programsFolder) +
                                         " (give the folder of the setup's programs with --programs)");
            programs_.push_back({name, tools::ReadWholeFile(*found), fs::last_write_time(*found)});
        }
        fs::create_directories(request_.outFolder);
        fs::path archive = request_.outFolder / tools::PathFromUtf8(ArchiveName(request_.projectName));
        Pack(archive);
        if (request_.kind.IsFloppy()) {
            CutForFloppies(archive);
            fs::remove(archive);
        } else {
            WriteDisk1(request_.outFolder, 0);
            result_.disks.push_back(Disk1Content(ArchiveName(request_.projectName), result_.archiveSize));
        }
        return result_;
    }

private:
    void Pack(const fs::path& archive) {
        tools::OutputFile out(archive);
        lha::ArchiveWriter writer(out, request_.method);
        tools::Packer packer(writer, request_.codePage);
        packer.Add(request_.gameFolder, {});
        writer.Finish();
        result_.archiveSize = out.Position();
        out.Close();
        result_.files = packer.Files();
        result_.bytes = packer.Bytes();
    }

    std::string Settings(int disks) const {
        return SettingsText({request_.projectName, request_.gameTitle, disks}, request_.codePage);
    }

    // Disk 1's files with the volume `volume` of `size` bytes (on a folder,
    // whose clusters are single bytes, the whole archive).
    DiskContent Disk1Content(const std::string& volume, uint64_t size) const {
        const MediumKind& kind = request_.kind;
        DiskContent content{{kSetupProgram, kArchiverLibrary, kSettingsFileName, volume}, 0};
        for (const Program& program : programs_) content.used += kind.SpaceFor(program.bytes.size());
        content.used += kind.SpaceFor(settingsSize_) + kind.SpaceFor(size);
        return content;
    }

    void WriteDisk1(const fs::path& folder, int disks) {
        fs::create_directories(folder);
        for (const Program& program : programs_) {
            tools::WriteWholeFile(folder / program.name, program.bytes);
            // The setup's file time is its version: an installed uninstaller is
            // replaced only by a setup whose file is newer.
            fs::last_write_time(folder / program.name, program.modified);
        }
        std::string settings = Settings(disks);
        tools::WriteWholeFile(folder / kSettingsFileName, settings);
        settingsSize_ = settings.size();
    }

    void CutForFloppies(const fs::path& archive) {
        const MediumKind& kind = request_.kind;
        // The settings name the number of disks, which depends on their size.
        std::vector<uint64_t> volumes;
        for (size_t disks = 1; volumes.size() != disks;) {
            if (!volumes.empty()) disks = volumes.size();
            std::vector<uint64_t> disk1 = {programs_[0].bytes.size(), programs_[1].bytes.size(),
                                           Settings(static_cast<int>(disks)).size()};
            volumes = PlanVolumes(kind, result_.archiveSize, disk1);
        }
        const int disks = static_cast<int>(volumes.size());
        WriteDisk1(DiskFolder(request_.outFolder, 1), disks);
        tools::InputFile in(archive);
        for (int disk = 1; disk <= disks; ++disk) {
            fs::path folder = DiskFolder(request_.outFolder, disk);
            fs::create_directories(folder);
            std::string name = VolumeName(request_.projectName, disk);
            const uint64_t size = volumes[disk - 1];
            CopyRange(in, size, folder / tools::PathFromUtf8(name));
            result_.disks.push_back(disk == 1 ? Disk1Content(name, size) : DiskContent{{name}, kind.SpaceFor(size)});
        }
    }

    const BuildRequest& request_;
    struct Program {
        std::string name;
        std::string bytes;
        fs::file_time_type modified;
    };
    std::vector<Program> programs_;
    size_t settingsSize_ = 0;
    BuildResult result_;
};

}  // namespace

BuildResult BuildMedium(const BuildRequest& request, const WarningSink& warn) {
    CheckRequest(request, warn);
    const bool created = !fs::exists(request.outFolder);
    try {
        return Builder(request).Build();
    } catch (...) {
        // Leave the output folder as it was: new, or empty.
        std::error_code ignored;
        if (created) {
            fs::remove_all(request.outFolder, ignored);
        } else {
            for (fs::directory_iterator it(request.outFolder, ignored), end; !ignored && it != end; it.increment(ignored))
                fs::remove_all(it->path(), ignored);
        }
        throw;
    }
}

}  // namespace mkmedium
