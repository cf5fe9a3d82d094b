#pragma once
// Error objects of the platform: each carries the message text that the
// standard error box shows (in the system code page). Code raises them where a
// failure happens and does not catch them; the application's exception
// handling shows them.

#include <windows.h>

#include <exception>
#include <string>

namespace platform {

class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A system call failed; carries its GetLastError code and the system's text.
class SystemError : public Error {
public:
    explicit SystemError(DWORD code);
    DWORD Code() const noexcept { return code_; }

private:
    DWORD code_;
};

// A COM or shell call failed: the system's text for the HRESULT, or
// "OLE 에러 %.8x" where the system has none.
class OleError : public Error {
public:
    explicit OleError(HRESULT code);
    HRESULT Code() const noexcept { return code_; }

private:
    HRESULT code_;
};

// Raises OleError for a failure code; returns the code otherwise.
HRESULT OleCheck(HRESULT code);

// An object does not offer the interface asked for.
class InterfaceError : public Error {
public:
    InterfaceError();
};

class RegistryError : public Error {
public:
    using Error::Error;
};

// File errors name the file.
class FileCreateError : public Error {
public:
    explicit FileCreateError(const std::string& path);
};

class FileOpenError : public Error {
public:
    explicit FileOpenError(const std::string& path);
};

// A read delivered nothing although the file's end was not reached.
class FileReadError : public Error {
public:
    explicit FileReadError(const std::string& path);
};

// The program lacks a resource of its own; names it.
class ResourceNotFoundError : public Error {
public:
    explicit ResourceNotFoundError(const std::string& name);
};

class StreamWriteError : public Error {
public:
    StreamWriteError();
};

class InvalidCastError : public Error {
public:
    InvalidCastError();
};

class OutOfMemoryError : public Error {
public:
    OutOfMemoryError();
};

}  // namespace platform
