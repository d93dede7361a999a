/* Program download from an Intel-HEX file: the progress window's ids (read
   by the resource compiler as well), the reader and the handler. */
#pragma once

/* Progress window (700) */
#define IDD_DOWNLOAD_PROGRESS 700
#define IDC_DOWNLOAD_RECORDS 3001
#define IDC_DOWNLOAD_RECORDS_TOTAL 3002
#define IDC_DOWNLOAD_BYTES 3003
#define IDC_DOWNLOAD_BYTES_TOTAL 3004
#define IDC_DOWNLOAD_BAR 3005

#ifndef RC_INVOKED

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string_view>

#include "dispatch/dispatch.h"

namespace kvt {

// Value of the whole text read as hexadecimal digits; 0 for an empty text,
// 65535 as soon as a character is not a hexadecimal digit.
DWORD HexFieldValue(const char *text);
// 0-15 for a hexadecimal digit of either case, -1 for anything else.
int HexDigit(char c);

// An Intel-HEX file read into memory once, with what its check found: the
// download requests it will give and the data bytes they carry.
struct HexFile {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  DWORD records = 0;
  DWORD dataBytes = 0;
  std::string_view Text() const { return {bytes.get(), size}; }
};

// How the reader takes a record: its kind by type, its load address (the
// upper address word times 65536 plus the address field), its data characters.
enum class RecordKind : BYTE { kData, kEnd, kUpperAddress, kIgnored, kUnknown };
struct HexRecord {
  RecordKind kind = RecordKind::kUnknown;
  DWORD count = 0;
  DWORD loadAddress = 0;
  std::string_view data;
};

// Where the reader stands: the next record's offset and the upper address word.
struct HexWalk {
  std::size_t offset = 0;
  DWORD upper = 0;
};

// kBroken: what the reader would take lies beyond its 128-byte read or the
// file's end, or is not hexadecimal; such a file is refused before sending.
enum class RecordRead : BYTE { kRead, kNoColon, kBroken };

// Reads the record at the walk's offset as a 128-byte read from there
// would give it, and moves the walk on to the next record.
RecordRead NextRecord(std::string_view text, HexWalk &walk, HexRecord &record);

// The file-handling error in a message box over the owner; FALSE.
BOOL ShowFileError(HWND owner);

// Opens, reads and checks the file. FALSE, after the file-handling error
// (or the out-of-memory message), when it cannot be read or is broken in a
// way the records before the break must not be sent for.
BOOL ReadHexFile(HWND owner, const char *fileName, HexFile &file);

// Sends the records of a checked file, from the first up to its end record,
// with the progress window open; the start request is the caller's.
BOOL SendHexRecords(HWND owner, DWORD sensor, TelegramRecord &record, const HexFile &file);

// Reads, checks and sends the file; 1 when every record up to and
// including the end record was sent. The record holds the dispatcher's bytes.
BOOL DownloadHexFile(HWND owner, TelegramRecord *record, const char *fileName);

// The start request, sent up to 20 times until one is accepted.
bool StartDownload(DWORD sensor, TelegramRecord &record);

// TelegramDownload; TRUE when accepted.
bool SendDownloadRecord(DWORD sensor, TelegramRecord &record);

// Handler 154 after the file dialog: the file, the start request, the
// records and the endings.
BOOL DownloadChosenFile(Command &command, const char *fileName);
BOOL RunProgramDownload(Command &command, const HandlerRow &row);

// The progress window over the owner while the records go out; closed when
// this goes out of scope.
struct DownloadProgress {
  DownloadProgress(HWND owner, const HexFile &file);
  ~DownloadProgress();
  DownloadProgress(const DownloadProgress &) = delete;
  DownloadProgress &operator=(const DownloadProgress &) = delete;
  // One more record sent, with its data bytes; repainted now and then.
  void Add(DWORD dataBytes);
  // Repainted now.
  void Show();

  HWND window = nullptr;
  DWORD records = 0;
  DWORD bytes = 0;
  DWORD shownAt = 0;
};

}  // namespace kvt

#endif /* RC_INVOKED */
