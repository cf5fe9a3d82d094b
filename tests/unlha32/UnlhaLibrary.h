#pragma once
// UNLHA32.DLL as the setup program meets it: loaded by name, its entry
// "Unlha" looked up by name.

#include "tests/lha/Craft.h"

#include <windows.h>

#include <string>

namespace unlhatest {

using UnlhaFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

class UnlhaLibrary {
public:
    UnlhaLibrary();
    ~UnlhaLibrary();
    UnlhaLibrary(const UnlhaLibrary&) = delete;
    UnlhaLibrary& operator=(const UnlhaLibrary&) = delete;

    HMODULE Module() const { return module_; }
    UnlhaFunction Entry() const { return entry_; }
    // Calls the entry; `message` receives the output buffer (4096 bytes).
    int Call(const std::string& commandLine, HWND owner = nullptr, std::string* message = nullptr) const;
    // The DLL's own string-table text.
    std::string Text(UINT id) const;

private:
    HMODULE module_;
    UnlhaFunction entry_;
};

// The full path of a file in the current folder.
std::string FullPath(const std::string& relative);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
// Writes a crafted archive.
void WriteArchive(const std::string& path, const craft::Bytes& bytes);

}  // namespace unlhatest
