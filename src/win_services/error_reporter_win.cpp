#include "error_reporter_win.h"

#include "text_win.h"

namespace kestrane {

void MessageBoxErrors::report(const RuntimeError& error) {
  const std::string text =
      "Run-time error '" + std::to_string(static_cast<int>(error.number())) + "':\n\n" + error.what();
  HWND owner = owner_ && IsWindow(owner_) ? owner_ : nullptr;
  MessageBoxW(owner, toWide(text).c_str(), L"KESTRANE", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace kestrane
