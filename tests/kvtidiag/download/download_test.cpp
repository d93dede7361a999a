// The program download: a corpus of HEX files with what each sends and shows,
// telegram bytes, the file dialog and the progress window through real window
// messages, and the flash image the simulated device assembles.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
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

// From the source tree, seen from Wine (the file dialog changes the current
// folder), whole and with backslashes as the file dialog takes a path.
std::string HexPath(const std::string &name) {
  const char *source = std::getenv("KVT_SOURCE");
  char path[MAX_PATH];
  GetFullPathNameA(("Z:" + std::string(source ? source : "") + "/tests/kvtidiag/download/hex/" + name).c_str(),
                   MAX_PATH, path, nullptr);
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
  TelegramPair records;
  PrepareRequest(records.request, kDeviceKvt, 0);
  Command command{nullptr, request.data(), Run(), records, ResultTextOf(request.data())};
  outcome.result = dialog ? DiagCommandProc(nullptr, request.data()) : DownloadChosenFile(command, path.c_str());
  test::StopUiScript();
  EXPECT_EQ(test::FindThreadWindow(kProgressTitle), nullptr) << path << ": the progress window stays open";
  for (const auto &r : test::SentRequests()) ++(r[kRecCode] == 0x0B ? outcome.starts : outcome.records);
  outcome.text = text;
  outcome.status = request[kReqStatus];
  return outcome;
}

struct CorpusCase {
  const char *file;
  DWORD starts;   // start requests sent
  DWORD records;  // download requests sent after them
  const char *message;
  BOOL result;
  const char *fault = "";
  const char *text = nullptr;  // the result text; else as the result says
  ULONG_PTR status = 0;
};

void CheckCase(const CorpusCase &c, const std::string &path, std::function<void(HWND)> dialog = nullptr) {
  test::SimulatedSensor sensor((std::string(kKvt) + ";fail=" + c.fault).c_str());
  const Outcome o = Download(path, dialog);
  EXPECT_EQ(o.starts, c.starts) << c.file << c.fault;
  EXPECT_EQ(o.records, c.records) << c.file << c.fault;
  EXPECT_EQ(o.message, c.message) << c.file << c.fault;
  EXPECT_EQ(o.result, c.result) << c.file << c.fault;
  EXPECT_EQ(test::Escaped(o.text), test::Escaped(c.text ? c.text : c.result ? kDone : kBefore)) << c.file << c.fault;
  EXPECT_EQ(o.status, c.status) << c.file << c.fault;
}

constexpr CorpusCase kCorpus[] = {
    {"end_only.hex", 1, 1, "", TRUE},
    {"data16.hex", 1, 2, "", TRUE},
    {"data0.hex", 1, 2, "", TRUE},
    {"data59.hex", 1, 2, "", TRUE},
    {"data60.hex", 0, 0, kFileError, FALSE},
    {"data255.hex", 0, 0, kFileError, FALSE},
    {"lf_only.hex", 1, 1, kFileError, FALSE},
    {"cr_only.hex", 1, 1, kFileError, FALSE},
    {"blank_line_between.hex", 1, 1, kFileError, FALSE},
    {"bom.hex", 1, 0, kFileError, FALSE},
    {"binary.hex", 1, 0, kFileError, FALSE},
    {"empty.hex", 0, 0, kFileError, FALSE},
    {"no_end.hex", 0, 0, kFileError, FALSE},
    {"truncated.hex", 0, 0, kFileError, FALSE},
    {"nonhex_count.hex", 0, 0, kFileError, FALSE},
    {"nonhex_address.hex", 0, 0, kFileError, FALSE},
    {"nonhex_type.hex", 0, 0, kFileError, FALSE},
    {"nonhex_data.hex", 0, 0, kFileError, FALSE},
    {"nonhex_upper.hex", 0, 0, kFileError, FALSE},
    {"nul_in_data.hex", 0, 0, kFileError, FALSE},
    {"upper_without_value.hex", 0, 0, kFileError, FALSE},
    {"nonhex_checksum.hex", 1, 2, "", TRUE},
    {"wrong_checksum.hex", 1, 3, "", TRUE},
    {"type2.hex", 1, 2, "", TRUE},
    {"type3.hex", 1, 2, "", TRUE},
    {"type3_255.hex", 1, 2, "", TRUE},
    {"type4.hex", 1, 2, "", TRUE},
    {"segments.hex", 1, 3, "", TRUE},
    {"type5.hex", 1, 1, "", FALSE},
    {"lower_case.hex", 1, 2, "", TRUE},
    {"mixed_case.hex", 1, 3, "", TRUE},
    {"end_without_line_end.hex", 1, 2, "", TRUE},
    {"end_not_last.hex", 1, 2, "", TRUE},
    {"end_with_data.hex", 1, 1, "", TRUE},
    {"missing.hex", 0, 0, kFileError, FALSE},
    {"segments.hex", 20, 0, "", FALSE, "downloadstart", "Kommunikation mit dem Sensor nicht in Ordnung !", 255},
    {"segments.hex", 20, 3, "", TRUE, "downloadstart@1-19"},
    {"segments.hex", 1, 2, "", FALSE, "downloadrecord@2"},
};

TEST(Download, Corpus) {
  for (const auto &c : kCorpus) CheckCase(c, HexPath(c.file));
  CheckCase({"no file name", 0, 0, kFileError, FALSE}, "");
}

// 230000 records of 16 bytes with a type-4 record every 64 KiB: 10.4 MB.
TEST(Download, TenMegabytes) {
  constexpr DWORD kRecords = 230000;
  std::string image;
  char line[64];
  for (DWORD i = 0; i < kRecords; ++i) {
    if (i % 4096 == 0) image.append(line, std::snprintf(line, sizeof line, ":02000004%04lX00\r\n", i / 4096UL));
    constexpr char kData[] = ":10%04lX0000112233445566778899AABBCCDDEEFF00\r\n";
    image.append(line, std::snprintf(line, sizeof line, kData, i % 4096UL * 16));
  }
  const std::string path = TempPath("kvt_download_10mb.hex");
  std::ofstream(path, std::ios::binary) << image;
  CheckCase({"10 MB without its end record", 0, 0, kFileError, FALSE}, path);
  std::ofstream(path, std::ios::binary | std::ios::app) << ":00000001FF\r\n";
  CheckCase({"10 MB", 1, kRecords + 1, "", TRUE}, path);
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
    Download(HexPath(c.file));
    const auto records = test::SentRequests();
    ASSERT_GT(records.size(), c.index) << c.file;
    const std::string sent(records[c.index].begin() + 3, records[c.index].begin() + 3 + c.bytes.size());
    EXPECT_EQ(test::Escaped(sent), test::Escaped(std::string(c.bytes.begin(), c.bytes.end()))) << c.file;
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
  std::string filters;
  const std::string file = HexPath("segments.hex");
  auto open = [&](HWND dialog) {
    char item[64];
    for (int i = 0; SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item)) > 0; ++i) {
      filters += item + std::string("|");
    }
    SetDlgItemTextA(dialog, cmb13, file.c_str());
    test::PostClick(dialog, IDOK);
  };
  CheckCase({"chosen in the dialog", 1, 3, "", TRUE}, "", open);
  EXPECT_EQ(filters, "HEX-Files (*.hex)|Alle Dateien (*.*)|");
  CheckCase({"dialog cancelled", 0, 0, "", FALSE}, "", [](HWND dialog) { test::PostClick(dialog, IDCANCEL); });
}

// While the file-handling error stands, the progress window shows where it stopped.
TEST(Download, ProgressWindow) {
  test::SimulatedSensor sensor(kKvt);
  std::string shown;
  Download(HexPath("lf_only.hex"), nullptr, [&] {
    const HWND window = test::FindThreadWindow(kProgressTitle);
    for (int id : {IDC_DOWNLOAD_RECORDS, IDC_DOWNLOAD_RECORDS_TOTAL, IDC_DOWNLOAD_BYTES, IDC_DOWNLOAD_BYTES_TOTAL})
      shown += test::GetText(window, id) + " ";
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
  std::stringstream in;
  in << std::ifstream(log).rdbuf();
  EXPECT_NE(in.str().rfind(std::string("< (angenommen) Flash: ") + kImage), std::string::npos) << in.str();
  std::string shown;
  test::StartUiScript({{"Sensortreiber einrichten", [&](HWND d) {
                          shown = test::GetText(d, IDC_SETUP_FLASH);
                          test::PostClick(d, IDCANCEL);
                        }}});
  SetupSensor(sensor.handle, nullptr, 0, 0);
  test::StopUiScript();
  EXPECT_EQ(shown, kImage);
}

}  // namespace
}  // namespace kvt
