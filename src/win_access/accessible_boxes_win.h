#pragma once

#include <array>
#include <functional>

#include "win32.h"

namespace kestrane {

// The three text boxes as a screen reader meets them: each named by an
// invisible label placed just before it in the window's order (the
// platform's way of naming an edit), made with the boxes, and by an
// annotated name; read-only so that typing changes nothing (yet framed as
// before); and the countdown box's value free of its line break. The
// annotations are made when an accessibility client first asks one of the
// boxes for its accessible object, which every client does before it reads
// that box's name, and taken back before the box is destroyed.
class AccessibleBoxes {
 public:
  // The control that shows an element, by the element's name.
  using ControlOf = std::function<HWND(const char* element)>;

  AccessibleBoxes() = default;
  AccessibleBoxes(const AccessibleBoxes&) = delete;
  AccessibleBoxes& operator=(const AccessibleBoxes&) = delete;

  // Names the boxes and makes them read-only; done while the window is
  // still hidden, before any client can walk its children, so that the
  // labels are in place from the start and the first frame the boxes draw
  // is already the editable one.
  void attach(const ControlOf& controlOf, HINSTANCE instance);

  // What the main window passes on from the boxes' messages; each does
  // nothing for any other control.
  // WM_GETOBJECT: a client asks the control for its accessible object.
  void clientAsks(HWND control);
  // WM_NCPAINT: true when the box's frame has been painted.
  bool paintFrame(HWND control);
  // After a WM_SETTEXT the control took.
  void textChanged(HWND control);
  // WM_DESTROY, then WM_NCDESTROY.
  void destroying(HWND control);
  void forget(HWND control);

 private:
  bool isBox(HWND control) const;
  void meetFirstClient();  // names the boxes and describes the countdown box's value
  void describeValue();

  std::array<HWND, 3> boxes_{};  // in the order of their names
  HWND countdownBox_ = nullptr;
  bool valueAnnotated_ = false;
  bool clientAsked_ = false;  // an accessibility client has asked for one of the boxes
};

}  // namespace kestrane
