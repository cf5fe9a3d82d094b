#include "platform/Application.h"

#include "platform/Error.h"
#include "platform/Form.h"
#include "platform/Strings.h"
#include "resources/StringIds.h"

#include <commctrl.h>

namespace platform {

namespace {

constexpr char kWindowClass[] = "TApplication";
// Posted to the application window to destroy a released form (wParam: its window).
constexpr UINT kReleaseForm = WM_APP + 1;

// Messages that alone do not make the queue's next emptiness an idle moment.
bool KeepsIdle(UINT msg) {
    return msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE || msg == WM_PAINT || msg == WM_TIMER;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

Application::~Application() {
    Shutdown();
    if (window_) DestroyWindow(window_);
    if (comInitialized_) OleUninitialize();
}

void Application::Initialize() {
    if (initialized_) return;
    comInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, kWindowClass, &existing) && !RegisterClassExA(&windowClass))
        throw SystemError(GetLastError());
    // Never shown; placed at the screen's centre, where the system centres
    // the message boxes it owns.
    window_ = CreateWindowExA(0, kWindowClass, title_.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                              nullptr, instance, nullptr);
    if (!window_) throw SystemError(GetLastError());
    initialized_ = true;
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) SetWindowTextA(window_, title_.c_str());
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Application& application = Instance();
    try {
        switch (msg) {
            case kReleaseForm:
                if (auto* form = dynamic_cast<Form*>(WinControl::FromHandle(reinterpret_cast<HWND>(wParam))))
                    application.FreeForm(*form);
                return 0;
            case WM_CLOSE:
                if (application.mainForm_) application.mainForm_->Close();
                return 0;
            default:
                break;
        }
    } catch (...) {
        application.HandleException(std::current_exception());
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void Application::Run() {
    if (!mainForm_) return;
    mainForm_->Show();
    while (!terminated_) HandleMessage();
}

void Application::Terminate() { PostQuitMessage(0); }

bool Application::ProcessMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!KeepsIdle(message.message)) idleDue_ = true;
    if (!DialogKey(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

bool Application::DialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        if (WinControl* control = WinControl::FromHandle(window)) {
            Form* form = control->ParentForm();
            try {
                return form && form->DialogKey(message);
            } catch (...) {
                HandleException(std::current_exception());
                return true;
            }
        }
    }
    return false;
}

void Application::HandleMessage() {
    if (!ProcessMessage()) Idle();
}

void Application::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void Application::Idle() {
    if (idleDue_) {
        idleDue_ = false;
        if (OnIdle) {
            // A copy: the handler may detach itself.
            std::function<void()> handler = OnIdle;
            try {
                handler();
            } catch (...) {
                HandleException(std::current_exception());
            }
        }
    }
    MSG message;
    if (!terminated_ && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
}

void Application::WakeUp() {
    if (window_) PostMessageA(window_, WM_NULL, 0, 0);
}

void Application::HandleException(std::exception_ptr exception) noexcept {
    auto dispatch = [this](const std::exception& error) {
        if (!OnException) {
            ShowException(error);
            return;
        }
        std::function<void(const std::exception&)> handler = OnException;
        try {
            handler(error);
        } catch (const std::exception& inner) {
            ShowException(inner);
        } catch (...) {
        }
    };
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& error) {
        dispatch(error);
    } catch (...) {
        try {
            dispatch(Error(LoadResString(IDS_UNKNOWN_EXCEPTION)));
        } catch (...) {
        }
    }
}

void Application::ShowException(const std::exception& exception) noexcept {
    try {
        const auto* error = dynamic_cast<const Error*>(&exception);
        std::string text = error ? error->Message() : std::string(exception.what());
        if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
        MessageBox(text, title_, MB_OK | MB_ICONSTOP);
    } catch (...) {
    }
}

void Application::CenterOnActiveMonitor() {
    HWND active = GetActiveWindow();
    if (!window_ || !active) return;
    HMONITOR monitor = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
    if (monitor == MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST)) return;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return;
    SetWindowPos(window_, nullptr, (info.rcMonitor.left + info.rcMonitor.right) / 2,
                 (info.rcMonitor.top + info.rcMonitor.bottom) / 2, 0, 0,
                 SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOSIZE | SWP_NOZORDER);
}

int Application::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    CenterOnActiveMonitor();
    int result;
    {
        ThreadWindowsDisabler disabler;
        result = ::MessageBoxA(window_, text.c_str(), caption.c_str(), flags);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return result;
}

void Application::SetScreenCursor(int cursor) {
    screenCursor_ = cursor;
    ApplyScreenCursor();
}

void Application::ApplyScreenCursor() const {
    LPCSTR shape = screenCursor_ == crHourGlass ? IDC_WAIT : IDC_ARROW;
    SetCursor(LoadCursorA(nullptr, shape));
}

void Application::ReleaseForm(Form& form) {
    PostMessageA(window_, kReleaseForm, reinterpret_cast<WPARAM>(form.Handle()), 0);
}

void Application::FreeForm(Form& form) {
    if (mainForm_ == &form) mainForm_ = nullptr;
    if (Component* owner = form.Owner()) {
        owner->Free(form);
        return;
    }
    for (auto it = forms_.begin(); it != forms_.end(); ++it) {
        if (it->get() != &form) continue;
        std::unique_ptr<Component> taken = std::move(*it);
        forms_.erase(it);
        DestroyComponent(taken);
        return;
    }
}

void Application::Shutdown() {
    while (!forms_.empty()) {
        std::unique_ptr<Component> last = std::move(forms_.back());
        forms_.pop_back();
        DestroyComponent(last);
    }
    mainForm_ = nullptr;
    OnIdle = nullptr;
    OnException = nullptr;
    terminated_ = false;
    idleDue_ = true;
    screenCursor_ = crDefault;
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

ThreadWindowsDisabler::ThreadWindowsDisabler() {
    std::vector<HWND> candidates;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&candidates));
    for (HWND window : candidates) {
        if (!IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
        EnableWindow(window, FALSE);
        disabled_.push_back(window);
    }
}

ThreadWindowsDisabler::~ThreadWindowsDisabler() {
    for (HWND window : disabled_)
        if (IsWindow(window)) EnableWindow(window, TRUE);
}

}  // namespace platform
