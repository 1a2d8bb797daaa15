#include "exit_code.h"

namespace kestrane {

int exitCodeForUntakenLaunch(unsigned long systemError) {
  constexpr unsigned long generalFailure = 31;  // ERROR_GEN_FAILURE
  return static_cast<int>(systemError <= 1 ? generalFailure : systemError);
}

}  // namespace kestrane
