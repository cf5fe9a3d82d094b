#include "tests/support/WindowAnswerer.h"

namespace testsupport {

namespace {

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::wstring TextOf(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

struct Search {
    const WindowMatch* match;
    HWND found = nullptr;
};

BOOL CALLBACK Consider(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!IsWindowVisible(window)) return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const WindowMatch& match = *search->match;
    if (match.processId && process != match.processId) return TRUE;
    if (!match.className.empty() && ClassOf(window) != match.className) return TRUE;
    if (!match.caption.empty() && TextOf(window) != match.caption) return TRUE;
    search->found = window;
    return FALSE;
}

SeenWindow Describe(HWND window) {
    SeenWindow seen;
    seen.window = window;
    seen.className = ClassOf(window);
    seen.caption = TextOf(window);
    seen.enabled = IsWindowEnabled(window) != FALSE;
    if (HWND text = GetDlgItem(window, 0xFFFF)) seen.text = TextOf(text);
    for (int id = IDOK; id <= IDCONTINUE; ++id)
        if (GetDlgItem(window, id)) seen.buttons.push_back(id);
    // The message box's icon is the static control with id 0x440.
    if (HWND icon = GetDlgItem(window, 0x440))
        seen.icon = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
    return seen;
}

}  // namespace

WindowAnswerer::WindowAnswerer(WindowMatch match, Action action, DWORD timeoutMs)
    : match_(std::move(match)), action_(std::move(action)), timeoutMs_(timeoutMs) {
    watcher_ = std::thread([this] { Watch(); });
}

WindowAnswerer::~WindowAnswerer() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
}

void WindowAnswerer::Watch() {
    DWORD start = GetTickCount();
    while (!stop_ && GetTickCount() - start < timeoutMs_) {
        Search search{&match_};
        EnumWindows(Consider, reinterpret_cast<LPARAM>(&search));
        // A window that is not yet enabled is still being set up.
        if (search.found && IsWindowEnabled(search.found)) {
            // Let the window's owner reach its message loop before answering.
            Sleep(50);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_ = Describe(search.found);
            }
            // Marked before acting: the answer may end the window's process
            // before the action returns, and a waiting test may look then.
            answered_ = true;
            action_(search.found);
            return;
        }
        Sleep(20);
    }
}

bool WindowAnswerer::Wait() {
    if (watcher_.joinable()) watcher_.join();
    return answered_;
}

SeenWindow WindowAnswerer::Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

WindowAnswerer::Action ClickButton(int controlId) {
    return [controlId](HWND window) {
        HWND button = GetDlgItem(window, controlId);
        if (button) SendMessageW(button, BM_CLICK, 0, 0);
    };
}

WindowAnswerer::Action PressKey(UINT virtualKey) {
    return [virtualKey](HWND window) {
        DWORD thread = GetWindowThreadProcessId(window, nullptr);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        HWND target = window;
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) target = info.hwndFocus;
        UINT scan = MapVirtualKeyW(virtualKey, 0);
        PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
        PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    };
}

WindowAnswerer::Action CloseWindow() {
    return [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); };
}

HICON SystemIcon(LPCSTR id) { return LoadIconA(nullptr, id); }

std::wstring Wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace testsupport
