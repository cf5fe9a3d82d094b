// UNLHA32.DLL loaded by name as the setup loads it: the setup's command on
// archives of every header level and method made by jlha, the result codes,
// hostile names, the progress window and the output buffer.

#include "tests/unlha32/UnlhaLibrary.h"

#include "tests/lha/Craft.h"
#include "tests/support/WinePrefix.h"
#include "unlha32/ResourceIds.h"
#include "unlha32/ResultCode.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace unlhatest;
using testsupport::ScratchFolder;
using Tree = std::map<std::string, std::string>;

// Relative path -> content of everything below `folder`; folders end in "\".
void Collect(const std::string& folder, const std::string& prefix, Tree& tree) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[prefix + name + "\\"] = "";
            Collect(folder + "\\" + name, prefix + name + "\\", tree);
        } else {
            tree[prefix + name] = testsupport::ReadFileBytes(folder + "\\" + name);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

Tree Snapshot(const std::string& folder) {
    Tree tree;
    Collect(folder, "", tree);
    return tree;
}

uint64_t LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The setup's command line: x -+ "archive" "folder\".
std::string SetupCommand(const std::string& archive, const std::string& folder) {
    return "x -+ " + Quoted(archive) + " " + Quoted(folder + "\\");
}

class OwnerWindow {
public:
    OwnerWindow()
        : window_(CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr)) {}
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

class Unlha : public testing::Test {
protected:
    UnlhaLibrary library;
};

TEST_F(Unlha, LoadsByNameAndExportsUnlhaUndecorated) {
    EXPECT_NE(library.Module(), nullptr);
    EXPECT_EQ(GetProcAddress(library.Module(), "_Unlha@16"), nullptr);
}

class SetupCall : public testing::TestWithParam<std::string> {
protected:
    UnlhaLibrary library;
};

TEST_P(SetupCall, ExtractsEveryMemberIntoANewNestedFolder) {
    ScratchFolder scratch("unlha-setup");
    std::string folder = scratch / "Games\\Foo";
    OwnerWindow owner;
    std::string archive = FullPath("fixtures\\" + GetParam());
    ASSERT_EQ(library.Call(SetupCommand(archive, folder), owner.Get()), 0);
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));

    Tree expected = Snapshot(FullPath("fixtures\\tree"));
    ASSERT_EQ(Snapshot(folder), expected);
    for (const char* file : {"readme.txt", "game\\big.txt", "game\\data\\window64k.bin"}) {
        uint64_t ours = LastWrite(folder + "\\" + file), source = LastWrite(FullPath("fixtures\\tree\\") + file);
        EXPECT_LE(ours > source ? ours - source : source - ours, 20000000u) << file;  // DOS times have 2 s steps
    }
    // Extracting again overwrites what is there.
    EXPECT_EQ(library.Call(SetupCommand(archive, folder)), 0);
    EXPECT_EQ(Snapshot(folder), expected);
}

INSTANTIATE_TEST_SUITE_P(LevelsAndMethods, SetupCall,
                         testing::Values("l05.lzh", "l0z.lzh", "l16.lzh", "l1z.lzh", "l25.lzh", "l27.lzh"),
                         [](const auto& info) { return info.param.substr(0, 3); });

TEST_F(Unlha, OverwritesReadOnlyFilesAndLeavesThemWritable) {
    ScratchFolder scratch("unlha-readonly");
    std::string archive = scratch / "a.lzh";
    craft::Member member = craft::Stored("file.txt", "new content");
    member.attributes = 0x21;  // stored with the read-only attribute
    WriteArchive(archive, craft::Archive({craft::Level0(member)}));
    CreateDirectoryA((scratch / "out").c_str(), nullptr);
    testsupport::WriteFileBytes(scratch / "out\\file.txt", "old");
    SetFileAttributesA((scratch / "out\\file.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    ASSERT_EQ(library.Call("x " + archive + " " + scratch / "out"), 0);  // unquoted, no final backslash
    EXPECT_EQ(testsupport::ReadFileBytes(scratch / "out\\file.txt"), "new content");
    EXPECT_FALSE(GetFileAttributesA((scratch / "out\\file.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(Unlha, NamesInTheKoreanCodePageAndBothSeparators) {
    ScratchFolder scratch("unlha-korean");
    std::string archive = scratch / "k.lzh";
    const std::string game = "\xB0\xD4\xC0\xD3";      // 게임 in code page 949
    const std::string data = "\xC0\xDA\xB7\xE1.txt";  // 자료.txt
    WriteArchive(archive, craft::Archive({craft::Level0(craft::Stored(game + "\\" + data, "korean")),
                                          craft::Level0(craft::Stored("unix/style/name.txt", "unix"))}));
    ASSERT_EQ(library.Call("x " + Quoted(archive) + " " + Quoted(scratch / "out\\")), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(scratch / ("out\\" + game + "\\" + data)), "korean");
    EXPECT_EQ(testsupport::ReadFileBytes(scratch / "out\\unix\\style\\name.txt"), "unix");
}

struct Hostile {
    const char* what;
    craft::Bytes member;
};

TEST_F(Unlha, AHostileNameExtractsNothingAtAll) {
    craft::Member link = craft::Stored("link", "");
    link.unixMode = 0xA1FF;
    craft::Member climbing = craft::Stored("evil.txt", "evil");
    climbing.directory = "..\xff";
    const std::vector<Hostile> cases = {
        {"parent step", craft::Level0(craft::Stored("..\\evil.txt", "evil"))},
        {"nested parent steps", craft::Level0(craft::Stored("a\\..\\..\\evil.txt", "evil"))},
        {"slash parent step", craft::Level0(craft::Stored("../evil.txt", "evil"))},
        {"absolute path", craft::Level0(craft::Stored("\\evil.txt", "evil"))},
        {"drive", craft::Level0(craft::Stored("C:\\evil.txt", "evil"))},
        {"drive-relative", craft::Level0(craft::Stored("C:evil.txt", "evil"))},
        {"server", craft::Level0(craft::Stored("\\\\server\\share\\evil.txt", "evil"))},
        {"device", craft::Level0(craft::Stored("CON", "evil"))},
        {"level 2 directory climbing out", craft::Level2(climbing)},
        {"symbolic link", craft::Level2(link)},
    };
    for (const Hostile& c : cases) {
        ScratchFolder scratch("unlha-hostile");
        std::string archive = scratch / "h.lzh";
        WriteArchive(archive, craft::Archive({craft::Level0(craft::Stored("good.txt", "good")), c.member}));
        std::string message;
        EXPECT_EQ(library.Call(SetupCommand(archive, scratch / "in\\deep"), nullptr, &message), unlha32::kUnsafeName)
            << c.what;
        EXPECT_EQ(message.rfind(library.Text(IDS_RESULT_BASE + unlha32::kUnsafeName), 0), 0u) << c.what;
        EXPECT_FALSE(Exists(scratch / "in")) << c.what;
        EXPECT_FALSE(Exists(scratch / "evil.txt")) << c.what;
        EXPECT_FALSE(Exists("C:\\evil.txt")) << c.what;
    }
}

struct Failing {
    const char* what;
    std::string command;
    int code;
    const char* inMessage;
};

TEST_F(Unlha, ReturnsTheDocumentedCodeWithAMessageNamingTheProblem) {
    ScratchFolder scratch("unlha-codes");
    std::string big = FullPath("fixtures\\l27.lzh");
    std::string whole = testsupport::ReadFileBytes(big);

    craft::Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(whole.size() / 2));
    WriteArchive(scratch / "cut.lzh", cut);
    craft::Member wrong = craft::Stored("wrong.txt", "content");
    wrong.crc ^= 0x0101;
    WriteArchive(scratch / "crc.lzh", craft::Archive({craft::Level0(craft::Stored("fine.txt", "fine")), craft::Level0(wrong)}));
    testsupport::WriteFileBytes(scratch / "text.lzh", "This is a text file, not an archive.\r\n");
    craft::Member other = craft::Stored("old.dat", "data");
    other.method = "-lzs-";
    WriteArchive(scratch / "method.lzh", craft::Archive({craft::Level0(other)}));
    testsupport::WriteFileBytes(scratch / "a-file", "in the way");

    const std::string out = Quoted(scratch / "out\\");
    const std::vector<Failing> cases = {
        {"missing archive", "x " + Quoted(scratch / "none.lzh") + " " + out, unlha32::kCannotOpenArchive, "none.lzh"},
        {"not an archive", "x " + Quoted(scratch / "text.lzh") + " " + out, unlha32::kNotAnArchive, "no LHA header"},
        {"truncated archive", "x " + Quoted(scratch / "cut.lzh") + " " + out, unlha32::kDamagedArchive, ""},
        {"CRC error", "x " + Quoted(scratch / "crc.lzh") + " " + out, unlha32::kCrcError, "wrong.txt: CRC error"},
        {"unsupported method", "x " + Quoted(scratch / "method.lzh") + " " + out, unlha32::kUnsupportedMethod, "-lzs-"},
        {"folder blocked by a file", "x " + Quoted(big) + " " + Quoted(scratch / "a-file\\sub\\"), unlha32::kCannotWrite,
         "a-file"},
        {"unknown command", "q " + Quoted(big), unlha32::kBadCommand, "\"q\""},
        {"unknown option", "x -z " + Quoted(big), unlha32::kBadCommand, "-z"},
        {"no archive", "x -+", unlha32::kBadCommand, "no archive"},
        {"too many names", "x a b c", unlha32::kBadCommand, "\"c\""},
        {"empty command line", "", unlha32::kBadCommand, "no command"},
    };
    for (const Failing& c : cases) {
        std::string message;
        EXPECT_EQ(library.Call(c.command, nullptr, &message), c.code) << c.what << ": " << message;
        EXPECT_EQ(message.rfind(library.Text(IDS_RESULT_BASE + c.code), 0), 0u) << c.what << ": " << message;
        EXPECT_NE(message.find(c.inMessage), std::string::npos) << c.what << ": " << message;
    }
    // The damaged file is removed; the one before it stays.
    EXPECT_EQ(testsupport::ReadFileBytes(scratch / "out\\fine.txt"), "fine");
    EXPECT_FALSE(Exists(scratch / "out\\wrong.txt"));
    EXPECT_EQ(library.Entry()(nullptr, nullptr, nullptr, 0), unlha32::kBadCommand);
}

TEST_F(Unlha, OutputBufferHoldsAtMostItsSizeWithATerminatingNul) {
    std::string archive = FullPath("fixtures\\l25.lzh");
    char buffer[64];
    for (DWORD size : {1u, 2u, 9u, 10u, 33u}) {
        memset(buffer, 0x7F, sizeof buffer);
        EXPECT_EQ(library.Entry()(nullptr, ("l " + Quoted(archive)).c_str(), buffer, size), 0);
        size_t length = strlen(buffer);
        EXPECT_LT(length, size);
        EXPECT_EQ(buffer[size], 0x7F) << size;  // nothing written beyond the size
        EXPECT_EQ(static_cast<unsigned char>(buffer[sizeof buffer - 1]), 0x7F);
    }
    // A size of 0 leaves the buffer alone.
    memset(buffer, 0x7F, sizeof buffer);
    EXPECT_EQ(library.Entry()(nullptr, ("l " + Quoted(archive)).c_str(), buffer, 0), 0);
    EXPECT_EQ(buffer[0], 0x7F);

    // A Korean message is never cut inside a character.
    std::string korean = library.Text(IDS_RESULT_BASE + unlha32::kBadCommand);
    ASSERT_GE(korean.size(), 4u);
    memset(buffer, 0x7F, sizeof buffer);
    EXPECT_EQ(library.Entry()(nullptr, "?", buffer, 4), unlha32::kBadCommand);
    EXPECT_EQ(std::string(buffer), korean.substr(0, 2));
}

TEST_F(Unlha, ListsAndTests) {
    std::string archive = FullPath("fixtures\\l27.lzh");
    std::string message;
    ASSERT_EQ(library.Call("l " + Quoted(archive), nullptr, &message), 0);
    EXPECT_NE(message.find("-lh7- "), std::string::npos);
    EXPECT_NE(message.find("game\\data\\window64k.bin\r\n"), std::string::npos) << message;
    ASSERT_EQ(library.Call("t " + Quoted(archive), nullptr, &message), 0);
    EXPECT_NE(message.find("10"), std::string::npos) << message;  // ten files
}

// The progress window: a real dialog owned by the caller's window, answered
// through a hook as a person would click its cancel button.
HWND g_progress = nullptr;
HWND g_progressOwner = nullptr;
bool g_hasBar = false;

LRESULT CALLBACK CancelOnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !g_progress) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[64] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770") {
            g_progress = window;
            g_progressOwner = GetWindow(window, GW_OWNER);
            g_hasBar = FindWindowExA(window, nullptr, "msctls_progress32", nullptr) != nullptr;
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Unlha, CancelInTheProgressWindowStopsWithNothingWritten) {
    ScratchFolder scratch("unlha-cancel");
    OwnerWindow owner;
    HHOOK hook = SetWindowsHookExA(WH_CBT, CancelOnActivate, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    std::string message;
    int result = library.Call(SetupCommand(FullPath("fixtures\\l27.lzh"), scratch / "out"), owner.Get(), &message);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(result, unlha32::kCancelled) << message;
    EXPECT_EQ(message, library.Text(IDS_RESULT_BASE + unlha32::kCancelled));
    ASSERT_NE(g_progress, nullptr);
    EXPECT_EQ(g_progressOwner, owner.Get());
    EXPECT_TRUE(g_hasBar);
    EXPECT_FALSE(IsWindow(g_progress));
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));
    EXPECT_FALSE(Exists(scratch / "out\\readme.txt"));

    // -n: no progress window, so nothing to cancel.
    g_progress = nullptr;
    hook = SetWindowsHookExA(WH_CBT, CancelOnActivate, nullptr, GetCurrentThreadId());
    result = library.Call("x -n " + Quoted(FullPath("fixtures\\l27.lzh")) + " " + Quoted(scratch / "out"), owner.Get());
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_progress, nullptr);
}

}  // namespace
