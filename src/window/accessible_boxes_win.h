#pragma once

#include <array>

#include "kestrane_main.h"
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
  AccessibleBoxes() = default;
  AccessibleBoxes(const AccessibleBoxes&) = delete;
  AccessibleBoxes& operator=(const AccessibleBoxes&) = delete;
  ~AccessibleBoxes();

  void attach(HWND window, KESTRANE_Main& model, HINSTANCE instance);

 private:
  static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
  void meetFirstClient();  // names the boxes and describes the countdown box's value
  void describeValue();

  std::array<HWND, 3> boxes_{};  // in the order of their names
  HWND countdownBox_ = nullptr;
  bool valueAnnotated_ = false;
  bool clientAsked_ = false;  // an accessibility client has asked for one of the boxes
};

}  // namespace kestrane
