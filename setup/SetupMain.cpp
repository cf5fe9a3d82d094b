#include "setup/SetupMain.h"

#include "dialogs/FirstDialog.h"
#include "helpers/HelperUtils.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/FileStream.h"
#include "platform/Handle.h"
#include "platform/IniFile.h"
#include "platform/PathText.h"
#include "platform/Registry.h"
#include "platform/Resource.h"
#include "platform/Strings.h"
#include "resources/BackgroundLayout.h"
#include "resources/StringIds.h"
#include "uninstaller/FolderTree.h"

#include <shlobj.h>

using namespace platform;

TFormBackground* FormBackground = nullptr;

namespace {

constexpr char kUninstallerFileName[] = "gamedelete.exe";
constexpr char kUninstallerResource[] = "GAMEDELETE";
constexpr char kUninstallKeyPrefix[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Qelvar ";
constexpr char kInstallDataSection[] = "Install Data";

// The shell takes up a new Start-menu entry a moment after it was saved;
// the wait lets it appear before the completion message.
constexpr DWORD kShortcutSettleMs = 1200;

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A file's last-write time as local time packed into the 32-bit MS-DOS form
// (date in the high word, two-second resolution); -1 when the file is missing,
// is a folder or has a time outside that form.
std::int32_t PackedFileAge(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD date = 0, time = 0;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
        !FileTimeToDosDateTime(&local, &date, &time))
        return -1;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(date) << 16 | time);
}

FILETIME FileTimeFromPacked(std::int32_t packed) {
    const auto bits = static_cast<std::uint32_t>(packed);
    FILETIME local{}, universal{};
    DosDateTimeToFileTime(static_cast<WORD>(bits >> 16), static_cast<WORD>(bits & 0xFFFF), &local);
    LocalFileTimeToFileTime(&local, &universal);
    return universal;
}

std::string ProgramFilePath() {
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return buffer;
}

}  // namespace

void RemoveFolderTree(const std::string& folder) {
    foldertree::DeleteFolderTree(folder, foldertree::FileAttributes::Clear);
}

std::string SettingsFilePath() { return ProgramPathWithExtension(".ini"); }

TFormBackground::TFormBackground(Component* owner) : Form(owner) {
    BuildForm(*this, layouts::kBackground, [](Form& form, const ControlLayout& layout) -> Control* {
        if (std::string_view(layout.className) != "TOpaquePaintBox") return nullptr;
        auto& box = form.Create<TOpaquePaintBox>();
        box.SetOpaque((layout.flags & lfOpaque) != 0);
        return &box;
    });
    OpaquePaintBox1 = &Find<TOpaquePaintBox>("OpaquePaintBox1");
    // The shell copies from the medium; it starts with no options.
    FileOperation = &Create<controls::TFileOperation>();
    FileOperation->SetName("FileOperation");
    OpaquePaintBox1->OnPaint = [this](Component& sender) { OpaquePaintBox1Paint(sender); };
    OnCreate = [this](Component& sender) { FormCreate(sender); };
}

void TFormBackground::FormCreate(Component&) {
    SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    IniFile settings(SettingsFilePath());
    ProjectName = settings.ReadString(kSettingsSection, "ProjectName", "");
    GameTitle = settings.ReadString(kSettingsSection, "GameTitle", "");
    DiskNumber = settings.ReadInteger(kSettingsSection, "DiskNumber", 0);
    Application::Instance().OnIdle = [this] { ApplicationIdle(); };
}

void TFormBackground::OpaquePaintBox1Paint(Component&) {
    Canvas& canvas = OpaquePaintBox1->GetCanvas();
    const int width = ClientWidth();
    const int height = ClientHeight();
    Pen& pen = canvas.GetPen();
    pen.style = PenStyle::psInsideFrame;
    pen.width = height / 64 + 2;
    for (int i = 0; i < 64; ++i) {
        pen.color = RGB(4 * i, 4 * i, 128 + 2 * i);
        const int y = i * height / 63;
        canvas.MoveTo(0, y);
        canvas.LineTo(width, y);
    }
}

void TFormBackground::ApplicationIdle() {
    Application& application = Application::Instance();
    application.OnIdle = nullptr;
    application.OnException = [this](const std::exception& error) { ApplicationException(error); };
    if (!ProjectName.empty() && !GameTitle.empty()) Install();
    Close();
}

void TFormBackground::ApplicationException(const std::exception& error) {
    Application::Instance().ShowException(error);
    Close();
}

void TFormBackground::Install() {
    FormFirstDialog->ProjectName = ProjectName;
    FormFirstDialog->GameTitle = GameTitle;
    if (FormFirstDialog->ShowModal() == mrCancel) return;
}

std::string TFormBackground::GetShortcutName() const {
    return "Qelvar\\" + LoadResString(IDS_SHORTCUT_GAMES_FOLDER) + "\\" + GameTitle + ".lnk";
}

void TFormBackground::CreateShortcut(const std::string& target) {
    const std::string linkPath = helpers::GetProgramsFolder() + GetShortcutName();
    // A failure here shows as the save's error below.
    helpers::CreateFolderPath(pathtext::ExtractFolderPart(linkPath));

    ComPtr<IUnknown> object;
    OleCheck(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                              object.PutVoid()));
    ComPtr<IShellLinkA> link;
    if (FAILED(object.As(IID_IShellLinkA, link))) throw InterfaceError();
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(IID_IPersistFile, file))) throw InterfaceError();
    OleCheck(link->SetPath(target.c_str()));
    OleCheck(file->Save(WideFromAnsi(linkPath).c_str(), TRUE));
    Sleep(kShortcutSettleMs);
}

void TFormBackground::RegisterUninstall(const std::string& installDataPath, const std::string& runtimePath) {
    WriteUninstaller();
    const std::string keyName = kUninstallKeyPrefix + ProjectName;

    IniFile installData(installDataPath);
    installData.WriteString(kInstallDataSection, "Title", GameTitle);
    installData.WriteString(kInstallDataSection, "UninstallKeyName", keyName);
    installData.WriteString(kInstallDataSection, "ShortcutName", GetShortcutName());

    Registry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    // A key that could not be opened makes the first write below fail.
    registry.OpenKey(keyName, true);
    registry.WriteString("DisplayName", "Qelvar - " + GameTitle);
    registry.WriteString("DisplayIcon", runtimePath);
    registry.WriteString("UninstallString", FormatText("%s%s \"%s\"", helpers::GetWindowsFolder().c_str(),
                                                       kUninstallerFileName, installDataPath.c_str()));
}

void TFormBackground::WriteUninstaller() {
    const std::string target = helpers::GetWindowsFolder() + kUninstallerFileName;
    // One uninstaller serves every game, so an older setup program must not
    // replace a newer one. The packed times are compared as signed numbers.
    const std::int32_t programAge = PackedFileAge(ProgramFilePath());
    if (FileExists(target) && programAge <= PackedFileAge(target)) return;

    const std::string_view program = ProgramResource(kUninstallerResource, RT_RCDATA);
    FileStream file(target, FileMode::Create);
    file.WriteBuffer(program.data(), program.size());
    // Equal times keep a later run of this program from writing it again.
    file.SetModificationTime(FileTimeFromPacked(programAge));
}
