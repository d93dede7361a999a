// How long the library takes to download a 512 KiB program (Intel-HEX,
// 16-byte records) with a driver that accepts every record at once,
// against the time its telegrams take on the line at 500000 Baud. Timed is
// handler 154 after its file dialog: the file read and checked, the start
// request, every record, the progress window and the result text. The
// simulated driver's own bookkeeping of each record is timed with it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "download/download.h"
#include "entry/entry.h"
#include "kvt/simcontrol.h"
#include "support/target.h"
#include "support/wire.h"

namespace {

using namespace kvt;
using namespace kvt::bench;

constexpr DWORD kImageBytes = 512 * 1024;
constexpr DWORD kRecordData = 16;
constexpr DWORD kSegment = 0x10000;
constexpr int kWarmUp = 1;
constexpr int kRuns = 9;
// On the line a download telegram is 8 header bytes and its length word's
// bytes from the command on.
constexpr std::size_t kStartLength = 5;
constexpr std::size_t kDataLength = 6 + kRecordData;
constexpr std::size_t kEndLength = 2;

void AppendRecord(std::string &text, BYTE type, DWORD address, const BYTE *data, DWORD count) {
  char line[16];
  std::snprintf(line, sizeof line, ":%02lX%04lX%02X", static_cast<unsigned long>(count),
                static_cast<unsigned long>(address & 0xFFFF), type);
  text += line;
  unsigned sum = count + (address >> 8 & 0xFF) + (address & 0xFF) + type;
  for (DWORD i = 0; i < count; ++i) {
    std::snprintf(line, sizeof line, "%02X", data[i]);
    text += line;
    sum += data[i];
  }
  std::snprintf(line, sizeof line, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
  text += line;
}

std::string HexImage() {
  std::string text;
  BYTE data[kRecordData];
  for (DWORD address = 0; address < kImageBytes; address += kRecordData) {
    if (address % kSegment == 0) {
      const BYTE upper[2] = {static_cast<BYTE>(address >> 24), static_cast<BYTE>(address >> 16)};
      AppendRecord(text, 4, 0, upper, 2);
    }
    for (DWORD i = 0; i < kRecordData; ++i) data[i] = static_cast<BYTE>((address + i) * 31 >> 3);
    AppendRecord(text, 0, address, data, kRecordData);
  }
  AppendRecord(text, 1, 0, nullptr, 0);
  return text;
}

}  // namespace

int main() {
  SetInstance(GetModuleHandleA(nullptr));
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "kvt_bench_download.hex";
  const std::string image = HexImage();
  std::ofstream(path, std::ios::binary) << image;

  SimConfigure("device=kvt;address=0;setup=no");
  const DWORD sensor = LoadSensor(0);
  OpenSensor(sensor);
  Run() = RunState{};
  Run().sensor = sensor;

  const DWORD dataRecords = kImageBytes / kRecordData;
  const std::size_t wireBytes = (kHeaderBytes + kStartLength) + dataRecords * (kHeaderBytes + kDataLength) +
                                (kHeaderBytes + kEndLength);
  const double wire = WireSeconds(wireBytes);
  std::vector<double> times;
  bool ok = true;
  for (int run = 0; run < kWarmUp + kRuns; ++run) {
    SimReset();
    char text[256] = "";
    CommandRequest request{154, 65535, reinterpret_cast<ULONG_PTR>(text), sizeof text};
    auto records = std::make_unique<TelegramPair>();
    PrepareRequest(records->request, kDeviceKvt, 0);
    Command command{nullptr, request.data(), Run(), *records, ResultTextOf(request.data())};
    const auto start = std::chrono::steady_clock::now();
    const BOOL done = DownloadChosenFile(command, path.c_str());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    ok = ok && done && SimRequestCount() == dataRecords + 2;
    if (run >= kWarmUp) times.push_back(elapsed.count());
  }
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  const double ratio = median / wire;
  const bool met = ok && ratio < kLibraryShare;

  std::printf("Program download: %lu KiB as Intel-HEX (%zu bytes of text), %lu records of %lu bytes,\n",
              static_cast<unsigned long>(kImageBytes / 1024), image.size(), static_cast<unsigned long>(dataRecords),
              static_cast<unsigned long>(kRecordData));
  std::printf("driver accepting at once, %d runs after %d to warm up; wire time at %.0f Baud, %.0f bits per byte\n",
              kRuns, kWarmUp, kBaud, kBitsPerByte);
  std::printf("(a download telegram on the line: %zu header bytes and its length from the command on).\n\n",
              kHeaderBytes);
  std::printf("%-48s %10s %21s %12s %10s %8s\n", "Command", "median", "fastest .. slowest", "bytes", "wire",
              "ratio");
  std::printf("%s\n", std::string(48 + 11 + 22 + 13 + 11 + 9, '-').c_str());
  char spread[40];
  std::snprintf(spread, sizeof spread, "%.1f .. %.1f ms", times.front() * 1e3, times.back() * 1e3);
  std::printf("%-48s %7.1f ms %21s %12zu %8.0f ms %7.3f%%%s\n", "Progammdownload (512 KiB)", median * 1e3, spread,
              wireBytes, wire * 1e3, ratio * 100, met ? "" : (ok ? "  above 1%" : "  (download failed)"));
  std::printf("\n");
  ReportTarget("download", Text("%.3f%% of the wire time (under 1%%)", ratio * 100), met);
  CloseSensor(sensor);
  FreeSensor(sensor);
  SimConfigure("");
  DeleteFileA(path.c_str());
  return met ? 0 : 1;
}
