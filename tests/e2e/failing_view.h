#pragma once

// Built only into kestrane_failing.exe, which the end-to-end tests use to
// watch a run-time error end the program; the shipped program has none of
// it. The window's view refuses the one property set that the environment
// variable KESTRANE_FAIL_SETTING names as "ELEMENT.Property", for example
// "KESTRANE_COUNTDOWN_TEXTBOX.Text", and passes everything else on.

#include <cstdlib>
#include <string>

#include "runtime_error.h"
#include "window_view.h"

namespace kestrane {

class FailingView final : public WindowView {
 public:
  explicit FailingView(WindowView& window) : window_(window) {
    if (const char* refused = std::getenv("KESTRANE_FAIL_SETTING")) refused_ = refused;
  }

  void elementChanged(const Element& element, Property property) override {
    if (refused_ == element.name() + "." + propertyName(property)) {
      throw RuntimeError(RuntimeError::Platform,
                         std::string("Setting ") + propertyName(property) + " of " + element.name() + " failed");
    }
    window_.elementChanged(element, property);
  }
  std::string readText(const TextBox& box) override { return window_.readText(box); }
  WindowHandle handle() const override { return window_.handle(); }
  float left() const override { return window_.left(); }
  float top() const override { return window_.top(); }
  void setLeft(float twips) override { window_.setLeft(twips); }
  void setTop(float twips) override { window_.setTop(twips); }
  void setWidth(float twips) override { window_.setWidth(twips); }
  void setHeight(float twips) override { window_.setHeight(twips); }
  WindowState state() const override { return window_.state(); }
  double pixels(Extent extent, float twips) const override { return window_.pixels(extent, twips); }
  void close(int exitCode) override { window_.close(exitCode); }

 private:
  WindowView& window_;
  std::string refused_;
};

}  // namespace kestrane
