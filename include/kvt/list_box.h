// The text of a list box line, for the programs that read their lists back.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace kvt {

// The line at `index` as its bytes; empty when there is none.
inline std::string ListBoxLine(HWND list, int index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace kvt
