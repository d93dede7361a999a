// The string table as a host loads it from KVTIDIAG.DLL: a few strings of
// each group, commands not built yet among them, as CP1252 bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/escaped.h"

namespace {

// Written here independently of the library's table.
constexpr struct {
  UINT id;
  const char *text;
} kExpected[] = {
    {20, "Falsche Eingabe! \nHerstellcode muss aus 8 Ziffern bestehen."},
    {64, "\xDC" "berwachungsbereich: Rechteckiger \xDC" "berwachungsbereich\n "},
    {84, "Anfangsadr.: 0x%8lx;   Anzahl der Bytes:  %3d;\n"},
    {128, "  "},
    {236, "Konifguration erfolgreich \xFC" "bernommen."},
    {248, "HEX-Files (*.hex)|*.hex|Alle Dateien (*.*)|*.*||"},
    {252, "Einzelschu\xDF in 1/100 Grad: %4u.\n"},
    {285, "Daten nicht \xFC" "bernommen, da nicht im Navigationsmodus\n"},
    {297, "Anzahl Einschaltvorg\xE4nge: %u"},
    {1270, "Endpr\xFC" "fdaten:\n"},
};

TEST(StringTableTest, HoldsTheSystemsTextsExactly) {
  ASSERT_EQ(GetACP(), 1252u) << "LoadStringA converts to the ANSI code page";
  HMODULE module = LoadLibraryExA("KVTIDIAG.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  for (const auto &[id, text] : kExpected) {
    char loaded[128] = {};
    const int length = LoadStringA(module, id, loaded, sizeof loaded);
    EXPECT_EQ(kvt::test::Escaped({loaded, static_cast<std::size_t>(length)}), kvt::test::Escaped(text))
        << "string " << id;
  }
  FreeLibrary(module);
}

}  // namespace
