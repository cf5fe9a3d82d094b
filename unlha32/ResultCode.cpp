#include "unlha32/ResultCode.h"

namespace unlha32 {

ResultCode CodeOf(lha::ErrorKind kind) {
    switch (kind) {
    case lha::ErrorKind::NotAnArchive: return kNotAnArchive;
    case lha::ErrorKind::BadHeader:
    case lha::ErrorKind::BadData: return kDamagedArchive;
    case lha::ErrorKind::CrcMismatch: return kCrcError;
    case lha::ErrorKind::UnsupportedMethod: return kUnsupportedMethod;
    case lha::ErrorKind::UnsafeName: return kUnsafeName;
    case lha::ErrorKind::Read: return kCannotOpenArchive;
    case lha::ErrorKind::Write: return kCannotWrite;
    }
    return kDamagedArchive;
}

}  // namespace unlha32
