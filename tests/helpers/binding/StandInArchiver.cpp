// A stand-in for UNLHA32.DLL that tells how it was let go: when its process
// detaches it writes "released" (FreeLibrary) or "process ended" (the process
// ended while the library was still loaded) into UNLHA32.DLL.detach beside it.
#include <windows.h>

#include <cstring>

namespace {

void WriteMark(HINSTANCE self, const char* text) {
    char path[MAX_PATH + 16] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::strcat(path, ".detach");
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH) WriteMark(self, reserved ? "process ended" : "released");
    return TRUE;
}
