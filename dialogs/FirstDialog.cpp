#include "dialogs/FirstDialog.h"

#include "platform/Strings.h"
#include "resources/FirstDialogLayout.h"

using namespace platform;

TFormFirstDialog* FormFirstDialog = nullptr;

TFormFirstDialog::TFormFirstDialog(Component* owner) : Form(owner) {
    BuildForm(*this, layouts::kFirstDialog);
    ButtonStart = &Find<Button>("ButtonStart");
    ButtonCancel = &Find<Button>("ButtonCancel");
    GroupBox1 = &Find<GroupBox>("GroupBox1");
    Label1 = &Find<Label>("Label1");
    Label2 = &Find<Label>("Label2");
    GroupBox2 = &Find<GroupBox>("GroupBox2");
    CheckBox1 = &Find<CheckBox>("CheckBox1");
    CheckBox2 = &Find<CheckBox>("CheckBox2");
    ButtonStart->OnClick = [this](Component& sender) { ButtonStartClick(sender); };
}

void TFormFirstDialog::ButtonStartClick(Component&) {
    RegisterProgram = CheckBox1->Checked();
    PrepareUninstall = CheckBox2->Checked();
}

Registry OpenProductKey() {
    Registry registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CURRENT_USER);
    registry.OpenKey(kProductKey, true);
    return registry;
}

bool ReadOption(const Registry& key, const std::string& name) {
    std::optional<DWORD> type = key.ValueType(name);
    if (!type) return false;
    if (*type == REG_SZ) return ParseInteger(key.ReadString(name)).value_or(0) != 0;
    // Any type but REG_DWORD raises the registry's type error here.
    return key.ReadDword(name) != 0;
}

void WriteOption(Registry& key, const std::string& name, bool value) { key.WriteString(name, value ? "1" : "0"); }
