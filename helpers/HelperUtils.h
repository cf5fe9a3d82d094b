#pragma once
// The setup program's helper routines: folders and paths, drive checks and
// the joining of archive volumes. Paths are byte strings in the system's ANSI
// code page; a folder that a routine returns ends with a backslash that is a
// character of its own ("folder form").
//
// Linking this unit also binds the archiver library UNLHA32.DLL: it is loaded
// before the program's main code runs and released when the program ends.

#include <windows.h>

#include <cstdint>
#include <string>

namespace platform {
class Form;
}

namespace helpers {

// The path in folder form: a backslash is appended unless the last character
// is a backslash of its own (not the second byte of a double-byte character).
std::string AddTrailingDelimiter(const std::string& path);

// The running program's folder, up to and including the last backslash.
std::string GetSetupFolder();
std::string GetWindowsFolder();
std::string GetTempFolder();
// HKLM\Software\Microsoft\Windows\CurrentVersion\ProgramFilesDir as stored, in
// folder form; "\" when the key or value is missing or the key is refused.
// A value of a non-string type raises the registry's type error.
std::string GetProgramFilesFolder();

// The file-system path of a shell special folder (a CSIDL) in folder form. A
// failing shell call raises an OleError carrying its code.
std::string GetSpecialFolder(int csidl);
// The current user's Start-menu Programs folder.
std::string GetProgramsFolder();

// True when the path names an existing folder (with or without its final
// backslash; a drive root counts).
bool FolderExists(const std::string& path);

// Creates every missing level of an absolute path, outermost first. False when
// a level could not be created (the levels made before it stay). An empty path
// raises "디렉토리를 작성할 수 없습니다".
bool CreateFolderPath(const std::string& path);

// A message box with the application title as caption; returns the button
// pressed (0 when the system showed no box). Without an owner the
// application's own message box shows it; with one, every enabled visible
// window of the thread is disabled while it is up, and the active window is
// made active again afterwards. Flags above bit 15 cannot be given.
int AppMessageBox(const std::string& text, std::uint16_t style, HWND owner = nullptr);
int ErrorMessageBox(const std::string& text, HWND owner = nullptr);     // OK, stop sign
int InfoMessageBox(const std::string& text, HWND owner = nullptr);      // OK, information
int QuestionMessageBox(const std::string& text, HWND owner = nullptr);  // Yes and No, question mark

// Moves the form over the middle of its owner form, then into the work area.
// An owner that is not a form raises InvalidCastError and nothing moves.
void CenterOnOwner(platform::Form& form);
// Moves the form so that its right and bottom edges lie within the primary
// screen's work area measured from (0, 0), then so that its left and top
// edges are not negative.
void FitIntoWorkArea(platform::Form& form);

// A to Z and a to z; no locale is consulted.
bool IsAsciiLetter(char c);

// The drive part of a path: "C:" of "C:\GAME", "\\server\share" of a network
// path, empty otherwise. The drive root is the drive part with one backslash
// appended ("\" for a path without a drive part: the current drive).
std::string DrivePart(const std::string& path);
std::string DriveRoot(const std::string& path);

// True when the root of the path's drive can be read as a folder. The system
// shows no box of its own (no insert-disk prompt) while it is asked.
bool IsDriveReady(const std::string& path);

// True when the path's drive is removable and its shell display name holds
// "FD" or "Floppy" after its first character.
bool IsFloppyDrive(const std::string& path);

// ".001", ".012", ".1000": a full stop and the volume number in at least
// three digits.
std::string VolumeSuffix(int number);

// Volume `number` of the archive: its extension (from a last dot after the last
// backslash and colon) replaced by the volume suffix, or the suffix appended
// when it has none.
std::string VolumePath(const std::string& archive, int number);

// Concatenates volumes 1 to `count` of `archive` (read beside it) into the
// file of the archive's name in `destination`. The output is created (or cut
// to length 0) first; errors name the file that failed, and what was written
// before stays.
void JoinVolumes(const std::string& archive, const std::string& destination, int count);

}  // namespace helpers
