#include "tools/common/Packer.h"

#include "tools/common/CodePage.h"
#include "tools/common/Files.h"

#include "lha/Error.h"
#include "lha/Header.h"

#include <algorithm>
#include <stdexcept>

namespace tools {

namespace {

constexpr uint16_t kArchiveAttribute = 0x20;
constexpr uint16_t kReadOnlyAttribute = 0x01;

}  // namespace

bool IsWindowsFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
    return name.back() != '.' && name.back() != ' ';
}

Packer::Packer(lha::ArchiveWriter& archive, unsigned codePage) : archive_(archive), codePage_(codePage) {}

void Packer::Add(const fs::path& path, const std::vector<std::string>& steps) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error) throw lha::Error(lha::ErrorKind::Read, "cannot read " + Utf8(path) + ": " + error.message());
    if (fs::is_directory(status)) {
        if (!steps.empty()) archive_.AddFolder(Entry(path, steps, status));
        AddFolderContent(path, steps);
    } else if (fs::is_regular_file(status)) {
        if (steps.empty()) throw std::runtime_error(Utf8(path) + ": a file needs a name in the archive");
        lha::Header entry = Entry(path, steps, status);
        InputFile file(path);
        entry.originalSize = file.Size();
        archive_.AddFile(entry, file);
        ++files_;
        bytes_ += entry.originalSize;
    } else {
        throw std::runtime_error(Utf8(path) + " is neither a file nor a folder");
    }
}

void Packer::AddFolderContent(const fs::path& folder, std::vector<std::string> steps) {
    std::vector<std::pair<std::string, fs::path>> children;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        children.emplace_back(Utf8(it->path().filename()), it->path());
    if (error) throw lha::Error(lha::ErrorKind::Read, "cannot read folder " + Utf8(folder) + ": " + error.message());
    std::sort(children.begin(), children.end());
    for (const auto& [name, path] : children) {
        steps.push_back(name);
        Add(path, steps);
        steps.pop_back();
    }
}

lha::Header Packer::Entry(const fs::path& path, const std::vector<std::string>& steps,
                          const fs::file_status& status) const {
    const bool folder = fs::is_directory(status);
    lha::Header entry;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (!IsWindowsFileName(steps[i]))
            throw std::runtime_error(Utf8(path) + ": \"" + steps[i] + "\" is not a valid file name on Windows");
        std::string name;
        try {
            name = ToCodePage(steps[i], codePage_);
        } catch (const std::runtime_error& failure) {
            throw std::runtime_error(Utf8(path) + ": " + failure.what());
        }
        if (folder || i + 1 < steps.size()) entry.directory += name + static_cast<char>(lha::kDirectorySeparator);
        else entry.name = name;
    }
    entry.unixTime = ModificationTime(path);
    entry.attributes = folder ? 0 : kArchiveAttribute;
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
        entry.attributes |= kReadOnlyAttribute;
    return entry;
}

}  // namespace tools
