#pragma once

#include <map>
#include <string>

#include "fonts_win.h"
#include "kestrane_main.h"
#include "status_bar_win.h"
#include "win32.h"

#include <commctrl.h>

namespace kestrane {

// The child controls that show the model's elements: one for each element
// that shows, at its designed rectangle and in its font at the window's
// density, with the maps between elements and controls. Every change the
// model makes to an element is mirrored onto its control here.
class ElementControls {
 public:
  explicit ElementControls(HINSTANCE instance) : instance_(instance) {}
  ElementControls(const ElementControls&) = delete;
  ElementControls& operator=(const ElementControls&) = delete;

  // Creates the controls in the still hidden window. The labels' and text
  // boxes' messages go to `messages`, with `messagesData`.
  void create(HWND window, KESTRANE_Main& model, UINT dpi, SUBCLASSPROC messages, DWORD_PTR messagesData);
  // Moves and sizes every control for another density.
  void layOut(UINT dpi);
  void placeStatusBar(UINT dpi) { statusBar_.place(dpi); }
  void refreshStatusBar() { statusBar_.refresh(); }
  // The window is going: nothing more is shown in its controls.
  void forgetAll() { controls_.clear(); }

  HWND controlOf(const Element& element) const;
  const Element* elementOf(HWND control) const;

  // What the model asks of the window's view for its elements.
  void elementChanged(const Element& element, Property property);
  std::string readText(const TextBox& box) const;

 private:
  HWND createControl(const Element& element, const RECT& rect);
  void setFont(HWND control, int points, UINT dpi, bool redraw);
  void fail(const Element& element, Property property) const;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  KESTRANE_Main* model_ = nullptr;
  std::map<int, HWND> controls_;  // by element id
  StatusBarPanels statusBar_;
  ElementFonts fonts_;
};

}  // namespace kestrane
