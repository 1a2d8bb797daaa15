#pragma once

#include <cstdint>
#include <string>

#include "element.h"

namespace kestrane {

// The platform's handle of a window, as a plain value.
using WindowHandle = std::intptr_t;

enum class WindowState : std::int16_t { Normal = 0, Minimised = 1, Maximised = 2 };

// A window's position (Left, Top) or size (Width, Height).
enum class Extent { Position, Size };

// What the window model needs from the window on the screen. The program's
// realisation mirrors every change onto real controls; any method may throw
// RuntimeError when the platform refuses.
class WindowView {
 public:
  virtual void elementChanged(const Element& element, Property property) = 0;
  virtual std::string readText(const TextBox& box) = 0;

  virtual WindowHandle handle() const = 0;
  // Position and size of the outer frame on the screen, in twips.
  virtual float left() const = 0;
  virtual float top() const = 0;
  virtual void setLeft(float twips) = 0;
  virtual void setTop(float twips) = 0;
  virtual void setWidth(float twips) = 0;
  virtual void setHeight(float twips) = 0;
  virtual WindowState state() const = 0;
  // How many pixels a position or size in twips comes to on this screen.
  virtual double pixels(Extent extent, float twips) const = 0;

  // Takes the window off the screen; the program ends with exitCode once no
  // window is left.
  virtual void close(int exitCode) = 0;

 protected:
  ~WindowView() = default;
};

}  // namespace kestrane
