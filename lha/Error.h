#pragma once
// Errors of the codec. Each carries the message that names what is wrong and a
// kind, so that a front end can map it to its own status codes.

#include <stdexcept>
#include <string>

namespace lha {

enum class ErrorKind {
    NotAnArchive,       // the data does not start with an LHA header
    BadHeader,          // a header is truncated, inconsistent or fails its checksum
    BadData,            // compressed data that cannot be decoded
    CrcMismatch,        // decoded data whose CRC-16 differs from the header's
    UnsupportedMethod,  // a method this codec does not decode
    UnsafeName,         // a member path that would leave the destination folder
    Read,               // the archive could not be read
    Write,              // the output could not be written
};

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind Kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// Runs `step`; an error it raises comes out with the member's name, from
// `memberName()`, in front of its message. The name is made only then.
template <typename Step, typename MemberName>
void NamingMember(MemberName&& memberName, Step&& step) {
    try {
        step();
    } catch (const Error& error) {
        throw Error(error.Kind(), memberName() + ": " + error.what());
    }
}

}  // namespace lha
