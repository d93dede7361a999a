// Program download into the simulated device: a start request (0x0B with
// its four fixed bytes) erases the flash, then data records (0x0C, type 0)
// write it and the end record (type 1) completes it.
#include "driver.h"

namespace kvtdrv {

namespace {

constexpr BYTE kStart = 0x0B;
constexpr BYTE kRecord = 0x0C;
constexpr std::array<BYTE, 4> kStartKey{0x5E, 0x27, 0x6B, 0x19};
constexpr BYTE kDataRecord = 0;
constexpr BYTE kEndRecord = 1;
constexpr std::size_t kLoadAddress = 10;
constexpr std::size_t kRecordData = 14;
constexpr std::size_t kRecordHeader = 6;  // command, type, 32-bit address

bool Refuse(const char *format, unsigned value = 0) {
  SetError(format, value);
  return false;
}

bool AcceptStart(DeviceState &device, std::span<const BYTE> record) {
  const DWORD number = CountCall(CallKind::DownloadStart);
  if (FaultStrikes(FaultKind::DownloadStart, number)) {
    return Refuse("Download-Start %u nicht angenommen (simulierter Fehler).", number);
  }
  if (!std::equal(kStartKey.begin(), kStartKey.end(), record.begin() + kvt::kRecData)) {
    return Refuse("Download-Start mit falscher Kennung abgelehnt.");
  }
  device.downloading = true;
  RestartCallCount(CallKind::DownloadRecord);
  EraseFlash();
  return true;
}

bool AcceptRecord(DeviceState &device, std::span<const BYTE> record, WORD length, std::string &note) {
  if (!device.downloading) return Refuse("Download-Telegramm ohne vorherigen Start abgelehnt.");
  const DWORD number = CountCall(CallKind::DownloadRecord);
  if (FaultStrikes(FaultKind::DownloadRecord, number)) {
    return Refuse("Download-Satz %u nicht angenommen (simulierter Fehler).", number);
  }
  const BYTE type = record[kvt::kRecData];
  if (type == kEndRecord) {
    device.downloading = false;
    CompleteFlash();
    note = "Flash: " + FlashSummary();
    return true;
  }
  if (type != kDataRecord || length < kRecordHeader) return Refuse("Download-Satz vom Typ %u abgelehnt.", type);
  WriteFlash(kvt::Dword(record, kLoadAddress), record.subspan(kRecordData, length - kRecordHeader));
  return true;
}

}  // namespace

bool AcceptDownload(std::span<const BYTE> record, std::string &note) {
  DeviceState &device = Device();
  const BYTE address = record[kvt::kRecAddress];
  if (address != 0 && address != device.address) return Refuse("Keine Antwort vom Sensor unter Adresse %u.", address);
  const WORD length = kvt::Word(record, kvt::kRecLength);
  if (length != kvt::Word(record, kvt::kRecLength2)) return Refuse("Download-Telegramm mit widersprüchlicher Länge.");
  if (length > kvt::kRecordSize - kvt::kRecCode) return Refuse("Download-Telegramm zu lang (%u Bytes).", length);
  switch (record[kvt::kRecCode]) {
    case kStart: return AcceptStart(device, record);
    case kRecord: return AcceptRecord(device, record, length, note);
    default: return Refuse("Unbekanntes Download-Kommando 0x%02X.", record[kvt::kRecCode]);
  }
}

}  // namespace kvtdrv
