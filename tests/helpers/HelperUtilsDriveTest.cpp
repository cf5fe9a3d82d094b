#include "helpers/HelperUtils.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/support/WinePrefix.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace helpers;
using testsupport::MappedDrive;
using testsupport::ScratchFolder;

TEST(IsAsciiLetter, AcceptsOnlyTheLatinLetters) {
    for (char c : {'A', 'Z', 'a', 'z', 'M', 'q'}) EXPECT_TRUE(IsAsciiLetter(c)) << c;
    // 가 is 0xB0 0xA1 in code page 949.
    for (char c : {'@', '[', '`', '{', '0', '9', ':', '\\', '\xB0', '\xA1', '\x80', '\xFF', '\0'})
        EXPECT_FALSE(IsAsciiLetter(c)) << int(static_cast<unsigned char>(c));
}

TEST(DriveRoot, IsTheDrivePartWithOneBackslash) {
    struct Case {
        const char* path;
        const char* drive;
    } cases[] = {
        {"C:\\GAME", "C:"},
        {"a:", "a:"},
        {"\\\\server\\share\\games\\x", "\\\\server\\share"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"\\\\server", "\\\\server"},
        {"GAME\\x", ""},
        {"\\GAME", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DrivePart(c.path), c.drive) << c.path;
        EXPECT_EQ(DriveRoot(c.path), std::string(c.drive) + "\\") << c.path;
    }
}

// The process error mode, read without changing it.
UINT CurrentErrorMode() {
    UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    return mode;
}

TEST(IsDriveReady, ADriveWhoseFolderIsGoneIsNotReadyAndNoBoxAppears) {
    ScratchFolder scratch("DriveReady");
    std::string medium = scratch / "medium";
    ASSERT_TRUE(CreateDirectoryA(medium.c_str(), nullptr));
    MappedDrive drive('r', medium, DRIVE_REMOVABLE);
    EXPECT_TRUE(IsDriveReady("R:\\GAME.001"));

    ASSERT_TRUE(RemoveDirectoryA(medium.c_str()));
    UINT before = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    {
        // Any window of ours that shows up while the drive is asked would be
        // a system prompt.
        testsupport::WindowAnswerer prompt({"", L""}, testsupport::CloseWindow(), 1500);
        EXPECT_FALSE(IsDriveReady("R:\\GAME.001"));
        EXPECT_FALSE(prompt.Wait());
    }
    EXPECT_EQ(CurrentErrorMode(), static_cast<UINT>(SEM_NOOPENFILEERRORBOX));
    SetErrorMode(before);
}

TEST(IsDriveReady, TestsTheRootOfTheDrive) {
    ScratchFolder scratch("DriveReadyRoot");
    EXPECT_TRUE(IsDriveReady(scratch / "no\\such\\folder\\file"));
    EXPECT_TRUE(IsDriveReady("C:"));
    EXPECT_FALSE(IsDriveReady("Q:\\GAME"));

    // A relative path stands for the current drive's root.
    std::optional<MappedDrive> drive;
    drive.emplace('s', scratch.Path(), DRIVE_FIXED);
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA("S:\\"));
    EXPECT_TRUE(IsDriveReady("GAME\\x"));
    drive.reset();
    EXPECT_FALSE(IsDriveReady("GAME\\x"));
    SetCurrentDirectoryA(previous);
}

TEST(IsFloppyDrive, NeedsARemovableDriveNamedFloppyOrFDAfterItsFirstCharacter) {
    // Wine names a drive root "<label> (A:)".
    struct Case {
        const char* label;
        UINT type;
        bool floppy;
    } cases[] = {
        {"3.5 Floppy", DRIVE_REMOVABLE, true},  {"A Floppy", DRIVE_REMOVABLE, true},
        {"USB FD", DRIVE_REMOVABLE, true},      {"XFD", DRIVE_REMOVABLE, true},
        {"FD Floppy", DRIVE_REMOVABLE, true},   {"Floppy", DRIVE_REMOVABLE, false},
        {"FD", DRIVE_REMOVABLE, false},         {"FD-FD", DRIVE_REMOVABLE, false},
        {"floppy fd", DRIVE_REMOVABLE, false},  {"STICK", DRIVE_REMOVABLE, false},
        {"", DRIVE_REMOVABLE, false},           {"3.5 Floppy", DRIVE_FIXED, false},
        {"3.5 Floppy", DRIVE_CDROM, false},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch("Floppy");
        if (*c.label) testsupport::WriteFileBytes(scratch / ".windows-label", c.label);
        MappedDrive drive('a', scratch.Path(), c.type);
        SHFILEINFOA info{};
        SHGetFileInfoA("A:\\", 0, &info, sizeof info, SHGFI_DISPLAYNAME);
        SCOPED_TRACE(std::string("label \"") + c.label + "\", type " + std::to_string(c.type) +
                     ", display name \"" + info.szDisplayName + "\"");
        EXPECT_EQ(IsFloppyDrive("A:\\SETUP.EXE"), c.floppy);
        EXPECT_EQ(IsFloppyDrive("a:"), c.floppy);
    }
}

TEST(IsFloppyDrive, FixedAndNetworkPathsAreNot) {
    EXPECT_FALSE(IsFloppyDrive("C:\\"));
    EXPECT_FALSE(IsFloppyDrive("\\\\server\\share\\x"));
    EXPECT_FALSE(IsFloppyDrive("Q:\\"));
}

}  // namespace
