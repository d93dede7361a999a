// The program download, handler 154, as the host runs it: the file chosen in
// the file dialog, a corpus of HEX files with what each sends and shows, the
// records' bytes, start attempts, a 10 MB image, the progress window, and
// the flash image the simulated device assembles; the hexadecimal fields.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>

#include "download/download.h"
#include "driver/setup_ids.h"
#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

// From the source tree, whole and with backslashes, as the file dialog takes a path.
std::string HexPath(const std::string &name) {
  char path[MAX_PATH];
  GetFullPathNameA(SourcePath("tests/kvtidiag/download/hex/" + name).c_str(), MAX_PATH, path, nullptr);
  return path;
}

std::string TempPath(const char *name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

bool IsFileDialog(HWND window) { return GetDlgItem(window, cmb13) != nullptr; }

// Handler 154 with `path` typed into its file dialog; `atMessage` runs while
// a message box stands, which it then answers.
EntryRun Download(const Descriptor &d, const std::string &path, const std::function<void()> &atMessage = nullptr) {
  SimReset();
  std::vector<UiStep> steps = {{"", [path](HWND dialog) {
                                  SetDlgItemTextA(dialog, cmb13, path.c_str());
                                  Click(dialog, IDOK);
                                }, 0, IsFileDialog}};
  if (atMessage) steps.push_back({"", [atMessage](HWND box) {
                                    atMessage();
                                    Command(box, IDOK);
                                  }, 0, IsMessageBox});
  EntryRun run = RunEntry(d, {154}, std::move(steps));
  EXPECT_EQ(FindThreadWindow(text::kProgressTitle), nullptr) << path << ": the progress window stays open";
  return run;
}

struct CorpusCase {
  const char *file;
  DWORD starts;   // start requests sent
  DWORD records;  // download requests sent after them
  bool fileError;
  BOOL result;
  std::size_t index = 0;  // of a request whose bytes from byte 3 on are given
  Bytes bytes = {};
};

void CheckCorpus(const char *config, const std::vector<CorpusCase> &cases, const std::string &text = "") {
  RunSession(config, [&](const Descriptor &d) {
    for (const CorpusCase &c : cases) {
      SCOPED_TRACE(c.file);
      const std::string path = std::string(c.file).find(':') == std::string::npos ? HexPath(c.file) : c.file;
      const EntryRun run = Download(d, path);
      const auto sent = SentRequests();
      DWORD starts = 0;
      for (const auto &r : sent) starts += r[kRecCode] == 0x0B;
      EXPECT_EQ(starts, c.starts);
      EXPECT_EQ(sent.size() - starts, c.records);
      ASSERT_EQ(run.ui.boxes.size(), c.fileError ? 1u : 0u);
      if (c.fileError) {
        EXPECT_EQ(run.ui.boxes[0].text, text::kFileError);
      }
      EXPECT_EQ(run.result, c.result);
      const std::string done = std::string(text::kDownloadDone) + AddressLine(kDeviceKvt, 0);
      EXPECT_EQ(Escaped(run.text), Escaped(!text.empty() ? text : c.result ? done : kBefore));
      EXPECT_EQ(run.status, text.empty() ? 0u : kStatusCommFailure);
      if (c.bytes.empty()) continue;
      ASSERT_GT(sent.size(), c.index);
      EXPECT_EQ(Hex(std::span(sent[c.index]).subspan(3, c.bytes.size())), Hex(c.bytes));
    }
  });
}

TEST(Download, Corpus) {
  CheckCorpus("", {
      {"end_only.hex", 1, 1, false, TRUE, 0, {5, 0, 0, 5, 0, 0x0B, 0x5E, 0x27, 0x6B, 0x19}},
      {"end_only.hex", 1, 1, false, TRUE, 1, {2, 0, 0, 2, 0, 0x0C, 1, 0, 0, 0, 0}},
      {"data16.hex", 1, 2, false, TRUE, 1, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x01, 0, 0, 0x00, 0x07, 0x0E, 0x15, 0x1C,
                                            0x23, 0x2A, 0x31, 0x38, 0x3F, 0x46, 0x4D, 0x54, 0x5B, 0x62, 0x69}},
      {"data0.hex", 1, 2, false, TRUE},
      {"data59.hex", 1, 2, false, TRUE},
      {"data60.hex", 0, 0, true, FALSE},
      {"data255.hex", 0, 0, true, FALSE},
      {"lf_only.hex", 1, 1, true, FALSE},
      {"cr_only.hex", 1, 1, true, FALSE},
      {"blank_line_between.hex", 1, 1, true, FALSE},
      {"bom.hex", 1, 0, true, FALSE},
      {"binary.hex", 1, 0, true, FALSE},
      {"empty.hex", 0, 0, true, FALSE},
      {"no_end.hex", 0, 0, true, FALSE},
      {"truncated.hex", 0, 0, true, FALSE},
      {"nonhex_count.hex", 0, 0, true, FALSE},
      {"nonhex_address.hex", 0, 0, true, FALSE},
      {"nonhex_type.hex", 0, 0, true, FALSE},
      {"nonhex_data.hex", 0, 0, true, FALSE},
      {"nonhex_upper.hex", 0, 0, true, FALSE},
      {"nul_in_data.hex", 0, 0, true, FALSE},
      {"upper_without_value.hex", 0, 0, true, FALSE},
      {"nonhex_checksum.hex", 1, 2, false, TRUE},
      {"wrong_checksum.hex", 1, 3, false, TRUE},
      {"type2.hex", 1, 2, false, TRUE, 1, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x20, 0x01, 0x00}},
      {"type3.hex", 1, 2, false, TRUE},
      {"type3_255.hex", 1, 2, false, TRUE},
      {"type4.hex", 1, 2, false, TRUE, 1, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x20, 0x01, 0x00}},
      {"segments.hex", 1, 3, false, TRUE, 2, {22, 0, 0, 22, 0, 0x0C, 0, 0x00, 0x00, 0x02, 0x00}},
      {"type5.hex", 1, 1, false, FALSE},
      {"lower_case.hex", 1, 2, false, TRUE, 1, {22, 0, 0, 22, 0, 0x0C, 0, 0xC0, 0xAB, 0x0A, 0x00}},
      {"mixed_case.hex", 1, 3, false, TRUE},
      {"end_without_line_end.hex", 1, 2, false, TRUE},
      {"end_not_last.hex", 1, 2, false, TRUE},
      {"end_with_data.hex", 1, 1, false, TRUE, 1, {2, 0, 0, 2, 0, 0x0C, 1, 0x10, 0x00, 0x00, 0x00}},
  });
}

// Twenty start attempts; a refused record ends the download.
TEST(Download, StartAttemptsAndARefusedRecord) {
  CheckCorpus("fail=downloadstart", {{"segments.hex", 20, 0, false, FALSE}}, text::kCommFailure);
  CheckCorpus("fail=downloadstart@1-19", {{"segments.hex", 20, 3, false, TRUE}});
  CheckCorpus("fail=downloadrecord@2", {{"segments.hex", 1, 2, false, FALSE}});
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
  for (bool end : {false, true}) {
    if (FILE *file = std::fopen(path.c_str(), "wb")) {
      std::fwrite(image.data(), 1, image.size(), file);
      if (end) std::fputs(":00000001FF\r\n", file);
      std::fclose(file);
    }
    CheckCorpus("", {end ? CorpusCase{path.c_str(), 1, kRecords + 1, false, TRUE} : CorpusCase{path.c_str(), 0, 0, true, FALSE}});
  }
  DeleteFileA(path.c_str());
}

// While the file-handling error stands, the progress window shows where it
// stopped; the device's flash image stands in its log and its setup dialog.
TEST(Download, ProgressWindowAndFlashImage) {
  const std::string log = TempPath("kvt_download.log");
  DeleteFileA(log.c_str());
  std::string progress, flash;
  RunSession(("log=" + log).c_str(), [&](const Descriptor &d) {
    Download(d, HexPath("lf_only.hex"), [&] {
      const HWND window = FindThreadWindow(text::kProgressTitle);
      for (int id : {IDC_DOWNLOAD_RECORDS, IDC_DOWNLOAD_RECORDS_TOTAL, IDC_DOWNLOAD_BYTES, IDC_DOWNLOAD_BYTES_TOTAL}) {
        progress += ItemText(window, id) + " ";
      }
      progress += std::to_string(SendDlgItemMessageA(window, IDC_DOWNLOAD_BAR, PBM_GETPOS, 0, 0));
    });
    EXPECT_TRUE(Download(d, HexPath("data16.hex")).result);
    RunUi({{text::kSetupDialogTitle, [&](HWND dialog) {
              flash = ItemText(dialog, IDC_SETUP_FLASH);
              Click(dialog, IDCANCEL);
            }}},
          [&] { reinterpret_cast<DiagSetupFn>(d[kDescSetupProc])(nullptr); });
  });
  EXPECT_EQ(progress, "1 1 16 16 1");
  constexpr char kImage[] = "16 Bytes von 0x00000100 bis 0x0000010F, CRC-32 0x54126BA2";
  EXPECT_EQ(flash, kImage);
  EXPECT_NE(FileBytes(log).rfind(std::string("< (angenommen) Flash: ") + kImage), std::string::npos);
  DeleteFileA(log.c_str());
}

// The file dialog offers the two filters; Cancel sends nothing and writes nothing.
TEST(Download, FileDialog) {
  std::string filters;
  RunSession("", [&](const Descriptor &d) {
    SimReset();
    const EntryRun run = RunEntry(d, {154}, {{"", [&](HWND dialog) {
                                                char item[64];
                                                for (int i = 0; SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, i,
                                                                                    reinterpret_cast<LPARAM>(item)) > 0;
                                                     ++i) {
                                                  filters.append(item).append("|");
                                                }
                                                Click(dialog, IDCANCEL);
                                              }, 0, IsFileDialog}});
    EXPECT_EQ(run.ui.pending, 0u);
    EXPECT_FALSE(run.result);
    EXPECT_EQ(run.text, kBefore);
    EXPECT_EQ(SimRequestCount(), 0u);
  });
  EXPECT_EQ(filters, "HEX-Files (*.hex)|Alle Dateien (*.*)|");
}

// A file that cannot be read, or no file name: the file-handling error, nothing sent.
TEST(Download, DownloadHexFileWithoutAFile) {
  RunSession("", [](const Descriptor &) {
    for (const std::string &path : {HexPath("missing.hex"), std::string()}) {
      SimReset();
      TelegramRecord record = Request(kDeviceKvt, 0, 0);
      BOOL result = TRUE;
      const UiRun run = RunUi({}, [&] { result = DownloadHexFile(nullptr, &record, path.c_str()); });
      EXPECT_FALSE(result) << path;
      ASSERT_EQ(run.boxes.size(), 1u) << path;
      EXPECT_EQ(run.boxes[0].text, text::kFileError);
      EXPECT_EQ(SimRequestCount(), 0u);
    }
  });
}

TEST(Download, HexFieldValue) {
  const std::pair<const char *, DWORD> cases[] = {{"1f", 31},     {"", 0},      {"1G", 65535}, {"FFFF", 65535},
                                                   {"aB", 171},    {"0100", 256}, {" 1", 65535}};
  for (const auto &[text, value] : cases) EXPECT_EQ(HexFieldValue(text), value) << text;
}

}  // namespace
}  // namespace kvt::test
