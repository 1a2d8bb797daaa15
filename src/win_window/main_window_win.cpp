#include "main_window_win.h"

#include <commctrl.h>

#include "dpi_win.h"
#include "element_names.h"
#include "high_contrast_win.h"
#include "layout.h"
#include "placement.h"
#include "resource_ids.h"
#include "screen_units.h"

namespace kestrane {

namespace {

constexpr wchar_t windowClass[] = L"KESTRANE_Main";
constexpr DWORD frameStyle = WS_OVERLAPPEDWINDOW;

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, WindowTimers& timers, ButtonFaces& faces)
    : instance_(instance), timers_(timers), controls_(instance), input_(controls_), painting_(faces, controls_) {}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  UnregisterClassW(windowClass, instance_);
  for (HICON icon : {bigIcon_, smallIcon_, classBigIcon_, classSmallIcon_}) {
    if (icon) DestroyIcon(icon);
  }
}

bool MainWindow::create(KESTRANE_Main& model) {
  model_ = &model;
  input_.serve(model);
  registerClass();
  // Centred on the screen's work area with the designed client area until
  // Load places and sizes it.
  const UINT systemDpi = dpiOf(nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{0, 0, twipsToPixels(layout::clientWidth, systemDpi), twipsToPixels(layout::clientHeight, systemDpi)};
  adjustFrameAt(outer, frameStyle, 0, systemDpi);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  CreateWindowExW(0, windowClass, L"KESTRANE", frameStyle, x, y, width, height, nullptr, nullptr, instance_,
                  this);
  if (!hwnd_) return false;
  attachHelpers();
  frame_.holdBack(hwnd_);
  return true;
}

void MainWindow::registerClass() {
  WNDCLASSEXW windowClassInfo{sizeof(windowClassInfo)};
  windowClassInfo.lpfnWndProc = windowProc;
  windowClassInfo.hInstance = instance_;
  windowClassInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClassInfo.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClassInfo.lpszClassName = windowClass;
  // The class carries the icons at the screen's density: the window has
  // them from the moment it is made, without the start paying for two
  // WM_SETICON messages. A window at another density gets its own
  // (setIcons).
  const UINT systemDpi = dpiOf(nullptr);
  classBigIcon_ = loadIcon(metricAt(SM_CXICON, systemDpi), metricAt(SM_CYICON, systemDpi));
  classSmallIcon_ = loadIcon(metricAt(SM_CXSMICON, systemDpi), metricAt(SM_CYSMICON, systemDpi));
  windowClassInfo.hIcon = classBigIcon_;
  windowClassInfo.hIconSm = classSmallIcon_;
  RegisterClassExW(&windowClassInfo);
}

// The helpers for screen readers and the keyboard take the controls they
// serve; the window passes their messages on to them from then on.
void MainWindow::attachHelpers() {
  accessibleBoxes_.attach([this](const char* element) { return controls_.controlOf(model_->element(element)); },
                          instance_);
  resumeMenus_.attach(hwnd_, controls_.controlOf(model_->element(names::countdownBox)),
                      controls_.controlOf(model_->element(names::countdownMessage)), *model_);
  liveRegion_.attach(hwnd_, instance_);
}

void MainWindow::show(int showCommand) {
  placeBeforeShowing();
  // The button has the focus from the moment the window is activated, so
  // that it is drawn once, already focused.
  HWND button = controls_.controlOf(model_->element(names::abortButton));
  focusWhenInactive_ = button;
  ShowWindow(hwnd_, showCommand);
  keepUsableOnAMonitor(hwnd_);  // again, now that the frame as drawn is known
  UpdateWindow(hwnd_);
  if (GetFocus() != button) SetFocus(button);  // shown without being activated
}

void MainWindow::placeBeforeShowing() {
  const UINT dpiBefore = dpi_;
  if (!frame_.moveBeforeShowing()) return;
  // A hidden window need not be told that the move changed its density.
  if (const auto dpi = densityToLayOutAgain(dpi_, dpiOf(hwnd_))) layOutAt(*dpi);
  // Moved onto a monitor of another density: the window was rescaled, and
  // the sizes Load gave are made again at the new density.
  if (dpi_ != dpiBefore) frame_.sizeAgainAt(dpi_);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->onNonClientDestroy();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return onCreate();
    case WM_COMMAND:
      input_.command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      input_.timer(wParam);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return painting_.controlColour(hwnd_, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      painting_.drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                           model_->commandButton(names::abortButton), dpi_);
      return TRUE;
    case WM_PAINT:
      painting_.paintLines(hwnd_, dpi_);
      return 0;
    case WM_SIZE:
      controls_.placeStatusBar(dpi_);
      return 0;
    case WM_ACTIVATE:
      onActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) liveRegion_.windowShown();
      break;
    case LiveRegion::speakPendingMessage:
      liveRegion_.speakWhenShown();
      return 0;
    case WM_SYSCOMMAND:
      if (resumeMenus_.runSystemCommand(wParam)) return 0;
      break;
    case WM_SYSCOLORCHANGE:
      repaintForSystemColours(hwnd_);
      break;
    case WM_SETTINGCHANGE:
      onSettingChange(wParam);
      break;
    case WM_TIMECHANGE:
      controls_.refreshStatusBar();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      input_.forgetPress();  // on the background, which is no element
      break;
    case WM_CLOSE:
      onClose();
      return 0;
    case WM_ENDSESSION:
      // Logging off: the process may be ended as soon as this returns.
      if (wParam) model_->endSession();
      return 0;
    case WM_DESTROY:
      onDestroy();
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
  return reinterpret_cast<MainWindow*>(self)->handleControlMessage(control, message, wParam, lParam);
}

// The labels' and text boxes' messages.
LRESULT MainWindow::handleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU:
      if (resumeMenus_.showContextMenu(control, lParam)) return 0;
      break;
    case WM_GETOBJECT:
      accessibleBoxes_.clientAsks(control);
      break;
    case WM_NCPAINT:
      if (accessibleBoxes_.paintFrame(control)) return 0;
      break;
    case WM_SETTEXT:
      return onControlText(control, wParam, lParam);
    case WM_GETDLGCODE:
      return WindowInput::dialogCode(control, wParam, lParam);
    case WM_CAPTURECHANGED:
      return input_.captureChanged(control, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return input_.elementMouse(control, message, wParam, lParam);  // may end the window: nothing after this
    case WM_DESTROY:
      accessibleBoxes_.destroying(control);
      break;
    case WM_NCDESTROY:
      forgetControl(control);
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT MainWindow::onCreate() {
  dpi_ = dpiOf(hwnd_);
  if (dpi_ != dpiOf(nullptr)) setIcons();  // the class's are for the screen's density
  timers_.attach(hwnd_);
  controls_.create(hwnd_, *model_, dpi_, controlProc, reinterpret_cast<DWORD_PTR>(this));
  controls_.placeStatusBar(dpi_);
  input_.startClock(hwnd_);
  return 0;
}

void MainWindow::onDestroy() {
  input_.stopClock(hwnd_);
  controls_.forgetAll();  // nothing more is shown in them
  PostQuitMessage(exitCode_);
}

void MainWindow::onNonClientDestroy() {
  const HWND window = hwnd_;
  hwnd_ = nullptr;
  frame_.windowGone();
  timers_.attach(nullptr);
  liveRegion_.windowGone();
  resumeMenus_.forget(window);
}

// The user or another program closes the window. While a run-time error is
// being reported the window is already ending, with its exit code decided:
// the close changes nothing.
void MainWindow::onClose() { model_->requestUnload(); }

void MainWindow::onActivate(bool active) {
  // Like a dialog: the control that had the focus gets it back.
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) focusWhenInactive_ = focus;
  } else if (focusWhenInactive_ && IsWindow(focusWhenInactive_)) {
    SetFocus(focusWhenInactive_);
  }
}

// The locale, the clock's format or high contrast may have changed.
void MainWindow::onSettingChange(WPARAM setting) {
  repaintIfHighContrastChanged(hwnd_, setting);
  controls_.refreshStatusBar();
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
  if (dpi == 0) return;  // no density at all: keep the layout there is
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layOutAt(dpi);
}

void MainWindow::layOutAt(UINT dpi) {
  dpi_ = dpi;
  controls_.layOut(dpi_);
  setIcons();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// The program's icon, scaled to width by height.
HICON MainWindow::loadIcon(int width, int height) const {
  return static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(IDI_KESTRANE), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

// The caption's and the taskbar's icons, at the sizes of the window's
// density, in place of the class's.
void MainWindow::setIcons() {
  HICON iconBig = loadIcon(metricAt(SM_CXICON, dpi_), metricAt(SM_CYICON, dpi_));
  HICON iconSmall = loadIcon(metricAt(SM_CXSMICON, dpi_), metricAt(SM_CYSMICON, dpi_));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconBig));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall));
  for (HICON old : {bigIcon_, smallIcon_}) {
    if (old) DestroyIcon(old);
  }
  bigIcon_ = iconBig;
  smallIcon_ = iconSmall;
}

// A control's text changed: a box's accessible value follows it.
LRESULT MainWindow::onControlText(HWND control, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefSubclassProc(control, WM_SETTEXT, wParam, lParam);
  if (result) accessibleBoxes_.textChanged(control);
  return result;
}

void MainWindow::forgetControl(HWND control) {
  RemoveWindowSubclass(control, controlProc, 0);
  accessibleBoxes_.forget(control);
  resumeMenus_.forget(control);
}

double MainWindow::pixels(Extent extent, float twips) const {
  return twipsAsPixels(twips, extent == Extent::Position ? systemDpi() : dpi_);
}

WindowState MainWindow::state() const {
  if (IsIconic(hwnd_)) return WindowState::Minimised;
  if (IsZoomed(hwnd_)) return WindowState::Maximised;
  return WindowState::Normal;
}

void MainWindow::close(int exitCode) {
  exitCode_ = exitCode;
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace kestrane
