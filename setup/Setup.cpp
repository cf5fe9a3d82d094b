#include "setup/Setup.h"

#include "dialogs/FirstDialog.h"
#include "platform/Application.h"
#include "platform/IniFile.h"
#include "platform/Strings.h"
#include "resources/StringIds.h"
#include "setup/SetupMain.h"

using namespace platform;

int RunSetup() {
    IniFile settings(SettingsFilePath());
    const std::string projectName = settings.ReadString(kSettingsSection, "ProjectName", "");
    const std::string gameTitle = settings.ReadString(kSettingsSection, "GameTitle", "");
    if (projectName.empty() || gameTitle.empty()) return 0;

    Application& application = Application::Instance();
    try {
        application.Initialize();
        application.SetTitle(LoadResString(IDS_APP_TITLE));
        FormBackground = &application.CreateForm<TFormBackground>();
        FormFirstDialog = &application.CreateForm<TFormFirstDialog>();
        application.Run();
    } catch (...) {
        application.HandleException(std::current_exception());
    }
    application.Shutdown();
    FormBackground = nullptr;
    FormFirstDialog = nullptr;
    return 0;
}
