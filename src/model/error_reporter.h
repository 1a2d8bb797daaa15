#pragma once

#include "runtime_error.h"

namespace kestrane {

// Tells the user about a run-time error that ends the program.
class ErrorReporter {
 public:
  virtual void report(const RuntimeError& error) = 0;

 protected:
  ~ErrorReporter() = default;
};

}  // namespace kestrane
