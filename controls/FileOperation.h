#pragma once
// TFileOperation: a non-visual component that hands a file operation (in this
// program, a copy) to the shell, so that the user sees the shell's own progress
// window with its cancel button and the shell's own confirmations and errors.

#include "platform/Component.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace controls {

// The shell's behaviour flags, in this order; option i is bit i of the set.
enum TFileOperationOption : std::uint8_t {
    foMultiDestFiles,
    foSilent,
    foRenameOnCollision,
    foNoConfirmation,
    foAllowUndo,
    foFilesOnly,
    foNoConfirmMkdir,
    foNoErrorUI,
};

class TFileOperationOptions {
public:
    constexpr TFileOperationOptions() = default;
    constexpr TFileOperationOptions(std::initializer_list<TFileOperationOption> options) {
        for (TFileOperationOption option : options) bits_ |= static_cast<std::uint8_t>(1u << option);
    }
    constexpr bool Contains(TFileOperationOption option) const { return (bits_ >> option) & 1u; }
    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool operator==(const TFileOperationOptions&) const = default;

private:
    std::uint8_t bits_ = 0;
};

// The fFlags word of SHFILEOPSTRUCTA for a set of options.
FILEOP_FLAGS ShellFlags(TFileOperationOptions options);

// Paths the way the shell takes several in one string: each followed by a
// NUL, and one more NUL at the end ("P\0\0" for one path, "\0" for none).
std::string MakeFileList(const std::vector<std::string>& list);

class TFileOperation : public platform::Component {
public:
    explicit TFileOperation(platform::Component* owner);
    std::string ClassName() const override { return "TFileOperation"; }

    TFileOperationOptions Options() const noexcept { return options_; }
    void SetOptions(TFileOperationOptions options) noexcept { options_ = options; }

    const std::vector<std::string>& SourceList() const noexcept { return sourceList_; }
    const std::vector<std::string>& DestList() const noexcept { return destList_; }
    // Each replaces its list with the one path.
    void SetSource(const std::string& path);
    void SetDestination(const std::string& path);

    // Runs the shell operation (FO_MOVE, FO_COPY, FO_DELETE, FO_RENAME) on the
    // lists with the options, owned by the owner's window when the owner is a
    // windowed control, else by the application window. True when the shell
    // neither failed nor recorded an abort (such as a cancel in its progress
    // window).
    virtual bool Execute(UINT operation);
    bool Copy() { return Execute(FO_COPY); }

private:
    HWND OwnerWindow() const;

    std::vector<std::string> sourceList_;
    std::vector<std::string> destList_;
    TFileOperationOptions options_;
};

}  // namespace controls
