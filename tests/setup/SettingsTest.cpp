// The settings file: the program started as a process beside it, and the
// background form's reading of it.
#include "platform/Application.h"
#include "setup/SetupMain.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace testsupport;

struct ProcessEnd {
    bool ended = false;
    DWORD exitCode = 1;
    bool hadWindow = false;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<std::pair<DWORD, bool>*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->first) search->second = true;
    return TRUE;
}

// Runs setup.exe from `folder` and watches it for any window until it ends.
ProcessEnd RunFrom(const std::string& folder, DWORD timeoutMs, const WindowAnswerer::Action& answer = {}) {
    std::string program = folder + "\\setup.exe";
    const std::string built = BuiltFile(QELVAR_SETUP_EXE);
    EXPECT_TRUE(CopyFileA(built.c_str(), program.c_str(), FALSE)) << built;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    ProcessEnd end;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program;
        return end;
    }
    std::unique_ptr<WindowAnswerer> answerer;
    if (answer)
        answerer = std::make_unique<WindowAnswerer>(WindowMatch{"TFormFirstDialog", L"설치", process.dwProcessId}, answer);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        std::pair<DWORD, bool> search{process.dwProcessId, false};
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        end.hadWindow = end.hadWindow || search.second;
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0) {
            end.ended = true;
            GetExitCodeProcess(process.hProcess, &end.exitCode);
            break;
        }
    }
    if (!end.ended) TerminateProcess(process.hProcess, 1);
    if (answerer) answerer->Wait();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return end;
}

TEST(SetupProgram, EndsAtOnceWithoutAWindowUnlessBothNamesAreSet) {
    struct Case {
        const char* what;
        const char* settings;  // null: no settings file
    } cases[] = {
        {"no settings file", nullptr},
        {"no section Setup", "[Other]\r\nProjectName=GAME\r\nGameTitle=Game\r\n"},
        {"GameTitle missing", "[Setup]\r\nProjectName=GAME\r\n"},
        {"ProjectName missing", "[Setup]\r\nGameTitle=Game\r\n"},
        {"GameTitle empty", "[Setup]\r\nProjectName=GAME\r\nGameTitle=\r\n"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder("SetupSettings");
        if (c.settings) WriteFileBytes(folder / "setup.ini", c.settings);
        ProcessEnd end = RunFrom(folder.Path(), 10000);
        EXPECT_TRUE(end.ended) << c.what;
        EXPECT_EQ(end.exitCode, 0u) << c.what;
        EXPECT_FALSE(end.hadWindow) << c.what;
    }
}

TEST(SetupProgram, WithBothNamesShowsTheStartDialogAndEndsWithZeroWhenItIsCancelled) {
    ScratchFolder folder("SetupSettings");
    WriteFileBytes(folder / "setup.ini", "[Setup]\r\nProjectName=GAME\r\nGameTitle=" + Narrow(L"게임") + "\r\n");
    ProcessEnd end = RunFrom(folder.Path(), 20000, PressKey(VK_ESCAPE));
    EXPECT_TRUE(end.ended);
    EXPECT_TRUE(end.hadWindow);
    EXPECT_EQ(end.exitCode, 0u);
}

class BackgroundFormTest : public ::testing::Test {
protected:
    void SetUp() override { platform::Application::Instance().Initialize(); }
    void TearDown() override {
        platform::Application::Instance().Shutdown();
        DeleteFileA(SettingsFilePath().c_str());
    }
};

TEST_F(BackgroundFormTest, CarriesTheShellFileOperationWithNoOptions) {
    auto& form = platform::Application::Instance().CreateForm<TFormBackground>();
    auto& operation = form.Find<controls::TFileOperation>("FileOperation");
    EXPECT_EQ(&operation, form.FileOperation);
    EXPECT_EQ(operation.Owner(), &form);
    EXPECT_EQ(operation.Options(), controls::TFileOperationOptions{});
}

TEST_F(BackgroundFormTest, SettingsFileIsTheProgramPathWithTheExtensionIni) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string expected(program);
    expected.replace(expected.size() - 3, 3, "ini");  // ...\setup_tests.exe
    EXPECT_EQ(SettingsFilePath(), expected);
}

TEST_F(BackgroundFormTest, FormCreateCoversTheScreenAndReadsAllThreeKeys) {
    struct Case {
        const char* diskNumber;  // null: key missing
        std::int32_t expected;
    } cases[] = {
        {nullptr, 0}, {"3", 3}, {"0x3", 3}, {"0X1f", 31}, {"-2", -2}, {"abc", 0}, {"3abc", 0},
        {"", 0}, {"2147483647", 2147483647}, {"2147483648", 0}, {"0xFFFFFFFF", -1},
    };
    for (const Case& c : cases) {
        std::string settings = "[Setup]\r\nProjectName=GAME\r\nGameTitle=" + Narrow(L"큰 게임") + "\r\n";
        if (c.diskNumber) settings += std::string("DiskNumber=") + c.diskNumber + "\r\n";
        WriteFileBytes(SettingsFilePath(), settings);
        auto& form = platform::Application::Instance().CreateForm<TFormBackground>();
        EXPECT_EQ(form.ProjectName, "GAME");
        EXPECT_EQ(form.GameTitle, Narrow(L"큰 게임"));
        EXPECT_EQ(form.DiskNumber, c.expected) << (c.diskNumber ? c.diskNumber : "missing");
        EXPECT_EQ(form.Left(), 0);
        EXPECT_EQ(form.Top(), 0);
        EXPECT_EQ(form.Width(), GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(form.Height(), GetSystemMetrics(SM_CYSCREEN));
        EXPECT_TRUE(static_cast<bool>(platform::Application::Instance().OnIdle));
        platform::Application::Instance().Shutdown();
    }
}

}  // namespace
