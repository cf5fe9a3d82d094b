#include "setup/SetupMain.h"

#include "dialogs/FirstDialog.h"
#include "platform/Application.h"
#include "platform/IniFile.h"
#include "resources/BackgroundLayout.h"

using namespace platform;

TFormBackground* FormBackground = nullptr;

std::string SettingsFilePath() { return ProgramPathWithExtension(".ini"); }

TFormBackground::TFormBackground(Component* owner) : Form(owner) {
    BuildForm(*this, layouts::kBackground, [](Form& form, const ControlLayout& layout) -> Control* {
        if (std::string_view(layout.className) != "TOpaquePaintBox") return nullptr;
        auto& box = form.Create<TOpaquePaintBox>();
        box.SetOpaque((layout.flags & lfOpaque) != 0);
        return &box;
    });
    OpaquePaintBox1 = &Find<TOpaquePaintBox>("OpaquePaintBox1");
    // The shell copies from the medium; it starts with no options.
    FileOperation = &Create<controls::TFileOperation>();
    FileOperation->SetName("FileOperation");
    OpaquePaintBox1->OnPaint = [this](Component& sender) { OpaquePaintBox1Paint(sender); };
    OnCreate = [this](Component& sender) { FormCreate(sender); };
}

void TFormBackground::FormCreate(Component&) {
    SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    IniFile settings(SettingsFilePath());
    ProjectName = settings.ReadString(kSettingsSection, "ProjectName", "");
    GameTitle = settings.ReadString(kSettingsSection, "GameTitle", "");
    DiskNumber = settings.ReadInteger(kSettingsSection, "DiskNumber", 0);
    Application::Instance().OnIdle = [this] { ApplicationIdle(); };
}

void TFormBackground::OpaquePaintBox1Paint(Component&) {
    Canvas& canvas = OpaquePaintBox1->GetCanvas();
    const int width = ClientWidth();
    const int height = ClientHeight();
    Pen& pen = canvas.GetPen();
    pen.style = PenStyle::psInsideFrame;
    pen.width = height / 64 + 2;
    for (int i = 0; i < 64; ++i) {
        pen.color = RGB(4 * i, 4 * i, 128 + 2 * i);
        const int y = i * height / 63;
        canvas.MoveTo(0, y);
        canvas.LineTo(width, y);
    }
}

void TFormBackground::ApplicationIdle() {
    Application& application = Application::Instance();
    application.OnIdle = nullptr;
    application.OnException = [this](const std::exception& error) { ApplicationException(error); };
    if (!ProjectName.empty() && !GameTitle.empty()) Install();
    Close();
}

void TFormBackground::ApplicationException(const std::exception& error) {
    Application::Instance().ShowException(error);
    Close();
}

void TFormBackground::Install() {
    FormFirstDialog->ProjectName = ProjectName;
    FormFirstDialog->GameTitle = GameTitle;
    if (FormFirstDialog->ShowModal() == mrCancel) return;
}
