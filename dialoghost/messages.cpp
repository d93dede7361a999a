// German messages of the menu window: formatting and the message boxes.
#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "dialoghost.h"

namespace kvt::dlg {

std::string FormatText(const char *format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length < 0) return {};
  return std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

void ShowMessage(HWND owner, const std::string &title, const std::string &text) {
  MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// "Nein" is the default: Enter alone loses nothing.
bool AskYesNo(HWND owner, const std::string &title, const std::string &text) {
  return MessageBoxA(owner, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace kvt::dlg
