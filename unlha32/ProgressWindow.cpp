#include "unlha32/ProgressWindow.h"

#include "unlha32/ResourceIds.h"
#include "unlha32/ResultCode.h"

#include <commctrl.h>

namespace unlha32 {

namespace {
constexpr int kBarSteps = 1000;
}

ProgressWindow::ProgressWindow(HINSTANCE module, HWND owner, const std::string& archive, uint64_t totalBytes)
    : owner_(owner), total_(totalBytes) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    window_ = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_PROGRESS), owner, Dispatch,
                                 reinterpret_cast<LPARAM>(this));
    if (!window_) return;  // no window is no reason to fail the extraction
    SetDlgItemTextA(window_, IDC_ARCHIVE, archive.c_str());
    SendDlgItemMessageA(window_, IDC_BAR, PBM_SETRANGE32, 0, kBarSteps);
    // Like a modal window: the owner takes no input meanwhile.
    ownerWasEnabled_ = !EnableWindow(owner_, FALSE);
    PumpMessages();
}

ProgressWindow::~ProgressWindow() {
    if (!window_) return;
    if (ownerWasEnabled_) EnableWindow(owner_, TRUE);
    DestroyWindow(window_);
    if (quitSeen_) PostQuitMessage(static_cast<int>(quitCode_));
}

void ProgressWindow::Member(const std::string& name) {
    if (window_) SetDlgItemTextA(window_, IDC_MEMBER, name.c_str());
    PumpMessages();
    CheckCancelled();
}

void ProgressWindow::Advance(uint64_t bytes) {
    done_ += bytes;
    if (window_ && total_ > 0) {
        auto step = static_cast<WPARAM>(done_ >= total_ ? kBarSteps : done_ * kBarSteps / total_);
        SendDlgItemMessageA(window_, IDC_BAR, PBM_SETPOS, step, 0);
    }
    PumpMessages();
    CheckCancelled();
}

INT_PTR ProgressWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

void ProgressWindow::OnCancel() {
    cancelled_ = true;
    if (window_) EnableWindow(GetDlgItem(window_, IDCANCEL), FALSE);
}

INT_PTR CALLBACK ProgressWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

void ProgressWindow::PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Handed back to the caller's loop once we are done; we stop here.
            quitSeen_ = true;
            quitCode_ = message.wParam;
            cancelled_ = true;
            break;
        }
        if (window_ && IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ProgressWindow::CheckCancelled() {
    if (cancelled_) throw Failure(kCancelled, "cancelled");
}

}  // namespace unlha32
