// Handler 154: the file dialog, then the file read and checked, the start
// request, the records and the endings.
#include <windows.h>

#include <commdlg.h>

#include <climits>
#include <cstring>

#include "download/download.h"
#include "string_ids.h"
#include "entry/entry.h"

namespace kvt {

namespace {

constexpr std::size_t kNameSize = 256;

// The filter text's last character separates its parts; each becomes a zero.
void LoadFilter(std::span<char, kFormatBufferSize> filter) {
  LoadText(ids::kHexFileFilter, filter);
  const std::size_t length = std::strlen(filter.data());
  if (length == 0) return;
  const char separator = filter[length - 1];
  for (std::size_t i = 0; i < length; ++i) {
    if (filter[i] == separator) filter[i] = '\0';
  }
}

bool ChooseHexFile(HWND owner, std::span<char, kNameSize> fileName) {
  char filter[kFormatBufferSize];
  LoadFilter(filter);
  char fileTitle[kNameSize] = "";
  fileName[0] = '\0';
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = kNameSize;
  dialog.lpstrFileTitle = fileTitle;
  dialog.nMaxFileTitle = kNameSize;
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_SHOWHELP;
  return GetOpenFileNameA(&dialog) != FALSE;
}

// The driver's words first, as the reset handler does; the communication
// failure then replaces them. No address line follows.
BOOL StartRefused(Command &command) {
  const std::size_t capacity = command.out.capacity < INT_MAX ? command.out.capacity : INT_MAX;
  if (command.out.text && capacity > 0) {
    ErrorSensor(command.run.sensor, command.out.text, static_cast<int>(capacity));
    command.out.text[capacity - 1] = '\0';
  }
  Replace(command.out, FormatFromTable(ids::kCommunicationFailed));
  command.request[kReqStatus] = kStatusCommFailure;
  return FALSE;
}

}  // namespace

BOOL DownloadChosenFile(Command &command, const char *fileName) {
  HexFile file;
  if (!ReadHexFile(command.owner, fileName, file)) return FALSE;
  if (!StartDownload(command.run.sensor, command.Request())) return StartRefused(command);
  if (!SendHexRecords(command.owner, command.run.sensor, command.Request(), file)) return FALSE;
  Replace(command.out, FormatFromTable(ids::kDownloadSucceeded));
  return SuccessEnding(command);
}

BOOL RunProgramDownload(Command &command, const HandlerRow &) {
  char fileName[kNameSize];
  if (!ChooseHexFile(command.owner, fileName)) return FALSE;
  return DownloadChosenFile(command, fileName);
}

}  // namespace kvt
