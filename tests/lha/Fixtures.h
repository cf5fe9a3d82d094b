#pragma once
// The archives that jlha made at build time (tests/lha/make-fixtures), the
// tree they were made from, and helpers to compare folders and file times.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fixtures {

namespace fs = std::filesystem;

inline fs::path Folder() { return QELVAR_LHA_FIXTURES; }
inline fs::path Tree() { return Folder() / "tree"; }

// l<level><method>.lzh: levels 0, 1, 2; methods lh5, lh6, lh7 and stored.
inline std::vector<std::string> ArchiveNames() {
    std::vector<std::string> names;
    for (char level : {'0', '1', '2'})
        for (char method : {'5', '6', '7', 'z'}) names.push_back(std::string("l") + level + method + ".lzh");
    return names;
}

inline std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Relative path -> content ("/" marks a folder) of everything below `root`.
inline std::map<std::string, std::vector<uint8_t>> Snapshot(const fs::path& root) {
    std::map<std::string, std::vector<uint8_t>> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string name = fs::relative(entry.path(), root).generic_string();
        if (entry.is_directory()) entries[name + "/"] = {};
        else entries[name] = ReadFile(entry.path());
    }
    return entries;
}

inline time_t ModificationTime(const fs::path& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mtime;
}

// A fresh empty folder for one test.
inline fs::path TempFolder(const std::string& name) {
    fs::path path = fs::temp_directory_path() / ("qelvar-lha-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(path);
    fs::create_directories(path);
    return path;
}

}  // namespace fixtures
