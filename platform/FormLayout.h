#pragma once
// A form's layout as data: the form's frame and a table of its controls.
// The tables live in resources/; BuildForm turns one into live controls, and
// the form's unit then binds its behaviour to them by name.

#include "platform/Form.h"

#include <functional>
#include <span>

namespace platform {

enum LayoutFlag : unsigned {
    lfDefault = 1u << 0,      // button: takes Enter
    lfCancel = 1u << 1,       // button: takes Esc
    lfChecked = 1u << 2,      // check box: checked
    lfAlignClient = 1u << 3,  // fills the parent's client area
    lfCentered = 1u << 4,     // label: text centred
    lfTabStop = 1u << 5,      // reachable with Tab
    lfOpaque = 1u << 6,       // paints its whole area (for controls that offer it)
};

// The control keeps its parent's colour.
constexpr Color kParentColor = 0x20000000u;

struct FontLayout {
    BYTE charset;
    int height;
    UINT faceId;  // string-table entry of the face name
    Color color;
};

struct ControlLayout {
    const char* className;  // "TButton", "TCheckBox", "TGroupBox", "TLabel", or one the form makes
    const char* name;
    const char* parent;  // name of the parent control; null for the form
    int left, top, width, height;
    int tabOrder;     // -1: none
    UINT captionId;   // string-table entry of the caption; 0: none
    unsigned flags = 0;
    int modalResult = 0;
    Color color = kParentColor;
};

struct FormLayout {
    const char* name;
    UINT captionId;
    BorderStyle border;
    Position position;
    int left, top, clientWidth, clientHeight;
    Color color;
    FontLayout font;
    std::span<const ControlLayout> controls;
};

// Makes a control of a class the builder does not know, owned by the form;
// returns null for an unknown class.
using ControlFactory = std::function<Control*(Form& form, const ControlLayout& layout)>;

// Applies the frame to the form and creates its controls (named, placed, in
// tab order). An unknown class raises InvalidCastError.
void BuildForm(Form& form, const FormLayout& layout, const ControlFactory& makeOther = {});

}  // namespace platform
