// mkmedium.exe under Windows: a title and names in Hangul pass through the
// wide command line and the system's code-page conversion into the medium as
// code page 949, the same bytes as the Linux build writes.

#include "tools/mkmedium/MediumCheck.h"

#include "lha/Archive.h"
#include "lha/ByteIo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

fs::path ToolPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path().parent_path().parent_path() / L"tools" / L"mkmedium" / L"mkmedium.exe";
}

DWORD RunTool(const std::wstring& arguments) {
    std::wstring command = L"\"" + ToolPath().wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ~0u;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD status = ~0u;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

TEST(WindowsMedium, HangulTitleAndNamesArriveInCodePage949) {
    fs::path work = fs::temp_directory_path() / L"qelvar-mkmedium-test";
    fs::remove_all(work);
    WriteBytes(work / L"programs" / L"setup.exe", "setup");
    WriteBytes(work / L"programs" / L"UNLHA32.DLL", "library");
    WriteBytes(work / L"game" / L"Qelvar_RT.exe", "MZ");
    WriteBytes(work / L"game" / L"\uAC8C\uC784" / L"\uC9C0\uB3C4.dat", std::string(3000, 'm'));  // 게임\지도.dat

    std::wstring arguments = L"--project SAMPLE --title \"\uC0D8\uD50C \uAC8C\uC784\" --medium folder --programs \"" +
                             (work / L"programs").wstring() + L"\" \"" + (work / L"game").wstring() + L"\" \"" +
                             (work / L"out").wstring() + L"\"";
    ASSERT_EQ(RunTool(arguments), 0u);

    EXPECT_EQ(ReadBytes(work / L"out" / L"setup.ini"),
              "[Setup]\r\nProjectName=SAMPLE\r\nGameTitle=\xBB\xF9\xC7\xC3 \xB0\xD4\xC0\xD3\r\nDiskNumber=0\r\n");
    EXPECT_EQ(ReadBytes(work / L"out" / L"setup.exe"), "setup");
    std::string archive = ReadBytes(work / L"out" / L"SAMPLE.lzh");
    lha::MemoryReader reader(reinterpret_cast<const uint8_t*>(archive.data()), archive.size());
    lha::ArchiveReader members(reader);
    std::vector<std::string> paths;
    while (auto header = members.Next()) paths.push_back(header->Path());
    EXPECT_EQ(paths, (std::vector<std::string>{"Qelvar_RT.exe", "\xB0\xD4\xC0\xD3\xFF",
                                               "\xB0\xD4\xC0\xD3\xFF\xC1\xF6\xB5\xB5.dat"}));
    EXPECT_NO_THROW(mkmedium::CheckMedium(work / L"out", 949, [](const std::string&) {}));
    EXPECT_EQ(RunTool(L"--check \"" + (work / L"out").wstring() + L"\""), 0u);
    fs::remove_all(work);
}

}  // namespace
