#include "helpers/HelperUtils.h"
#include "platform/Error.h"
#include "tests/support/WinePrefix.h"

#include <shlwapi.h>

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

using namespace helpers;
using testsupport::ScratchFolder;

TEST(AddTrailingDelimiter, AppendsABackslashUnlessTheLastCharacterIsOne) {
    ASSERT_EQ(GetACP(), 949u);
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"", "\\"},
        {"C:", "C:\\"},
        {"C:\\", "C:\\"},
        {"C:\\GAME", "C:\\GAME\\"},
        {"C:\\GAME/", "C:\\GAME/\\"},
        {"C:\\GAME\\\\", "C:\\GAME\\\\"},
        {"C:\\\xB0\xD4\xC0\xD3", "C:\\\xB0\xD4\xC0\xD3\\"},  // 게임
    };
    for (const Case& c : cases) EXPECT_EQ(AddTrailingDelimiter(c.path), c.expected) << c.path;
}

TEST(SystemFolders, AreTheSystemsAnswersInFolderForm) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(GetWindowsFolder(), std::string(windows) + "\\");

    std::string temp = GetTempFolder();
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(FolderExists(temp));

    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string setup = GetSetupFolder();
    ASSERT_EQ(setup.back(), '\\');
    EXPECT_EQ(setup + "helpers_tests.exe", program);
    // Set when the test below runs this program from a drive root.
    if (const char* expected = std::getenv("QELVAR_EXPECTED_SETUP_FOLDER")) {
        EXPECT_EQ(setup, expected);
    }
}

TEST(SystemFolders, AProgramAtADriveRootIsInTheRoot) {
    if (std::getenv("QELVAR_EXPECTED_SETUP_FOLDER")) GTEST_SKIP() << "running from the drive root";
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program, std::strrchr(program, '\\'));
    testsupport::MappedDrive drive('x', folder, DRIVE_REMOVABLE);

    SetEnvironmentVariableA("QELVAR_EXPECTED_SETUP_FOLDER", "X:\\");
    std::string command = "X:\\helpers_tests.exe --gtest_filter=SystemFolders.AreTheSystemsAnswersInFolderForm";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, "X:\\", &startup,
                                  &child);
    SetEnvironmentVariableA("QELVAR_EXPECTED_SETUP_FOLDER", nullptr);
    ASSERT_TRUE(started);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_EQ(exitCode, 0u);
}

TEST(FolderExists, HoldsForFoldersOnly) {
    ScratchFolder scratch("FolderExists");
    testsupport::WriteFileBytes(scratch / "file.txt", "x");
    EXPECT_TRUE(FolderExists(scratch.Path()));
    EXPECT_TRUE(FolderExists(scratch.Path() + "\\"));
    EXPECT_TRUE(FolderExists("C:\\"));
    EXPECT_FALSE(FolderExists(scratch / "file.txt"));
    EXPECT_FALSE(FolderExists(scratch / "missing"));
    EXPECT_FALSE(FolderExists(""));
}

TEST(CreateFolderPath, CreatesTheMissingLevelsOutermostFirst) {
    ScratchFolder scratch("CreateFolderPath");
    EXPECT_TRUE(CreateFolderPath(scratch / "A\\B\\C\\"));
    EXPECT_TRUE(FolderExists(scratch / "A\\B\\C"));
    // Again, with every level there already.
    EXPECT_TRUE(CreateFolderPath(scratch / "A\\B\\C"));
}

TEST(CreateFolderPath, StopsAtTheFirstLevelThatCannotBeMadeKeepingTheOuterOnes) {
    ScratchFolder scratch("CreateFolderPathBlocked");
    ASSERT_TRUE(CreateDirectoryA((scratch / "A").c_str(), nullptr));
    testsupport::WriteFileBytes(scratch / "A\\B", "a file where a folder should go");
    EXPECT_FALSE(CreateFolderPath(scratch / "A\\B\\C\\D"));
    EXPECT_TRUE(FolderExists(scratch / "A"));
    EXPECT_FALSE(FolderExists(scratch / "A\\B\\C"));
}

TEST(CreateFolderPath, BareDrivesSucceedWithoutTouchingTheDisk) {
    // Q: is not mapped, so any attempt to create or test it would fail.
    ASSERT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    for (const char* path : {"C:", "C:\\", "Q:", "Q:\\"}) EXPECT_TRUE(CreateFolderPath(path)) << path;
}

TEST(CreateFolderPath, AnEmptyPathRaises) {
    try {
        CreateFolderPath("");
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        // 디렉토리를 작성할 수 없습니다
        EXPECT_EQ(error.Message(), "\xB5\xF0\xB7\xBA\xC5\xE4\xB8\xAE\xB8\xA6 \xC0\xDB\xBC\xBA\xC7\xD2 \xBC\xF6 "
                                   "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9");
    }
}

// Runs the body with HKEY_LOCAL_MACHINE redirected to an empty scratch key of
// the current user, so the real machine keys stay untouched whatever happens.
class ProgramFilesFolder : public ::testing::Test {
protected:
    static constexpr char kScratch[] = "Software\\QelvarTests\\Machine";

    void SetUp() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &machine_,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegCloseKey(machine_);
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
    }

    void Store(DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "ProgramFilesDir", 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    void StoreString(DWORD type, const std::string& text) {
        Store(type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    HKEY machine_ = nullptr;
};

TEST(ProgramFilesFolderReal, IsTheMachinesValueInFolderForm) {
    EXPECT_STRCASEEQ(GetProgramFilesFolder().c_str(), "C:\\Program Files\\");
}

TEST_F(ProgramFilesFolder, MissingKeyOrValueGivesALoneBackslash) {
    EXPECT_EQ(GetProgramFilesFolder(), "\\");
    StoreString(REG_SZ, "");
    EXPECT_EQ(GetProgramFilesFolder(), "\\");
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    EXPECT_EQ(GetProgramFilesFolder(), "\\");
}

TEST_F(ProgramFilesFolder, StringValuesAreTakenAsStored) {
    StoreString(REG_EXPAND_SZ, "%SystemDrive%\\Apps");
    EXPECT_EQ(GetProgramFilesFolder(), "%SystemDrive%\\Apps\\");
    StoreString(REG_SZ, "D:\\Programme\\");
    EXPECT_EQ(GetProgramFilesFolder(), "D:\\Programme\\");
}

TEST_F(ProgramFilesFolder, AValueOfAnotherTypeRaisesNamingIt) {
    DWORD number = 1;
    Store(REG_DWORD, &number, sizeof number);
    try {
        GetProgramFilesFolder();
        FAIL() << "no error";
    } catch (const platform::RegistryError& error) {
        // '%s' 의 데이터 형이 부정합니다
        EXPECT_EQ(error.Message(), "'ProgramFilesDir' \xC0\xC7 \xB5\xA5\xC0\xCC\xC5\xCD \xC7\xFC\xC0\xCC "
                                   "\xBA\xCE\xC1\xA4\xC7\xD5\xB4\xCF\xB4\xD9");
    }
}

}  // namespace
