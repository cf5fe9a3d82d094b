#include "tools/common/Process.h"

#include "tools/common/Files.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include <io.h>
#endif

namespace tools {

#ifdef _WIN32

namespace {

std::string Utf8FromWide(const wchar_t* wide) { return Utf8(fs::path(wide)); }

}  // namespace

std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

void Print(std::FILE* stream, const std::string& utf8) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::wstring wide = PathFromUtf8(utf8).wstring();
        std::fflush(stream);
        DWORD written;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

fs::path ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return fs::path(path).parent_path();
}

#else

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

void Print(std::FILE* stream, const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

#endif

}  // namespace tools
