// Qelvar_RT.exe of the sample game: a stand-in for the runtime that shows, in
// one window, which game runs (the title in game.ini beside it) and from which
// folder. It lets a person or a test see that an installed game starts.

#include "tools/sample-game/RuntimeIds.h"

#include "platform/Handle.h"
#include "platform/PathText.h"
#include "platform/Strings.h"

#include <windows.h>

#include <string>

namespace {

using platform::FormatResString;
using platform::LoadResString;

const char kWindowClass[] = "QelvarSampleRuntime";

// The folder of this program, with its trailing backslash; the path is in the
// system code page, where a backslash may be the second byte of a character.
std::string ProgramFolder() {
    char path[MAX_PATH];
    std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return program.substr(0, pathtext::LastDelimiter(program, "\\") + 1);
}

std::string GameTitle(const std::string& folder) {
    char title[256];
    GetPrivateProfileStringA("Game", "Title", "", title, sizeof title, (folder + "game.ini").c_str());
    return title[0] ? title : LoadResString(IDS_RUNTIME_UNNAMED);
}

class RuntimeWindow {
public:
    RuntimeWindow(const std::string& title, const std::string& folder)
        : lines_(FormatResString(IDS_RUNTIME_RUNNING, title.c_str()) + "\r\n\r\n" +
                 FormatResString(IDS_RUNTIME_FOLDER, folder.c_str())),
          font_(CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, HANGEUL_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            LoadResString(IDS_RUNTIME_FONT).c_str())) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);
        CreateWindowA(kWindowClass, FormatResString(IDS_RUNTIME_CAPTION, title.c_str()).c_str(),
                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 560, 200, nullptr, nullptr,
                      GetModuleHandleA(nullptr), this);
    }

    static int Run() {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return 0;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<RuntimeWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        switch (message) {
        case WM_PAINT:
            if (self) {
                self->Paint(window);
                return 0;
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Paint(HWND window) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HGDIOBJ oldFont = SelectObject(dc, font_.Get());
        RECT area;
        GetClientRect(window, &area);
        InflateRect(&area, -16, -16);
        DrawTextA(dc, lines_.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        EndPaint(window, &paint);
    }

    std::string lines_;
    platform::FontHandle font_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string folder = ProgramFolder();
    RuntimeWindow window(GameTitle(folder), folder);
    return RuntimeWindow::Run();
}
