// Value-list text classes of the status report (TextSensorMulPar): scan,
// laser, signal levels, counters, outputs, fields, TDC calibration. The
// width and count of each list are what the status reports pass: the lists
// that run onward from a record byte are read as 16-bit values from there.
#include "driver.h"

namespace kvtdrv {

namespace {

// The library passes this instead of a quotient it could not compute
// (a divisor of 0): no measurement can give it.
constexpr DWORD kNoValue32 = 0xFFFFFFFF;
constexpr DWORD kNoValue16 = 0xFFFF;

DWORD At(std::span<const DWORD> values, std::size_t i) { return i < values.size() ? values[i] : 0; }

// Classes 85 and 107: angles in tenths and hundredths of a degree.
std::string ScanText(std::span<const DWORD> v) {
  return "Scanbereich: Öffnungswinkel " + Decimal(At(v, 0), 1) + "°, Winkelschritt " + Decimal(At(v, 1), 2) +
         "°, Messbereich " + std::to_string(At(v, 2)) + " cm, Mindestabstand " + std::to_string(At(v, 3)) + " cm";
}

void ScanOld(std::span<const DWORD> v, std::span<char> out) { PutBuilt(out, "%s", ScanText(v).c_str()); }

void Scan(std::span<const DWORD> v, std::span<char> out) {
  PutBuilt(out, "%s, %lu Feldsätze, Messwertauflösung %lu mm", ScanText(v).c_str(), At(v, 4), At(v, 5));
}

// Class 84: levels in mV, supply voltage in tenths of a volt.
void SignalLevels(std::span<const DWORD> v, std::span<char> out) {
  PutBuilt(out,
           "Signalpegel: Empfang %lu mV, Referenzziel %lu mV, Sender %lu mV, Rauschen %lu mV, Stoppschwelle %lu mV; "
           "Versorgung %s V",
           At(v, 0), At(v, 1), At(v, 2), At(v, 3), At(v, 4), Decimal(At(v, 5), 1).c_str());
}

// Class 86: laser on or off, power, pulse width.
void Laser(std::span<const DWORD> v, std::span<char> out) {
  const DWORD on = At(v, 0);
  char state[32];
  if (on <= 1) {
    PutBuilt(state, "%s", on == 0 ? "ausgeschaltet" : "eingeschaltet");
  } else {
    PutBuilt(state, "unbekannt (0x%02lX)", on);
  }
  PutBuilt(out, "Laser: %s, Leistung %lu %%, Pulsbreite %lu ns", state, At(v, 1), At(v, 2));
}

// Class 88: operating time in seconds.
void OperatingTime(std::span<const DWORD> v, std::span<char> out) {
  const DWORD seconds = At(v, 0);
  PutBuilt(out, "Betriebsdauer: %lu h %02lu min", seconds / 3600, seconds % 3600 / 60);
}

// Class 89: mirror revolutions per second from the timer count.
void MirrorSpeed(std::span<const DWORD> v, std::span<char> out) {
  if (At(v, 0) == kNoValue32) {
    PutBuilt(out, "Spiegeldrehzahl: --- (nicht berechenbar, Zählwert 0)");
  } else {
    PutBuilt(out, "Spiegeldrehzahl: %lu U/s", At(v, 0));
  }
}

// Class 104: the two TDC resolutions in ps, worded like string 274.
void Resolution(std::span<const DWORD> v, std::span<char> out) {
  char counter[2][16];
  for (std::size_t i = 0; i < 2; ++i) {
    if (At(v, i) == kNoValue16) {
      PutBuilt(counter[i], "---");
    } else {
      PutBuilt(counter[i], "%3lu", At(v, i));
    }
  }
  const bool missing = At(v, 0) == kNoValue16 || At(v, 1) == kNoValue16;
  PutBuilt(out, "   Auflösung Counter 0:%s, Counter 1:%s  [psec]%s", counter[0], counter[1],
           missing ? "  (--- nicht berechenbar: Eichwerte ungültig)" : "");
}

constexpr TextClass kClasses[] = {
    {.id = 71, .listFormat = "KVT-Variante: %u, Sensornummer: %u", .listWidth = 2, .listCount = 2},
    {.id = 84, .build = SignalLevels, .listWidth = 2, .listCount = 6},
    {.id = 85, .build = ScanOld, .listWidth = 2, .listCount = 4},
    {.id = 86, .build = Laser, .listWidth = 2, .listCount = 3},
    {.id = 87, .listFormat = "Mehrfachauswertung: %u-fach, Umlaufzeit %u ms, Ansprechzeit %u ms", .listWidth = 2,
     .listCount = 3},
    {.id = 88, .build = OperatingTime, .listWidth = 4, .listCount = 1},
    {.id = 89, .build = MirrorSpeed, .listWidth = 4, .listCount = 1},
    {.id = 91, .listFormat = "Zähler: %u Einschaltvorgänge, %u Rücksetzungen, %u Referenzzielfehler; Innentemperatur %u °C",
     .listWidth = 2, .listCount = 4},
    {.id = 95, .listFormat = "Feld A (Schutzfeld): Breite %u cm, Länge %u cm", .listWidth = 2, .listCount = 2},
    {.id = 96, .listFormat = "Feld B (Warnfeld): Breite %u cm, Länge %u cm", .listWidth = 2, .listCount = 2},
    {.id = 97, .listFormat = "Feldauswertung: Mindestobjektgröße %u cm, Feldverletzung nach %u Abtastungen, "
                             "Wiederanlauf nach %u ms",
     .listWidth = 2, .listCount = 3},
    {.id = 98, .listFormat = "Zähler: %u Einschaltvorgänge, %u h Laserbetrieb, %u Rücksetzungen; höchste "
                             "Innentemperatur %u °C",
     .listWidth = 2, .listCount = 4},
    {.id = 101, .listFormat = "Schaltausgänge: Einschaltverzögerung %u ms, Ausschaltverzögerung %u ms, Haltezeit %u ms, "
                              "Mindestimpulsdauer %u ms",
     .listWidth = 2, .listCount = 4},
    {.id = 102, .listFormat = "Feld A (Schutzfeld): Breite %u cm, Länge %u cm; Feld B (Warnfeld): Breite %u cm, "
                              "Länge %u cm",
     .listWidth = 2, .listCount = 4},
    {.id = 103, .listFormat = "TDC Eichwerte: M00:%5u,  M01:%5u,  Period:%4u nsec\n   Cal10:%7lu, Cal20:%8lu, "
                              "Cal12:%7lu, Cal21:%8lu",
     .listWidth = 4, .listCount = 7},
    {.id = 104, .build = Resolution, .listWidth = 2, .listCount = 2},
    {.id = 107, .build = Scan, .listWidth = 2, .listCount = 6},
    {.id = 108, .listFormat = "Ausgang 2: Haltezeit %u ms", .listWidth = 2, .listCount = 1},
    {.id = 112, .listFormat = "Ausgang 1: Haltezeit %u ms", .listWidth = 2, .listCount = 1},
};

}  // namespace

std::span<const TextClass> StatusListClasses() { return kClasses; }

}  // namespace kvtdrv
