#pragma once
// The standard controls of our forms: push button and check box (system
// BUTTON windows that we subclass), group box (painted by us, holds
// controls) and label (windowless text).

#include "platform/WinControl.h"

namespace platform {

class Button : public WinControl {
public:
    explicit Button(Component* owner);
    std::string ClassName() const override { return "TButton"; }

    // The default button takes Enter, the cancel button Esc.
    bool Default() const noexcept { return default_; }
    void SetDefault(bool value);
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // Set on the form after OnClick; 0 leaves the form's result alone.
    int ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // Shows the button with the default frame or without it.
    void SetActive(bool active);

    void Click() override;

protected:
    void CreateParams(platform::CreateParams& params) override;
    void CommandNotify(WORD code) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    int modalResult_ = 0;
};

class CheckBox : public WinControl {
public:
    explicit CheckBox(Component* owner);
    std::string ClassName() const override { return "TCheckBox"; }

    bool Checked() const;
    void SetChecked(bool value);

protected:
    void CreateParams(platform::CreateParams& params) override;
    void CommandNotify(WORD code) override;
    void HandleCreated() override;

private:
    bool checked_ = false;  // kept while there is no window
};

class GroupBox : public CustomControl {
public:
    explicit GroupBox(Component* owner);
    std::string ClassName() const override { return "TGroupBox"; }

protected:
    void CreateParams(platform::CreateParams& params) override;
    void Paint() override;
};

enum class Alignment { taLeftJustify, taRightJustify, taCenter };

// A line of text of fixed size, drawn on its parent's background colour.
// Ampersands are shown as they are.
class Label : public GraphicControl {
public:
    explicit Label(Component* owner);
    std::string ClassName() const override { return "TLabel"; }

    Alignment GetAlignment() const noexcept { return alignment_; }
    void SetAlignment(Alignment alignment);

protected:
    void Paint() override;

private:
    Alignment alignment_ = Alignment::taLeftJustify;
};

}  // namespace platform
