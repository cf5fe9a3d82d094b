// The helper unit loads UNLHA32.DLL before a program's main code runs and
// releases it when the program ends, even in a program that calls none of the
// unit's routines (this one). The check runs in a child copy of this program
// so that its end can be observed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string MarkPath() {
    std::string path = ProgramPath();
    return path.substr(0, path.rfind('\\') + 1) + "UNLHA32.DLL.detach";
}

std::string ReadMark() {
    HANDLE file = CreateFileA(MarkPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(none)";
    char text[64] = {};
    DWORD got = 0;
    ReadFile(file, text, sizeof text - 1, &got, nullptr);
    CloseHandle(file);
    return text;
}

int Fail(const char* what) {
    std::printf("FAILED: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // First statement: nothing of this program has run yet.
    bool loadedBeforeMain = GetModuleHandleA("UNLHA32.DLL") != nullptr;
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return loadedBeforeMain ? 0 : 3;

    if (!loadedBeforeMain) return Fail("UNLHA32.DLL was not loaded before main");
    DeleteFileA(MarkPath().c_str());

    std::string command = "\"" + ProgramPath() + "\" --child";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
        return Fail("cannot start the child");
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    if (exitCode != 0) return Fail("the child found UNLHA32.DLL not loaded at the start of main");
    std::string mark = ReadMark();
    std::printf("child's UNLHA32.DLL detach: %s\n", mark.c_str());
    if (mark != "released") return Fail("the child did not release UNLHA32.DLL at its end");
    std::printf("PASSED\n");
    return 0;
}
