// The program download: a corpus of broken and unusual HEX files with what
// each sends and shows, the bytes of its telegrams, the start attempts, the
// file dialog and the progress window through real window messages, and
// the flash image the simulated device assembles.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "download/download.h"
#include "driver/setup_ids.h"
#include "entry/entry.h"
#include "kvt/simcontrol.h"
#include "support/records.h"
#include "support/ui_script.h"

namespace kvt {
namespace {

constexpr char kKvt[] = "device=kvt;address=0;setup=no";
constexpr char kFileError[] = "Error on file handling";
constexpr char kBefore[] = "vorher";
constexpr char kDone[] = "Download in Flash-Eprom war erfolgreich.\nBei der Kommunikation benutzte Adresse   0  mit "
                         "Zielger\xE4t  KVT.\n\n";
constexpr char kProgressTitle[] = "Programmdownload";

std::string HexPath(const std::string &name) {
  // The file dialog changes the current folder: the tree is found from here.
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const char *source = std::getenv("KVT_SOURCE");
  std::string root = source ? source : std::string(path) + "\\..\\..\\..\\..";
  if (!root.empty() && root.front() == '/') root = "Z:" + root;  // a Unix path seen from Wine
  // Whole and with backslashes, as the file dialog takes a path.
  GetFullPathNameA((root + "/tests/kvtidiag/download/hex/" + name).c_str(), MAX_PATH, path, nullptr);
  return path;
}

std::string TempPath(const char *name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

struct Outcome {
  BOOL result = FALSE;
  std::string message;  // the message box's text; empty when none came
  DWORD starts = 0;
  DWORD records = 0;
  std::vector<TelegramRecord> sent;
  std::string text;
  ULONG_PTR status = 0;
};

// Handler 154 as the dispatcher runs it, with the file dialog answered by
// `dialog` or, without one, past it with the file at `path`.
Outcome Download(const std::string &path, std::function<void(HWND)> dialog = nullptr,
                 std::function<void()> atMessage = [] {}) {
  SimReset();
  Outcome outcome;
  std::vector<test::UiStep> steps;
  if (dialog) steps.push_back({"", dialog, [](HWND w) { return GetDlgItem(w, cmb13) != nullptr; }});
  steps.push_back({"Diagnose", [&](HWND box) {
                     outcome.message = test::MessageBoxText(box);
                     atMessage();
                     test::PostClick(box, IDOK);
                   }});
  test::StartUiScript(steps);
  char text[256] = "vorher";
  CommandRequest request{154, 65535, reinterpret_cast<ULONG_PTR>(text), sizeof text};
  auto records = std::make_unique<TelegramPair>();
  PrepareRequest(records->request, kDeviceKvt, 0);
  Command command{nullptr, request.data(), *records, ResultTextOf(request.data())};
  outcome.result = dialog ? DiagCommandProc(nullptr, request.data()) : DownloadChosenFile(command, path.c_str());
  test::StopUiScript();
  EXPECT_EQ(test::FindThreadWindow(kProgressTitle), nullptr) << path << ": the progress window stays open";
  outcome.sent = test::SentRequests();
  for (const auto &r : outcome.sent) ++(r[kRecCode] == 0x0B ? outcome.starts : outcome.records);
  outcome.text = text;
  outcome.status = request[kReqStatus];
  return outcome;
}

struct CorpusCase {
  const char *file;
  bool start;     // the start request went out
  DWORD records;  // download requests sent after it
  const char *message;
  BOOL result;
};

void CheckCase(const CorpusCase &c, const std::string &path) {
  const Outcome o = Download(path);
  EXPECT_EQ(o.starts, c.start ? 1u : 0u) << c.file;
  EXPECT_EQ(o.records, c.records) << c.file;
  EXPECT_EQ(o.message, c.message) << c.file;
  EXPECT_EQ(o.result, c.result) << c.file;
  EXPECT_EQ(test::Escaped(o.text), test::Escaped(c.result ? kDone : kBefore)) << c.file;
}

constexpr CorpusCase kCorpus[] = {
    {"end_only.hex", true, 1, "", TRUE},
    {"data16.hex", true, 2, "", TRUE},
    {"data0.hex", true, 2, "", TRUE},
    {"data59.hex", true, 2, "", TRUE},
    {"data60.hex", false, 0, kFileError, FALSE},
    {"data255.hex", false, 0, kFileError, FALSE},
    {"lf_only.hex", true, 1, kFileError, FALSE},
    {"cr_only.hex", true, 1, kFileError, FALSE},
    {"trailing_blank.hex", true, 1, kFileError, FALSE},
    {"blank_line_between.hex", true, 1, kFileError, FALSE},
    {"bom.hex", true, 0, kFileError, FALSE},
    {"binary.hex", true, 0, kFileError, FALSE},
    {"binary_colon.hex", false, 0, kFileError, FALSE},
    {"empty.hex", false, 0, kFileError, FALSE},
    {"no_end.hex", false, 0, kFileError, FALSE},
    {"truncated.hex", false, 0, kFileError, FALSE},
    {"truncated_header.hex", false, 0, kFileError, FALSE},
    {"nonhex_count.hex", false, 0, kFileError, FALSE},
    {"nonhex_address.hex", false, 0, kFileError, FALSE},
    {"nonhex_type.hex", false, 0, kFileError, FALSE},
    {"nonhex_data.hex", false, 0, kFileError, FALSE},
    {"nonhex_upper.hex", false, 0, kFileError, FALSE},
    {"nul_in_data.hex", false, 0, kFileError, FALSE},
    {"upper_without_value.hex", false, 0, kFileError, FALSE},
    {"nonhex_checksum.hex", true, 2, "", TRUE},
    {"wrong_checksum.hex", true, 3, "", TRUE},
    {"type2.hex", true, 2, "", TRUE},
    {"type3.hex", true, 2, "", TRUE},
    {"type3_255.hex", true, 2, "", TRUE},
    {"type4.hex", true, 2, "", TRUE},
    {"segments.hex", true, 3, "", TRUE},
    {"type5.hex", true, 1, "", FALSE},
    {"type_ff.hex", true, 1, "", FALSE},
    {"lower_case.hex", true, 2, "", TRUE},
    {"mixed_case.hex", true, 3, "", TRUE},
    {"end_without_line_end.hex", true, 2, "", TRUE},
    {"end_not_last.hex", true, 2, "", TRUE},
    {"end_with_data.hex", true, 1, "", TRUE},
    {"missing.hex", false, 0, kFileError, FALSE},
};

TEST(Download, Corpus) {
  test::SimulatedSensor sensor(kKvt);
  for (const auto &c : kCorpus) CheckCase(c, HexPath(c.file));
  CheckCase({"no file name", false, 0, kFileError, FALSE}, "");
}

// 230000 records of 16 bytes with a type-4 record every 64 KiB: 10.4 MB.
TEST(Download, TenMegabytes) {
  test::SimulatedSensor sensor(kKvt);
  constexpr DWORD kRecords = 230000;
  std::string image;
  char line[64];
  for (DWORD i = 0; i < kRecords; ++i) {
    if (i % 4096 == 0) image.append(line, std::snprintf(line, sizeof line, ":02000004%04lX00\r\n", i / 4096UL));
    image.append(line, std::snprintf(line, sizeof line, ":10%04lX00%s00\r\n", (i % 4096UL) * 16,
                                     "00112233445566778899AABBCCDDEEFF"));
  }
  const std::string path = TempPath("kvt_download_10mb.hex");
  std::ofstream(path, std::ios::binary) << image;
  CheckCase({"10 MB without its end record", false, 0, kFileError, FALSE}, path);
  std::ofstream(path, std::ios::binary | std::ios::app) << ":00000001FF\r\n";
  CheckCase({"10 MB", true, kRecords + 1, "", TRUE}, path);
  DeleteFileA(path.c_str());
}

// Record bytes from byte 3 on: lengths, address, command, type, load address, data.
TEST(Download, TelegramBytes) {
  const struct {
    const char *file;
    std::size_t index;
    std::vector<BYTE> bytes;
  } cases[] = {
      {"end_only.hex", 0, {5, 0, 0, 5, 0, 0x0B, 0x5E, 0x27, 0x6B, 0x19}},
      {"end_only.hex", 1, {2, 0, 0, 2, 0, 0x0C, 1, 0, 0, 0, 0}},
      {"data16.hex", 1, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x01, 0, 0, 0x00, 0x07, 0x0E, 0x15, 0x1C, 0x23, 0x2A, 0x31,
                         0x38, 0x3F, 0x46, 0x4D, 0x54, 0x5B, 0x62, 0x69}},
      {"type4.hex", 1, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x20, 0x01, 0x00}},
      {"type2.hex", 1, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x20, 0x01, 0x00}},
      {"lower_case.hex", 1, {22, 0, 0, 22, 0, 0x0C, 0, 0xC0, 0xAB, 0x0A, 0x00}},
      {"segments.hex", 2, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x00, 0x02, 0x00}},
      {"end_with_data.hex", 1, {2, 0, 0, 2, 0, 0x0C, 1, 0x10, 0x00, 0x00, 0x00}},
  };
  test::SimulatedSensor sensor(kKvt);
  for (const auto &c : cases) {
    const Outcome o = Download(HexPath(c.file));
    ASSERT_GT(o.sent.size(), c.index) << c.file;
    const std::string sent(o.sent[c.index].begin() + 3, o.sent[c.index].begin() + 3 + c.bytes.size());
    EXPECT_EQ(test::Escaped(sent), test::Escaped(std::string(c.bytes.begin(), c.bytes.end()))) << c.file;
  }
}

TEST(Download, StartAttemptsAndRefusedRecords) {
  const struct {
    const char *fault;
    DWORD starts;
    DWORD records;
    BOOL result;
    const char *text;
    ULONG_PTR status;
  } cases[] = {
      {"downloadstart", 20, 0, FALSE, "Kommunikation mit dem Sensor nicht in Ordnung !", 255},
      {"downloadstart@1-19", 20, 3, TRUE, kDone, 0},
      {"downloadrecord@2", 1, 2, FALSE, kBefore, 0},
  };
  for (const auto &c : cases) {
    test::SimulatedSensor sensor((std::string(kKvt) + ";fail=" + c.fault).c_str());
    const Outcome o = Download(HexPath("segments.hex"));
    EXPECT_EQ(o.starts, c.starts) << c.fault;
    EXPECT_EQ(o.records, c.records) << c.fault;
    EXPECT_EQ(o.result, c.result) << c.fault;
    EXPECT_EQ(test::Escaped(o.text), test::Escaped(c.text)) << c.fault;
    EXPECT_EQ(o.status, c.status) << c.fault;
    EXPECT_EQ(o.message, "") << c.fault;
  }
}

TEST(Download, HexFieldValue) {
  const std::pair<const char *, DWORD> cases[] = {{"1f", 31}, {"", 0},     {"1G", 65535}, {"FFFF", 65535},
                                                   {"aB", 171}, {"0100", 256}, {" 1", 65535}};
  for (const auto &[text, value] : cases) EXPECT_EQ(HexFieldValue(text), value) << text;
}

// Through the dispatcher: the dialog offers the two filters; Open sends the
// file, Cancel sends nothing and writes nothing.
TEST(Download, FileDialog) {
  test::SimulatedSensor sensor(kKvt);
  std::vector<std::string> filters;
  const std::string file = HexPath("segments.hex");
  auto open = [&](HWND dialog) {
    char item[64];
    for (int i = 0; i < SendDlgItemMessageA(dialog, cmb1, CB_GETCOUNT, 0, 0); ++i) {
      SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      filters.push_back(item);
    }
    SetDlgItemTextA(dialog, cmb13, file.c_str());
    test::PostClick(dialog, IDOK);
  };
  const Outcome chosen = Download("", open);
  EXPECT_EQ(filters, (std::vector<std::string>{"HEX-Files (*.hex)", "Alle Dateien (*.*)"}));
  EXPECT_TRUE(chosen.result);
  EXPECT_EQ(chosen.records, 3u);
  EXPECT_EQ(test::Escaped(chosen.text), test::Escaped(kDone));
  const Outcome cancelled = Download("", [](HWND dialog) { test::PostClick(dialog, IDCANCEL); });
  EXPECT_FALSE(cancelled.result);
  EXPECT_TRUE(cancelled.sent.empty());
  EXPECT_EQ(cancelled.text, kBefore);
}

// While message 247 stands, the progress window shows where the download stopped.
TEST(Download, ProgressWindow) {
  test::SimulatedSensor sensor(kKvt);
  std::string shown;
  Download(HexPath("lf_only.hex"), nullptr, [&] {
    const HWND window = test::FindThreadWindow(kProgressTitle);
    for (int id : {IDC_DOWNLOAD_RECORDS, IDC_DOWNLOAD_RECORDS_TOTAL, IDC_DOWNLOAD_BYTES, IDC_DOWNLOAD_BYTES_TOTAL}) {
      shown += test::GetText(window, id) + " ";
    }
    shown += std::to_string(SendDlgItemMessageA(window, IDC_DOWNLOAD_BAR, PBM_GETPOS, 0, 0));
  });
  EXPECT_EQ(shown, "1 1 16 16 1");
}

// The simulated device's flash image in the telegram log and the setup dialog.
TEST(Download, FlashImage) {
  const std::string log = TempPath("kvt_download.log");
  DeleteFileA(log.c_str());
  test::SimulatedSensor sensor((std::string(kKvt) + ";log=" + log).c_str());
  ASSERT_TRUE(Download(HexPath("data16.hex")).result);
  constexpr char kImage[] = "16 Bytes von 0x00000100 bis 0x0000010F, CRC-32 0x54126BA2";
  std::ifstream in(log);
  std::string line, last;
  while (std::getline(in, line)) last = line;
  EXPECT_NE(last.find(std::string("< (angenommen) Flash: ") + kImage), std::string::npos) << last;
  std::string shown;
  test::StartUiScript({{"Sensortreiber einrichten", [&](HWND d) {
                          shown = test::GetText(d, IDC_SETUP_FLASH);
                          test::PostClick(d, IDCANCEL);
                        }}});
  SetupSensor(sensor.handle, nullptr, 0, 0);
  test::StopUiScript();
  EXPECT_EQ(shown, kImage);
  DeleteFileA(log.c_str());
}

}  // namespace
}  // namespace kvt
