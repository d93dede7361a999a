// The library's string table: messages and format strings by decimal id.
// resgen writes it as a STRINGTABLE; the code loads by id (LoadText).
#pragma once

#include <array>
#include <cstdint>

namespace kvt::strings {

struct StringRow {
  std::uint16_t id;
  const char *text;
};

inline constexpr std::array kStrings{
    StringRow{1, "Diagnose"},
    StringRow{2, "Diagnose ausführen"},
    StringRow{16, "Es ist zu wenig Speicher vorhanden."},
    StringRow{17, "Kommunikation mit dem Sensor nicht in Ordnung !"},
    StringRow{19, "Falscher Betriebsmode (NACK-Telegramm) oder falsches Antwortelegramm erhalten!"},
    StringRow{50, "%4u;"},
    StringRow{54, "Kein Fehler eingetragen"},
    StringRow{57, "Anzahl der Messwerte: %3d.\n"},
    StringRow{66, "Sensor wird zurückgesetzt!"},
    StringRow{79, "UI"},
    StringRow{80, "%5u ;  %5u;    %4u"},
    StringRow{82, "Aktuell gemessene Referenzwerte:"},
    StringRow{83, "Gemittelte Referenzwerte:"},
    StringRow{106, "Anzahl der Mehrfachauswertungen wurde übernommen."},
    StringRow{107, "Anzahl der Mehrfachauswertungen wurde NICHT übernommen."},
    StringRow{109, "Neue Geräteadresse wurde übernommen."},
    StringRow{110, "Neue Geräteadresse wurde NICHT übernommen."},
    StringRow{111, "Einstellung wurde dauerhaft im EEPROM gespeichert."},
    StringRow{112, "Einstellung wurde NICHT gespeichert."},
    StringRow{123, "Stopschwelle wurde übernommen."},
    StringRow{124, "Stopschwelle wurde NICHT übernommen."},
    StringRow{129, "%3u,%u; %3u; %5u; %5u; %4u"},
    StringRow{191, "Anlauftest wurde gestartet."},
    StringRow{192, "Anlauftest konnte NICHT gestartet werden."},
    StringRow{202, "Feldsatzauswahl wurde NICHT übernommen."},
    StringRow{203, "Feldsatzauswahl wurde übernommen."},
    StringRow{205, "\nFelder werden aus dem FLÜCHTIGEN Speicher ausgewertet."},
    StringRow{206, "\nFelder werden aus dem NICHTFLÜCHTIGEN Speicher ausgewertet."},
    StringRow{212, "*****************************************************************************\n"},
    StringRow{216, "Schaltbefehl für den Laser wurde übernommen."},
    StringRow{217, "Schaltbefehl für den Laser wurde NICHT übernommen."},
    StringRow{221, "Adresse muss zwischen 0 und 127  liegen!"},
    StringRow{226, "*****************************************************************************"},
    StringRow{231, "\nDer Laser ist eingeschaltet."},
    StringRow{232, "\nDer Laser ist ausgeschaltet."},
    StringRow{233, "Feldnummer: %2u \n"},
    StringRow{243, "\nBei der Kommunikation benutzte Adresse %3u  mit Zielgerät  KVT.\n\n"},
    StringRow{244, "\nBei der Kommunikation benutzte Adresse %3u  mit Zielgerät  PXD.\n\n"},
    StringRow{247, "Error on file handling"},
    StringRow{249, "Download in Flash-Eprom war erfolgreich."},
    StringRow{257, "Definition übernommen."},
    StringRow{258, "Definition wurde NICHT übernommen."},
    StringRow{261, "Anzahl der Korrekturwertpaare: %4u"},
    StringRow{262, "Ladung/Breite         Korrekturwert"},
    StringRow{263, "%5u;       "},
    StringRow{264, "%10lu;       "},
    StringRow{265, "\nBei der Kommunikation benutzte Adresse %3u  mit Zielgerät  KVT-Q1.\n\n"},
    StringRow{271, "TDC Eichwerte: M00:%5u,  M01:%5u,  Period:%4u nsec\n   Cal10:%7lu, Cal20:%8lu, Cal12:%7lu, Cal21:%8lu"},
    StringRow{274, "   Auflösung Counter 0:%3u, Counter 1:%3u  [psec]"},
    StringRow{275, "Parameteranzahl: %3u\n"},
    StringRow{276, "%3i,"},
    StringRow{1272, "Ausgang A ist LOW\n"},
    StringRow{1273, "Ausgang B ist LOW\n"},
    StringRow{1274, "Ausgang C ist LOW\n"},
    StringRow{1275, "Ausgang A ist HIGH\n"},
    StringRow{1276, "Ausgang B ist HIGH\n"},
    StringRow{1277, "Ausgang C ist HIGH\n"},
};

}  // namespace kvt::strings
