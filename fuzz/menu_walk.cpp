// The commands of the menu resource, read as the dialog host reads them, so
// that every handler the library's menu names is fuzzed, new ones included.

#include "fuzz/fuzz.h"
#include "kvt/bytes.h"

namespace kvt::fuzz {

std::vector<MenuCommand> ReadMenu(HMODULE module) {
  std::vector<MenuCommand> commands;
  HRSRC found = FindResourceA(module, "KVTIDIAG.DLL", RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto *data = loaded ? static_cast<const BYTE *>(LockResource(loaded)) : nullptr;
  if (!data) return commands;
  const std::span<const BYTE> menu(data, SizeofResource(module, found));
  std::size_t at = 2;
  for (unsigned entry = Word(menu, 0); entry > 0 && at + 6 < menu.size(); --entry) {
    const MenuCommand command{Word(menu, at), Word(menu, at + 2), Word(menu, at + 4)};
    at += 6;
    while (at < menu.size() && menu[at] != 0) ++at;
    ++at;
    if (command.handler != kHeadingCode) commands.push_back(command);
  }
  return commands;
}

}  // namespace kvt::fuzz
