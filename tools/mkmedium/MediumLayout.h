#pragma once
// Where each file of a medium lies in the output folder: for one folder
// (a CD) everything side by side; for floppies one folder per disk, named
// disk1, disk2, ..., with the programs and settings on disk 1.

#include <filesystem>
#include <string>

namespace mkmedium {

namespace fs = std::filesystem;

constexpr const char* kSetupProgram = "setup.exe";
constexpr const char* kArchiverLibrary = "UNLHA32.DLL";
// The setup relies on this file at the root of the archive.
constexpr const char* kRuntimeProgram = "Qelvar_RT.exe";

// "Name.001": the volume suffix has at least three digits.
std::string VolumeName(const std::string& projectName, int volume);
std::string ArchiveName(const std::string& projectName);

// Whether two file names are the same for Windows, which ignores the case
// of ASCII letters.
bool SameFileName(const std::string& a, const std::string& b);

// The folder of disk `disk` (from 1) below the output folder.
fs::path DiskFolder(const fs::path& out, int disk);

}  // namespace mkmedium
