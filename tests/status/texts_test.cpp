// The driver's text classes for the status, error-memory and sensor-type
// reports, through the exports alone: wording of every class, unknown codes,
// the formats the library fills, the list widths, the buffer size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guarded.h"
#include "kvt/abi.h"
#include "kvt/simcontrol.h"
#include "support/escaped.h"

namespace kvt {
namespace {

using test::Escaped;

std::string Text(int textClass, WORD code, int size = 255) {
  std::string buffer(300, '\xCC');
  TextSensor(textClass, code, buffer.data(), size, 0);
  return buffer.substr(0, buffer.find('\0'));
}

std::string ListText(int textClass, const void *values, int size = 255) {
  std::string buffer(300, '\xCC');
  TextSensorMulPar(textClass, values, buffer.data(), size, 0);
  return buffer.substr(0, buffer.find('\0'));
}

struct CodeCase {
  int textClass;
  WORD code;
  const char *expected;
};

// One or two codes of every single-code class the reports ask for.
const CodeCase kCodeCases[] = {
    {1, 0x25, "Betriebsmodus: Messwerte nur auf Anforderung"},
    {1, 0x00, "Betriebsmodus: Einrichtmodus"},
    {3, 0, "Fehlerart: kein Fehler"},
    {3, 2, "Fehlerart: Fehler"},
    {4, 7, " - Drehzahl des Spiegels außerhalb der Toleranz"},
    {4, 17, " - Empfangssignal zu schwach"},
    {55, 75, " - Sensor an Eingang 2 antwortet verzögert"},
    {55, 17, " - Empfangssignal eines Sensors zu schwach"},
    {6, 3, "Schnittstelle: Profibus DP"},
    {6, 0, "Schnittstelle: RS 232"},
    {56, 10, ", Parameter 10"},
    {21, 96, "Baudrate: 9600 Baud"},
    {21, 5000, "Baudrate: 500000 Baud"},
    {24, 4, "Aktiver Feldsatz: 4"},
    {25, 2, "Parität: ungerade"},
    {26, 1, "Nach dem Einschalten: zuletzt eingestellte Baudrate"},
    {28, 127, "Geräteadresse: 127"},
    {35, 1, "Feldsätze im nichtflüchtigen Speicher (EEPROM)"},
    {36, 0, "Auswertemodus: jeder Sensor einzeln"},
    {54, 3, "Angeschlossene Sensoren: 3"},
    {57, 7, "Sensor: KVT 90°/0,5° (Typ 6)"},
    {58, 0x11, "Zustand: Störung, Empfangssignal zu schwach"},
    {59, 2, "Rolle im Sensorverbund: Slave (Sensor 2)"},
    {77, 0x000A, "Aktive Sensoreingänge: 2, 4"},
    {77, 0, "Aktive Sensoreingänge: keine"},
    {77, 0x0010, "Aktive Sensoreingänge: unbekannt (0x0010)"},
    {92, 0, "Anlauftest: ausgeschaltet"},
    {99, 1, "Anlauftest: eingeschaltet"},
    {93, 1, "Ausgang 1: Schließer"},
    {94, 0, "Ausgang 2: Öffner"},
    {105, 3, "Ausgang 1: Schließer, schaltet bei Verletzung von Feld A oder B"},
    {106, 2, "Ausgang 2: Öffner, Störungsmeldung"},
    {109, 1, "Abgleich: Werksabgleich gültig"},
    {109, 2, "Abgleich: Kundenabgleich gültig"},
    {110, 0xAAAB, "Abgleich: Werks- und Winkelabgleich gültig, gegen Änderung gesperrt"},
    {111, 0, "Abgleich: keine Abgleichdaten vorhanden (Speicher gelöscht)"},
    {114, 1, "Schalenprüfung: eingeschaltet"},
    {115, 0, "Bandkontrolle: ausgeschaltet"},
    {122, 34, "Innentemperatur: 34 °C"},
    {122, 0xFFFB, "Innentemperatur: -5 °C"},
};

TEST(StatusTexts, EveryCodeClassHasWords) {
  for (const CodeCase &c : kCodeCases) {
    EXPECT_EQ(Escaped(Text(c.textClass, c.code)), Escaped(c.expected)) << "class " << c.textClass << ", code " << c.code;
  }
}

// A code without a row names itself; the numeric classes show the number.
TEST(StatusTexts, UnknownCodesSayWhatTheyAre) {
  const CodeCase cases[] = {
      {1, 0x1F, "Betriebsmodus: unbekannt (0x1F)"},
      {3, 9, "Fehlerart: unbekannt (0x09)"},
      {4, 99, " - unbekannte Fehlernummer 99"},
      {55, 200, " - unbekannte Fehlernummer 200"},
      {6, 0x23, "Schnittstelle: unbekannt (0x23)"},
      {21, 0x1234, "Baudrate: unbekannt (0x1234)"},
      {24, 0x100, "Aktiver Feldsatz: unbekannt (0x0100)"},
      {24, 0, "Aktiver Feldsatz: unbekannt (0x00)"},
      {25, 3, "Parität: unbekannt (0x03)"},
      {26, 7, "Nach dem Einschalten: unbekannt (0x07)"},
      {35, 2, "Feldsatzspeicher: unbekannt (0x02)"},
      {36, 3, "Auswertemodus: unbekannt (0x03)"},
      {57, 8, "Sensor: unbekannt (0x08)"},
      {58, 0x33, "Zustand: unbekannt (0x33)"},
      {59, 5, "Rolle im Sensorverbund: unbekannt (0x05)"},
      {92, 2, "Anlauftest: unbekannt (0x02)"},
      {93, 2, "Ausgang 1: unbekannt (0x02)"},
      {94, 2, "Ausgang 2: unbekannt (0x02)"},
      {99, 0xFFFF, "Anlauftest: unbekannt (0xFFFF)"},
      {105, 5, "Ausgang 1: unbekannt (0x05)"},
      {106, 5, "Ausgang 2: unbekannt (0x05)"},
      {109, 3, "Abgleich: unbekannt (0x03)"},
      {110, 0xAAAA, "Abgleich: unbekannt (0xAAAA)"},
      {111, 1, "Abgleich: unbekannt (0x01)"},
      {114, 2, "Schalenprüfung: unbekannt (0x02)"},
      {115, 2, "Bandkontrolle: unbekannt (0x02)"},
      {28, 0xFFFF, "Geräteadresse: 65535"},
      {54, 0, "Angeschlossene Sensoren: 0"},
      {56, 0xFFFF, ", Parameter 65535"},
      {122, 0xFF80, "Innentemperatur: -128 °C"},
      {18, 1, ""},
      {60, 0xFFFF, ""},
  };
  for (const CodeCase &c : cases) {
    EXPECT_EQ(Escaped(Text(c.textClass, c.code)), Escaped(c.expected)) << "class " << c.textClass << ", code " << c.code;
  }
}

// The formats that the library fills with addresses of answer texts: each
// conversion is a %s with a precision, as many as the library passes texts.
TEST(StatusTexts, FormatsTakeTheTextsTheLibraryPasses) {
  struct Case {
    int textClass;
    std::vector<std::string> conversions;
    const char *filled;  // with "V02.10", "SN0415372"
  };
  const Case cases[] = {
      {18, {"%.8s", "%.9s"}, "Programmversion: V02.10   Seriennummer: SN0415372"},
      {68, {"%.8s"}, "Gerätevariante: V02.10"},
      {60, {"%.8s"}, "Sensortyp: V02.10"},
      {61, {"%.8s"}, "Programmversion: V02.10"},
      {62, {"%.100s"}, "Beschreibung: V02.10"},
  };
  for (const Case &c : cases) {
    const std::string format = Text(c.textClass, 0);
    std::vector<std::string> found;
    for (std::size_t at = format.find('%'); at != std::string::npos; at = format.find('%', at + 1)) {
      const std::size_t end = format.find_first_of("sdiuxXcpnSlh%", at + 1);
      ASSERT_NE(end, std::string::npos) << Escaped(format);
      found.push_back(format.substr(at, end - at + 1));
      at = end;
    }
    EXPECT_EQ(found, c.conversions) << "class " << c.textClass << ": " << Escaped(format);
    char filled[256];
    wsprintfA(filled, format.c_str(), "V02.10", "SN0415372");
    EXPECT_EQ(Escaped(filled), Escaped(c.filled)) << "class " << c.textClass;
  }
}

struct ListCase {
  int textClass;
  std::vector<DWORD> values;
  int width;  // bytes per value as the library passes them
  const char *expected;
};

std::vector<BYTE> Packed(const ListCase &c) {
  std::vector<BYTE> bytes;
  for (DWORD v : c.values) {
    for (int i = 0; i < c.width; ++i) bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
  }
  return bytes;
}

const ListCase kListCases[] = {
    {71, {4, 1}, 2, "KVT-Variante: 4, Sensornummer: 1"},
    {84, {1250, 1180, 1320, 45, 44, 240}, 2,
     "Signalpegel: Empfang 1250 mV, Referenzziel 1180 mV, Sender 1320 mV, Rauschen 45 mV, Stoppschwelle 44 mV; "
     "Versorgung 24,0 V"},
    {85, {1800, 50, 8000, 30}, 2,
     "Scanbereich: Öffnungswinkel 180,0°, Winkelschritt 0,50°, Messbereich 8000 cm, Mindestabstand 30 cm"},
    {107, {2700, 25, 3000, 20, 4, 5}, 2,
     "Scanbereich: Öffnungswinkel 270,0°, Winkelschritt 0,25°, Messbereich 3000 cm, Mindestabstand 20 cm, "
     "4 Feldsätze, Messwertauflösung 5 mm"},
    {86, {1, 100, 4}, 2, "Laser: eingeschaltet, Leistung 100 %, Pulsbreite 4 ns"},
    {86, {0, 80, 3}, 2, "Laser: ausgeschaltet, Leistung 80 %, Pulsbreite 3 ns"},
    {86, {7, 80, 3}, 2, "Laser: unbekannt (0x07), Leistung 80 %, Pulsbreite 3 ns"},
    {87, {2, 40, 80}, 2, "Mehrfachauswertung: 2-fach, Umlaufzeit 40 ms, Ansprechzeit 80 ms"},
    {88, {371430}, 4, "Betriebsdauer: 103 h 10 min"},
    {88, {0xFFFFFFFF}, 4, "Betriebsdauer: 1193046 h 28 min"},
    {89, {25}, 4, "Spiegeldrehzahl: 25 U/s"},
    {89, {1048576}, 4, "Spiegeldrehzahl: 1048576 U/s"},
    {89, {0xFFFFFFFF}, 4, "Spiegeldrehzahl: --- (nicht berechenbar, Zählwert 0)"},
    {91, {412, 37, 1, 35}, 2,
     "Zähler: 412 Einschaltvorgänge, 37 Rücksetzungen, 1 Referenzzielfehler; Innentemperatur 35 °C"},
    {95, {120, 160}, 2, "Feld A (Schutzfeld): Breite 120 cm, Länge 160 cm"},
    {96, {250, 260}, 2, "Feld B (Warnfeld): Breite 250 cm, Länge 260 cm"},
    {97, {7, 2, 500}, 2,
     "Feldauswertung: Mindestobjektgröße 7 cm, Feldverletzung nach 2 Abtastungen, Wiederanlauf nach 500 ms"},
    {98, {512, 498, 0, 41}, 2,
     "Zähler: 512 Einschaltvorgänge, 498 h Laserbetrieb, 0 Rücksetzungen; höchste Innentemperatur 41 °C"},
    {101, {20, 40, 100, 10}, 2,
     "Schaltausgänge: Einschaltverzögerung 20 ms, Ausschaltverzögerung 40 ms, Haltezeit 100 ms, Mindestimpulsdauer "
     "10 ms"},
    {102, {120, 160, 250, 260}, 2,
     "Feld A (Schutzfeld): Breite 120 cm, Länge 160 cm; Feld B (Warnfeld): Breite 250 cm, Länge 260 cm"},
    {103, {2000, 2010, 25, 118000, 370000, 120500, 371300}, 4,
     "TDC Eichwerte: M00: 2000,  M01: 2010,  Period:  25 nsec\n   Cal10: 118000, Cal20:  370000, Cal12: 120500, "
     "Cal21:  371300"},
    {104, {13, 12}, 2, "   Auflösung Counter 0: 13, Counter 1: 12  [psec]"},
    {104, {0xFFFF, 12}, 2,
     "   Auflösung Counter 0:---, Counter 1: 12  [psec]  (--- nicht berechenbar: Eichwerte ungültig)"},
    {104, {0, 0xFFFF}, 2,
     "   Auflösung Counter 0:  0, Counter 1:---  [psec]  (--- nicht berechenbar: Eichwerte ungültig)"},
    {108, {500}, 2, "Ausgang 2: Haltezeit 500 ms"},
    {112, {200}, 2, "Ausgang 1: Haltezeit 200 ms"},
};

TEST(StatusTexts, EveryListClassHasWords) {
  for (const ListCase &c : kListCases) {
    const std::vector<BYTE> bytes = Packed(c);
    EXPECT_EQ(Escaped(ListText(c.textClass, bytes.data())), Escaped(c.expected)) << "class " << c.textClass;
  }
}

// The driver reads no more than the library passes: the list ends right
// before a page that may not be touched. Lists that run onward from a
// record byte may use the bytes up to the next field of the status record.
TEST(StatusTexts, ListsReadOnlyTheirValues) {
  for (const ListCase &c : kListCases) {
    const std::vector<BYTE> bytes = Packed(c);
    test::GuardedBytes guarded(bytes.size());
    std::copy(bytes.begin(), bytes.end(), guarded.bytes.begin());
    EXPECT_EQ(Escaped(ListText(c.textClass, guarded.bytes.data())), Escaped(c.expected)) << "class " << c.textClass;
  }
  struct Room {
    int textClass;
    std::size_t bytes;  // from the list's record byte to the next field
  };
  const Room rooms[] = {{107, 16}, {85, 16}, {87, 8}, {84, 16}, {86, 8}, {97, 15}};
  for (const Room &room : rooms) {
    test::GuardedBytes guarded(room.bytes);
    std::fill(guarded.bytes.begin(), guarded.bytes.end(), BYTE{1});
    EXPECT_FALSE(ListText(room.textClass, guarded.bytes.data()).empty()) << "class " << room.textClass;
  }
}

TEST(StatusTexts, SingleCodesAndListsDoNotMix) {
  const WORD values[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(Text(91, 1), "") << "a list class asked for a code";
  EXPECT_EQ(ListText(1, values), "") << "a code class asked for a list";
  EXPECT_EQ(ListText(91, nullptr), "") << "no list";
}

// Every text ends within the size the caller gives, and nothing behind it
// is touched.
TEST(StatusTexts, TextsKeepToTheBuffer) {
  auto check = [](const std::string &name, const std::string &full, auto call) {
    for (int size = 1; size <= static_cast<int>(full.size()) + 2; ++size) {
      std::string buffer(full.size() + 16, '\xCC');
      call(buffer.data(), size);
      const std::size_t kept = std::min<std::size_t>(size - 1, full.size());
      EXPECT_EQ(buffer.substr(0, kept), full.substr(0, kept)) << name << ", size " << size;
      EXPECT_EQ(buffer[kept], '\0') << name << ", size " << size;
      EXPECT_EQ(buffer.find_first_not_of('\xCC', kept + 1), std::string::npos) << name << ", size " << size;
    }
  };
  for (const CodeCase &c : kCodeCases) {
    check("class " + std::to_string(c.textClass), c.expected,
          [&](char *buffer, int size) { TextSensor(c.textClass, c.code, buffer, size, 0); });
  }
  for (const ListCase &c : kListCases) {
    const std::vector<BYTE> bytes = Packed(c);
    check("list class " + std::to_string(c.textClass), c.expected,
          [&](char *buffer, int size) { TextSensorMulPar(c.textClass, bytes.data(), buffer, size, 0); });
  }
}

// The program version a simulated device reports is chosen with a key.
TEST(SimulatedVersion, ConfigurationKey) {
  struct Case {
    const char *config;
    BOOL accepted;
    const char *inForce;
  };
  const Case cases[] = {
      {"version=V01.90", TRUE, "device=kvt;address=0;variant=0;version=V01.90;setup=no"},
      {"device=pxd; version = 12345678 ", TRUE, "device=pxd;address=0;variant=0;version=12345678;setup=no"},
      {"", TRUE, "device=kvt;address=0;variant=0;setup=no"},
      {"version=", FALSE, nullptr},
      {"version=V01.90.123", FALSE, nullptr},
      {"version=V\x01", FALSE, nullptr},
  };
  for (const Case &c : cases) {
    SimConfigure("device=kvt");
    EXPECT_EQ(SimConfigure(c.config), c.accepted) << c.config;
    char text[256];
    SimConfigText(text, sizeof text);
    EXPECT_EQ(std::string(text), c.inForce ? c.inForce : "device=kvt;address=0;variant=0;setup=no") << c.config;
  }
  SimConfigure("");
}

}  // namespace
}  // namespace kvt
