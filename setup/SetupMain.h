#pragma once
// The background form TFormBackground: full screen, painted with a blue to
// white gradient; at the first idle moment of the message loop it runs the
// installation once and then closes, which ends the program.

#include "controls/FileOperation.h"
#include "controls/OpaquePaint.h"
#include "platform/Form.h"

#include <cstdint>
#include <exception>
#include <string>

// The settings file's section.
inline constexpr char kSettingsSection[] = "Setup";

// The settings file: the running program's path with the extension ".ini".
std::string SettingsFilePath();

// The archiver library's one entry.
using UnlhaFunction = int(WINAPI*)(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize);

class TFormBackground : public platform::Form {
public:
    explicit TFormBackground(platform::Component* owner);
    std::string ClassName() const override { return "TFormBackground"; }

    TOpaquePaintBox* OpaquePaintBox1;
    controls::TFileOperation* FileOperation;

    std::string ProjectName;
    std::string GameTitle;
    std::int32_t DiskNumber = 0;
    HMODULE UnlhaLibrary = nullptr;
    UnlhaFunction Unlha = nullptr;

    void FormCreate(platform::Component& sender);
    void OpaquePaintBox1Paint(platform::Component& sender);
    void ApplicationIdle();
    void ApplicationException(const std::exception& error);
    void Install();
};

extern TFormBackground* FormBackground;
