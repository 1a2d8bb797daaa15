#pragma once

#include <string>
#include <utility>

#include "colour.h"

namespace kestrane {

enum class ElementKind { Label, TextBox, CommandButton, Timer, Line, StatusBar };

// The properties of the visible elements that handlers assign, which the
// window shows; the names are the window's own. A timer's Enabled and
// Interval go to the timers instead.
enum class Property { Caption, Text, BackColor, ForeColor, Enabled };

const char* propertyName(Property property);

class Element;
class TextBox;
class TimerElement;

// The window that owns the elements. Every assignment is reported to it
// after the new value is stored; when it throws, the assignment fails and
// the element keeps its old value.
class ElementOwner {
 public:
  virtual void elementChanged(const Element& element, Property property) = 0;
  virtual std::string currentText(const TextBox& box) = 0;
  virtual void timerChanged(const TimerElement& timer, bool wasRunning) = 0;

 protected:
  ~ElementOwner() = default;
};

class Element {
 public:
  Element(ElementOwner& owner, int id, std::string name, ElementKind kind)
      : owner_(owner), id_(id), name_(std::move(name)), kind_(kind) {}
  virtual ~Element() = default;
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  int id() const { return id_; }
  const std::string& name() const { return name_; }
  ElementKind kind() const { return kind_; }

 protected:
  // Stores the value, lets the owner show it, and puts the old value back
  // if showing it fails, so a failed assignment leaves no trace.
  template <class T>
  void assign(T& field, T value, Property property) {
    T previous = std::exchange(field, std::move(value));
    try {
      owner_.elementChanged(*this, property);
    } catch (...) {
      field = std::move(previous);
      throw;
    }
  }

  ElementOwner& owner() { return owner_; }

 private:
  ElementOwner& owner_;
  int id_;
  std::string name_;
  ElementKind kind_;
};

// Labels and text boxes: text in a foreground colour on a background colour.
class ColouredElement : public Element {
 public:
  ColouredElement(ElementOwner& owner, int id, std::string name, ElementKind kind,
                  std::string text, Colour back, Colour fore)
      : Element(owner, id, std::move(name), kind),
        text_(std::move(text)), backColor_(back), foreColor_(fore) {}

  Colour backColor() const { return backColor_; }
  Colour foreColor() const { return foreColor_; }
  void setBackColor(Colour colour) { assign(backColor_, colour, Property::BackColor); }
  void setForeColor(Colour colour) { assign(foreColor_, colour, Property::ForeColor); }

  // The text last assigned (or the initial one).
  const std::string& assignedText() const { return text_; }

 protected:
  std::string text_;

 private:
  Colour backColor_;
  Colour foreColor_;
};

class Label : public ColouredElement {
 public:
  Label(ElementOwner& owner, int id, std::string name, std::string caption, Colour back, Colour fore)
      : ColouredElement(owner, id, std::move(name), ElementKind::Label, std::move(caption), back, fore) {}

  const std::string& caption() const { return text_; }
  void setCaption(std::string caption) { assign(text_, std::move(caption), Property::Caption); }
};

class TextBox : public ColouredElement {
 public:
  TextBox(ElementOwner& owner, int id, std::string name, std::string text, Colour back, Colour fore)
      : ColouredElement(owner, id, std::move(name), ElementKind::TextBox, std::move(text), back, fore) {}

  // The box's current contents, which the user may have typed into.
  std::string text() { return owner().currentText(*this); }
  void setText(std::string text) { assign(text_, std::move(text), Property::Text); }
};

class CommandButton : public Element {
 public:
  CommandButton(ElementOwner& owner, int id, std::string name, Colour back)
      : Element(owner, id, std::move(name), ElementKind::CommandButton), backColor_(back) {}

  bool enabled() const { return enabled_; }
  Colour backColor() const { return backColor_; }
  void setEnabled(bool enabled) { assign(enabled_, enabled, Property::Enabled); }
  void setBackColor(Colour colour) { assign(backColor_, colour, Property::BackColor); }

 private:
  bool enabled_ = true;
  Colour backColor_;
};

// An invisible element that raises Timer every Interval milliseconds while
// it is enabled and its interval is above zero.
class TimerElement : public Element {
 public:
  TimerElement(ElementOwner& owner, int id, std::string name)
      : Element(owner, id, std::move(name), ElementKind::Timer) {}

  bool enabled() const { return enabled_; }
  int interval() const { return interval_; }
  bool running() const { return enabled_ && interval_ > 0; }

  void setEnabled(bool enabled);
  void setInterval(int milliseconds);

 private:
  template <class T>
  void change(T& field, T value);

  bool enabled_ = true;
  int interval_ = 0;
};

// Lines and the status bar: placed by the layout, never assigned.
class FixedElement : public Element {
 public:
  using Element::Element;
};

}  // namespace kestrane
