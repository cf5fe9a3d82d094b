#include "platform/Form.h"

#include "platform/Application.h"
#include "platform/StdCtrls.h"

#include <algorithm>

namespace platform {

namespace {

// An error in one of the form's own events goes to the application's
// exception handling; the step that fired the event still completes.
void FireGuarded(const NotifyEvent& event, Component& sender) {
    try {
        if (event) event(sender);
    } catch (...) {
        Application::Instance().HandleException(std::current_exception());
    }
}

}  // namespace

Form::Form(Component* owner) : CustomControl(owner) {
    Control::SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
}

void Form::AfterConstruction() {
    FireGuarded(OnCreate, *this);
}

void Form::BeforeDestruction() {
    FireGuarded(OnDestroy, *this);
    CustomControl::BeforeDestruction();
}

void Form::FrameStyle(DWORD& style, DWORD& exStyle) const {
    style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
    exStyle = 0;
    if (borderStyle_ == BorderStyle::bsDialog) {
        style |= WS_CAPTION | DS_MODALFRAME;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    }
}

SIZE Form::FrameSize() const {
    DWORD style, exStyle;
    FrameStyle(style, exStyle);
    RECT rect{0, 0, 0, 0};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void Form::SetBorderStyle(BorderStyle style) {
    borderStyle_ = style;
    RecreateWnd();
}

void Form::SetClientSize(int width, int height) {
    SIZE frame = FrameSize();
    SetBounds(Left(), Top(), width + frame.cx, height + frame.cy);
}

int Form::ClientWidth() const {
    return HandleAllocated() ? CustomControl::ClientWidth() : Width() - FrameSize().cx;
}

int Form::ClientHeight() const {
    return HandleAllocated() ? CustomControl::ClientHeight() : Height() - FrameSize().cy;
}

void Form::CreateParams(platform::CreateParams& params) {
    CustomControl::CreateParams(params);
    FrameStyle(params.style, params.exStyle);
    auto* ownerForm = dynamic_cast<Form*>(Owner());
    params.parent = ownerForm ? ownerForm->Handle() : Application::Instance().Handle();
}

void Form::Show() {
    HandleNeeded();
    if (position_ == Position::poScreenCenter) {
        SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2,
                  Width(), Height());
    }
    FireGuarded(OnShow, *this);
    Control::SetVisible(true);
    ShowWindow(Handle(), SW_SHOWNORMAL);
}

void Form::Hide() {
    Control::SetVisible(false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void Form::SetVisible(bool visible) {
    if (visible) Show();
    else Hide();
}

void Form::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    Hide();
    if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
}

void Form::SetModalResult(int result) {
    modalResult_ = result;
    // A modal loop waiting for messages must look at the result again.
    if (modal_) Application::Instance().WakeUp();
}

int Form::ShowModal() {
    Application& application = Application::Instance();
    ReleaseCapture();
    HWND previousActive = GetActiveWindow();
    modalResult_ = mrNone;
    modal_ = true;
    {
        ThreadWindowsDisabler disabler;
        Show();
        while (modalResult_ == mrNone) {
            application.HandleMessage();
            if (application.Terminated()) modalResult_ = mrCancel;
        }
    }
    // The others are enabled again before this one hides, so one of them is activated.
    Hide();
    modal_ = false;
    if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
    return modalResult_;
}

void Form::Release() { Application::Instance().ReleaseForm(*this); }

WinControl* Form::ActiveControl() const {
    if (!activeWindow_ || !HandleAllocated() || !IsChild(const_cast<Form*>(this)->Handle(), activeWindow_))
        return nullptr;
    return FromHandle(activeWindow_);
}

void Form::SelectNext(WinControl* current, bool forward) {
    std::vector<WinControl*> list = TabOrderList();
    list.erase(std::remove_if(list.begin(), list.end(), [](WinControl* c) { return !c->CanFocus(); }), list.end());
    if (list.empty()) return;
    auto found = std::find(list.begin(), list.end(), current);
    size_t next;
    if (found == list.end()) {
        next = forward ? 0 : list.size() - 1;
    } else {
        size_t at = static_cast<size_t>(found - list.begin());
        next = forward ? (at + 1) % list.size() : (at + list.size() - 1) % list.size();
    }
    list[next]->SetFocus();
}

void Form::FocusFirst() {
    WinControl* target = ActiveControl();
    if (!target || !target->CanFocus()) {
        target = nullptr;
        for (WinControl* candidate : TabOrderList())
            if (candidate->CanFocus()) {
                target = candidate;
                break;
            }
    }
    if (target) target->SetFocus();
}

void Form::FocusChanged(WinControl& control) {
    if (&control == this) return;
    activeWindow_ = control.Handle();
    // A focused button takes Enter and looks like the default; otherwise the default button does.
    auto* focusedButton = dynamic_cast<Button*>(&control);
    for (Button* button : Buttons()) button->SetActive(focusedButton ? button == focusedButton : button->Default());
}

std::vector<Button*> Form::Buttons() const {
    std::vector<Button*> buttons;
    std::vector<const WinControl*> pending{this};
    while (!pending.empty()) {
        const WinControl* at = pending.back();
        pending.pop_back();
        for (Control* child : at->Controls()) {
            if (auto* button = dynamic_cast<Button*>(child)) buttons.push_back(button);
            if (auto* windowed = dynamic_cast<WinControl*>(child)) pending.push_back(windowed);
        }
    }
    return buttons;
}

Button* Form::DefaultButton() const {
    for (Button* button : Buttons())
        if (button->Default() && button->CanFocus()) return button;
    return nullptr;
}

bool Form::DialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    WORD key = static_cast<WORD>(message.wParam);
    bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE && !arrow) return false;
    ShiftState shift = ShiftFromKeyboard();
    if (shift & (ssAlt | ssCtrl)) return false;
    LRESULT code = SendMessageA(message.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;

    if (key == VK_TAB) {
        if (code & DLGC_WANTTAB) return false;
        SelectNext(ActiveControl(), !(shift & ssShift));
        return true;
    }
    if (arrow) {
        if (code & DLGC_WANTARROWS) return false;
        SelectNext(ActiveControl(), key == VK_RIGHT || key == VK_DOWN);
        return true;
    }
    Button* target = nullptr;
    if (key == VK_RETURN) {
        target = dynamic_cast<Button*>(ActiveControl());
        if (!target || !target->Focused()) target = DefaultButton();
    } else {
        for (Button* button : Buttons())
            if (button->Cancel() && button->CanFocus()) {
                target = button;
                break;
            }
    }
    if (!target) return false;
    target->Click();
    return true;
}

void Form::WndProc(Message& message) {
    switch (message.msg) {
        case WM_CLOSE:
            Close();
            return;
        case WM_ACTIVATE:
            DefaultHandler(message);
            if (LOWORD(message.wParam) != WA_INACTIVE) FocusFirst();
            return;
        case WM_SETFOCUS:
            CustomControl::WndProc(message);
            FocusFirst();
            return;
        default:
            CustomControl::WndProc(message);
    }
}

}  // namespace platform
