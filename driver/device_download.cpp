// Program download into the simulated device: a start request (0x0B with
// its four fixed bytes), then data and end records (0x0C).
#include "driver.h"

namespace kvtdrv {

namespace {

constexpr BYTE kStart = 0x0B;
constexpr BYTE kRecord = 0x0C;
constexpr std::array<BYTE, 4> kStartKey{0x5E, 0x27, 0x6B, 0x19};
constexpr BYTE kDataRecord = 0;
constexpr BYTE kEndRecord = 1;
constexpr std::size_t kRecordHeader = 6;  // command, type, 32-bit address

bool Refuse(const char *format, unsigned value = 0) {
  SetError(format, value);
  return false;
}

}  // namespace

bool AcceptDownload(std::span<const BYTE> record) {
  DeviceState &device = Device();
  const BYTE address = record[kvt::kRecAddress];
  if (address != 0 && address != device.address) return Refuse("Keine Antwort vom Sensor unter Adresse %u.", address);
  const WORD length = kvt::Word(record, kvt::kRecLength);
  if (length != kvt::Word(record, kvt::kRecLength2)) return Refuse("Download-Telegramm mit widersprüchlicher Länge.");
  if (length > kvt::kRecordSize - kvt::kRecCode) return Refuse("Download-Telegramm zu lang (%u Bytes).", length);
  switch (record[kvt::kRecCode]) {
    case kStart:
      if (!std::equal(kStartKey.begin(), kStartKey.end(), record.begin() + kvt::kRecData)) {
        return Refuse("Download-Start mit falscher Kennung abgelehnt.");
      }
      device.downloading = true;
      device.downloadedBytes = 0;
      return true;
    case kRecord:
      if (!device.downloading) return Refuse("Download-Telegramm ohne vorherigen Start abgelehnt.");
      if (record[kvt::kRecData] == kEndRecord) {
        device.downloading = false;
        return true;
      }
      if (record[kvt::kRecData] != kDataRecord || length < kRecordHeader) {
        return Refuse("Download-Satz vom Typ %u abgelehnt.", record[kvt::kRecData]);
      }
      device.downloadedBytes += length - kRecordHeader;
      return true;
    default: return Refuse("Unbekanntes Download-Kommando 0x%02X.", record[kvt::kRecCode]);
  }
}

}  // namespace kvtdrv
