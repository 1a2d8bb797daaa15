#include "main_window_win.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "button_faces_win.h"
#include "control_ids_win.h"
#include "dpi_win.h"
#include "element_names.h"
#include "high_contrast_win.h"
#include "layout.h"
#include "placement_win.h"
#include "resource_ids.h"
#include "text_win.h"
#include "placement.h"

namespace kestrane {

namespace {

constexpr wchar_t windowClass[] = L"KESTRANE_Main";
constexpr UINT_PTR clockTimerId = 100;  // keeps the status bar's date and time current
constexpr DWORD frameStyle = WS_OVERLAPPEDWINDOW;

// Where the designed layout puts an element, in pixels at this density.
RECT designedRect(const layout::Box& box, UINT dpi) {
  const int left = twipsToPixels(box.left, dpi);
  const int top = twipsToPixels(box.top, dpi);
  return {left, top, left + twipsToPixels(box.width, dpi), top + twipsToPixels(box.height, dpi)};
}

// One pixel on from `to`, away from `from`: LineTo leaves out its end point.
int onePast(int from, int to) { return to + (to > from) - (to < from); }

ClickTracker::Target clickTarget(HWND control) { return reinterpret_cast<ClickTracker::Target>(control); }

// The accessible name of the abort button, never drawn.
const wchar_t* buttonName(bool enabled) { return enabled ? L"Pause countdown" : L"Countdown paused"; }

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, WindowTimers& timers, ButtonFaces& faces)
    : instance_(instance), timers_(timers), faces_(faces) {}

MainWindow::~MainWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
  UnregisterClassW(windowClass, instance_);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  for (HICON icon : {bigIcon_, smallIcon_, classBigIcon_, classSmallIcon_}) {
    if (icon) DestroyIcon(icon);
  }
}

bool MainWindow::create(KESTRANE_Main& model) {
  model_ = &model;
  WNDCLASSEXW windowClassInfo{sizeof(windowClassInfo)};
  windowClassInfo.lpfnWndProc = windowProc;
  windowClassInfo.hInstance = instance_;
  windowClassInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClassInfo.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClassInfo.lpszClassName = windowClass;
  // The class carries the icons at the screen's density: the window has
  // them from the moment it is made, without being sent them (the two
  // WM_SETICON messages cost about 4 ms of the start under Wine). A window
  // at another density gets its own (setIcons).
  const UINT systemDpi = dpiOf(nullptr);
  classBigIcon_ = loadIcon(metricAt(SM_CXICON, systemDpi), metricAt(SM_CYICON, systemDpi));
  classSmallIcon_ = loadIcon(metricAt(SM_CXSMICON, systemDpi), metricAt(SM_CYSMICON, systemDpi));
  windowClassInfo.hIcon = classBigIcon_;
  windowClassInfo.hIconSm = classSmallIcon_;
  RegisterClassExW(&windowClassInfo);

  // Centred on the screen's work area with the designed client area until
  // Load places and sizes it.
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
  beforeShowing_ = PlacementBeforeShowing{frame()};
  return true;
}

// The helpers for screen readers and the keyboard take the controls they
// serve; the window passes their messages on to them from then on.
void MainWindow::attachHelpers() {
  accessibleBoxes_.attach([this](const char* element) { return controlOf(model_->element(element)); }, instance_);
  resumeMenus_.attach(hwnd_, controlOf(model_->element(names::countdownBox)),
                      controlOf(model_->element(names::countdownMessage)), *model_);
  liveRegion_.attach(hwnd_, instance_);
}

void MainWindow::show(int showCommand) {
  placeBeforeShowing();
  // The button has the focus from the moment the window is activated, so
  // that it is drawn once, already focused.
  HWND button = controlOf(model_->element(names::abortButton));
  focusWhenInactive_ = button;
  ShowWindow(hwnd_, showCommand);
  keepOnAMonitor();  // again, now that the frame as drawn is known
  UpdateWindow(hwnd_);
  if (GetFocus() != button) SetFocus(button);  // shown without being activated
}

void MainWindow::placeBeforeShowing() {
  if (!beforeShowing_) return;
  const PlacementBeforeShowing placement = *beforeShowing_;
  beforeShowing_.reset();
  const RECT usable = usableFrameBeforeShowing(hwnd_, placement.frame);
  const UINT dpiBefore = dpi_;
  // Left where it was made when nothing was stored: moving it there again
  // would only cost the start its messages.
  const RECT now = frame();
  if (!EqualRect(&usable, &now)) {
    SetWindowPos(hwnd_, nullptr, usable.left, usable.top, usable.right - usable.left, usable.bottom - usable.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A hidden window need not be told that the move changed its density.
  if (const auto dpi = densityToLayOutAgain(dpi_, dpiOf(hwnd_))) layOutAt(*dpi);
  // Moved onto a monitor of another density: the window was rescaled, and
  // the sizes Load gave are made again at the new density.
  if (dpi_ != dpiBefore && (placement.widthTwips || placement.heightTwips)) {
    const RECT now = frame();
    const int width = placement.widthTwips ? twipsToPixels(*placement.widthTwips, dpi_) : now.right - now.left;
    const int height = placement.heightTwips ? twipsToPixels(*placement.heightTwips, dpi_) : now.bottom - now.top;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
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
    self->hwnd_ = nullptr;
    self->timers_.attach(nullptr);
    self->liveRegion_.windowGone();
    self->resumeMenus_.forget(window);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      dpi_ = dpiOf(hwnd_);
      if (dpi_ != dpiOf(nullptr)) setIcons();  // the class's are for the screen's density
      timers_.attach(hwnd_);
      createControls();
      statusBar_.place(dpi_);
      SetTimer(hwnd_, clockTimerId, 1000, nullptr);
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      onTimer(wParam);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_PAINT:
      onPaint();
      return 0;
    case WM_SIZE:
      statusBar_.place(dpi_);
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
      repaintIfHighContrastChanged(hwnd_, wParam);
      statusBar_.refresh();
      break;
    case WM_TIMECHANGE:
      statusBar_.refresh();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      clicks_.forget();  // on the background, which is no element
      break;
    case WM_CLOSE:
      onClose();
      return 0;
    case WM_ENDSESSION:
      // Logging off: leave as a closed window would, once a running handler has ended.
      if (wParam) model_->requestUnload();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, clockTimerId);
      controls_.clear();  // nothing more is shown in them
      PostQuitMessage(exitCode_);
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::createControls() {
  // Created in tab order, so that Tab moves through them as designed, each
  // at its designed rectangle with its font, while the window is still
  // hidden: nothing is moved or drawn twice.
  for (const layout::Box& box : layout::boxes) {
    const Element& element = model_->element(box.name);
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + element.id()));
    const RECT rect = designedRect(box, dpi_);
    const int x = rect.left, y = rect.top, width = rect.right - rect.left, height = rect.bottom - rect.top;
    HWND control = nullptr;
    switch (element.kind()) {
      case ElementKind::Label:
        control = CreateWindowExW(0, L"STATIC", toWide(static_cast<const Label&>(element).caption()).c_str(),
                                  WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY, x, y, width, height, hwnd_, id,
                                  instance_, nullptr);
        break;
      case ElementKind::TextBox:
        control = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT",
                                  toWide(static_cast<const TextBox&>(element).assignedText()).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_CENTER, x, y, width,
                                  height, hwnd_, id, instance_, nullptr);
        break;
      case ElementKind::CommandButton:
        control = CreateWindowExW(0, L"BUTTON", buttonName(true),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x, y, width, height, hwnd_, id,
                                  instance_, nullptr);
        break;
      case ElementKind::StatusBar:
        statusBar_.create(hwnd_, instance_, firstControlId + element.id());
        control = statusBar_.hwnd();
        break;
      case ElementKind::Timer:
      case ElementKind::Line:
        break;
    }
    if (!control) continue;
    controls_[element.id()] = control;
    if (box.fontPoints > 0 && control != statusBar_.hwnd()) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(box.fontPoints, dpi_)), FALSE);
    }
    if (element.kind() == ElementKind::Label || element.kind() == ElementKind::TextBox) {
      SetWindowSubclass(control, controlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
  }
}

void MainWindow::layoutControls() {
  for (const layout::Box& box : layout::boxes) {
    HWND control = controlOf(model_->element(box.name));
    if (!control || control == statusBar_.hwnd()) continue;
    const RECT rect = designedRect(box, dpi_);
    MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    if (box.fontPoints > 0) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(box.fontPoints, dpi_)), TRUE);
    }
  }
  fonts_.keepOnly(dpi_);
  statusBar_.place(dpi_);
}

LRESULT CALLBACK MainWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
  return reinterpret_cast<MainWindow*>(self)->handleControlMessage(control, message, wParam, lParam);
}

// The labels' and text boxes' messages. Left presses: a press and release
// on the same element is its Click; the second press of a double-click is
// its DblClick, and the release after it is no further Click.
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
    case WM_SETTEXT: {
      const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
      if (result) accessibleBoxes_.textChanged(control);
      return result;
    }
    case WM_GETDLGCODE:
      // Tab moves on to the next control, also out of a multi-line box;
      // Enter and Esc belong to the abort button (see translateKey).
      return DefSubclassProc(control, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    case WM_CAPTURECHANGED: {
      const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
      if (reinterpret_cast<HWND>(lParam) != control) clicks_.forget();
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      // A release is judged before the control sees it: a text box lets go
      // of the mouse then, and losing the mouse ends a press.
      const bool clicked = message == WM_LBUTTONUP && releaseIsClick(control, lParam);
      const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
      onElementMouse(control, message, clicked);  // may end the window: nothing after this
      return result;
    }
    case WM_DESTROY:
      accessibleBoxes_.destroying(control);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, controlProc, 0);
      accessibleBoxes_.forget(control);
      resumeMenus_.forget(control);
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

bool MainWindow::releaseIsClick(HWND control, LPARAM lParam) {
  RECT client{};
  GetClientRect(control, &client);
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return clicks_.released(PtInRect(&client, at) ? clickTarget(control) : ClickTracker::noElement);
}

void MainWindow::onElementMouse(HWND control, UINT message, bool clicked) {
  const Element* element = elementOf(control);
  if (!element) return;
  switch (message) {
    case WM_LBUTTONDOWN:
      clicks_.pressed(clickTarget(control));
      // Its release comes back here wherever the pointer is by then.
      if (GetCapture() != control) SetCapture(control);
      break;
    case WM_LBUTTONDBLCLK:
      clicks_.forget();
      model_->raise(*element, Event::DblClick);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == control) ReleaseCapture();
      if (clicked) model_->raise(*element, Event::Click);
      break;
  }
}

bool MainWindow::translateKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return false;
  if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
  if (!hwnd_ || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  // Neither key ever reaches a text box; while the button is disabled they do nothing.
  if (message.message == WM_KEYDOWN && model_->isLoaded()) {
    CommandButton& button = model_->commandButton(names::abortButton);
    if (button.enabled()) model_->raise(button, Event::Click);
  }
  return true;
}

void MainWindow::onCommand(int controlId, int notification) {
  if (notification != BN_CLICKED) return;
  const Element& button = model_->element(names::abortButton);
  if (controlId == firstControlId + button.id() && model_->commandButton(names::abortButton).enabled()) {
    model_->raise(button, Event::Click);
  }
}

void MainWindow::onTimer(UINT_PTR timerId) {
  if (timerId == clockTimerId) {
    statusBar_.refresh();
    return;
  }
  const auto index = static_cast<std::size_t>(timerId - WindowTimers::firstId);
  if (timerId >= WindowTimers::firstId && index < model_->elements().size()) {
    model_->raise(*model_->elements()[index], Event::Timer);
  }
}

// The user or another program closes the window. While a run-time error is
// being reported the window is already ending, with its exit code decided:
// the close changes nothing.
void MainWindow::onClose() { model_->requestUnload(); }

void MainWindow::onPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ previous = SelectObject(dc, pen);
  for (const layout::Line& line : layout::lines) {
    const POINT from{twipsToPixels(line.x1, dpi_), twipsToPixels(line.y1, dpi_)};
    const POINT to{twipsToPixels(line.x2, dpi_), twipsToPixels(line.y2, dpi_)};
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, onePast(from.x, to.x), onePast(from.y, to.y));
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
  EndPaint(hwnd_, &paint);
}

void MainWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
  // Gaining or losing the focus only shows or hides the focus rectangle,
  // which is drawn inverted: the face stays as it is.
  if (item.itemAction == ODA_FOCUS) {
    if (!(item.itemState & ODS_NOFOCUSRECT)) drawFocusRectangle(item);
    return;
  }
  const auto& button = model_->commandButton(names::abortButton);
  if (const auto system = highContrastColours()) {
    drawCaptionFace(item.hDC, item.rcItem, windowText(item.hwndItem),
                    buttonColours(button.backColor(), button.enabled(), system), dpi_);
  } else {
    faces_.draw(item.hDC, item.rcItem, button.backColor(), button.enabled(), dpi_);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) drawFocusRectangle(item);
}

void MainWindow::drawFocusRectangle(const DRAWITEMSTRUCT& item) {
  RECT focus = item.rcItem;
  InflateRect(&focus, -3, -3);
  DrawFocusRect(item.hDC, &focus);
}

void MainWindow::onActivate(bool active) {
  // Like a dialog: the control that had the focus gets it back.
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) focusWhenInactive_ = focus;
  } else if (focusWhenInactive_ && IsWindow(focusWhenInactive_)) {
    SetFocus(focusWhenInactive_);
  }
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
  if (dpi == 0) return;  // no density at all: keep the layout there is
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layOutAt(dpi);
}

void MainWindow::layOutAt(UINT dpi) {
  dpi_ = dpi;
  layoutControls();
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

LRESULT MainWindow::onControlColour(HDC dc, HWND control) {
  const Element* element = elementOf(control);
  if (!element || (element->kind() != ElementKind::Label && element->kind() != ElementKind::TextBox)) {
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  const auto& coloured = static_cast<const ColouredElement&>(*element);
  const DrawnColours look = textElementColours(coloured.foreColor(), coloured.backColor(), highContrastColours());
  SetTextColor(dc, look.text);
  SetBkColor(dc, look.ground);
  return reinterpret_cast<LRESULT>(brush(look.ground));
}

void MainWindow::elementChanged(const Element& element, Property property) {
  HWND control = controlOf(element);
  if (!control) return;
  switch (property) {
    case Property::Caption:
    case Property::Text: {
      const auto& coloured = static_cast<const ColouredElement&>(element);
      if (!SetWindowTextW(control, toWide(coloured.assignedText()).c_str())) fail(element, property);
      break;
    }
    case Property::Enabled: {
      const bool enabled = static_cast<const CommandButton&>(element).enabled();
      if (!enabled && GetFocus() == control) {
        // A disabled button cannot keep the focus; the countdown box takes it.
        SetFocus(controlOf(model_->element(names::countdownBox)));
      }
      EnableWindow(control, enabled);
      SetWindowTextW(control, buttonName(enabled));
      break;
    }
    case Property::BackColor:
    case Property::ForeColor:
      break;
  }
  // Every change shows at once.
  InvalidateRect(control, nullptr, TRUE);
  UpdateWindow(control);
}

std::string MainWindow::readText(const TextBox& box) {
  HWND control = controlOf(box);
  if (!control) throw RuntimeError(RuntimeError::Platform, "Reading Text of " + box.name() + " failed");
  return toUtf8(windowText(control));
}

RECT MainWindow::frame() const {
  if (beforeShowing_) return beforeShowing_->frame;
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

// The position converts at the system's density, the same on every monitor,
// so that it comes back to the same pixel whichever monitor it was saved on.
float MainWindow::left() const { return pixelsToTwips(frame().left, systemDpi()); }
float MainWindow::top() const { return pixelsToTwips(frame().top, systemDpi()); }

void MainWindow::moveFrame(int x, int y, int width, int height, UINT flags) {
  if (beforeShowing_) {
    RECT& planned = beforeShowing_->frame;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&planned, x - planned.left, y - planned.top);
    if (!(flags & SWP_NOSIZE)) {
      planned.right = planned.left + width;
      planned.bottom = planned.top + height;
    }
    return;
  }
  if (!SetWindowPos(hwnd_, nullptr, x, y, width, height, flags | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw RuntimeError(RuntimeError::Platform, "The window cannot be placed there");
  }
}

void MainWindow::setLeft(float twips) {
  moveFrame(twipsToPixels(twips, systemDpi()), frame().top, 0, 0, SWP_NOSIZE);
}
void MainWindow::setTop(float twips) {
  moveFrame(frame().left, twipsToPixels(twips, systemDpi()), 0, 0, SWP_NOSIZE);
}

void MainWindow::setWidth(float twips) {
  if (beforeShowing_) beforeShowing_->widthTwips = twips;
  const RECT rect = frame();
  moveFrame(0, 0, twipsToPixels(twips, dpi_), rect.bottom - rect.top, SWP_NOMOVE);
}

void MainWindow::setHeight(float twips) {
  if (beforeShowing_) beforeShowing_->heightTwips = twips;
  const RECT rect = frame();
  moveFrame(0, 0, rect.right - rect.left, twipsToPixels(twips, dpi_), SWP_NOMOVE);
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

void MainWindow::keepOnAMonitor() { keepUsableOnAMonitor(hwnd_); }

HBRUSH MainWindow::brush(Colour colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  return brushes_[colour] = CreateSolidBrush(colour);
}

HWND MainWindow::controlOf(const Element& element) const {
  auto found = controls_.find(element.id());
  return found == controls_.end() ? nullptr : found->second;
}

const Element* MainWindow::elementOf(HWND control) const {
  for (const auto& [id, window] : controls_) {
    if (window == control) return model_->elements()[static_cast<std::size_t>(id)].get();
  }
  return nullptr;
}

void MainWindow::fail(const Element& element, Property property) const {
  throw RuntimeError(RuntimeError::Platform,
                     std::string("Setting ") + propertyName(property) + " of " + element.name() + " failed");
}

}  // namespace kestrane
