#include "element_controls_win.h"

#include <commctrl.h>

#include "control_ids.h"
#include "element_names.h"
#include "layout.h"
#include "screen_units.h"
#include "text_win.h"

namespace kestrane {

namespace {

// Where the designed layout puts an element, in pixels at this density.
RECT designedRect(const layout::Box& box, UINT dpi) {
  const int left = twipsToPixels(box.left, dpi);
  const int top = twipsToPixels(box.top, dpi);
  return {left, top, left + twipsToPixels(box.width, dpi), top + twipsToPixels(box.height, dpi)};
}

HMENU controlIdOf(const Element& element) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + element.id()));
}

// The accessible name of the abort button, never drawn.
const wchar_t* buttonName(bool enabled) { return enabled ? L"Pause countdown" : L"Countdown paused"; }

}  // namespace

void ElementControls::create(HWND window, KESTRANE_Main& model, UINT dpi, SUBCLASSPROC messages,
                             DWORD_PTR messagesData) {
  window_ = window;
  model_ = &model;
  // Created in tab order, so that Tab moves through them as designed, each
  // at its designed rectangle with its font, while the window is still
  // hidden: nothing is moved or drawn twice.
  for (const layout::Box& box : layout::boxes) {
    const Element& element = model.element(box.name);
    HWND control = createControl(element, designedRect(box, dpi));
    if (!control) continue;
    controls_[element.id()] = control;
    if (box.fontPoints > 0 && control != statusBar_.hwnd()) setFont(control, box.fontPoints, dpi, false);
    if (element.kind() == ElementKind::Label || element.kind() == ElementKind::TextBox) {
      SetWindowSubclass(control, messages, 0, messagesData);
    }
  }
}

HWND ElementControls::createControl(const Element& element, const RECT& rect) {
  const int x = rect.left, y = rect.top, width = rect.right - rect.left, height = rect.bottom - rect.top;
  switch (element.kind()) {
    case ElementKind::Label:
      return CreateWindowExW(0, L"STATIC", toWide(static_cast<const Label&>(element).caption()).c_str(),
                             WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY, x, y, width, height, window_,
                             controlIdOf(element), instance_, nullptr);
    case ElementKind::TextBox:
      return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT",
                             toWide(static_cast<const TextBox&>(element).assignedText()).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_CENTER, x, y, width, height,
                             window_, controlIdOf(element), instance_, nullptr);
    case ElementKind::CommandButton:
      return CreateWindowExW(0, L"BUTTON", buttonName(true), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x,
                             y, width, height, window_, controlIdOf(element), instance_, nullptr);
    case ElementKind::StatusBar:
      statusBar_.create(window_, instance_, firstControlId + element.id());
      return statusBar_.hwnd();
    case ElementKind::Timer:
    case ElementKind::Line:
      break;
  }
  return nullptr;
}

void ElementControls::layOut(UINT dpi) {
  for (const layout::Box& box : layout::boxes) {
    HWND control = controlOf(model_->element(box.name));
    if (!control || control == statusBar_.hwnd()) continue;
    const RECT rect = designedRect(box, dpi);
    MoveWindow(control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    if (box.fontPoints > 0) setFont(control, box.fontPoints, dpi, true);
  }
  fonts_.keepOnly(dpi);
  statusBar_.place(dpi);
}

void ElementControls::setFont(HWND control, int points, UINT dpi, bool redraw) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font(points, dpi)), redraw);
}

HWND ElementControls::controlOf(const Element& element) const {
  auto found = controls_.find(element.id());
  return found == controls_.end() ? nullptr : found->second;
}

const Element* ElementControls::elementOf(HWND control) const {
  for (const auto& [id, window] : controls_) {
    if (window == control) return model_->elements()[static_cast<std::size_t>(id)].get();
  }
  return nullptr;
}

void ElementControls::elementChanged(const Element& element, Property property) {
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

std::string ElementControls::readText(const TextBox& box) const {
  HWND control = controlOf(box);
  if (!control) throw RuntimeError(RuntimeError::Platform, "Reading Text of " + box.name() + " failed");
  return toUtf8(windowText(control));
}

void ElementControls::fail(const Element& element, Property property) const {
  throw RuntimeError(RuntimeError::Platform,
                     std::string("Setting ") + propertyName(property) + " of " + element.name() + " failed");
}

}  // namespace kestrane
