#include "uninstaller/Question.h"

#include "resources/GameDeleteIds.h"

#include <windows.h>

namespace gamedelete {

namespace {

std::wstring LoadWideString(UINT id) {
    // With a size of 0 the system hands out a pointer into the resource itself.
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring WideFromSystemCodePage(const std::string& text) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

}  // namespace

bool AskToUninstall(const std::string& title) {
    std::wstring text = LoadWideString(IDS_UNINSTALL_QUESTION);
    if (std::size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, WideFromSystemCodePage(title));
    std::wstring caption = LoadWideString(IDS_UNINSTALL_CAPTION);
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace gamedelete
