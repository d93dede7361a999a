// The menu resource: a 16-bit count, then per entry handler, telegram code,
// flag (16 bits each) and a zero-terminated CP1252 text. Anything that does
// not fit this exactly is refused with a message naming what is wrong.
#include "kvt/bytes.h"

#include "dialoghost.h"

namespace kvt::dlg {

namespace {

constexpr std::size_t kCountSize = 2;
constexpr std::size_t kEntryHeadSize = 6;
constexpr WORD kLastFlag = 1;

std::string Quoted(std::string_view name) {
  std::string quoted(1, '"');
  quoted.append(name);
  quoted.push_back('"');
  return quoted;
}

}  // namespace

bool ParseMenu(std::span<const BYTE> data, std::string_view name, std::vector<MenuLine> &lines,
               std::string &error) {
  lines.clear();
  const std::string menu = Quoted(name);
  if (data.size() < kCountSize) {
    error = FormatText("Die Menüressource %s ist zu kurz: Es fehlt sogar die Anzahl der Einträge.", menu.c_str());
    return false;
  }
  const unsigned count = Word(data, 0);
  if (count == 0) {
    error = FormatText("Die Menüressource %s enthält keine Einträge.", menu.c_str());
    return false;
  }
  std::size_t at = kCountSize;
  for (unsigned number = 1; number <= count; ++number) {
    const std::size_t textStart = at + kEntryHeadSize;
    std::size_t textEnd = textStart;
    while (textEnd < data.size() && data[textEnd] != 0) ++textEnd;
    if (textEnd >= data.size()) {
      error = FormatText("Die Menüressource %s ist unvollständig: Eintrag %u von %u ist abgeschnitten.",
                         menu.c_str(), number, count);
      lines.clear();
      return false;
    }
    MenuLine line;
    line.handler = Word(data, at);
    line.telegram = Word(data, at + 2);
    line.flag = Word(data, at + 4);
    if (line.flag > kLastFlag) {
      error = FormatText("Die Menüressource %s ist fehlerhaft: Eintrag %u hat das unbekannte Kennzeichen %u.",
                         menu.c_str(), number, static_cast<unsigned>(line.flag));
      lines.clear();
      return false;
    }
    line.text.assign(reinterpret_cast<const char *>(data.data() + textStart), textEnd - textStart);
    lines.push_back(std::move(line));
    at = textEnd + 1;
  }
  if (at != data.size()) {
    error = FormatText("Die Menüressource %s ist fehlerhaft: Nach dem letzten Eintrag folgen noch %u Bytes.",
                       menu.c_str(), static_cast<unsigned>(data.size() - at));
    lines.clear();
    return false;
  }
  return true;
}

bool LoadMenu(HINSTANCE module, const char *name, std::vector<MenuLine> &lines, std::string &error) {
  const std::string shown = IS_INTRESOURCE(name)
                                ? FormatText("#%u", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)))
                                : std::string(name);
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) {
    error = FormatText("Die Menüressource %s wurde nicht gefunden.", Quoted(shown).c_str());
    return false;
  }
  const std::span<const BYTE> data(static_cast<const BYTE *>(bytes), SizeofResource(module, found));
  return ParseMenu(data, shown, lines, error);
}

}  // namespace kvt::dlg
