#include "tests/unlha32/UnlhaLibrary.h"

#include "platform/Strings.h"
#include "tests/support/WinePrefix.h"

#include <stdexcept>
#include <vector>

namespace unlhatest {

UnlhaLibrary::UnlhaLibrary() : module_(LoadLibraryA("UNLHA32.DLL")), entry_(nullptr) {
    if (!module_) throw std::runtime_error("UNLHA32.DLL does not load");
    entry_ = reinterpret_cast<UnlhaFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "Unlha")));
    if (!entry_) throw std::runtime_error("UNLHA32.DLL has no entry Unlha");
}

UnlhaLibrary::~UnlhaLibrary() { FreeLibrary(module_); }

int UnlhaLibrary::Call(const std::string& commandLine, HWND owner, std::string* message) const {
    std::vector<char> output(4096, '\x7F');
    int result = entry_(owner, commandLine.c_str(), message ? output.data() : nullptr,
                        message ? static_cast<DWORD>(output.size()) : 0);
    if (message) *message = output.data();
    return result;
}

std::string UnlhaLibrary::Text(UINT id) const { return platform::LoadResString(id, module_); }

std::string FullPath(const std::string& relative) {
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(relative.c_str(), MAX_PATH, buffer, nullptr);
    return std::string(buffer, length);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteArchive(const std::string& path, const craft::Bytes& bytes) {
    testsupport::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace unlhatest
