#pragma once

#include <string>

namespace kestrane {

// Where spoken texts go: on the screen, a live region that the user's
// screen reader reads out when it changes.
class Announcer {
 public:
  virtual void announce(const std::string& text) = 0;

 protected:
  ~Announcer() = default;
};

}  // namespace kestrane
