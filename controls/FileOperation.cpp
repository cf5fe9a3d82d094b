#include "controls/FileOperation.h"

#include "platform/Application.h"
#include "platform/WinControl.h"

#include <iterator>

namespace controls {

namespace {

// The shell flag of each option, in option order.
constexpr FILEOP_FLAGS kOptionFlags[] = {
    FOF_MULTIDESTFILES, FOF_SILENT,   FOF_RENAMEONCOLLISION, FOF_NOCONFIRMATION,
    FOF_ALLOWUNDO,      FOF_FILESONLY, FOF_NOCONFIRMMKDIR,   FOF_NOERRORUI,
};

}  // namespace

FILEOP_FLAGS ShellFlags(TFileOperationOptions options) {
    FILEOP_FLAGS flags = 0;
    for (unsigned option = 0; option < std::size(kOptionFlags); ++option)
        if (options.Contains(static_cast<TFileOperationOption>(option))) flags |= kOptionFlags[option];
    return flags;
}

std::string MakeFileList(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& path : list) {
        text += path;
        text += '\0';
    }
    text += '\0';
    return text;
}

TFileOperation::TFileOperation(platform::Component* owner) : Component(owner) {}

void TFileOperation::SetSource(const std::string& path) { sourceList_.assign(1, path); }

void TFileOperation::SetDestination(const std::string& path) { destList_.assign(1, path); }

HWND TFileOperation::OwnerWindow() const {
    if (auto* control = dynamic_cast<platform::WinControl*>(Owner())) return control->Handle();
    return platform::Application::Instance().Handle();
}

bool TFileOperation::Execute(UINT operation) {
    std::string from = MakeFileList(sourceList_);
    std::string to = MakeFileList(destList_);
    SHFILEOPSTRUCTA shellOperation{};
    shellOperation.hwnd = OwnerWindow();
    shellOperation.wFunc = operation;
    shellOperation.pFrom = from.c_str();
    shellOperation.pTo = to.c_str();
    shellOperation.fFlags = ShellFlags(options_);
    int result = SHFileOperationA(&shellOperation);
    // The shell records not every failure as an abort: a missing source, for
    // one, is only in its answer.
    return result == 0 && !shellOperation.fAnyOperationsAborted;
}

}  // namespace controls
