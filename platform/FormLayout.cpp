#include "platform/FormLayout.h"

#include "platform/Error.h"
#include "platform/StdCtrls.h"
#include "platform/Strings.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace platform {

namespace {

Control& MakeControl(Form& form, const ControlLayout& layout, const ControlFactory& makeOther) {
    std::string_view name = layout.className;
    if (name == "TButton") {
        auto& button = form.Create<Button>();
        button.SetDefault((layout.flags & lfDefault) != 0);
        button.SetCancel((layout.flags & lfCancel) != 0);
        button.SetModalResult(layout.modalResult);
        return button;
    }
    if (name == "TCheckBox") {
        auto& box = form.Create<CheckBox>();
        box.SetChecked((layout.flags & lfChecked) != 0);
        return box;
    }
    if (name == "TGroupBox") return form.Create<GroupBox>();
    if (name == "TLabel") {
        auto& label = form.Create<Label>();
        if (layout.flags & lfCentered) label.SetAlignment(Alignment::taCenter);
        return label;
    }
    if (makeOther)
        if (Control* made = makeOther(form, layout)) return *made;
    throw InvalidCastError();
}

}  // namespace

void BuildForm(Form& form, const FormLayout& layout, const ControlFactory& makeOther) {
    form.SetName(layout.name);
    form.SetBorderStyle(layout.border);
    form.SetPosition(layout.position);
    form.SetBounds(layout.left, layout.top, form.Width(), form.Height());
    form.SetClientSize(layout.clientWidth, layout.clientHeight);
    form.SetColor(layout.color);
    form.SetFont(FontAttributes{layout.font.charset, layout.font.height, LoadResString(layout.font.faceId),
                          layout.font.color});
    form.SetCaption(LoadResString(layout.captionId));

    std::vector<std::pair<const ControlLayout*, WinControl*>> ordered;
    for (const ControlLayout& entry : layout.controls) {
        Control& control = MakeControl(form, entry, makeOther);
        control.SetName(entry.name);
        control.SetBounds(entry.left, entry.top, entry.width, entry.height);
        if (entry.captionId) control.SetCaption(LoadResString(entry.captionId));
        if (entry.color != kParentColor) control.SetColor(entry.color);
        if (entry.flags & lfAlignClient) control.SetAlign(Align::alClient);
        WinControl& parent = entry.parent ? form.Find<WinControl>(entry.parent) : form;
        control.SetParent(&parent);
        if (auto* windowed = dynamic_cast<WinControl*>(&control)) {
            if (entry.flags & lfTabStop) windowed->SetTabStop(true);
            if (entry.tabOrder >= 0) ordered.emplace_back(&entry, windowed);
        }
    }
    // Placed in rising order, each control lands at its own position among its siblings.
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first->tabOrder < b.first->tabOrder; });
    for (const auto& [entry, control] : ordered) control->SetTabOrder(entry->tabOrder);
}

}  // namespace platform
