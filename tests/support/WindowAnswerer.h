#pragma once
// Lets a test answer a window that the code under test opens and waits on (a
// modal form of ours, a system message box, another process's question) the
// way a person would: a watcher thread waits until such a window is visible,
// records what it shows, and then presses a button or a key by sending the
// real messages to it. The code under test runs unchanged on the test's thread.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// Which top-level window to answer. Empty fields match anything.
struct WindowMatch {
    std::string className;       // "#32770" for a system message box
    std::wstring caption;        // exact caption, compared as UTF-16
    DWORD processId = GetCurrentProcessId();  // 0: any process
};

// What the answered window showed when it was found.
struct SeenWindow {
    HWND window = nullptr;
    std::string className;
    std::wstring caption;
    std::wstring text;             // message text of a message box (static 0xFFFF)
    std::vector<int> buttons;      // ids among IDOK..IDCONTINUE that the box offers
    HICON icon = nullptr;          // icon of a message box
    bool enabled = false;
};

class WindowAnswerer {
public:
    using Action = std::function<void(HWND)>;

    // Starts watching at once. The action runs on the watcher thread.
    WindowAnswerer(WindowMatch match, Action action, DWORD timeoutMs = 15000);
    ~WindowAnswerer();  // waits for the watcher

    WindowAnswerer(const WindowAnswerer&) = delete;
    WindowAnswerer& operator=(const WindowAnswerer&) = delete;

    // Waits until the window was answered or the watch timed out.
    bool Wait();
    bool Answered() const { return answered_; }
    SeenWindow Seen() const;

private:
    void Watch();

    WindowMatch match_;
    Action action_;
    DWORD timeoutMs_;
    std::atomic<bool> answered_{false};
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    SeenWindow seen_;
    std::thread watcher_;
};

// Actions.
WindowAnswerer::Action ClickButton(int controlId);  // BM_CLICK on the control with that id
WindowAnswerer::Action PressKey(UINT virtualKey);   // key down and up to the window's focus
WindowAnswerer::Action CloseWindow();               // WM_CLOSE, as the close box does

// The system message-box icons, for comparing with SeenWindow::icon.
HICON SystemIcon(LPCSTR id);

// UTF-16 from bytes in the system code page, and back.
std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace testsupport
