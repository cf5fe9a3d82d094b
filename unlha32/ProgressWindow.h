#pragma once
// What extraction reports as it goes, and the progress window that shows it.

#include <windows.h>

#include <cstdint>
#include <string>

namespace unlha32 {

class Progress {
public:
    virtual ~Progress() = default;
    virtual void Member(const std::string&) {}
    // `bytes` more of the members' data are done. May raise Failure (kCancelled).
    virtual void Advance(uint64_t) {}
};

// A small window owned by the caller's window: the archive, the current
// member, a bar, and a cancel button. While it is up, the owner is disabled
// and the thread's messages are handled between pieces of work; a click on
// cancel (or closing the window) makes the next Advance raise kCancelled.
class ProgressWindow : public Progress {
public:
    ProgressWindow(HINSTANCE module, HWND owner, const std::string& archive, uint64_t totalBytes);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void Member(const std::string& name) override;
    void Advance(uint64_t bytes) override;

protected:
    // The one place where the window's messages arrive.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnCancel();

private:
    static INT_PTR CALLBACK Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PumpMessages();
    void CheckCancelled();

    HWND owner_;
    bool ownerWasEnabled_ = false;
    HWND window_ = nullptr;
    uint64_t total_;
    uint64_t done_ = 0;
    bool cancelled_ = false;
    bool quitSeen_ = false;
    WPARAM quitCode_ = 0;
};

}  // namespace unlha32
