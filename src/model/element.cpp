#include "element.h"

#include "runtime_error.h"

namespace kestrane {

const char* propertyName(Property property) {
  switch (property) {
    case Property::Caption: return "Caption";
    case Property::Text: return "Text";
    case Property::BackColor: return "BackColor";
    case Property::ForeColor: return "ForeColor";
    case Property::Enabled: return "Enabled";
  }
  return "?";
}

template <class T>
void TimerElement::change(T& field, T value) {
  const bool wasRunning = running();
  T previous = std::exchange(field, value);
  try {
    owner().timerChanged(*this, wasRunning);
  } catch (...) {
    field = previous;
    throw;
  }
}

void TimerElement::setEnabled(bool enabled) {
  if (enabled == enabled_) return;  // enabling a running timer does not restart it
  change(enabled_, enabled);
}

void TimerElement::setInterval(int milliseconds) {
  if (milliseconds < 0) {
    throw RuntimeError(RuntimeError::InvalidProcedureCall,
                       "Interval of " + name() + " cannot be negative");
  }
  if (milliseconds == interval_) return;
  change(interval_, milliseconds);
}

}  // namespace kestrane
