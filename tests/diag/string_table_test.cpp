// The string table as a host loads it from KVTIDIAG.DLL: a few strings of
// each group, commands not built yet among them, byte for byte in CP1252.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/escaped.h"

namespace {

struct ExpectedString {
  UINT id;
  const char *text;
};

// Written here independently of the library's table, as CP1252 bytes.
constexpr ExpectedString kExpected[] = {
    {1, "Diagnose"},
    {19, "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!"},
    {20, "Falsche Eingabe! \nHerstellcode muss aus 8 Ziffern bestehen."},
    {64, "\xDC" "berwachungsbereich: Rechteckiger \xDC" "berwachungsbereich\n "},
    {84, "Anfangsadr.: 0x%8lx;   Anzahl der Bytes:  %3d;\n"},
    {128, "  "},
    {131, "Latest:\n LowImp: %u, HighImp: %u, Kink: %u, HighUl: %u\n"},
    {236, "Konifguration erfolgreich \xFC" "bernommen."},
    {248, "HEX-Files (*.hex)|*.hex|Alle Dateien (*.*)|*.*||"},
    {252, "Einzelschu\xDF in 1/100 Grad: %4u.\n"},
    {285, "Daten nicht \xFC" "bernommen, da nicht im Navigationsmodus\n"},
    {297, "Anzahl Einschaltvorg\xE4nge: %u"},
    {1249, "Anzahl der Refloktormesswertpaare:  %4u\n"},
    {1270, "Endpr\xFC" "fdaten:\n"},
    {1277, "Ausgang C ist HIGH\n"},
};

TEST(StringTableTest, HoldsTheSystemsTextsExactly) {
  // LoadStringA converts to the ANSI code page; the product's is 1252.
  ASSERT_EQ(GetACP(), 1252u);
  HMODULE module = LoadLibraryExA("KVTIDIAG.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  for (const auto &expected : kExpected) {
    char text[128] = {};
    const int length = LoadStringA(module, expected.id, text, sizeof text);
    EXPECT_EQ(kvt::test::Escaped(std::string(text, length)), kvt::test::Escaped(expected.text))
        << "string " << expected.id;
  }
  FreeLibrary(module);
}

}  // namespace
