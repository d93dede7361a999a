// The Intel-HEX reader: the file read into memory once, each record taken as
// a 128-byte read at its offset would give it, and the check that walks the
// whole file before anything is sent.
#include <new>

#include "download/download.h"
#include "string_ids.h"

namespace kvt {

namespace {

constexpr std::size_t kReadSize = 128;
// Colon, count, address, type, checksum and a carriage return with its line
// feed: the reader takes every record to be this plus two characters per byte.
constexpr std::size_t kRecordFrame = 13;
constexpr std::size_t kCountAt = 1;
constexpr std::size_t kAddressAt = 3;
constexpr std::size_t kTypeAt = 7;
constexpr std::size_t kDataAt = 9;

using enum RecordKind;
constexpr RecordKind kKindByType[] = {kData, kEnd, kUpperAddress, kIgnored, kUpperAddress};

// Only characters that the read returned count: beyond them a 128-byte
// buffer would hold what the previous record left.
bool HexCharacters(std::string_view window, std::size_t at, std::size_t width) {
  if (at + width > window.size()) return false;
  for (std::size_t i = 0; i < width; ++i) {
    if (HexDigit(window[at + i]) < 0) return false;
  }
  return true;
}

// A field is copied into a small text and converted, as the reader does.
bool Field(std::string_view window, std::size_t at, std::size_t width, DWORD &value) {
  if (!HexCharacters(window, at, width)) return false;
  char text[5] = {};
  window.copy(text, width, at);
  value = HexFieldValue(text);
  return true;
}

// The reader's file positions are signed 32-bit numbers.
constexpr LONGLONG kLargestFile = 0x7FFF0000;

enum class Loaded : BYTE { kLoaded, kFileError, kNoMemory };

Loaded LoadOpenFile(HANDLE handle, HexFile &file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle, &size) || size.QuadPart > kLargestFile) return Loaded::kFileError;
  file.size = static_cast<std::size_t>(size.QuadPart);
  file.bytes.reset(new (std::nothrow) char[file.size + 1]);
  if (!file.bytes) return Loaded::kNoMemory;
  for (std::size_t done = 0; done < file.size;) {
    DWORD got = 0;
    if (!ReadFile(handle, file.bytes.get() + done, static_cast<DWORD>(file.size - done), &got, nullptr) || got == 0) {
      return Loaded::kFileError;
    }
    done += got;
  }
  return Loaded::kLoaded;
}

Loaded LoadFile(const char *fileName, HexFile &file) {
  if (!fileName || fileName[0] == '\0') return Loaded::kFileError;
  const HANDLE handle =
      CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Loaded::kFileError;
  const Loaded loaded = LoadOpenFile(handle, file);
  if (!CloseHandle(handle) && loaded == Loaded::kLoaded) return Loaded::kFileError;
  return loaded;
}

// Walks the file as the download will and counts what it will send. FALSE
// when the walk meets what the reader cannot take; a missing colon or an
// unknown type stops the download itself, after the records before it.
bool CheckRecords(HexFile &file) {
  HexWalk walk;
  HexRecord record;
  file.records = 0;
  file.dataBytes = 0;
  for (;;) {
    switch (NextRecord(file.Text(), walk, record)) {
      case RecordRead::kBroken: return false;
      case RecordRead::kNoColon: return true;
      case RecordRead::kRead: break;
    }
    switch (record.kind) {
      case kData:
        ++file.records;
        file.dataBytes += record.count;
        break;
      case kEnd: ++file.records; return true;
      case kUnknown: return true;
      case kUpperAddress:
      case kIgnored: break;
    }
  }
}

}  // namespace

RecordRead NextRecord(std::string_view text, HexWalk &walk, HexRecord &record) {
  // A read at or past the file's end returns nothing.
  if (walk.offset >= text.size()) return RecordRead::kBroken;
  const std::string_view window = text.substr(walk.offset, kReadSize);
  if (window[0] != ':') return RecordRead::kNoColon;
  DWORD count = 0;
  DWORD address = 0;
  DWORD type = 0;
  if (!Field(window, kCountAt, 2, count) || !Field(window, kAddressAt, 4, address) ||
      !Field(window, kTypeAt, 2, type)) {
    return RecordRead::kBroken;
  }
  record.kind = type < std::size(kKindByType) ? kKindByType[type] : kUnknown;
  record.count = count;
  record.loadAddress = (walk.upper << 16) + address;
  record.data = {};
  if (record.kind == kData) {
    if (!HexCharacters(window, kDataAt, 2 * count)) return RecordRead::kBroken;
    record.data = window.substr(kDataAt, 2 * count);
  } else if (record.kind == kUpperAddress) {
    // Types 2 and 4 alike: the value becomes bits 16-31 of what follows.
    if (!Field(window, kDataAt, 4, walk.upper)) return RecordRead::kBroken;
  }
  walk.offset += kRecordFrame + 2 * count;
  return RecordRead::kRead;
}

BOOL ShowFileError(HWND owner) {
  MessageBoxFromTable(owner, kMessageFlags, ids::kFileHandlingError);
  return FALSE;
}

BOOL ReadHexFile(HWND owner, const char *fileName, HexFile &file) {
  switch (LoadFile(fileName, file)) {
    case Loaded::kNoMemory:
      MessageBoxFromTable(owner, kMessageFlags, ids::kOutOfMemory);
      return FALSE;
    case Loaded::kFileError: return ShowFileError(owner);
    case Loaded::kLoaded: break;
  }
  return CheckRecords(file) ? TRUE : ShowFileError(owner);
}

}  // namespace kvt
