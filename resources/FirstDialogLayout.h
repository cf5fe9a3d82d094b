#pragma once
// Layout of the start dialog FormFirstDialog (pixels, relative to the
// parent's client area). The path box DashBox1 inside GroupBox1 comes with
// its control.

#include "platform/FormLayout.h"
#include "resources/StringIds.h"

namespace layouts {

using namespace platform;

inline constexpr ControlLayout kFirstDialogControls[] = {
    // class, name, parent, left, top, width, height, tab order, caption, flags, modal result
    {"TButton", "ButtonStart", nullptr, 64, 184, 121, 33, 2, IDS_START_BUTTON, lfDefault, mrOk},
    {"TButton", "ButtonCancel", nullptr, 200, 184, 121, 33, 3, IDS_CANCEL_BUTTON, lfCancel, mrCancel},
    {"TGroupBox", "GroupBox1", nullptr, 8, 56, 369, 41, 0, IDS_BASE_FOLDER_GROUP},
    {"TLabel", "Label1", nullptr, 8, 12, 369, 12, -1, 0, lfCentered},
    {"TLabel", "Label2", nullptr, 8, 28, 369, 12, -1, 0, lfCentered},
    {"TGroupBox", "GroupBox2", nullptr, 8, 104, 369, 61, 1, IDS_OPTIONS_GROUP},
    {"TCheckBox", "CheckBox1", "GroupBox2", 8, 16, 353, 17, 0, IDS_REGISTER_PROGRAM, lfChecked},
    {"TCheckBox", "CheckBox2", "GroupBox2", 8, 36, 353, 17, 1, IDS_PREPARE_UNINSTALL, lfChecked},
};

inline constexpr FormLayout kFirstDialog{
    "FormFirstDialog", IDS_FIRST_DIALOG_CAPTION, BorderStyle::bsDialog, Position::poScreenCenter,
    0, 0, 385, 233, clBtnFace, {HANGEUL_CHARSET, -12, IDS_FORM_FONT_FACE, clWindowText},
    kFirstDialogControls,
};

}  // namespace layouts
