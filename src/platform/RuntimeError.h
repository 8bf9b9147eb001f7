// Run-time errors: the one way a failing runtime operation reports itself to program code.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Error numbers the runtime raises; the program never looks at them, but tests and the
// default handler of an unhandled error do.
enum class ErrorNumber : std::int32_t {
    InvalidProcedureCall = 5,  // bad argument, e.g. a string cut at a missing NUL
    Overflow = 6,              // a number that does not fit its type
    OutOfMemory = 7,
    FileNotFound = 53,           // a program that cannot be started
    FormAlreadyDisplayed = 400,  // modal Show of a form that is already shown
    ResourceNotFound = 326,      // a string id that is not in the table
    InvalidPropertyValue = 380,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorNumber number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    ErrorNumber number() const { return number_; }

private:
    ErrorNumber number_;
};

// Thrown by End(): it unwinds past every error mode of the program, straight to the
// process's entry point, which then ends the process.
struct EndRequested {};
