#include "platform/WinControl.h"

#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/Form.h"

#include <windowsx.h>

#include <algorithm>

namespace platform {

namespace {

// Ends the paint cycle also when a handler raises.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }

// Hands a mouse message to a control, at a point in the control's own client
// coordinates. False for a message that is none of the button or move messages.
bool DeliverMouse(Control& target, UINT msg, WPARAM keys, int x, int y) {
    ShiftState shift = ShiftFromMouseKeys(keys);
    switch (msg) {
        case WM_LBUTTONDOWN: target.MouseDownMessage(MouseButton::mbLeft, shift, x, y, false); break;
        case WM_LBUTTONDBLCLK: target.MouseDownMessage(MouseButton::mbLeft, shift, x, y, true); break;
        case WM_RBUTTONDOWN: target.MouseDownMessage(MouseButton::mbRight, shift, x, y, false); break;
        case WM_RBUTTONDBLCLK: target.MouseDownMessage(MouseButton::mbRight, shift, x, y, true); break;
        case WM_MBUTTONDOWN: target.MouseDownMessage(MouseButton::mbMiddle, shift, x, y, false); break;
        case WM_MBUTTONDBLCLK: target.MouseDownMessage(MouseButton::mbMiddle, shift, x, y, true); break;
        case WM_LBUTTONUP: target.MouseUpMessage(MouseButton::mbLeft, shift, x, y); break;
        case WM_RBUTTONUP: target.MouseUpMessage(MouseButton::mbRight, shift, x, y); break;
        case WM_MBUTTONUP: target.MouseUpMessage(MouseButton::mbMiddle, shift, x, y); break;
        case WM_MOUSEMOVE: target.MouseMoveMessage(shift, x, y); break;
        default: return false;
    }
    return true;
}

}  // namespace

WinControl::WinControl(Component* owner) : Control(owner) {}

WinControl::~WinControl() {
    DestroyHandle();
    for (Control* child : controls_) child->parent_ = nullptr;
}

void WinControl::BeforeDestruction() { DestroyHandle(); }

HWND WinControl::Handle() {
    if (!handle_) CreateWnd();
    return handle_;
}

WinControl* WinControl::FromHandle(HWND window) noexcept {
    if (!window || !IsWindow(window)) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) != StaticWndProc) return nullptr;
    return reinterpret_cast<WinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void WinControl::RegisterWindowClass(const std::string& name) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, name.c_str(), &existing)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // Double clicks always arrive; controls without csDoubleClicks take them as presses.
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = StaticWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    if (!RegisterClassExA(&windowClass)) throw SystemError(GetLastError());
}

void WinControl::CreateParams(platform::CreateParams& params) {
    params.className = ClassName();
    params.caption = Caption();
    params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible()) params.style |= WS_VISIBLE;
    if (!Enabled()) params.style |= WS_DISABLED;
    if (tabStop_) params.style |= WS_TABSTOP;
    params.x = Left();
    params.y = Top();
    params.width = Width();
    params.height = Height();
    if (Parent()) params.parent = Parent()->Handle();
}

void WinControl::CreateWnd() {
    platform::CreateParams params;
    CreateParams(params);
    if (!params.systemClass) RegisterWindowClass(params.className);
    HWND window = CreateWindowExA(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style,
                                  params.x, params.y, params.width, params.height, params.parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id)),
                                  GetModuleHandleA(nullptr), this);
    if (!window) throw SystemError(GetLastError());
    if (params.systemClass) {
        handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        systemProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
    }
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
    HandleCreated();
    for (WinControl* child : windowed_) child->HandleNeeded();
    AlignControls();
}

void WinControl::DestroyHandle() noexcept {
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;  // also when the window was already gone
}

void WinControl::RecreateWnd() {
    if (!handle_) return;
    DestroyHandle();
    HandleNeeded();
}

LRESULT CALLBACK WinControl::StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    WinControl* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<WinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) {
            self->handle_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<WinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(window, msg, wParam, lParam);

    Message message{msg, wParam, lParam, 0};
    try {
        self->WndProc(message);
    } catch (...) {
        Application::Instance().HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (self->handle_ == window) {
            self->handle_ = nullptr;
            self->systemProc_ = nullptr;
            self->captureControl_ = nullptr;
        }
    }
    return message.result;
}

void WinControl::DefaultHandler(Message& message) {
    message.result = systemProc_
                         ? CallWindowProcA(systemProc_, handle_, message.msg, message.wParam, message.lParam)
                         : DefWindowProcA(handle_, message.msg, message.wParam, message.lParam);
}

void WinControl::WndProc(Message& message) {
    if (IsMouseMessage(message.msg)) {
        HandleMouse(message);
        return;
    }
    switch (message.msg) {
        case WM_PAINT:
            if (systemProc_) {
                DefaultHandler(message);
            } else {
                PaintScope paint(handle_);
                PaintWindow(paint.Dc());
                PaintControls(paint.Dc());
            }
            return;
        case WM_ERASEBKGND:
            if (systemProc_) DefaultHandler(message);
            else message.result = EraseBackground(reinterpret_cast<HDC>(message.wParam));
            return;
        case WM_COMMAND:
            if (WinControl* child = FromHandle(reinterpret_cast<HWND>(message.lParam))) {
                child->CommandNotify(HIWORD(message.wParam));
                return;
            }
            break;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if (WinControl* child = FromHandle(reinterpret_cast<HWND>(message.lParam))) {
                message.result = reinterpret_cast<LRESULT>(child->ControlColor(reinterpret_cast<HDC>(message.wParam)));
                return;
            }
            break;
        case WM_KEYDOWN: {
            WORD key = static_cast<WORD>(message.wParam);
            KeyDown(key, ShiftFromKeyboard());
            if (key) DefaultHandler(message);
            return;
        }
        case WM_SETFOCUS:
            DefaultHandler(message);
            if (Form* form = ParentForm()) form->FocusChanged(*this);
            DoEnter();
            return;
        case WM_KILLFOCUS:
            DefaultHandler(message);
            DoExit();
            return;
        case WM_SIZE:
            DefaultHandler(message);
            SyncBoundsFromWindow();
            AlignControls();
            return;
        case WM_MOVE:
            DefaultHandler(message);
            SyncBoundsFromWindow();
            return;
        case WM_SETCURSOR:
            if (Application::Instance().ScreenCursor() != crDefault) {
                Application::Instance().ApplyScreenCursor();
                message.result = TRUE;
                return;
            }
            break;
        case WM_CAPTURECHANGED:
            captureControl_ = nullptr;
            break;
        default:
            break;
    }
    DefaultHandler(message);
}

void WinControl::HandleMouse(Message& message) {
    if (!systemProc_ && RouteMouseToGraphic(message)) return;
    // System controls do their own work first (a button presses itself).
    if (systemProc_) DefaultHandler(message);
    DeliverMouse(*this, message.msg, message.wParam, GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam));
    if (!systemProc_ && handle_) DefaultHandler(message);
}

bool WinControl::RouteMouseToGraphic(Message& message) {
    POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    Control* target = captureControl_ ? captureControl_ : GraphicControlAt(point);
    if (!target) return false;
    return DeliverMouse(*target, message.msg, message.wParam, point.x - target->Left(), point.y - target->Top());
}

void WinControl::SyncBoundsFromWindow() {
    RECT rect{};
    GetWindowRect(handle_, &rect);
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
    SetBoundsField(rect);
}

void WinControl::SetParent(WinControl* parent) {
    Control::SetParent(parent);
    if (!parent) {
        DestroyHandle();
    } else if (handle_) {
        ::SetParent(handle_, parent->Handle());
    } else if (parent->HandleAllocated()) {
        HandleNeeded();
    }
}

void WinControl::SetBounds(int left, int top, int width, int height) {
    SetBoundsField(RECT{left, top, left + width, top + height});
    if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else AlignControls();
}

void WinControl::SetVisible(bool visible) {
    Control::SetVisible(visible);
    if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void WinControl::SetEnabled(bool enabled) {
    Control::SetEnabled(enabled);
    if (handle_) EnableWindow(handle_, enabled);
}

int WinControl::ClientWidth() const {
    if (!handle_) return Width();
    RECT rect{};
    GetClientRect(handle_, &rect);
    return rect.right;
}

int WinControl::ClientHeight() const {
    if (!handle_) return Height();
    RECT rect{};
    GetClientRect(handle_, &rect);
    return rect.bottom;
}

void WinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void WinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

bool WinControl::MouseCapture() const { return handle_ && GetCapture() == handle_; }

void WinControl::SetMouseCapture(bool capture) {
    if (capture) SetCapture(Handle());
    else if (handle_ && GetCapture() == handle_) ReleaseCapture();
}

void WinControl::InsertControl(Control& control) {
    controls_.push_back(&control);
    if (auto* windowed = dynamic_cast<WinControl*>(&control)) {
        windowed->tabOrder_ = static_cast<int>(windowed_.size());
        windowed_.push_back(windowed);
    }
}

void WinControl::RemoveControl(Control& control) noexcept {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    windowed_.erase(std::remove(windowed_.begin(), windowed_.end(), &control), windowed_.end());
    for (size_t i = 0; i < windowed_.size(); ++i) windowed_[i]->tabOrder_ = static_cast<int>(i);
    if (captureControl_ == &control) captureControl_ = nullptr;
}

void WinControl::SetTabOrder(int order) {
    WinControl* parent = Parent();
    if (!parent) {
        tabOrder_ = order;
        return;
    }
    auto& list = parent->windowed_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    size_t at = order < 0 ? list.size() : std::min(static_cast<size_t>(order), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
    for (size_t i = 0; i < list.size(); ++i) {
        list[i]->tabOrder_ = static_cast<int>(i);
        // The window order follows the tab order, as the system's dialog navigation expects.
        if (list[i]->handle_)
            SetWindowPos(list[i]->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void WinControl::SetTabStop(bool value) {
    tabStop_ = value;
    if (handle_) {
        LONG style = GetWindowLongA(handle_, GWL_STYLE);
        SetWindowLongA(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

std::vector<WinControl*> WinControl::TabOrderList() const {
    std::vector<WinControl*> list;
    for (WinControl* child : windowed_) {
        if (child->tabStop_) list.push_back(child);
        std::vector<WinControl*> inner = child->TabOrderList();
        list.insert(list.end(), inner.begin(), inner.end());
    }
    return list;
}

Control* WinControl::GraphicControlAt(POINT point) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* child = *it;
        if (!dynamic_cast<GraphicControl*>(child) || !child->Visible() || !child->Enabled()) continue;
        RECT bounds = child->BoundsRect();
        if (PtInRect(&bounds, point)) return child;
    }
    return nullptr;
}

bool WinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool WinControl::CanFocus() const {
    for (const Control* at = this; at; at = at->Parent())
        if (!at->Visible() || !at->Enabled()) return false;
    return true;
}

void WinControl::SetFocus() { ::SetFocus(Handle()); }

void WinControl::PaintTo(HDC dc) {
    EraseBackground(dc);
    PaintWindow(dc);
    PaintControls(dc);
}

void WinControl::PaintControls(HDC dc) {
    for (Control* child : controls_) {
        auto* graphic = dynamic_cast<GraphicControl*>(child);
        if (!graphic || !graphic->Visible()) continue;
        RECT bounds = graphic->BoundsRect();
        if (RectVisible(dc, &bounds)) graphic->PaintOn(dc);
    }
}

LRESULT WinControl::EraseBackground(HDC dc) {
    RECT rect{0, 0, ClientWidth(), ClientHeight()};
    ::FillRect(dc, &rect, ColorBrush());
    return 1;
}

HBRUSH WinControl::ColorBrush() {
    Color color = GetColor();
    if (!colorBrush_ || colorBrushOf_ != color) {
        colorBrush_.Reset(CreateSolidBrush(ColorToRGB(color)));
        colorBrushOf_ = color;
    }
    return colorBrush_.Get();
}

HBRUSH WinControl::ControlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(GetFont().Attributes().color));
    SetBkColor(dc, ColorToRGB(GetColor()));
    return ColorBrush();
}

void WinControl::DoEnter() {
    if (OnEnter) OnEnter(*this);
}

void WinControl::DoExit() {
    if (OnExit) OnExit(*this);
}

void WinControl::KeyDown(WORD& key, ShiftState shift) {
    if (OnKeyDown) OnKeyDown(*this, key, shift);
}

void WinControl::ColorChanged() {
    Invalidate();
    for (Control* child : controls_) child->ParentColorChanged();
}

void WinControl::FontChanged() {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), TRUE);
    Invalidate();
    for (Control* child : controls_) child->ParentFontChanged();
}

void WinControl::CaptionChanged() {
    if (handle_) SetWindowTextA(handle_, Caption().c_str());
    Invalidate();
}

void WinControl::AlignControls() {
    for (Control* child : controls_)
        if (child->GetAlign() == Align::alClient) child->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

void CustomControl::PaintWindow(HDC dc) {
    CanvasLock lock(canvas_, dc);
    canvas_.SetFont(GetFont().Attributes());
    Paint();
}

}  // namespace platform
