#pragma once
// The start dialog TFormFirstDialog and the product registry key in which the
// user's last choice of the two options persists.

#include "platform/Form.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"

class TFormFirstDialog : public platform::Form {
public:
    explicit TFormFirstDialog(platform::Component* owner);
    std::string ClassName() const override { return "TFormFirstDialog"; }

    platform::Button* ButtonStart;
    platform::Button* ButtonCancel;
    platform::GroupBox* GroupBox1;
    platform::Label* Label1;
    platform::Label* Label2;
    platform::GroupBox* GroupBox2;
    platform::CheckBox* CheckBox1;  // shortcut option
    platform::CheckBox* CheckBox2;  // uninstall option

    // Set by the caller before showing.
    std::string ProjectName;
    std::string GameTitle;
    // Handed back after the OK result.
    std::string BaseFolder;
    bool RegisterProgram = false;
    bool PrepareUninstall = false;

    void ButtonStartClick(platform::Component& sender);
};

extern TFormFirstDialog* FormFirstDialog;

// The product registry key and its values.
inline constexpr char kProductKey[] = "Software\\Vantrel\\Qelvar";
inline constexpr char kApplicationPathValue[] = "ApplicationPath";
inline constexpr char kRegisterProgramOptionValue[] = "RegisterProgramOption";
inline constexpr char kPrepareUninstallOptionValue[] = "PrepareUninstallOption";

// HKEY_CURRENT_USER\Software\Vantrel\Qelvar with full access, created when it
// is missing (also for reading). Without the key, reads find nothing and
// writes raise the registry's write error.
platform::Registry OpenProductKey();

// An option value: REG_SZ as an integer (text that is no integer is off),
// REG_DWORD as its number; on when not 0, off when missing. Another stored
// type raises the registry's type error naming the value.
bool ReadOption(const platform::Registry& key, const std::string& name);

// Writes "1" or "0" as REG_SZ.
void WriteOption(platform::Registry& key, const std::string& name, bool value);
