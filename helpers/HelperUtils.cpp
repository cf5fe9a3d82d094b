#include "helpers/HelperUtils.h"

#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/FileStream.h"
#include "platform/Form.h"
#include "platform/Handle.h"
#include "platform/IniFile.h"
#include "platform/PathText.h"
#include "platform/Registry.h"
#include "platform/Strings.h"
#include "resources/StringIds.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace helpers {

namespace {

// Loaded before the program's own code runs and held to its end, so the
// installation's own load of the library only adds a reference. A missing
// library is reported by that later load, not here.
const platform::ModuleHandle ArchiverModule{LoadLibraryA("UNLHA32.DLL")};

constexpr std::size_t kJoinBlockSize = 8192;

// A system answer in a MAX_PATH buffer, up to its first NUL.
std::string FromPathBuffer(const char (&buffer)[MAX_PATH]) {
    return std::string(buffer, strnlen(buffer, MAX_PATH));
}

// Keeps the system from showing its own critical-error boxes while it lives.
class QuietErrorMode {
public:
    QuietErrorMode() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietErrorMode() { SetErrorMode(previous_); }
    QuietErrorMode(const QuietErrorMode&) = delete;
    QuietErrorMode& operator=(const QuietErrorMode&) = delete;

private:
    UINT previous_;
};

bool FoundAfterFirstCharacter(const std::string& text, const char* word) {
    std::size_t at = text.find(word);
    return at != std::string::npos && at >= 1;
}

void AppendVolume(const std::string& path, platform::FileStream& output, std::vector<char>& buffer) {
    platform::FileStream volume(path, platform::FileMode::OpenRead);
    while (volume.Position() < volume.Size()) {
        std::size_t got = volume.Read(buffer.data(), buffer.size());
        // Reading again after nothing arrived would never end.
        if (got == 0) throw platform::FileReadError(path);
        output.WriteBuffer(buffer.data(), got);
    }
}

}  // namespace

std::string AddTrailingDelimiter(const std::string& path) { return pathtext::AddTrailingDelimiter(path); }

std::string GetSetupFolder() {
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string program = FromPathBuffer(buffer);
    return program.substr(0, pathtext::LastDelimiter(program, "\\:") + 1);
}

std::string GetWindowsFolder() {
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return AddTrailingDelimiter(FromPathBuffer(buffer));
}

std::string GetTempFolder() {
    char buffer[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, buffer);
    return AddTrailingDelimiter(FromPathBuffer(buffer));
}

std::string GetProgramFilesFolder() {
    // All access is asked for although only a read follows; where that is
    // refused the key stays closed and the value reads as empty.
    platform::Registry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion", false);
    return AddTrailingDelimiter(registry.ReadString("ProgramFilesDir"));
}

std::string GetSpecialFolder(int csidl) {
    // The shell's allocator is the COM task allocator, through which the item
    // list owner frees the list; it is held while the list lives.
    platform::ComPtr<IMalloc> allocator;
    platform::OleCheck(SHGetMalloc(allocator.Put()));
    platform::ItemIdListHandle list;
    platform::OleCheck(SHGetSpecialFolderLocation(platform::Application::Instance().Handle(), csidl, list.Put()));
    char buffer[MAX_PATH] = {};
    SHGetPathFromIDListA(list.Get(), buffer);
    return AddTrailingDelimiter(FromPathBuffer(buffer));
}

std::string GetProgramsFolder() { return GetSpecialFolder(CSIDL_PROGRAMS); }

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderPath(const std::string& path) {
    if (path.empty()) throw platform::Error(platform::LoadResString(IDS_CANNOT_CREATE_FOLDER));
    std::string folder = pathtext::RemoveTrailingDelimiter(path);
    if (folder.size() < 3 || FolderExists(folder)) return true;
    std::string parent = folder.substr(0, pathtext::LastDelimiter(folder, "\\:") + 1);
    if (parent == folder) return true;
    return CreateFolderPath(parent) && CreateDirectoryA(folder.c_str(), nullptr);
}

int AppMessageBox(const std::string& text, std::uint16_t style, HWND owner) {
    platform::Application& application = platform::Application::Instance();
    if (!owner) return application.MessageBox(text, application.Title(), style);
    HWND active = GetActiveWindow();
    int button;
    {
        platform::ThreadWindowsDisabler disabled;
        button = MessageBoxA(owner, text.c_str(), application.Title().c_str(), style);
    }
    SetActiveWindow(active);
    return button;
}

int ErrorMessageBox(const std::string& text, HWND owner) { return AppMessageBox(text, MB_OK | MB_ICONERROR, owner); }

int InfoMessageBox(const std::string& text, HWND owner) {
    return AppMessageBox(text, MB_OK | MB_ICONINFORMATION, owner);
}

int QuestionMessageBox(const std::string& text, HWND owner) {
    return AppMessageBox(text, MB_YESNO | MB_ICONQUESTION, owner);
}

void CenterOnOwner(platform::Form& form) {
    auto* owner = dynamic_cast<platform::Form*>(form.Owner());
    if (!owner) throw platform::InvalidCastError();
    form.SetLeft(owner->Left() + owner->Width() / 2 - form.Width() / 2);
    form.SetTop(owner->Top() + owner->Height() / 2 - form.Height() / 2);
    FitIntoWorkArea(form);
}

void FitIntoWorkArea(platform::Form& form) {
    // A maximized window reaches one sizing frame past the work area on each side.
    int width = GetSystemMetrics(SM_CXMAXIMIZED) - 2 * GetSystemMetrics(SM_CXFRAME);
    int height = GetSystemMetrics(SM_CYMAXIMIZED) - 2 * GetSystemMetrics(SM_CYFRAME);
    form.SetLeft(std::min(form.Left(), width - form.Width()));
    form.SetTop(std::min(form.Top(), height - form.Height()));
    form.SetLeft(std::max(form.Left(), 0));
    form.SetTop(std::max(form.Top(), 0));
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string DrivePart(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        std::size_t serverEnd = pathtext::FindCharacter(path, '\\', 2);
        if (serverEnd == std::string::npos) return path;
        return path.substr(0, pathtext::FindCharacter(path, '\\', serverEnd + 1));
    }
    return std::string();
}

std::string DriveRoot(const std::string& path) { return DrivePart(path) + '\\'; }

bool IsDriveReady(const std::string& path) {
    QuietErrorMode quiet;
    return FolderExists(DriveRoot(path));
}

bool IsFloppyDrive(const std::string& path) {
    std::string root = DriveRoot(path);
    if (GetDriveTypeA(root.c_str()) != DRIVE_REMOVABLE) return false;
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return false;
    std::string name(info.szDisplayName, strnlen(info.szDisplayName, sizeof info.szDisplayName));
    return FoundAfterFirstCharacter(name, "FD") || FoundAfterFirstCharacter(name, "Floppy");
}

std::string VolumeSuffix(int number) { return platform::FormatText(".%.3d", number); }

std::string VolumePath(const std::string& archive, int number) {
    return platform::ChangeFileExt(archive, VolumeSuffix(number));
}

void JoinVolumes(const std::string& archive, const std::string& destination, int count) {
    std::vector<char> buffer(kJoinBlockSize);
    platform::FileStream output(AddTrailingDelimiter(destination) + pathtext::FileNamePart(archive),
                                platform::FileMode::Create);
    for (int number = 1; number <= count; ++number) AppendVolume(VolumePath(archive, number), output, buffer);
}

}  // namespace helpers
