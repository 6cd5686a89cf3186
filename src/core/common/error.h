// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace krnz {

// Run-time error numbers the program reports. They follow the numbering users of the
// instrument software know from its message boxes.
enum ErrorNumber : int {
    kErrOverflow = 6,
    kErrOutOfMemory = 7,
    kErrSubscript = 9,
    kErrDivisionByZero = 11,
    kErrTypeMismatch = 13,
    kErrFileNotFound = 53,
    kErrDeviceIo = 57,
    kErrPermissionDenied = 70,
    kErrBadRecordNumber = 63,
    kErrPathFileAccess = 75,
    kErrInvalidProcedureCall = 5,
    kErrProgram = 4711,  // conditions the program raises itself ("file corrupt", ...)
};

// A failing operation throws this; the handler that started the operation reports it.
class Error : public std::runtime_error {
  public:
    Error(int number, const std::string& text) : std::runtime_error(text), m_number(number) {}

    int number() const { return m_number; }
    std::string text() const { return what(); }

  private:
    int m_number;
};

// The file was read, but what it holds cannot be an event (or a part of one): the caller
// reports it as corrupt. Failures to reach the file at all stay plain Errors.
class CorruptFile : public Error {
  public:
    using Error::Error;
};

[[noreturn]] inline void throwOverflow() {
    throw Error(kErrOverflow, "Overflow");
}
[[noreturn]] inline void throwSubscript() {
    throw Error(kErrSubscript, "Subscript out of range");
}
[[noreturn]] inline void throwDivisionByZero() {
    throw Error(kErrDivisionByZero, "Division by zero");
}

}  // namespace krnz
