#include "platform/Error.h"

#include "platform/Strings.h"
#include "resources/StringIds.h"

namespace platform {

namespace {

// The system's text for a message code, without the line break it ends with.
std::string SystemMessage(DWORD code) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length && buffer) text.assign(buffer, length);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string OleMessage(HRESULT code) {
    std::string text = SystemMessage(static_cast<DWORD>(code));
    if (text.empty()) text = FormatResString(IDS_OLE_ERROR, static_cast<unsigned>(code));
    return text;
}

}  // namespace

SystemError::SystemError(DWORD code)
    : Error(FormatResString(IDS_SYSTEM_ERROR, static_cast<int>(code), SystemMessage(code).c_str())),
      code_(code) {}

OleError::OleError(HRESULT code) : Error(OleMessage(code)), code_(code) {}

HRESULT OleCheck(HRESULT code) {
    if (FAILED(code)) throw OleError(code);
    return code;
}

InterfaceError::InterfaceError() : Error(LoadResString(IDS_INTERFACE_NOT_SUPPORTED)) {}

FileCreateError::FileCreateError(const std::string& path)
    : Error(FormatResString(IDS_FILE_CREATE_ERROR, path.c_str())) {}

FileOpenError::FileOpenError(const std::string& path)
    : Error(FormatResString(IDS_FILE_OPEN_ERROR, path.c_str())) {}

FileReadError::FileReadError(const std::string& path)
    : Error(FormatResString(IDS_READ_ERROR, path.c_str())) {}

ResourceNotFoundError::ResourceNotFoundError(const std::string& name)
    : Error(FormatResString(IDS_RESOURCE_NOT_FOUND, name.c_str())) {}

StreamWriteError::StreamWriteError() : Error(LoadResString(IDS_STREAM_WRITE_ERROR)) {}

InvalidCastError::InvalidCastError() : Error(LoadResString(IDS_INVALID_CAST)) {}

OutOfMemoryError::OutOfMemoryError() : Error(LoadResString(IDS_OUT_OF_MEMORY)) {}

}  // namespace platform
