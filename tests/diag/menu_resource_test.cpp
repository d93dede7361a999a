// The menu resource, compared byte for byte with an encoding made here from
// a plain listing: handler|telegram code|flag|text (UTF-8, converted to
// CP1252 below), texts exactly as the menu shows them, blanks included.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "support/ui_script.h"

namespace {

constexpr const char *kListing = R"(152|65535|0|Gerät und Adresse setzen
10|65535|0|Reset u. Initialisierung
13|65535|0|Sensorstatus lesen
14|65535|0|Fehlerspeicher lesen
55|65535|0|Betriebszähler lesen
164|65535|0|Sensortyp  lesen
65535|65535|0|Betriebsmodus wechseln
11|20|0|Einrichtmodus
11|23|0|Diagnosemodus
11|21|0|Abgleichmodus
11|110|0|Test Instandhaltungspasswort
11|68|0|Test Einrichtpasswort
11|69|0|Test Superuserpasswort
11|131|0|Einstellung Baudrate 500000 Baud
11|70|0|Einstellung Baudrate 38400 Baud
11|71|0|Einstellung Baudrate 19200 Baud
11|74|0|Einstellung Baudrate 9600 Baud
65535|65535|0|MODI FÜR MESSWERTÜBERTRAGUNG
11|109|0|Kont. alle Messwerte
11|24|0|Kont. min. Messwerte
11|207|1|Kont. Teilber. min. Messwerte
11|26|0|Kont. senkr. Abstand
11|174|1|Kont. gemittl. Messwerte
11|175|1|Kont. Messw.teilber.
11|182|1|Kont. Messw.teilber. u. Feldw.(KVT Typ6)
11|178|1|Kont. gemittl. Messw.teilber.(KVT Typ6)
11|187|0|Kont. alle Messw. direkt(KVT Typ6)
11|204|1|Kont. Messw. u. Remissionsw(KVT Typ6)
11|27|0|Senkr. Abstand, auf Anforderung
11|25|0|Min. Messwerte, auf Anforderung
11|116|0|Messwerte nur auf Anforderung
65535|65535|0|Messwerte anfordern
12|28|1|Minimaler Messwert pro Segment
12|149|1|Minimaler Messwert pro Feld-Segment
12|29|1|Alle Messwerte eines Scans
12|73|1|Alle Messw. formatiert für Statistik
12|30|1|Minimaler senkrechter Abstand
12|31|1|Eingelernte Messdaten
12|32|1|Verifizierte Messdaten
12|117|1|Messwerteteilbereich
12|188|1|Alle Messwerte direkt
97|98|1|Gemittelte Messwerte
97|177|1|Gemittelter Messwert in 90 Grad
179|0|1|Gemittelter Messwertteilbereich
165|0|1|Messwerte in XY-Koord.(KVT Typ6)
184|0|1|Messw.teilber. u. Feldw.(KVT Typ6)
205|0|1|n Bereiche mit Mess- u. Remissionsw.(KVT Typ6)
65535|65535|0|Laser Zu/Abschaltung
124|125|0|Laser Einschalten
124|126|0|Laser Ausschalten
65535|65535|0|Definition Antwortzeit / Anzahl Mehrfachausw.
103|104|1|Anzahl der Mehrfachauswertungen
65535|65535|0|Definition Feldsatz im flüchtigen Speicher
107|106|0|Feldsatz im FLÜCHTIGEN Speicher
107|108|0|Felder im NICHTFLÜCHTIGEN Speicher
65535|65535|0|Definition perman. Baudrate / Variante
118|119|0|9600 BAUD bei POWER ON
118|120|0|Baudrate konstant 
118|176|0|Variante konst. im EEPROM(KVT Typ6) 
121|65535|1|Geräteadresse definieren
15|76|0|Test Gesamtsystem (PXDHUB u. KVT Typ1-5)
19|65535|1|Referenzzieldiagnosedaten anfordern
16|65535|1|Speicherauszug anfordern
65535|65535|0|Abgleich durchfuehren
54|66|0|Abgleich Verschmutzungsmessung
54|183|1|Abgleich PXD-Herstell.code(PXDHUB)
65535|65535|0|Gespeichertes Feld anfordern
17|155|1|FeldA
17|156|1|FeldB
17|157|1|FeldC
65535|65535|0|Neues Feld konfigurieren
18|42|1|Rechteckiges Feld
18|43|1|Radiales Feld
18|44|1|Segmentiertes Feld
18|158|1|Dynamisches Rechteck(PXDHUB)
18|159|1|Dynamisches segm. Feld(PXDHUB)
65535|65535|0|Lernmodusbefehle
53|62|1|Beginn des Lernmodus
53|63|1|Regulaeres Ende des Lernmodus
53|64|1|Vorzeitiger Abbruch des Lernmodus
161|65535|1|Ausgänge aktiv/inaktiv schalten
65535|65535|0|TELEGRAMME FÜR PXDHUB
132|0|0|PXD-Konfiguration lesen
136|0|1|Definition der PXD-Konfiguration
133|0|1|Auswertefalldefinition  lesen
138|0|1|Definition PXD-Auswertefalles
160|0|1|Vorgabe einer dynam. Feldnummer
65535|65535|0|TELEGRAMME FÜR KVTSER TYP 6
181|0|0|KVT-Konfiguration lesen
211|0|0|KVT-Konfiguration 2 lesen
168|0|1|Definition der KVT-Konfiguration
210|0|1|Definition der KVT-Konfiguration 2
166|0|1|KVT Variante definieren
180|0|1|Vorgabe eines neuen Feldsatzes für KVT
173|0|1|Parameterdef. f. Messwertkorrektur
189|0|1|Parameterdef. f. entferngsabh. Korrektur
199|0|1|Parameterdef. f. Schalenkontrolle
206|0|1|Parameterdef. f. Bandkontrolle
196|0|1|Positionierhilfe: Schuss definieren
208|0|1|Endprüfdaten lesen / schreiben
209|0|0|Zustand der Ausgänge anfordern
65535|65535|0|Navigationsschnittstelle
11|200|1|BM: Kont. Navigationsdaten
190|191|1|Bremsfeld definieren/anfordern
190|192|1|Strahlfeld 0 definieren/anfordern
190|197|1|Strahlfeld 1 definieren/anfordern
190|198|1|Strahlfeld 2 definieren/anfordern
190|193|1|Reflektorlevel definieren/anfordern
190|194|1|Navigationsfall definieren/anfordern
190|195|1|Navigationsdaten anfordern
65535|65535|0|Felder D bis F anfordern (NUR SERVICEROBOTIK)
17|201|1|FeldD
17|202|1|FeldE
17|203|1|FeldF
65535|65535|0|Anforderung Referenzwerte
169|170|0|Aktuelle Ref.werte
169|171|0|Gemittelte Ref.werte
172|65535|0|Anforderung der Korrekturtabelle
154|65535|0|Progammdownload
)";

// This file alone is compiled with UTF-8 literals, so the listing reaches
// the test as UTF-8 and is converted here, independently of the build's
// own CP1252 literals.
std::string Cp1252FromUtf8(const std::string &utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  std::string out(wide.size() * 2, '\0');
  out.resize(WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

void PutWord(std::string &out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

std::string EncodeListing(int &entries) {
  std::string body;
  std::istringstream lines(kListing);
  std::string line;
  entries = 0;
  while (std::getline(lines, line)) {
    unsigned handler = 0, telegram = 0, flag = 0;
    int textStart = 0;
    sscanf(line.c_str(), "%u|%u|%u|%n", &handler, &telegram, &flag, &textStart);
    PutWord(body, handler);
    PutWord(body, telegram);
    PutWord(body, flag);
    body += Cp1252FromUtf8(line.substr(textStart));
    body += '\0';
    ++entries;
  }
  std::string out;
  PutWord(out, entries);
  return out + body;
}

TEST(MenuResourceTest, IsExactlyTheMenu) {
  int entries = 0;
  const std::string expected = EncodeListing(entries);
  EXPECT_EQ(entries, 119);
  EXPECT_EQ(expected.size(), 3974u);

  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, "KVTIDIAG.DLL", MAKEINTRESOURCEA(10));  // RT_RCDATA
  ASSERT_NE(found, nullptr);
  ASSERT_EQ(SizeofResource(module, found), 3974u);
  const char *bytes = static_cast<const char *>(LockResource(LoadResource(module, found)));
  const std::string actual(bytes, 3974);
  for (std::size_t i = 0; i < actual.size(); ++i) {
    ASSERT_EQ(static_cast<unsigned char>(actual[i]), static_cast<unsigned char>(expected[i]))
        << "first difference at byte " << i << ": " << kvt::test::Escaped(actual.substr(i > 20 ? i - 20 : 0, 40));
  }
}

TEST(MenuResourceTest, HeadingsAndFlags) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, "KVTIDIAG.DLL", MAKEINTRESOURCEA(10));
  ASSERT_NE(found, nullptr);
  const auto *bytes = static_cast<const unsigned char *>(LockResource(LoadResource(module, found)));
  const std::size_t size = SizeofResource(module, found);
  std::size_t at = 2;
  int headings = 0, commands = 0;
  while (at < size) {
    const unsigned handler = bytes[at] | (bytes[at + 1] << 8);
    const unsigned telegram = bytes[at + 2] | (bytes[at + 3] << 8);
    const unsigned flag = bytes[at + 4] | (bytes[at + 5] << 8);
    if (handler == 65535) {
      ++headings;
      EXPECT_EQ(telegram, 65535u);
      EXPECT_EQ(flag, 0u);
    } else {
      ++commands;
    }
    at += 6 + std::strlen(reinterpret_cast<const char *>(bytes + at + 6)) + 1;
  }
  EXPECT_EQ(at, size) << "the last entry ends exactly at the resource's end";
  EXPECT_EQ(headings, 16);
  EXPECT_EQ(commands, 103);
}

}  // namespace
