#pragma once
// What Unlha returns, and the failures that carry a code of their own.

#include "lha/Error.h"

#include <stdexcept>
#include <string>

namespace unlha32 {

enum ResultCode : int {
    kSuccess = 0,
    kCannotOpenArchive = 1,
    kNotAnArchive = 2,
    kDamagedArchive = 3,
    kCrcError = 4,
    kUnsafeName = 5,
    kCannotWrite = 6,
    kCancelled = 7,
    kBadCommand = 8,
    kUnsupportedMethod = 9,
};

// A failure with its result code and the detail (in the system code page).
class Failure : public std::runtime_error {
public:
    Failure(ResultCode code, const std::string& detail) : std::runtime_error(detail), code_(code) {}
    ResultCode Code() const noexcept { return code_; }

private:
    ResultCode code_;
};

ResultCode CodeOf(lha::ErrorKind kind);

}  // namespace unlha32
