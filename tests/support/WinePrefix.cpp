#include "tests/support/WinePrefix.h"

#include "tests/support/WindowAnswerer.h"

#include <winioctl.h>

#include <stdexcept>
#include <vector>

namespace testsupport {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

// Wine's mount manager extension for defining a drive letter.
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};

// Defines `letter` as a drive of `type` at the Unix folder `mountPoint`; an
// empty mount point and type 0 remove the letter.
void DefineDrive(char letter, const std::string& mountPoint, UINT type) {
    std::vector<char> request(sizeof(UnixDriveRequest) + mountPoint.size() + 1, '\0');
    auto* drive = reinterpret_cast<UnixDriveRequest*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = type;
    drive->letter = static_cast<WCHAR>(letter);
    if (!mountPoint.empty()) {
        drive->mountPointOffset = sizeof(UnixDriveRequest);
        mountPoint.copy(request.data() + sizeof(UnixDriveRequest), mountPoint.size());
    }
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) Fail("cannot open the mount manager");
    DWORD returned = 0;
    BOOL done = DeviceIoControl(manager, kDefineUnixDrive, request.data(), drive->size, nullptr, 0, &returned,
                                nullptr);
    CloseHandle(manager);
    if (!done) Fail(std::string("cannot define drive ") + letter);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "QelvarTests";
    CreateDirectoryA(base.c_str(), nullptr);
    path_ = base + '\\' + name;
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) Fail("cannot create " + path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + '\\' + name;
            // A link to a folder is removed as a link, never followed.
            bool isLink = entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot create " + path);
    DWORD written = 0;
    BOOL done = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    if (!done || written != content.size()) Fail("cannot write " + path);
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot open " + path);
    std::string content;
    char block[65536];
    DWORD got = 0;
    while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0) content.append(block, got);
    CloseHandle(file);
    return content;
}

std::string UnixPath(const std::string& windowsPath) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) throw std::runtime_error("not running under Wine");
    char* unix = convert(Wide(windowsPath).c_str());
    if (!unix) Fail("no Unix path for " + windowsPath);
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string BuiltFile(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

namespace {

// Starts a Unix program, which Wine does when given its Unix path; the command
// line is split into arguments by the Windows rules. Wine hands out no handle
// of such a process, so the caller waits for its effect (see WaitUntil).
void RunUnix(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        Fail("cannot run " + commandLine);
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
}

// True once `done` holds, false when it still does not after ten seconds.
template <typename Condition>
bool WaitUntil(Condition done) {
    for (DWORD start = GetTickCount(); !done(); Sleep(10))
        if (GetTickCount() - start > 10000) return false;
    return true;
}

// Whether a listing of the folder finds the name.
bool EntryExists(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(path.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

}  // namespace

UnixLink::UnixLink(const std::string& unixTarget, const std::string& link)
    : unixLink_(UnixPath(link)), link_(link) {
    RunUnix("/bin/ln -s -f -n " + Quoted(unixTarget) + " " + Quoted(unixLink_));
    // Wine reports no exit code of a Unix program; the link shows whether it ran.
    if (!WaitUntil([&] { return EntryExists(link); })) Fail("cannot make link " + link);
}

UnixLink::~UnixLink() {
    // Wine deletes the file a link leads to, not the link.
    RunUnix("/bin/rm -f " + Quoted(unixLink_));
    WaitUntil([&] { return !EntryExists(link_); });
}

MappedDrive::MappedDrive(char letter, const std::string& folder, UINT driveType)
    : letter_(static_cast<char>(letter | 0x20)) {
    DefineDrive(letter_, UnixPath(folder), driveType);
}

MappedDrive::~MappedDrive() {
    try {
        DefineDrive(letter_, std::string(), 0);
    } catch (const std::exception&) {
        // The prefix is made anew for every test run.
    }
}

std::string MappedDrive::Root() const {
    return std::string(1, static_cast<char>(letter_ & ~0x20)) + ":\\";
}

}  // namespace testsupport
