#pragma once
// The application object: the program's hidden application window (it owns
// every form without an owner form and the application's message boxes, and
// carries the title), the forms, the message loop with its idle event, the
// exception event with the default error display, and the screen cursor.

#include "platform/Component.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class Form;

// Screen cursors.
constexpr int crDefault = 0;
constexpr int crHourGlass = -11;

class Application {
public:
    static Application& Instance();

    // COM for this thread as a single-threaded apartment, the common
    // controls, the application window. Repeated calls do nothing.
    void Initialize();

    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& title);
    HWND Handle() const noexcept { return window_; }

    // Creates a form owned by the application; the first one becomes the main
    // form. Its OnCreate runs before this returns.
    template <typename F, typename... Args>
    F& CreateForm(Args&&... args) {
        auto made = std::make_unique<F>(nullptr, std::forward<Args>(args)...);
        F& form = *made;
        forms_.push_back(std::move(made));
        if (!mainForm_) mainForm_ = &form;
        form.AfterConstruction();
        return form;
    }
    Form* MainForm() const noexcept { return mainForm_; }

    // Shows the main form and runs the message loop until the application
    // ends (the main form was closed or Terminate was called).
    void Run();
    void Terminate();
    bool Terminated() const noexcept { return terminated_; }

    // Handles one message, or, when the queue is empty, fires the idle event
    // (if due) and waits for the next message.
    void HandleMessage();
    // Handles every message waiting, without idling.
    void ProcessMessages();
    // Makes a waiting HandleMessage return.
    void WakeUp();

    // Fired when the queue has emptied after a message other than mouse
    // moves, paint and timer messages (and once at the start), also inside
    // modal loops. The handler may replace or clear itself.
    std::function<void()> OnIdle;
    // Fired for an exception that no code caught; without a handler the
    // standard error box shows it.
    std::function<void(const std::exception&)> OnException;

    // Hands an uncaught exception to OnException or the standard error box.
    // Never raises.
    void HandleException(std::exception_ptr exception) noexcept;
    // The standard error box: the message with a full stop added when it is
    // not empty and its last byte sorts after ".", the title as caption, a
    // stop icon and an OK button.
    void ShowException(const std::exception& exception) noexcept;

    // A system message box owned by the application window. While it is up
    // the program's other windows are disabled; afterwards the active window
    // and the focus are restored. It appears on the active window's monitor.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    int ScreenCursor() const noexcept { return screenCursor_; }
    void SetScreenCursor(int cursor);
    void ApplyScreenCursor() const;

    // Destroys the form once control is back in the message loop.
    void ReleaseForm(Form& form);

    // Destroys every form and forgets the events, so that the program can end
    // (or a test can start over). COM and the application window stay.
    void Shutdown();

    ~Application();

private:
    Application() = default;
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    bool ProcessMessage();
    void Idle();
    bool DialogKey(const MSG& message);
    void FreeForm(Form& form);
    void CenterOnActiveMonitor();

    bool initialized_ = false;
    bool comInitialized_ = false;
    HWND window_ = nullptr;
    std::string title_;
    std::vector<std::unique_ptr<Component>> forms_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    bool idleDue_ = true;
    int screenCursor_ = crDefault;
};

// Disables every enabled and visible top-level window of this thread for its
// lifetime and then enables exactly those again (the ones that still exist).
class ThreadWindowsDisabler {
public:
    ThreadWindowsDisabler();
    ~ThreadWindowsDisabler();
    ThreadWindowsDisabler(const ThreadWindowsDisabler&) = delete;
    ThreadWindowsDisabler& operator=(const ThreadWindowsDisabler&) = delete;

private:
    std::vector<HWND> disabled_;
};

}  // namespace platform
