// The entry of UNLHA32.DLL: int WINAPI Unlha(owner, command line, output, output size).
// Nothing leaves it but its result: every failure becomes a result code and,
// when an output buffer is given, a message in it.

#include "unlha32/CommandLine.h"
#include "unlha32/Extraction.h"
#include "unlha32/ProgressWindow.h"
#include "unlha32/ResourceIds.h"
#include "unlha32/ResultCode.h"

#include "lha/Error.h"
#include "platform/Strings.h"

#include <windows.h>

#include <memory>
#include <new>

extern "C" int WINAPI Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize);

namespace unlha32 {

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Unlha), &module);
    return module;
}

std::string Text(UINT id) { return platform::LoadResString(id, ThisModule()); }

std::string Describe(ResultCode code, const std::string& detail) {
    std::string text = Text(IDS_RESULT_BASE + code);
    return detail.empty() ? text : text + ": " + detail;
}

// Copies at most size - 1 bytes and a NUL, never half of a double-byte character.
void WriteOutput(LPSTR output, DWORD size, const std::string& message) {
    if (!output || size == 0) return;
    size_t length = 0;
    while (length < message.size()) {
        size_t next = length + (IsDBCSLeadByte(static_cast<BYTE>(message[length])) ? 2 : 1);
        if (next > message.size() || next > size - 1) break;
        length = next;
    }
    CopyMemory(output, message.data(), length);
    output[length] = '\0';
}

std::unique_ptr<Progress> MakeProgress(HWND owner, const Command& command, uint64_t totalBytes) {
    if (owner && command.showProgress)
        return std::make_unique<ProgressWindow>(ThisModule(), owner, command.archive, totalBytes);
    return std::make_unique<Progress>();
}

std::string Run(HWND owner, const Command& command) {
    if (command.action == 'l') return ListArchive(command);
    // Every header and name first: a hostile archive extracts nothing at all.
    Survey survey = SurveyArchive(command.archive);
    std::unique_ptr<Progress> progress = MakeProgress(owner, command, survey.bytes);
    if (command.action == 't')
        return platform::FormatText(Text(IDS_TESTED).c_str(), TestArchive(command, *progress));
    return platform::FormatText(Text(IDS_EXTRACTED).c_str(), ExtractArchive(command, *progress));
}

}  // namespace

}  // namespace unlha32

extern "C" int WINAPI Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    using namespace unlha32;
    ResultCode code = kSuccess;
    std::string message;
    try {
        message = Run(owner, ParseCommand(commandLine ? commandLine : ""));
    } catch (const Failure& failure) {
        code = failure.Code();
        message = Describe(code, code == kCancelled ? "" : failure.what());
    } catch (const lha::Error& error) {
        code = CodeOf(error.Kind());
        message = Describe(code, error.what());
    } catch (const std::bad_alloc&) {
        code = kCannotWrite;
        message = Describe(code, "out of memory");
    } catch (...) {
        code = kDamagedArchive;
        message = Describe(code, "");
    }
    WriteOutput(output, outputSize, message);
    return code;
}
