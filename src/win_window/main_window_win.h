#pragma once

#include "accessible_boxes_win.h"
#include "element_controls_win.h"
#include "input_win.h"
#include "kestrane_main.h"
#include "live_region_win.h"
#include "painting_win.h"
#include "placement_win.h"
#include "resume_menus_win.h"
#include "timer_service_win.h"
#include "win32.h"

namespace kestrane {

class ButtonFaces;

// The main window on the screen: a top-level window whose child controls
// mirror the model's elements. Every message of the window and of the
// elements' controls comes through here and is passed on to the room that
// answers it: the element controls, the input, the painting, the frame,
// and the helpers for screen readers and the keyboard. The window itself
// keeps its class, its lifetime, the focus and its density.
class MainWindow final : public WindowView {
 public:
  MainWindow(HINSTANCE instance, WindowTimers& timers, ButtonFaces& faces);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the hidden window, centred on the screen, with every element in
  // its initial state.
  bool create(KESTRANE_Main& model);
  // Where the handlers' announcements are spoken.
  Announcer& announcer() { return liveRegion_; }
  // Moves the window to where Load placed it, brought onto a monitor if
  // that placement left no usable part of it on any, then shows it with the
  // keyboard focus on the abort button.
  void show(int showCommand);
  // Enter and Esc belong to the abort button while the window is active.
  bool translateKey(const MSG& message) { return input_.translateKey(hwnd_, message); }

  HWND hwnd() const { return hwnd_; }

  // What the model asks of the window.
  void elementChanged(const Element& element, Property property) override {
    controls_.elementChanged(element, property);
  }
  std::string readText(const TextBox& box) override { return controls_.readText(box); }
  WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }
  float left() const override { return frame_.left(); }
  float top() const override { return frame_.top(); }
  void setLeft(float twips) override { frame_.setLeft(twips); }
  void setTop(float twips) override { frame_.setTop(twips); }
  void setWidth(float twips) override { frame_.setWidth(twips, dpi_); }
  void setHeight(float twips) override { frame_.setHeight(twips, dpi_); }
  WindowState state() const override;
  double pixels(Extent extent, float twips) const override;
  void close(int exitCode) override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR subclassId, DWORD_PTR self);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  void registerClass();
  void attachHelpers();
  void placeBeforeShowing();
  LRESULT onCreate();
  void onDestroy();
  void onNonClientDestroy();
  void onClose();
  void onActivate(bool active);
  void onSettingChange(WPARAM setting);
  void onDpiChanged(UINT dpi, const RECT& suggested);
  void layOutAt(UINT dpi);
  HICON loadIcon(int width, int height) const;
  void setIcons();
  LRESULT onControlText(HWND control, WPARAM wParam, LPARAM lParam);
  void forgetControl(HWND control);

  HINSTANCE instance_;
  WindowTimers& timers_;
  KESTRANE_Main* model_ = nullptr;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  ElementControls controls_;
  WindowInput input_;
  WindowPainting painting_;
  WindowFrame frame_;
  HWND focusWhenInactive_ = nullptr;
  HICON classBigIcon_ = nullptr, classSmallIcon_ = nullptr;  // sized for the screen's density
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;            // the window's own, sized for dpi_
  LiveRegion liveRegion_;
  AccessibleBoxes accessibleBoxes_;
  ResumeMenus resumeMenus_;
  int exitCode_ = 0;
};

}  // namespace kestrane
