#pragma once
// Turns a member's stored path into folder and file names that are safe to
// create below a destination folder.

#include "lha/Header.h"

#include <functional>
#include <string>
#include <vector>

namespace lha {

// Tells whether a byte starts a double-byte character in the names' code page;
// a separator byte that follows one is that character's second byte.
using LeadByteTest = std::function<bool(uint8_t)>;

// No double-byte characters (UTF-8 and single-byte code pages).
bool NoLeadBytes(uint8_t);

// Splits a stored path at '\', '/' and 0xFF. Empty and "." steps are dropped.
// A path that starts with a separator keeps an empty first step, which marks
// it as absolute for CheckSafePath.
std::vector<std::string> SplitPath(const std::string& path, const LeadByteTest& isLeadByte);

// Raises lha::Error (UnsafeName) for a link, an absolute path, a drive or
// server part, a ".." step, a step that the system would read as such, a
// device name, or an empty path.
void CheckSafeMember(const Header& header, const std::vector<std::string>& steps);

// SplitPath and CheckSafeMember in one.
std::vector<std::string> SafeMemberPath(const Header& header, const LeadByteTest& isLeadByte);

}  // namespace lha
