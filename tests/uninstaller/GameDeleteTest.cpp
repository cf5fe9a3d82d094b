// gamedelete.exe run as the system's list of installed programs runs it: from
// the Windows folder, with the install-data path in double quotes. The test
// answers its question the way a person would and looks at what is left in
// the file system and the registry of the Wine prefix afterwards.

#include "platform/Handle.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/support/WinePrefix.h"
#include "tests/uninstaller/FileTree.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

namespace {

using namespace testsupport;

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kSentinelKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QelvarTest Sentinel";
constexpr char kVictimKey[] = "Software\\QelvarTests\\Victim";

std::string ProgramsFolder() { return SpecialFolder(CSIDL_PROGRAMS); }
std::string UninstallerPath() { return SpecialFolder(CSIDL_WINDOWS) + "gamedelete.exe"; }

// "C:\users\name\" gives "C:\users\".
std::string ParentOf(const std::string& folder) {
    return folder.substr(0, folder.find_last_of('\\', folder.size() - 2) + 1);
}

// The command line that the setup registers as the uninstall string.
std::string CommandFor(const std::string& installDataPath) {
    return UninstallerPath() + " \"" + installDataPath + "\"";
}

bool KeyExists(const std::string& path) {
    platform::RegistryKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

void MakeKey(const std::string& path) {
    platform::RegistryKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(),
                              nullptr),
              ERROR_SUCCESS)
        << path;
}

// The install-data file as the setup's profile-string writer leaves it.
std::string InstallDataText(const std::string& title, const std::string& keyName, const std::string& shortcutName) {
    return "[Install Data]\r\nTitle=" + title + "\r\nUninstallKeyName=" + keyName + "\r\nShortcutName=" +
           shortcutName + "\r\n";
}

void WriteInstallData(const std::string& path, const std::string& title, const std::string& keyName,
                      const std::string& shortcutName) {
    MakeFile(path, InstallDataText(title, keyName, shortcutName));
}

// One game as the setup leaves it with both options on.
struct Game {
    std::string folder;    // the install folder, ending in a backslash
    std::string title;
    std::string key;       // the uninstall key below HKEY_LOCAL_MACHINE
    std::string shortcut;  // relative to the Programs folder

    Game(const std::string& project, const std::string& gameTitle, std::string installFolder)
        : folder(std::move(installFolder)),
          title(gameTitle),
          key(kUninstall + std::string("Qelvar ") + project),
          shortcut(Narrow(L"Qelvar\\게임\\") + gameTitle + ".lnk") {}

    std::string InstallData() const { return folder + "Qelvar_RT.ind"; }
    std::string ShortcutPath() const { return ProgramsFolder() + shortcut; }

    void Install() const {
        MakeFile(folder + "Qelvar_RT.exe");
        MakeFile(folder + "data\\stage1.dat");
        WriteInstallData(InstallData(), title, key, shortcut);
        MakeKey(key);
        MakeKey(key + "\\Sub1\\Deeper");
        MakeKey(key + "\\Sub2");
        MakeFile(ShortcutPath(), "shortcut");
    }
};


struct Outcome {
    bool ended = false;
    DWORD exitCode = 0;
    bool asked = false;
    SeenWindow seen;
};

// Runs the command line and answers a question box of the new process, if
// one comes, with `answer`.
Outcome RunUninstaller(const std::string& commandLine, int answer, const std::string& currentFolder = "") {
    Outcome outcome;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &created)) {
        ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
        return outcome;
    }
    platform::KernelHandle process(created.hProcess);
    platform::KernelHandle thread(created.hThread);
    {
        WindowAnswerer answerer({"#32770", L"", created.dwProcessId}, ClickButton(answer), 20000);
        outcome.ended = WaitForSingleObject(process.Get(), 30000) == WAIT_OBJECT_0;
        if (!outcome.ended) TerminateProcess(process.Get(), 1);
        // What the box showed is recorded before its button is pressed, so
        // once the process has ended this tells whether it asked; the
        // answerer's own flag may still be on its way.
        outcome.seen = answerer.Seen();
        outcome.asked = outcome.seen.window != nullptr;
    }
    GetExitCodeProcess(process.Get(), &outcome.exitCode);
    return outcome;
}

class GameDeleteTest : public ::testing::Test {
protected:
    // The uninstaller lies in the Windows folder, where the setup writes it.
    static void SetUpTestSuite() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string built = std::string(self, PathFindFileNameA(self)) + "gamedelete.exe";
        ASSERT_TRUE(CopyFileA(built.c_str(), UninstallerPath().c_str(), FALSE)) << built;
    }
    static void TearDownTestSuite() { DeleteFileA(UninstallerPath().c_str()); }

    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    // Takes away what a case made, but the links at the top of the scratch folder.
    void Clean() {
        EmptyFolder(scratch_.Path());
        RemoveTree(ProgramsFolder() + "Qelvar");
        for (const std::string& path : placed_) DeleteFileA(path.c_str());
        placed_.clear();
        for (const Game& game : {Foo(), Bar()}) SHDeleteKeyA(HKEY_LOCAL_MACHINE, game.key.c_str());
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kSentinelKey);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\QelvarTests");
    }

    Game Foo() const {
        return Game("QelvarTestFoo", Narrow(L"용사 퀘스트"), scratch_ / Narrow(L"Games\\용사 퀘스트\\"));
    }
    Game Bar() const { return Game("QelvarTestBar", "Bar Quest", scratch_ / "Games\\Bar Quest\\"); }

    // A file placed outside the scratch folder, deleted afterwards.
    void Place(const std::string& path, const std::string& content = "data") {
        placed_.push_back(path);
        MakeFile(path, content);
    }

    static void ExpectQuestionFor(const Outcome& outcome, const std::wstring& title) {
        EXPECT_TRUE(outcome.ended);
        EXPECT_EQ(outcome.exitCode, 0u);
        ASSERT_TRUE(outcome.asked);
        EXPECT_EQ(outcome.seen.className, "#32770");
        EXPECT_EQ(outcome.seen.caption, L"アンインストールの確認");
        EXPECT_EQ(outcome.seen.text, title + L" をアンインストールしますか？");
        EXPECT_EQ(outcome.seen.buttons, (std::vector<int>{IDYES, IDNO}));
        // Icons belong to the process that loaded them, so which one it is
        // cannot be compared from here; that there is one can.
        EXPECT_NE(outcome.seen.icon, nullptr);
    }

    static void ExpectEndedSilently(const Outcome& outcome) {
        EXPECT_TRUE(outcome.ended);
        EXPECT_EQ(outcome.exitCode, 0u);
        EXPECT_FALSE(outcome.asked) << "asked: " << Narrow(outcome.seen.text);
    }

    static void ExpectInstalled(const Game& game, const std::set<std::string>& content) {
        EXPECT_EQ(ListTree(game.folder), content) << game.folder;
        EXPECT_TRUE(Exists(game.ShortcutPath())) << game.shortcut;
        EXPECT_TRUE(KeyExists(game.key + "\\Sub1\\Deeper")) << game.key;
        EXPECT_TRUE(KeyExists(game.key + "\\Sub2")) << game.key;
    }

    ScratchFolder scratch_{"GameDelete"};
    std::vector<std::string> placed_;
};

const std::set<std::string> kInstalled = {"Qelvar_RT.exe", "Qelvar_RT.ind", "data", "data\\stage1.dat"};

TEST_F(GameDeleteTest, CarriesTheManifestThatAsksForAdministratorRights) {
    platform::ModuleHandle module(LoadLibraryExA(UninstallerPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    HRSRC found = FindResourceA(module.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(module.Get(), found))),
                         SizeofResource(module.Get(), found));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // Windows 10
    EXPECT_NE(manifest.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos);  // Vista
}

TEST_F(GameDeleteTest, YesRemovesTheFolderTheShortcutWithItsFoldersAndTheKey) {
    Game game = Foo();
    game.Install();
    MakeFile(game.folder + "save\\slot1.sav");  // made by the game after installation
    MakeFile(game.folder + "settings.ini");
    MakeFile(scratch_ / "Games\\beside.txt");
    MakeKey(kSentinelKey);

    Outcome outcome = RunUninstaller(CommandFor(game.InstallData()), IDYES);

    ExpectQuestionFor(outcome, L"용사 퀘스트");
    EXPECT_FALSE(Exists(game.folder));
    EXPECT_EQ(ListTree(scratch_ / "Games"), std::set<std::string>{"beside.txt"});
    EXPECT_FALSE(Exists(game.ShortcutPath()));
    EXPECT_FALSE(Exists(ProgramsFolder() + "Qelvar"));
    EXPECT_FALSE(KeyExists(game.key));
    EXPECT_TRUE(KeyExists(kSentinelKey));
    EXPECT_TRUE(Exists(UninstallerPath()));
}

TEST_F(GameDeleteTest, NoRemovesNothing) {
    Game game = Foo();
    game.Install();

    Outcome outcome = RunUninstaller(CommandFor(game.InstallData()), IDNO);

    ExpectQuestionFor(outcome, L"용사 퀘스트");
    ExpectInstalled(game, kInstalled);
}

TEST_F(GameDeleteTest, ADotFolderAndAReadOnlyFileStayWithTheFoldersAboveThem) {
    Game game = Foo();
    game.Install();
    MakeFile(game.folder + "tools\\.git\\config");
    MakeFile(game.folder + "save\\locked.sav");
    SetFileAttributesA((game.folder + "save\\locked.sav").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFile(game.folder + "save\\slot1.sav");

    Outcome outcome = RunUninstaller(CommandFor(game.InstallData()), IDYES);

    ExpectQuestionFor(outcome, L"용사 퀘스트");
    EXPECT_EQ(ListTree(game.folder), (std::set<std::string>{"tools", "tools\\.git", "tools\\.git\\config", "save",
                                                             "save\\locked.sav"}));
    EXPECT_FALSE(Exists(game.ShortcutPath()));
    EXPECT_FALSE(KeyExists(game.key));
}

TEST_F(GameDeleteTest, AnotherGamesShortcutKeepsTheSharedShortcutFolders) {
    Game foo = Foo();
    Game bar = Bar();
    foo.Install();
    bar.Install();

    Outcome outcome = RunUninstaller(CommandFor(bar.InstallData()), IDYES);

    ExpectQuestionFor(outcome, L"Bar Quest");
    EXPECT_FALSE(Exists(bar.folder));
    EXPECT_FALSE(Exists(bar.ShortcutPath()));
    EXPECT_FALSE(KeyExists(bar.key));
    ExpectInstalled(foo, kInstalled);
    EXPECT_EQ(ListTree(ProgramsFolder() + "Qelvar"),
              (std::set<std::string>{Narrow(L"게임"), Narrow(L"게임\\용사 퀘스트.lnk")}));
}

TEST_F(GameDeleteTest, WithoutArgumentInstallDataFileOrTitleItEndsSilently) {
    Game game = Foo();
    const std::string uninstaller = UninstallerPath();
    struct Case {
        const char* what;
        std::string commandLine;
        bool withoutTitle;
    };
    const Case cases[] = {
        {"no argument", uninstaller, false},
        {"only blanks after the program", uninstaller + "   \t", false},
        {"a missing file", CommandFor(game.folder + "Missing.ind"), false},
        {"a file without a title", CommandFor(game.InstallData()), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        game.Install();
        if (c.withoutTitle) WriteInstallData(game.InstallData(), "", game.key, game.shortcut);

        ExpectEndedSilently(RunUninstaller(c.commandLine, IDYES));
        ExpectInstalled(game, kInstalled);
        Clean();
    }
}

TEST_F(GameDeleteTest, AnUninstallKeyNameOutsideTheUninstallKeyDeletesNoKey) {
    Game game = Foo();
    const std::string uninstall = kUninstall;
    const std::string names[] = {
        kVictimKey,
        std::string("\\") + kVictimKey,
        uninstall,
        uninstall.substr(0, uninstall.size() - 1),
        uninstall + "..",
        uninstall + "..\\..\\..\\..\\QelvarTests\\Victim",
        uninstall + "\\QelvarTest Sentinel",
        game.key + "\\Sub1",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        game.Install();
        WriteInstallData(game.InstallData(), game.title, name, game.shortcut);
        MakeKey(std::string(kVictimKey) + "\\Inner");
        MakeKey(kSentinelKey);

        ExpectQuestionFor(RunUninstaller(CommandFor(game.InstallData()), IDYES), L"용사 퀘스트");
        // The rest goes as usual.
        EXPECT_FALSE(Exists(game.folder));
        EXPECT_FALSE(Exists(game.ShortcutPath()));
        EXPECT_TRUE(KeyExists(std::string(kVictimKey) + "\\Inner"));
        EXPECT_TRUE(KeyExists(kSentinelKey));
        EXPECT_TRUE(KeyExists(game.key + "\\Sub1\\Deeper"));
        EXPECT_TRUE(KeyExists(game.key + "\\Sub2"));
        Clean();
    }
}

TEST_F(GameDeleteTest, AShortcutNameOutsideTheProgramsFolderTouchesNoFileOrFolder) {
    Game game = Foo();
    const std::string programs = ProgramsFolder();
    const std::string outside = scratch_ / "Outside\\victim.lnk";
    const std::string names[] = {
        outside,
        outside.substr(2),                        // without the drive
        outside.substr(0, 2) + outside.substr(3),  // relative to the drive's current folder
        "\\\\localhost\\C$" + outside.substr(2),
        "..\\victim.lnk",                         // in the Start menu itself
        "Qelvar\\..\\..\\victim.lnk",
        "Qelvar/../../victim.lnk",
        Narrow(L"Qelvar\\게임\\..\\victim.lnk"),
        "Qelvar\\victim.txt",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        game.Install();
        DeleteFileA(game.ShortcutPath().c_str());  // leaves Qelvar\게임 empty
        WriteInstallData(game.InstallData(), game.title, game.key, name);
        MakeFile(outside);
        Place(SpecialFolder(CSIDL_STARTMENU) + "victim.lnk");
        MakeFile(programs + "Qelvar\\victim.lnk");
        MakeFile(programs + "Qelvar\\victim.txt");

        ExpectQuestionFor(RunUninstaller(CommandFor(game.InstallData()), IDYES), L"용사 퀘스트");
        EXPECT_FALSE(Exists(game.folder));
        EXPECT_FALSE(KeyExists(game.key));
        EXPECT_TRUE(Exists(outside));
        EXPECT_TRUE(Exists(SpecialFolder(CSIDL_STARTMENU) + "victim.lnk"));
        EXPECT_EQ(ListTree(programs + "Qelvar"),
                  (std::set<std::string>{Narrow(L"게임"), "victim.lnk", "victim.txt"}));
        Clean();
    }
}

TEST_F(GameDeleteTest, AnArgumentThatNamesNoGameFolderRemovesNothing) {
    Game game = Foo();
    MakeFolders(scratch_ / "Drive");
    MappedDrive drive('u', scratch_ / "Drive", DRIVE_FIXED);
    // A link as the game folder, to a folder that stays while the link does.
    ScratchFolder realGame("GameDeleteReal");
    UnixLink gameLink(UnixPath(realGame.Path()), scratch_ / "GameLink");
    const std::string root = drive.Root();
    const std::string work = root + "work\\";
    const std::string windows = SpecialFolder(CSIDL_WINDOWS);
    const std::string system = SpecialFolder(CSIDL_SYSTEM);
    const std::string profile = SpecialFolder(CSIDL_PROFILE);
    const std::string programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
    char shortProgramFiles[MAX_PATH] = {};
    GetShortPathNameA(programFiles.c_str(), shortProgramFiles, MAX_PATH);
    struct Case {
        std::string argument;
        std::string fileRead;       // where the uninstaller finds the install-data file
        std::string currentFolder;  // of the uninstaller
    };
    const Case cases[] = {
        {"Qelvar_RT.ind", windows + "Qelvar_RT.ind", work},  // a bare name is looked for in the Windows folder
        {"U:Qelvar_RT.ind", windows + "Qelvar_RT.ind", work},
        {"Game\\Qelvar_RT.ind", work + "Game\\Qelvar_RT.ind", work},
        {root + "Qelvar_RT.ind", root + "Qelvar_RT.ind", ""},
        {work + "..\\Qelvar_RT.ind", root + "Qelvar_RT.ind", ""},
        {windows + "Qelvar_RT.ind", windows + "Qelvar_RT.ind", ""},
        {system + "..\\Qelvar_RT.ind", windows + "Qelvar_RT.ind", ""},
        {system + "Qelvar_RT.ind", system + "Qelvar_RT.ind", ""},
        {ProgramsFolder() + "Qelvar_RT.ind", ProgramsFolder() + "Qelvar_RT.ind", ""},
        {profile + "Qelvar_RT.ind", profile + "Qelvar_RT.ind", ""},
        {ParentOf(profile) + "Qelvar_RT.ind", ParentOf(profile) + "Qelvar_RT.ind", ""},
        {programFiles + "Qelvar_RT.ind", programFiles + "Qelvar_RT.ind", ""},
        {std::string(shortProgramFiles) + "Qelvar_RT.ind", programFiles + "Qelvar_RT.ind", ""},
        {scratch_ / "GameLink\\Qelvar_RT.ind", realGame / "Qelvar_RT.ind", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        game.Install();
        MakeFolders(scratch_ / "Drive");
        MakeFile(work + "Game\\keep.txt");
        MakeFile(root + "keep.txt");
        MakeFile(realGame / "keep.txt");
        Place(c.fileRead, InstallDataText(game.title, game.key, game.shortcut));

        ExpectEndedSilently(RunUninstaller(CommandFor(c.argument), IDYES, c.currentFolder));
        EXPECT_TRUE(Exists(c.fileRead));
        EXPECT_TRUE(Exists(work + "Game\\keep.txt"));
        EXPECT_TRUE(Exists(root + "keep.txt"));
        EXPECT_TRUE(Exists(realGame / "keep.txt"));
        ExpectInstalled(game, kInstalled);
        Clean();
    }
}

TEST_F(GameDeleteTest, ALinkInsideTheGameFolderLeavesTheFolderItLeadsToIntact) {
    Game game("QelvarTestFoo", "Linked Quest", scratch_ / "Game\\");
    MakeFile(scratch_ / "Outside\\outside.txt");
    MakeFile(scratch_ / "Outside\\deeper\\inner.txt");
    MakeFolders(scratch_ / "OutsideEmpty");
    MakeFolders(game.folder);
    UnixLink linked(UnixPath(scratch_ / "Outside"), game.folder + "Linked");
    UnixLink emptyLinked(UnixPath(scratch_ / "OutsideEmpty"), game.folder + "EmptyLinked");
    for (const char* link : {"Linked", "EmptyLinked"})
        ASSERT_TRUE(GetFileAttributesA((game.folder + link).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << link;
    game.Install();

    ExpectQuestionFor(RunUninstaller(CommandFor(game.InstallData()), IDYES), L"Linked Quest");

    EXPECT_EQ(ListTree(scratch_ / "Outside"), (std::set<std::string>{"outside.txt", "deeper", "deeper\\inner.txt"}));
    EXPECT_TRUE(Exists(scratch_ / "OutsideEmpty"));
    EXPECT_EQ(ListTree(game.folder), (std::set<std::string>{"Linked", "EmptyLinked"}));
    EXPECT_FALSE(Exists(game.ShortcutPath()));
    EXPECT_FALSE(KeyExists(game.key));
}

}  // namespace
