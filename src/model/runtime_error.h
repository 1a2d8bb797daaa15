#pragma once

#include <stdexcept>
#include <string>

namespace kestrane {

// The run-time error a failing step of a handler raises. No handler catches
// it: the window's event dispatch reports it and ends the program.
class RuntimeError : public std::runtime_error {
 public:
  // Error numbers the program raises, with the platform's usual meaning.
  enum Number : int {
    Overflow = 6,
    OutOfMemory = 7,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InvalidProcedureCall = 5,
    ObjectRequired = 424,
    SettingsStore = 70,   // permission denied when the store refuses a write
    Platform = 51,        // internal error: a platform call failed
  };

  RuntimeError(Number number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  Number number() const { return number_; }

 private:
  Number number_;
};

}  // namespace kestrane
