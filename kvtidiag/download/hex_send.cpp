// The download telegrams: the start request, and one download request per
// data record and for the end record, sent through the driver.
#include "download/download.h"
#include "entry/entry.h"

namespace kvt {

namespace {

constexpr BYTE kStartCommand = 0x0B;
constexpr BYTE kRecordCommand = 0x0C;
constexpr BYTE kStartKey[] = {0x5E, 0x27, 0x6B, 0x19};
constexpr WORD kStartLength = 5;
constexpr int kStartAttempts = 20;
// Command, type and the four address bytes; the data follow.
constexpr WORD kRecordHeader = 6;
constexpr WORD kEndLength = 2;
constexpr std::size_t kRecordType = 9;
constexpr std::size_t kLoadAddress = 10;
constexpr std::size_t kRecordData = 14;
constexpr BYTE kDataType = 0;
constexpr BYTE kEndType = 1;

void PutLength(TelegramRecord &record, WORD length) {
  PutWord(record, kRecLength, length);
  PutWord(record, kRecLength2, length);
}

void PutData(TelegramRecord &record, const HexRecord &hex) {
  for (std::size_t i = 0; i < hex.count; ++i) {
    const char pair[3] = {hex.data[2 * i], hex.data[2 * i + 1], '\0'};
    PutByte(record, kRecordData + i, HexFieldValue(pair));
  }
}

}  // namespace

bool SendDownloadRecord(DWORD sensor, TelegramRecord &record) {
  return TelegramDownload(sensor, record.data()) != FALSE;
}

bool StartDownload(DWORD sensor, TelegramRecord &record) {
  PutLength(record, kStartLength);
  record[kRecCode] = kStartCommand;
  std::copy(std::begin(kStartKey), std::end(kStartKey), record.begin() + kRecData);
  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    if (SendDownloadRecord(sensor, record)) return true;
  }
  return false;
}

BOOL SendHexRecords(HWND owner, DWORD sensor, TelegramRecord &record, const HexFile &file) {
  DownloadProgress progress(owner, file);
  HexWalk walk;
  HexRecord hex;
  for (;;) {
    if (NextRecord(file.Text(), walk, hex) != RecordRead::kRead) {
      progress.Show();
      return ShowFileError(owner);
    }
    // Command and load address before the type is looked at, for every record.
    record[kRecCode] = kRecordCommand;
    PutDword(record, kLoadAddress, hex.loadAddress);
    switch (hex.kind) {
      case RecordKind::kData:
        record[kRecordType] = kDataType;
        PutLength(record, static_cast<WORD>(hex.count + kRecordHeader));
        PutData(record, hex);
        if (!SendDownloadRecord(sensor, record)) return FALSE;
        progress.Add(hex.count);
        break;
      case RecordKind::kEnd:
        record[kRecordType] = kEndType;
        PutLength(record, kEndLength);
        return SendDownloadRecord(sensor, record) ? TRUE : FALSE;
      case RecordKind::kUpperAddress:
      case RecordKind::kIgnored: break;
      case RecordKind::kUnknown: return FALSE;
    }
  }
}

BOOL DownloadHexFile(HWND owner, TelegramRecord *record, const char *fileName) {
  if (!record) return FALSE;
  HexFile file;
  if (!ReadHexFile(owner, fileName, file)) return FALSE;
  // The one caller without a command in hand: the run is the entry's.
  return SendHexRecords(owner, Run().sensor, *record, file);
}

}  // namespace kvt
