// The scan picture: result texts read back, where values land in a picture
// of a given size, the PNG encoder's sums, and the window behind the menu
// window with the PNG it writes, driven through real window messages.
#include "dialoghost/scan_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "dialoghost/dialoghost.h"
#include "dialoghost/scan_window.h"
#include "support/texts.h"
#include "support/ui.h"

namespace kvt::test {
namespace {

using namespace dlg;

constexpr char kKvtEnd[] = "\nBei der Kommunikation benutzte Adresse   0  mit Zielgerät  KVT.\n\n";
constexpr char kQ1End[] = "\nBei der Kommunikation benutzte Adresse   3  mit Zielgerät  KVT-Q1.\n\n";

// One line of values as the library writes them: six blanks or marks, then "%5u;".
std::string Plain(unsigned value, std::size_t count) {
  std::string out;
  char token[16];
  std::snprintf(token, sizeof token, "      %5u;", value);
  for (std::size_t i = 0; i < count; ++i) out += token + std::string(i % 8 == 7 ? "\n" : "");
  return out;
}

std::string Describe(const Scan &scan) {
  constexpr const char *kUnits[] = {"cm", "mm", "10cm", "none"};
  std::string out = FormatText("%s %s %g@%g n=%u:", kUnits[static_cast<int>(scan.unit)], scan.device.c_str(),
                               scan.geometry.firstAngle, scan.geometry.step, static_cast<unsigned>(scan.values.size()));
  for (std::size_t i = 0; i < std::min<std::size_t>(scan.values.size(), 12); ++i) {
    const ScanValue &v = scan.values[i];
    out += FormatText(" %u:%u", v.number, v.distance);
    for (auto [flag, letter] : {std::pair{kFlagA, 'A'}, {kFlagB, 'B'}, {kFlagC, 'C'}, {kFlagBlinding, 'L'}}) {
      if (v.flags & flag) out += letter;
    }
    if (v.reflector) out += FormatText("R%u", v.reflector);
  }
  return out;
}

std::string Describe(const FieldOutline &field) {
  constexpr const char *kUnits[] = {"cm", "mm", "10cm", "none"};
  constexpr const char *kShapes[] = {"rect", "radial", "seg", "taught"};
  std::string out = FormatText("%u%c %s %s %u/%u:", field.number, field.letter, kUnits[static_cast<int>(field.unit)],
                               kShapes[static_cast<int>(field.shape)], field.scanAngle, field.singleShot);
  for (unsigned word : field.words) out += FormatText(" %u", word);
  return out;
}

TEST(ScanPicture, ReadsMeasuredValuesAndFieldsFromTheirResultTexts) {
  const struct {
    const char *name;
    PictureText kind;
    std::string text;
    std::string expected;  // empty: nothing to draw
  } cases[] = {
      {"a full scan spans the target's opening angle; marks, reflector level, rows of eight", PictureText::kScan,
       "Einheit der Messwerte ist cm.\nAnzahl der Messwerte:  10.\n"
       "FAFB  156;FA  158;BL  161;R3   164;FC  170;        467;        465;        462;\n"
       "        461;        460;" +
           std::string(kKvtEnd),
       "cm KVT 0@20 n=10: 1:156AB 2:158A 3:161L 4:164R3 5:170C 6:467 7:465 8:462 9:461 10:460"},
      {"a partial range numbers its values from the first", PictureText::kScan,
       "Erster Messwert:  10        Letzter Messwert:  12\nEinheit der Messwerte ist mm.\n"
       "Anzahl der Messwerte:   3.\n       1200;       1250;FA  900;" +
           std::string(kQ1End),
       "mm KVT-Q1 40@0.25 n=3: 10:1200 11:1250 12:900A"},
      {"averaged partial range: the averaging line comes first", PictureText::kScan,
       "Anzahl der Mittelungen:   4;\nEinheit der Messwerte ist 10 cm.\nAnzahl der Messwerte:   2.\n"
       "Erster Messwert:   1        Letzter Messwert:   2\n         30;         31;" +
           std::string(kKvtEnd),
       "10cm KVT 0@0.5 n=2: 1:30 2:31"},
      {"181 values on the KVT-Q1 line are the 90-degree sensor's scan", PictureText::kScan,
       "Einheit der Messwerte ist cm.\nAnzahl der Messwerte: 181.\n" + Plain(100, 181) + kQ1End,
       "cm KVT-Q1 45@0.5 n=181: 1:100 2:100 3:100 4:100 5:100 6:100 7:100 8:100 9:100 10:100 11:100 12:100"},
      {"ranges with remission: the value numbers as they stand", PictureText::kScan,
       "Anzahl der Bereiche:  2 \n1. Messwert des Bereichs:    5 \nletzter Messwert des Bereichs:    6 \n"
       "Anzahl der Messwerte im Bereich:    2 \nNr. Entfernung Remission\n   5:      120 ,       33\n"
       "   6:      121 ,       34\n\n1. Messwert des Bereichs:   90 \nletzter Messwert des Bereichs:   90 \n"
       "Anzahl der Messwerte im Bereich:    1 \nNr. Entfernung Remission\n  90:      300 ,       35\n\n" +
           std::string(kKvtEnd),
       "none KVT 0@0.5 n=3: 5:120 6:121 90:300"},
      {"unit 3 has no unit line", PictureText::kScan, "Anzahl der Messwerte:   1.\n         77;" + std::string(kKvtEnd),
       "none KVT 0@0.5 n=1: 1:77"},
      {"fewer values than the count give nothing", PictureText::kScan,
       "Einheit der Messwerte ist cm.\nAnzahl der Messwerte:   3.\n        100;        101;" + std::string(kKvtEnd),
       ""},
      {"a failed command gives nothing", PictureText::kScan, "Kommunikation mit dem Sensor nicht in Ordnung !", ""},
      {"a stored rectangle with its scan angle and single shot", PictureText::kField,
       "Feldnummer:  0 \nFeldart A\nScanwinkel:  180 Grad.\nEinzelschuß in 1/100 Grad:   50.\n"
       "Einheit der Messwerte ist cm.\nÜberwachungsbereich: Rechteckiger Überwachungsbereich\n"
       " Linksabstand:  100 , Rechtsabstand  100 , Höhe  150 " +
           std::string(kKvtEnd),
       "0A cm rect 180/50: 100 100 150"},
      {"a segmented field defined: its corner points", PictureText::kField,
       "Feldnummer:  1 \nFeldart C\nEinheit der Messwerte ist mm.\nFelddaten erhalten und übernommen!\n"
       "Überwachungsbereich: Segmentierter Überwachungsbereich\nAnzahl d. Segmente  3; Anzahl d. Eckpunkte  4; \n"
       "UI 100;UI 200;    300;UI1400;" +
           std::string(kKvtEnd),
       "1C mm seg 0/0: 100 200 300 1400"},
      {"a taught-in field: its contour", PictureText::kField,
       "Feldnummer:  2 \nFeldart F\nScanwinkel:    1 Grad.\nEinzelschuß in 1/100 Grad:   50.\n"
       "Einheit der Messwerte ist 10 cm.\nÜberwachungsbereich: Eingelerntes Feld\n      30;     31;UI  32;" +
           std::string(kKvtEnd),
       "2F 10cm taught 1/50: 30 31 32"},
      {"a radial field defined", PictureText::kField,
       "Feldnummer:  2 \nFeldart E\nEinheit der Messwerte ist cm.\nFelddaten erhalten und übernommen!\n"
       "Überwachungsbereich: Radialer Überwachungsbereich\n Radius  200 " +
           std::string(kKvtEnd),
       "2E cm radial 0/0: 200"},
      {"a dynamic segmented field: a heading without words gives nothing", PictureText::kField,
       "Feldnummer:  1 \nFelddaten erhalten und übernommen!\n"
       "Überwachungsbereich: Rechteckiger Überwachungsbereich\n " +
           std::string(kKvtEnd),
       ""},
      {"a refused definition gives nothing", PictureText::kField, "Konfiguration von FeldA abgebrochen.\n", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Scan scan;
    FieldOutline field;
    const bool read = c.kind == PictureText::kScan ? ParseScanText(c.text, scan) : ParseFieldText(c.text, field);
    const std::string got = !read ? "" : c.kind == PictureText::kScan ? Describe(scan) : Describe(field);
    EXPECT_EQ(got, c.expected);
  }
}

TEST(ScanPicture, PartialRangesTakeTheGeometryOfTheirTargetsLastFullScan) {
  std::vector<KnownGeometry> known;
  Scan full{Unit::kCentimetre, "KVT-Q1", {45, 0.5}, true, {}};
  Scan partial{Unit::kCentimetre, "KVT-Q1", {40, 0.25}, false, {}};
  Scan other{Unit::kCentimetre, "KVT", {0, 0.25}, false, {}};
  FollowFullScans(known, partial);
  EXPECT_EQ(FormatText("%g@%g", partial.geometry.firstAngle, partial.geometry.step), "40@0.25") << "none known yet";
  FollowFullScans(known, full);
  FollowFullScans(known, partial);
  FollowFullScans(known, other);
  EXPECT_EQ(FormatText("%g@%g", partial.geometry.firstAngle, partial.geometry.step), "45@0.5");
  EXPECT_EQ(FormatText("%g@%g", other.geometry.firstAngle, other.geometry.step), "0@0.25") << "another target";
}

// A KVT scan (0.5 degrees from the right) with four values in a 640 x 480 picture:
// rings of 100 cm, 0.76 pixels per cm, the sensor at (320, 452).
Scan KnownScan() {
  Scan scan;
  scan.unit = Unit::kCentimetre;
  scan.device = "KVT";
  scan.geometry = {0, 0.5};
  scan.values = {{1, 400, 0, 0}, {91, 200, 0, 0}, {181, 250, kFlagA, 0}, {361, 300, 0, 0}};
  return scan;
}
struct Spot {
  int x, y;
};
constexpr Spot kKnownSpots[] = {{624, 452}, {427, 345}, {320, 262}, {92, 452}};

TEST(ScanPicture, PlacesValuesByAngleAndDistance) {
  const Scan scan = KnownScan();
  const PlotFrame frame = FitPlot(scan, {}, 640, 480);
  EXPECT_EQ(frame.ringStep, 100u);
  EXPECT_EQ(frame.rings, 4u);
  for (std::size_t i = 0; i < scan.values.size(); ++i) {
    const ScanValue &v = scan.values[i];
    const POINT p = PlotPolar(frame, scan.geometry.firstAngle + (v.number - 1) * scan.geometry.step, v.distance);
    EXPECT_EQ(FormatText("%ld,%ld", p.x, p.y), FormatText("%d,%d", kKnownSpots[i].x, kKnownSpots[i].y)) << v.number;
  }
}

TEST(ScanPicture, ChecksumsOfKnownInputs) {
  const std::string check = "123456789", wiki = "Wikipedia";
  EXPECT_EQ(Crc32({reinterpret_cast<const BYTE *>(check.data()), check.size()}), 0xCBF43926u);
  EXPECT_EQ(Adler32({reinterpret_cast<const BYTE *>(wiki.data()), wiki.size()}), 0x11E60398u);
}

// The menu's callback answers each handler with a text of the test's.
std::map<ULONG_PTR, std::string> g_answers;
BOOL WINAPI Answer(HWND, ULONG_PTR *request) {
  lstrcpynA(reinterpret_cast<char *>(request[kReqResultText]), g_answers[request[kReqHandler]].c_str(),
            static_cast<int>(request[kReqCapacity]));
  return TRUE;
}

// The known scan; a first value of 0 has no echo and is not drawn.
std::string KnownScanText(unsigned firstValue = 400) {
  std::string values = FormatText("      %5u;", firstValue) + Plain(0, 89) + FormatText("      %5u;", 200u) +
                       Plain(0, 89) + FormatText("FA%5u;", 250u) + Plain(0, 179) + FormatText("      %5u;", 300u);
  return "Einheit der Messwerte ist cm.\nAnzahl der Messwerte: 361.\n" + values + kKvtEnd;
}

struct Png {
  bool crcsRight = true;
  unsigned width = 0, height = 0;
  std::vector<BYTE> raw;  // rows, each behind its filter byte
};

unsigned BigEndian(const std::vector<BYTE> &b, std::size_t at) {
  return b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

// Chunks checked against the system's CRC-32; IDAT read as zlib stored blocks.
Png Decode(const std::vector<BYTE> &file) {
  using Crc = DWORD(WINAPI *)(DWORD, const BYTE *, INT);
  const auto systemCrc =
      reinterpret_cast<Crc>(reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlComputeCrc32")));
  Png png;
  std::vector<BYTE> idat;
  for (std::size_t at = 8; at + 12 <= file.size();) {
    const unsigned length = BigEndian(file, at);
    const std::string type(file.begin() + at + 4, file.begin() + at + 8);
    png.crcsRight &= systemCrc(0, &file[at + 4], static_cast<INT>(length + 4)) == BigEndian(file, at + 8 + length);
    if (type == "IHDR") png.width = BigEndian(file, at + 8), png.height = BigEndian(file, at + 12);
    if (type == "IDAT") idat.insert(idat.end(), file.begin() + at + 8, file.begin() + at + 8 + length);
    at += 12 + length;
  }
  for (std::size_t at = 2; at + 5 <= idat.size();) {
    const bool last = idat[at] & 1;
    const unsigned length = idat[at + 1] | idat[at + 2] << 8;
    png.raw.insert(png.raw.end(), idat.begin() + at + 5, idat.begin() + at + 5 + length);
    at += 5 + length;
    if (last) break;
  }
  return png;
}

COLORREF PngPixel(const Png &png, Spot s) {
  const std::size_t at = s.y * (1 + 3 * png.width) + 1 + 3 * s.x;
  return at + 2 < png.raw.size() ? RGB(png.raw[at], png.raw[at + 1], png.raw[at + 2]) : CLR_INVALID;
}

HWND ScanWindow() { return FindWindowA(kScanWindowClass, nullptr); }
bool Shown() { return ScanWindow() && IsWindowVisible(ScanWindow()); }

void RunLine(HWND menu, int line) {
  SendDlgItemMessageA(menu, kIdMenuList, LB_SETCURSEL, line, 0);
  Command(menu, kIdRun);
}

TEST(ScanPicture, WindowFollowsTheMenusScansAndSavesWhatItShows) {
  g_answers = {{13, "Sensorstatus\n" + std::string(kKvtEnd)},
               {17,
                "Feldnummer:  0 \nFeldart A\nEinheit der Messwerte ist cm.\n"
                "Überwachungsbereich: Rechteckiger Überwachungsbereich\n"
                " Linksabstand:  100 , Rechtsabstand  100 , Höhe  150 " +
                    std::string(kKvtEnd)},
               {12, KnownScanText()}};
  Descriptor d{};
  d[kDescCommandProc] = reinterpret_cast<ULONG_PTR>(&Answer);
  d[kDescInstance] = reinterpret_cast<ULONG_PTR>(GetModuleHandleA(nullptr));
  d[kDescName] = d[kDescName2] = reinterpret_cast<ULONG_PTR>("SCANMENU");
  d[kDescTitle] = reinterpret_cast<ULONG_PTR>(text::kTestMenuTitle);
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  lstrcatA(path, "scan_picture_test.png");
  HWND first = nullptr;
  std::vector<COLORREF> screen;
  LRESULT saved = FALSE;
  const UiRun run = RunUi(
      {{text::kTestMenuTitle,
        [&](HWND menu) {
          RunLine(menu, 0);
          RunLine(menu, 1);
          EXPECT_FALSE(Shown()) << "a status or a field alone shows no picture";
          RunLine(menu, 2);
          first = ScanWindow();
          ASSERT_TRUE(Shown());
          EXPECT_EQ(GetWindow(first, GW_OWNER), menu);
          EXPECT_TRUE(GetWindowLongA(first, GWL_STYLE) & WS_THICKFRAME) << "resizable";
          RECT outer{0, 0, 640, 480 + kScanButtonStrip};
          AdjustWindowRectEx(&outer, GetWindowLongA(first, GWL_STYLE), FALSE, GetWindowLongA(first, GWL_EXSTYLE));
          SetWindowPos(first, HWND_TOP, 20, 20, outer.right - outer.left, outer.bottom - outer.top, SWP_NOACTIVATE);
          UpdateWindow(first);
          HDC dc = GetDC(first);
          for (Spot s : kKnownSpots) screen.push_back(GetPixel(dc, s.x, s.y));
          screen.push_back(GetPixel(dc, 600, 100));
          ReleaseDC(first, dc);
          saved = SendMessageA(first, kMsgSavePngTo, 0, reinterpret_cast<LPARAM>(path));
          g_answers[12] = KnownScanText(0);
          RunLine(menu, 2);
          EXPECT_EQ(ScanWindow(), first) << "the same window, reused";
          UpdateWindow(first);
          dc = GetDC(first);
          EXPECT_NE(GetPixel(dc, kKnownSpots[0].x, kKnownSpots[0].y), screen[0]) << "redrawn without the first value";
          ReleaseDC(first, dc);
          SendMessageA(first, WM_CLOSE, 0, 0);
          EXPECT_FALSE(Shown()) << "closed";
          RunLine(menu, 2);
          EXPECT_TRUE(Shown()) << "back with the next scan";
          EXPECT_EQ(ScanWindow(), first);
        }},
       {text::kTestMenuTitle, [](HWND menu) { PostMessageA(menu, WM_CLOSE, 0, 0); }}},
      [&] { ZenkDialog(nullptr, d.data()); });
  EXPECT_EQ(run.pending, 0u);
  EXPECT_TRUE(run.boxes.empty());
  EXPECT_FALSE(IsWindow(first)) << "goes with the menu window";

  ASSERT_TRUE(saved);
  std::ifstream file(path, std::ios::binary);
  const std::vector<BYTE> bytes{std::istreambuf_iterator<char>(file), {}};
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "\x89PNG\r\n\x1A\n");
  const Png png = Decode(bytes);
  EXPECT_TRUE(png.crcsRight);
  EXPECT_EQ(FormatText("%ux%u", png.width, png.height), "640x480");
  ASSERT_EQ(screen.size(), 5u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(PngPixel(png, kKnownSpots[i]), screen[i]) << "value " << i;
  EXPECT_EQ(PngPixel(png, {600, 100}), screen[4]) << "background";
  EXPECT_NE(screen[0], screen[4]) << "a value is drawn";
  EXPECT_NE(screen[2], screen[0]) << "a value in field A stands out";
  DeleteFileA(path);
}

}  // namespace
}  // namespace kvt::test
