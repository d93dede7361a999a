// The product files as a reader of PE files sees them: the export table of
// every module holds exactly its plain names, on both architectures, and
// the library carries its menu, string table and dialog templates, all in
// German.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

std::string BuildRoot() {
  const char *root = std::getenv("KVT_BUILD_ROOT");
  std::string path = root ? root : "";
  // A Unix path from CTest: reach it through Wine's Z: drive.
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::vector<unsigned char> ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Pe {
  std::vector<unsigned char> bytes;
  WORD machine = 0;
  std::vector<IMAGE_SECTION_HEADER> sections;
  DWORD exportRva = 0;

  template <typename T>
  std::optional<T> At(std::size_t offset) const {
    if (offset + sizeof(T) > bytes.size()) return std::nullopt;
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
  }
  std::optional<std::size_t> Offset(DWORD rva) const {
    for (const auto &s : sections) {
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData)) {
        return rva - s.VirtualAddress + s.PointerToRawData;
      }
    }
    return std::nullopt;
  }
};

std::optional<Pe> Parse(const std::string &path) {
  Pe pe;
  pe.bytes = ReadFile(path);
  auto dos = pe.At<IMAGE_DOS_HEADER>(0);
  if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return std::nullopt;
  const std::size_t nt = dos->e_lfanew;
  auto file = pe.At<IMAGE_FILE_HEADER>(nt + 4);
  if (!file) return std::nullopt;
  pe.machine = file->Machine;
  const std::size_t optional = nt + 4 + sizeof(IMAGE_FILE_HEADER);
  if (pe.machine == IMAGE_FILE_MACHINE_I386) {
    pe.exportRva = pe.At<IMAGE_OPTIONAL_HEADER32>(optional)->DataDirectory[0].VirtualAddress;
  } else {
    pe.exportRva = pe.At<IMAGE_OPTIONAL_HEADER64>(optional)->DataDirectory[0].VirtualAddress;
  }
  const std::size_t first = optional + file->SizeOfOptionalHeader;
  for (WORD i = 0; i < file->NumberOfSections; ++i) {
    pe.sections.push_back(*pe.At<IMAGE_SECTION_HEADER>(first + i * sizeof(IMAGE_SECTION_HEADER)));
  }
  return pe;
}

std::set<std::string> ExportNames(const Pe &pe) {
  std::set<std::string> names;
  auto at = pe.Offset(pe.exportRva);
  if (!at) return names;
  auto dir = pe.At<IMAGE_EXPORT_DIRECTORY>(*at);
  for (DWORD i = 0; i < dir->NumberOfNames; ++i) {
    const DWORD nameRva = *pe.At<DWORD>(*pe.Offset(dir->AddressOfNames) + 4 * i);
    names.insert(reinterpret_cast<const char *>(pe.bytes.data() + *pe.Offset(nameRva)));
  }
  return names;
}

struct Module {
  const char *file;
  std::set<std::string> required;  // at least these, and no decorated name
};

const Module kModules[] = {
    {"KVTIDIAG.DLL", {"DialogDiagnose", "DialogDeviceAdr", "EditResultDlgProc"}},
    {"KVTIDRV.DLL",
     {"LoadSensor", "QuerySensor", "SetupSensor", "OpenSensor", "CloseSensor", "FreeSensor", "ErrorSensor",
      "TelegramSensor", "TelegramDownload", "TextSensor", "TextSensorMulPar"}},
    {"KVTIDLG.DLL", {"ZenkDialog"}},
};

TEST(PeCheckTest, ExportsCarryPlainNamesOnBothArchitectures) {
  for (const char *arch : {"i686", "x86_64"}) {
    for (const auto &module : kModules) {
      const std::string path = BuildRoot() + "\\" + arch + "\\bin\\" + module.file;
      auto pe = Parse(path);
      ASSERT_TRUE(pe) << path;
      EXPECT_EQ(pe->machine, std::string(arch) == "i686" ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64)
          << path;
      const auto names = ExportNames(*pe);
      for (const auto &name : module.required) EXPECT_TRUE(names.count(name)) << path << " lacks " << name;
      for (const auto &name : names) {
        EXPECT_EQ(name.find('@'), std::string::npos) << path << " exports a decorated " << name;
        EXPECT_NE(name[0], '_') << path << " exports " << name;
      }
    }
  }
}

// The languages of every resource of one type.
BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD> *>(languages)->push_back(language);
  return TRUE;
}

BOOL CALLBACK AddLanguagesOf(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR languages) {
  return EnumResourceLanguagesA(module, type, name, AddLanguage, languages);
}

TEST(PeCheckTest, TheProductCarriesItsResourcesInGerman) {
  const std::string path = BuildRoot() + "\\i686\\bin\\KVTIDIAG.DLL";
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr) << path;
  HRSRC menu = FindResourceA(module, "KVTIDIAG.DLL", MAKEINTRESOURCEA(10));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(SizeofResource(module, menu), 3974u);
  for (int dialog : {105, 400}) {
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(dialog), MAKEINTRESOURCEA(5)), nullptr) << "dialog " << dialog;
  }
  for (LPCSTR type : {RT_RCDATA, RT_STRING, RT_DIALOG}) {
    std::vector<WORD> languages;
    EnumResourceNamesA(module, type, AddLanguagesOf, reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_FALSE(languages.empty());
    EXPECT_EQ(languages, std::vector<WORD>(languages.size(), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)))
        << "resource type " << reinterpret_cast<ULONG_PTR>(type);
  }
  FreeLibrary(module);
}

}  // namespace
