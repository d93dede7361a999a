// Build-time tool: writes the menu resource (menu.bin) and the string table
// script (strings.rc) from the tables, byte for byte as CP1252.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "resources/menu_table.h"
#include "resources/string_table.h"

namespace {

void PutWord(std::string &out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

std::string MenuBytes() {
  std::string out;
  PutWord(out, kvt::menu::kMenu.size());
  for (const auto &entry : kvt::menu::kMenu) {
    PutWord(out, entry.handler);
    PutWord(out, entry.telegram);
    PutWord(out, entry.flag);
    out.append(entry.text, std::strlen(entry.text) + 1);
  }
  return out;
}

// A resource-script string literal: quotes doubled, backslash and line feed escaped.
std::string RcLiteral(const char *text) {
  std::string out = "\"";
  for (const char *p = text; *p; ++p) {
    if (*p == '"') out += "\"\"";
    else if (*p == '\\') out += "\\\\";
    else if (*p == '\n') out += "\\n";
    else out += *p;
  }
  return out + "\"";
}

std::string StringScript() {
  std::string out = "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n";
  for (const auto &row : kvt::strings::kStrings) {
    out += "  " + std::to_string(row.id) + ", " + RcLiteral(row.text) + "\n";
  }
  return out + "END\n";
}

bool Write(const std::string &path, const std::string &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

bool IdsUnique() {
  std::set<unsigned> seen;
  for (const auto &row : kvt::strings::kStrings) {
    if (!seen.insert(row.id).second) {
      std::fprintf(stderr, "resgen: string %u defined twice\n", row.id);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resgen OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  if (!IdsUnique()) return 1;
  if (!Write(dir + "/menu.bin", MenuBytes()) || !Write(dir + "/strings.rc", StringScript())) {
    std::fprintf(stderr, "resgen: cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
