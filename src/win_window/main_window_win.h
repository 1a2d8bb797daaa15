#pragma once

#include <map>
#include <optional>

#include "accessible_boxes_win.h"
#include "input.h"
#include "fonts_win.h"
#include "kestrane_main.h"
#include "live_region_win.h"
#include "resume_menus_win.h"
#include "status_bar_win.h"
#include "timer_service_win.h"
#include "win32.h"

namespace kestrane {

class ButtonFaces;

// The main window on the screen: a top-level window whose child controls
// mirror the model's elements, and which turns the user's mouse and keys
// into the elements' events. Every message of the window and of the
// elements' controls comes through here, and is passed on to the helpers
// for screen readers and the keyboard that need it.
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
  bool translateKey(const MSG& message);

  HWND hwnd() const { return hwnd_; }

  // What the model asks of the window.
  void elementChanged(const Element& element, Property property) override;
  std::string readText(const TextBox& box) override;
  WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }
  float left() const override;
  float top() const override;
  void setLeft(float twips) override;
  void setTop(float twips) override;
  void setWidth(float twips) override;
  void setHeight(float twips) override;
  WindowState state() const override;
  double pixels(Extent extent, float twips) const override;
  void close(int exitCode) override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR subclassId, DWORD_PTR self);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  void createControls();
  void attachHelpers();
  void layoutControls();
  void onCommand(int controlId, int notification);
  void onTimer(UINT_PTR timerId);
  void onClose();
  void onPaint();
  void onDrawItem(const DRAWITEMSTRUCT& item);
  static void drawFocusRectangle(const DRAWITEMSTRUCT& item);
  void onActivate(bool active);
  void onDpiChanged(UINT dpi, const RECT& suggested);
  void layOutAt(UINT dpi);
  HICON loadIcon(int width, int height) const;
  void setIcons();
  LRESULT onControlColour(HDC dc, HWND control);
  bool releaseIsClick(HWND control, LPARAM lParam);
  void onElementMouse(HWND control, UINT message, bool clicked);

  RECT frame() const;
  void moveFrame(int x, int y, int width, int height, UINT flags);
  void placeBeforeShowing();
  void keepOnAMonitor();
  HBRUSH brush(Colour colour);
  HWND controlOf(const Element& element) const;
  const Element* elementOf(HWND control) const;
  void fail(const Element& element, Property property) const;

  HINSTANCE instance_;
  WindowTimers& timers_;
  ButtonFaces& faces_;
  KESTRANE_Main* model_ = nullptr;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  std::map<int, HWND> controls_;  // by element id
  StatusBarPanels statusBar_;
  ElementFonts fonts_;
  std::map<Colour, HBRUSH> brushes_;
  ClickTracker clicks_;           // which element a left press began on
  HWND focusWhenInactive_ = nullptr;
  HICON classBigIcon_ = nullptr, classSmallIcon_ = nullptr;  // sized for the screen's density
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;            // the window's own, sized for dpi_
  LiveRegion liveRegion_;
  AccessibleBoxes accessibleBoxes_;
  ResumeMenus resumeMenus_;

  // Until the window first shows, Load's placement is gathered here and
  // made in one move: moving a hidden window four times only costs start-up
  // time. The sizes are kept in twips too, for the case where that move
  // lands on a monitor of another density.
  struct PlacementBeforeShowing {
    RECT frame{};
    std::optional<float> widthTwips, heightTwips;
  };
  std::optional<PlacementBeforeShowing> beforeShowing_;
  int exitCode_ = 0;
};

}  // namespace kestrane
