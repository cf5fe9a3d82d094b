#include "tools/mkmedium/MediumCheck.h"

#include "tools/mkmedium/MediumLayout.h"
#include "tools/mkmedium/Settings.h"

#include "tools/common/CodePage.h"
#include "tools/common/Files.h"

#include "lha/Archive.h"
#include "lha/Error.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace mkmedium {

namespace {

namespace fs = std::filesystem;
using tools::Utf8;

struct Volume {
    int disk;
    fs::path path;
    uint64_t end;  // archive offset after this volume
};

// The volumes read one after the other as the joined archive.
class VolumeChain : public lha::ByteReader {
public:
    explicit VolumeChain(std::vector<Volume> volumes) : volumes_(std::move(volumes)) {}

    size_t Read(uint8_t* buffer, size_t size) override {
        while (index_ < volumes_.size()) {
            if (!file_) file_ = std::make_unique<tools::InputFile>(volumes_[index_].path);
            size_t got = file_->Read(buffer, size);
            if (got > 0) {
                offset_ += got;
                return got;
            }
            file_.reset();
            ++index_;
        }
        return 0;
    }
    uint64_t Offset() const { return offset_; }
    uint64_t Size() const { return volumes_.empty() ? 0 : volumes_.back().end; }
    // The disk that holds the archive byte at `offset` (the last disk past the end).
    int DiskAt(uint64_t offset) const {
        for (const Volume& volume : volumes_)
            if (offset < volume.end) return volume.disk;
        return volumes_.back().disk;
    }

private:
    std::vector<Volume> volumes_;
    size_t index_ = 0;
    std::unique_ptr<tools::InputFile> file_;
    uint64_t offset_ = 0;
};

std::string Readable(const std::string& bytes, unsigned codePage) {
    std::string path = bytes;
    std::replace(path.begin(), path.end(), static_cast<char>(lha::kDirectorySeparator), '/');
    while (!path.empty() && path.back() == '/') path.pop_back();
    try {
        return tools::FromCodePage(path, codePage);
    } catch (const std::runtime_error&) {
        return path;
    }
}

struct Layout {
    fs::path disk1;
    bool floppies;
};

Layout FindLayout(const fs::path& out) {
    if (fs::is_regular_file(out / kSettingsFileName)) return {out, false};
    if (fs::is_regular_file(DiskFolder(out, 1) / kSettingsFileName)) return {DiskFolder(out, 1), true};
    throw std::runtime_error("no medium in " + Utf8(out) + ": neither it nor its folder disk1 holds " +
                             kSettingsFileName);
}

std::vector<Volume> FindVolumes(const fs::path& out, const Layout& layout, const Settings& settings) {
    std::vector<Volume> volumes;
    uint64_t end = 0;
    auto add = [&](int disk, const fs::path& path) {
        std::error_code error;
        uint64_t size = fs::file_size(path, error);
        if (error) throw DamagedDisk(disk, Utf8(path) + " is missing or unreadable");
        volumes.push_back({disk, path, end += size});
    };
    if (settings.diskNumber <= 0) {
        add(1, layout.disk1 / tools::PathFromUtf8(ArchiveName(settings.projectName)));
        return volumes;
    }
    for (int disk = 1; disk <= settings.diskNumber; ++disk) {
        fs::path folder = layout.floppies ? DiskFolder(out, disk) : layout.disk1;
        add(disk, folder / tools::PathFromUtf8(VolumeName(settings.projectName, disk)));
    }
    return volumes;
}

std::string DiskRange(const VolumeChain& chain, uint64_t from, uint64_t to) {
    int first = chain.DiskAt(from), last = chain.DiskAt(to > from ? to - 1 : from);
    return first == last ? "" : " (the member lies on disks " + std::to_string(first) + " to " + std::to_string(last) + ")";
}

}  // namespace

CheckResult CheckMedium(const fs::path& out, unsigned codePage, const std::function<void(const std::string&)>& warn) {
    Layout layout = FindLayout(out);
    Settings settings;
    try {
        settings = ParseSettings(tools::ReadWholeFile(layout.disk1 / kSettingsFileName), codePage);
    } catch (const std::exception& error) {
        throw DamagedDisk(1, Utf8(layout.disk1 / kSettingsFileName) + ": " + error.what());
    }
    for (const char* program : {kSetupProgram, kArchiverLibrary})
        if (!fs::is_regular_file(layout.disk1 / program))
            throw DamagedDisk(1, Utf8(layout.disk1 / program) + " is missing");

    VolumeChain chain(FindVolumes(out, layout, settings));
    lha::ArchiveReader reader(chain);
    lha::NullWriter sink;
    CheckResult result;
    result.disks = std::max(settings.diskNumber, 1);
    result.archiveSize = chain.Size();
    bool runtime = false;
    for (;;) {
        const uint64_t start = chain.Offset();
        if (start == chain.Size() && start > 0)
            throw DamagedDisk(chain.DiskAt(start), "the archive ends without its end mark");
        std::optional<lha::Header> header;
        try {
            header = reader.Next();
        } catch (const lha::Error& error) {
            throw DamagedDisk(chain.DiskAt(start), "the header at archive byte " + std::to_string(start) +
                                                       " is damaged: " + error.what());
        }
        if (!header) break;
        std::string name = Readable(header->Path(), codePage);
        const uint64_t end = chain.Offset() + header->compressedSize;
        if (end > chain.Size())
            throw DamagedDisk(chain.DiskAt(chain.Size()), name + ": the archive ends " +
                                                              std::to_string(end - chain.Size()) +
                                                              " bytes before this member's end");
        try {
            reader.Extract(sink);
        } catch (const lha::Error& error) {
            throw DamagedDisk(chain.DiskAt(start), name + ": " + error.what() + DiskRange(chain, start, end));
        }
        ++result.members;
        runtime |= header->directory.empty() && SameFileName(name, kRuntimeProgram);
    }
    if (chain.Offset() != chain.Size())
        throw DamagedDisk(chain.DiskAt(chain.Offset()), "there are " + std::to_string(chain.Size() - chain.Offset()) +
                                                            " bytes after the archive's end mark");
    if (!runtime) warn(std::string("the archive holds no ") + kRuntimeProgram + " at its top");
    return result;
}

}  // namespace mkmedium
