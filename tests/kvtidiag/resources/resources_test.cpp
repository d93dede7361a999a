// The product files as a reader of PE files sees them: every module exports
// exactly its plain names on both architectures, every i686 module carries
// the one version in a German version resource, and the i686 library
// carries, all in German, its string table, its dialog templates and its
// menu, which is compared byte for byte with an encoding made here from the
// plain listing in menu_listing.txt: handler|telegram code|flag|text, one
// entry a line, texts exactly as the menu shows them (UTF-8).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/escaped.h"
#include "support/records.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

std::string BuildPath(const std::string &relative) {
  const char *root = std::getenv("KVT_BUILD_ROOT");
  std::string path = root ? root : "";
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // a Unix path seen from Wine
  return path + "/" + relative;
}

// The module mapped as an image for reading only: its export names and machine.
struct Image {
  explicit Image(const std::string &path)
      : module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~Image() { FreeLibrary(module); }
  // A data-file module's handle carries flags in its low bits.
  const BYTE *Base() const { return reinterpret_cast<const BYTE *>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3}); }
  const IMAGE_NT_HEADERS32 *Headers() const {
    return reinterpret_cast<const IMAGE_NT_HEADERS32 *>(Base() + reinterpret_cast<const IMAGE_DOS_HEADER *>(Base())->e_lfanew);
  }
  std::set<std::string> ExportNames() const {
    const auto *headers64 = reinterpret_cast<const IMAGE_NT_HEADERS64 *>(Headers());
    const DWORD rva = Headers()->FileHeader.Machine == IMAGE_FILE_MACHINE_I386
                          ? Headers()->OptionalHeader.DataDirectory[0].VirtualAddress
                          : headers64->OptionalHeader.DataDirectory[0].VirtualAddress;
    const auto *exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(Base() + rva);
    const auto *names = reinterpret_cast<const DWORD *>(Base() + exports->AddressOfNames);
    std::set<std::string> found;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) found.insert(reinterpret_cast<const char *>(Base() + names[i]));
    return found;
  }
  HMODULE module;
};

TEST(Resources, ExportsCarryPlainNamesOnBothArchitectures) {
  const struct {
    const char *file;
    std::set<std::string> required;  // at least these, and no decorated name
  } modules[] = {
      {"KVTIDIAG.DLL", {"DialogDiagnose", "DialogDeviceAdr", "EditResultDlgProc"}},
      {"KVTIDRV.DLL", {"LoadSensor", "QuerySensor", "SetupSensor", "OpenSensor", "CloseSensor", "FreeSensor",
                       "ErrorSensor", "TelegramSensor", "TelegramDownload", "TextSensor", "TextSensorMulPar"}},
      {"KVTIDLG.DLL", {"ZenkDialog"}},
  };
  for (const char *arch : {"i686", "x86_64"}) {
    for (const auto &module : modules) {
      const std::string path = BuildPath(std::string(arch) + "/bin/" + module.file);
      const Image image(path);
      ASSERT_NE(image.module, nullptr) << path;
      EXPECT_EQ(image.Headers()->FileHeader.Machine,
                std::string(arch) == "i686" ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64)
          << path;
      const auto names = image.ExportNames();
      for (const auto &name : module.required) EXPECT_TRUE(names.count(name)) << path << " lacks " << name;
      for (const auto &name : names) {
        EXPECT_TRUE(name.find('@') == std::string::npos && name[0] != '_') << path << " exports " << name;
      }
    }
  }
}


TEST(Resources, EveryModuleCarriesTheOneVersionInGerman) {
  std::string version;  // the first module's, which every other one must carry too
  for (const std::string file : {"KVTIDIAG.DLL", "KVTIDRV.DLL", "KVTIDLG.DLL", "KVTIHOST.EXE"}) {
    const std::string path = BuildPath("i686/bin/" + file);
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) << file;
    const auto value = [&block](const std::string &name) {  // nullptr when missing
      LPVOID found = nullptr;
      UINT length = 0;
      return VerQueryValueA(block.data(), name.c_str(), &found, &length) ? static_cast<const char *>(found) : nullptr;
    };
    // Windows finds the strings through the translation: German, CP1252.
    const auto *translation = reinterpret_cast<const DWORD *>(value("\\VarFileInfo\\Translation"));
    ASSERT_NE(translation, nullptr) << file;
    EXPECT_EQ(*translation, static_cast<DWORD>(MAKELONG(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), 1252))) << file;
    const auto field = [&value](const char *name) {
      const char *text = value(std::string("\\StringFileInfo\\040704E4\\") + name);
      return std::string(text ? text : "");
    };
    if (version.empty()) version = field("FileVersion");
    EXPECT_EQ(field("FileVersion"), version) << file;
    EXPECT_EQ(field("ProductVersion"), version) << file;
    EXPECT_EQ(field("ProductName"), "KVTIdiag");
    EXPECT_EQ(field("OriginalFilename"), file);
    EXPECT_EQ(field("InternalName"), file.substr(0, file.find('.')));
    for (const char *name : {"CompanyName", "FileDescription", "LegalCopyright"}) EXPECT_NE(field(name), "") << name;
    // The script is compiled as CP1252: an umlaut arrives as one.
    if (file == "KVTIDRV.DLL") {
      EXPECT_EQ(Escaped(field("FileDescription")), Escaped(text::kDriverDescription));
    }
  }
  EXPECT_NE(version, "");
}

// The listing is UTF-8 and converted here, independently of the build's own
// CP1252 literals.
std::string Cp1252FromUtf8(const std::string &utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  std::string out(wide.size() * 2, '\0');
  out.resize(WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

void PutWord(std::string &out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

TEST(Resources, TheProductCarriesItsMenuStringsAndTemplatesInGerman) {
  std::string body;
  std::istringstream lines(FileBytes(SourcePath("tests/kvtidiag/resources/menu_listing.txt")));
  int entries = 0, headings = 0;
  for (std::string line; std::getline(lines, line); ++entries) {
    unsigned handler = 0, telegram = 0, flag = 0;
    int textStart = 0;
    sscanf(line.c_str(), "%u|%u|%u|%n", &handler, &telegram, &flag, &textStart);
    headings += handler == 65535;
    PutWord(body, handler);
    PutWord(body, telegram);
    PutWord(body, flag);
    body += Cp1252FromUtf8(line.substr(textStart)) + '\0';
  }
  EXPECT_EQ(entries, 119);
  EXPECT_EQ(headings, 16);
  std::string expected;
  PutWord(expected, entries);
  expected += body;

  const Image image(BuildPath("i686/bin/KVTIDIAG.DLL"));
  const HMODULE module = image.module;
  ASSERT_NE(module, nullptr);
  HRSRC menu = FindResourceA(module, "KVTIDIAG.DLL", RT_RCDATA);
  ASSERT_NE(menu, nullptr);
  const std::string actual(static_cast<const char *>(LockResource(LoadResource(module, menu))),
                           SizeofResource(module, menu));
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  EXPECT_EQ(actual.size(), expected.size());
  EXPECT_EQ(at, expected.size()) << "first difference at byte " << at << ": "
                                 << Escaped(actual.substr(at > 20 ? at - 20 : 0, 40));
  for (int dialog : {105, 400}) {
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(dialog), RT_DIALOG), nullptr) << "dialog " << dialog;
  }
  // Every menu, string block and dialog in German.
  for (LPCSTR type : {RT_RCDATA, RT_STRING, RT_DIALOG}) {
    std::vector<WORD> languages;
    EnumResourceNamesA(
        module, type,
        [](HMODULE m, LPCSTR t, LPSTR name, LONG_PTR list) {
          return EnumResourceLanguagesA(
              m, t, name,
              [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
                reinterpret_cast<std::vector<WORD> *>(found)->push_back(language);
                return TRUE;
              },
              list);
        },
        reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_FALSE(languages.empty());
    EXPECT_EQ(languages, std::vector<WORD>(languages.size(), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)))
        << "resource type " << reinterpret_cast<ULONG_PTR>(type);
  }
  // A few strings of each group, commands not built yet among them, written
  // here independently of the library's table; LoadStringA gives CP1252.
  const std::pair<UINT, const char *> strings[] = {
      {20, "Falsche Eingabe! \nHerstellcode muss aus 8 Ziffern bestehen."},
      {64, "\xDC" "berwachungsbereich: Rechteckiger \xDC" "berwachungsbereich\n "},
      {84, "Anfangsadr.: 0x%8lx;   Anzahl der Bytes:  %3d;\n"},
      {128, "  "},
      {236, "Konifguration erfolgreich \xFC" "bernommen."},
      {248, "HEX-Files (*.hex)|*.hex|Alle Dateien (*.*)|*.*||"},
      {252, "Einzelschu\xDF in 1/100 Grad: %4u.\n"},
      {285, "Daten nicht \xFC" "bernommen, da nicht im Navigationsmodus\n"},
      {297, "Anzahl Einschaltvorg\xE4nge: %u"},
      {1270, "Endpr\xFC" "fdaten:\n"},
  };
  ASSERT_EQ(GetACP(), 1252u);
  for (const auto &[id, text] : strings) {
    char loaded[128] = {};
    const int length = LoadStringA(module, id, loaded, sizeof loaded);
    EXPECT_EQ(Escaped({loaded, static_cast<std::size_t>(length)}), Escaped(text)) << "string " << id;
  }
}

}  // namespace
}  // namespace kvt::test
