#pragma once
// Forms: top-level windows that own their controls. A form shows itself
// modelessly or modally (a nested message loop with every other window of the
// program disabled), moves the focus in tab order, and answers Enter and Esc
// through its default and cancel buttons.

#include "platform/WinControl.h"

namespace platform {

class Button;

enum class BorderStyle { bsNone, bsDialog };
enum class Position { poDesigned, poScreenCenter };

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

class Form : public CustomControl {
public:
    // The window owner is the owning form when the owner is one, else the
    // application window.
    explicit Form(Component* owner);
    std::string ClassName() const override { return "TForm"; }

    void AfterConstruction() override;  // fires OnCreate
    void BeforeDestruction() override;  // fires OnDestroy, then destroys the window

    BorderStyle GetBorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(BorderStyle style);
    Position GetPosition() const noexcept { return position_; }
    void SetPosition(Position position) { position_ = position; }
    // Sets the outer size so that the client area gets this size.
    void SetClientSize(int width, int height);
    int ClientWidth() const override;
    int ClientHeight() const override;

    // Fires OnShow, then shows the window (centred first with poScreenCenter).
    void Show();
    void Hide();
    void SetVisible(bool visible) override;

    // A modal form ends its loop with mrCancel; the main form ends the
    // application's loop; any other form hides.
    void Close();

    // Shows the form and runs a nested message loop until ModalResult is set
    // (or the application ends, which gives mrCancel). Every other enabled
    // window of the program is disabled meanwhile.
    int ShowModal();
    bool Modal() const noexcept { return modal_; }
    int ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(int result);

    // Destroys the form once control is back in a message loop.
    void Release();

    // The control that has (or last had) the focus on this form.
    WinControl* ActiveControl() const;
    // Focuses the next (or previous) control in tab order after `current`.
    void SelectNext(WinControl* current, bool forward);

    // Keyboard navigation for a key message bound for this form: Tab and the
    // arrow keys move the focus, Enter clicks the focused button or else the
    // default button, Esc the cancel button. True when the key was used.
    bool DialogKey(const MSG& message);

    // Called by a control of this form that received the focus.
    void FocusChanged(WinControl& control);

    NotifyEvent OnCreate;
    NotifyEvent OnShow;
    NotifyEvent OnDestroy;

protected:
    void CreateParams(platform::CreateParams& params) override;
    void WndProc(Message& message) override;

private:
    void FrameStyle(DWORD& style, DWORD& exStyle) const;
    SIZE FrameSize() const;
    std::vector<Button*> Buttons() const;
    Button* DefaultButton() const;
    void FocusFirst();

    BorderStyle borderStyle_ = BorderStyle::bsDialog;
    Position position_ = Position::poDesigned;
    bool modal_ = false;
    int modalResult_ = mrNone;
    HWND activeWindow_ = nullptr;
};

}  // namespace platform
