// Saving: the plain list or the commissioning report, each under the file
// header (date, time, device), as CP1252 text with CRLF line ends. The file
// dialog opens centred on the menu window with a name made of device and date.
#include <array>

#include "dialoghost.h"

namespace kvt::dlg {

namespace {

struct SavedFileRow {
  const char *dialogTitle;
  std::string_view fileTitle;  // the header's first line
  std::string_view nameSuffix;
  const char *what;  // in the message when it cannot be written
};

constexpr std::array<SavedFileRow, 2> kSavedFiles{{
    {"Ergebnisliste speichern", "Ergebnisliste", "", "Die Ergebnisliste"},
    {"Bericht speichern", "Inbetriebnahmebericht", "_Bericht", "Der Bericht"},
}};

constexpr char kSaveFilter[] = "Textdateien (*.txt)\0*.txt\0Alle Dateien (*.*)\0*.*\0";

const SavedFileRow &RowOf(SavedFile kind) { return kSavedFiles[static_cast<std::size_t>(kind)]; }

bool WriteAll(const char *path, const std::string &bytes) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  const BOOL closed = CloseHandle(file);
  return wrote && closed && written == bytes.size();
}

std::string FileText(const MenuWindow &menu, SavedFile kind, const SYSTEMTIME &now) {
  std::string text = FileHeader(RowOf(kind).fileTitle, CurrentFacts(menu), now);
  if (kind == SavedFile::kList) return text + ResultListText(menu);
  text += "Ergebnisliste\r\n" + ResultListText(menu) + "\r\nTelegrammprotokoll\r\n" + TraceText();
  if (!text.ends_with("\r\n")) text += "\r\n";
  return text;
}

// The explorer-style dialog calls its hook once it is laid out: then it is moved.
UINT_PTR CALLBACK CentreOnOwner(HWND child, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR *>(lParam)->code != CDN_INITDONE) return 0;
  HWND dialog = GetParent(child);
  RECT owner{}, own{};
  GetWindowRect(reinterpret_cast<const OFNOTIFYA *>(lParam)->lpOFN->hwndOwner, &owner);
  GetWindowRect(dialog, &own);
  const RECT place = CentredOn(owner, own.right - own.left, own.bottom - own.top);
  SetWindowPos(dialog, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

}  // namespace

bool SaveTo(MenuWindow &menu, SavedFile kind, const char *path) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  if (path && *path && WriteAll(path, FileText(menu, kind, now))) {
    menu.unsaved = false;
    return true;
  }
  ShowMessage(menu.window, menu.title,
              FormatText("%s konnte nicht in die Datei \"%s\" geschrieben werden.", RowOf(kind).what, path ? path : ""));
  return false;
}

void SaveWithDialog(MenuWindow &menu, SavedFile kind) {
  if (menu.busy) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char path[MAX_PATH] = "";
  lstrcpynA(path, ProposedFileName(CurrentFacts(menu), now, RowOf(kind).nameSuffix).c_str(), sizeof path);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = menu.window;
  dialog.lpstrFilter = kSaveFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrTitle = RowOf(kind).dialogTitle;
  dialog.lpstrDefExt = "txt";
  dialog.lpfnHook = CentreOnOwner;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
                 OFN_ENABLEHOOK;
  menu.busy = true;
  const BOOL chosen = GetSaveFileNameA(&dialog);
  menu.busy = false;
  if (chosen) SaveTo(menu, kind, path);
}

}  // namespace kvt::dlg
