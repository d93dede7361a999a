// KVTIDRV.DLL inside: the configuration of the simulated devices, the fault
// plan, the telegram log, the device model with its command rows, the error
// text of the last failure and the text classes. Grouped by file.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "kvt/abi.h"
#include "kvt/bytes.h"

namespace kvtdrv {

using kvt::TelegramRecord;

// ---- config.cpp: the KVTIDRV_SIM syntax ------------------------------------

enum class FaultKind : BYTE {
  NoAnswer, WrongAnswer, Refused, Load, Open, Close, Free, Download, DownloadStart, DownloadRecord
};
inline constexpr std::size_t kFaultKinds = 10;

// A fault strikes the calls numbered first..last (1-based) of its counter.
struct Fault {
  FaultKind kind = FaultKind::NoAnswer;
  DWORD first = 1;
  DWORD last = MAXDWORD;
};

inline constexpr std::size_t kMaxFaults = 16;

struct FaultPlan {
  std::array<Fault, kMaxFaults> faults{};
  std::size_t count = 0;
};

// The passwords the simulated devices check (case counts): keys pw.setup,
// pw.super and pw.service.
struct Passwords {
  std::string setup = "einrichten";
  std::string superuser = "superuser";
  std::string maintenance = "instandhaltung";
};

struct SimConfig {
  BYTE device = kvt::kDeviceKvt;  // a DeviceType
  BYTE address = 0;
  BYTE variant = 0;
  std::string version;  // program version text the device reports; empty: its kind's own
  FaultPlan faults;
  std::string logPath;
  bool askSetup = false;
  Passwords passwords;
};

inline constexpr BYTE kMaxAddress = 127;
inline constexpr BYTE kMaxVariant = 9;
inline constexpr std::size_t kVersionSize = 8;
inline constexpr std::size_t kMaxPasswordLength = 16;

// 1 to 16 printable characters, no semicolon (it ends an item), no blank at
// either end (items are trimmed).
bool PasswordUsable(std::string_view text);

// Parses a whole configuration; `out` is written only when the text is good.
// Keys left out take their defaults, so the empty text gives the defaults.
bool ParseConfig(std::string_view text, SimConfig &out);
// Parses the value of the fail key alone (comma list).
bool ParseFaults(std::string_view text, FaultPlan &out);
std::string FormatFaults(const FaultPlan &plan);
std::string FormatConfig(const SimConfig &config);
std::string_view DeviceName(BYTE device);

// ---- settings.cpp: the configuration in force ------------------------------

const SimConfig &Config();
// Puts a parsed configuration in force: the devices restart, the fault
// counters restart.
void ApplyConfig(const SimConfig &config);
// At LoadSensor: reads KVTIDRV_SIM. FALSE when it is set but malformed.
bool ReadEnvironment();

// ---- faults.cpp: which call a fault strikes --------------------------------

// DownloadStart counts the start requests, DownloadRecord the download
// records since the last accepted start.
enum class CallKind : BYTE { Telegram, Load, Open, Close, Free, Download, DownloadStart, DownloadRecord };
inline constexpr std::size_t kCallKinds = 8;

// Counts one more call of that kind and returns its number (1-based).
DWORD CountCall(CallKind call);
void RestartCallCounts();
void RestartCallCount(CallKind call);
// Whether the configured plan has a fault of `kind` for call number `number`.
bool FaultStrikes(FaultKind kind, DWORD number);

// ---- errors.cpp: the text ErrorSensor hands out ------------------------------

// Stores a German text (CP1252) describing the last failure. `format` may
// hold one %u.
void SetError(const char *format, unsigned value = 0);
void ClearError();
const char *LastError();

// ---- telegram_log.cpp ---------------------------------------------------------

enum class LogDirection : char { Request = '>', Answer = '<' };
void LogRecord(LogDirection direction, std::span<const BYTE> bytes);
void LogNote(LogDirection direction, std::string_view note);
// Bytes of a request worth logging: the header and data up to the last
// nonzero byte.
std::size_t RequestLogLength(std::span<const BYTE> request);

// ---- lifecycle.cpp -----------------------------------------------------------

// Whether `handle` is the loaded driver's (and it is open, if asked);
// otherwise sets the error text.
bool CheckSession(DWORD handle, bool needOpen);

// ---- requests.cpp: what the tests may look at and script -------------------

void RecordRequest(std::span<const BYTE> request);

// ---- filters.cpp: a test's last word on answers and texts ---------------------

// The answer filter's result, or `answered` when there is none.
bool FilterAnswer(const BYTE *request, TelegramRecord &answer, bool answered);
// Lets the text filter rewrite a text just written for the caller.
void FilterText(int textClass, LPSTR text, int textSize);
// Takes the next scripted answer, if any. `ok` receives its result.
bool TakeQueuedAnswer(TelegramRecord &answer, bool &ok);

// ---- device*.cpp: the simulated device -------------------------------------

struct ErrorEntry {
  BYTE type;
  BYTE number;
};
inline constexpr std::size_t kMaxErrorEntries = 16;

inline constexpr std::size_t kConfigBlockSize = 33;

// Operating modes (command 0x20) that other commands may ask about.
inline constexpr BYTE kModeSetup = 0x00;
inline constexpr BYTE kModeCalibration = 0x01;
inline constexpr BYTE kModeDiagnosis = 0x10;
inline constexpr BYTE kModeOnRequest = 0x25;   // measured values only on request
inline constexpr BYTE kModeNavigation = 0x2E;  // continuous navigation data

// The parameters of a continuous output mode as its request carried them
// from record byte 10 on; the longest is 0x2B's count and five ranges.
inline constexpr std::size_t kMaxModeParameters = 22;
struct ModeParameters {
  std::array<BYTE, kMaxModeParameters> bytes{};
  BYTE length = 0;
};

struct DeviceState {
  BYTE kind = kvt::kDeviceKvt;  // DeviceType
  BYTE address = 0;
  BYTE variant = 0;
  BYTE mode = kModeOnRequest;   // operating mode, as set by command 0x20
  ModeParameters modeParameters;
  BYTE modeBeforePassword = kModeOnRequest;  // where the password reset (0x02) returns to
  ModeParameters parametersBeforePassword;
  DWORD baudRate = 9600;
  BYTE powerOnSetting = 0;      // command 0x66: 0 9600 Bd at power on, 1 baud constant, 2 variant kept
  bool laserOn = true;
  bool fieldsNonVolatile = false;
  bool startupTest = true;
  BYTE evaluations = 2;         // multiple evaluations (command 0x63)
  BYTE fieldSet = 1;            // active field set 1..4 (command 0x41)
  BYTE stopThreshold = 44;      // mV (command 0x51)
  WORD resets = 0;
  WORD systemTests = 0;
  std::array<ErrorEntry, kMaxErrorEntries> errors{};
  std::size_t errorCount = 0;
  std::array<BYTE, kConfigBlockSize> configBlock{};
  bool downloading = false;     // between the start request and the end record
  bool refusing = false;        // while a refusal is simulated: no setting is taken
  WORD scans = 0;               // measurements sent since switch-on (measured_values.cpp)
};

// Whether a command with a status takes a valid setting: not while a
// refusal is simulated, so that the answer reports the setting in force.
inline bool Accepts(const DeviceState &device, bool valid) { return valid && !device.refusing; }

DeviceState &Device();
// The state a device of the configured kind has when switched on.
DeviceState StartState(const SimConfig &config);
void RestartDevice();

inline constexpr BYTE kNakCode = 0x15;
inline constexpr BYTE kKindBits[] = {0x00, 0x08, 0x10, 0x18};

// Fills `answer` for `request`; FALSE when the device keeps silent (another
// address, a type byte it does not serve). `refuse` turns the status byte of
// a command that carries one into a refusal and leaves the state unchanged.
bool AnswerRequest(std::span<const BYTE> request, std::span<BYTE> answer, bool refuse);

// Takes one record of a program download; FALSE when the device refuses it
// (the error text is set). `note` receives what the log adds to an
// accepted record: the flash image, after the end record.
bool AcceptDownload(std::span<const BYTE> record, std::string &note);

// ---- flash_image.cpp: the program the downloads wrote --------------------

// The flash keeps its program when the device is switched off; a start
// request, a new configuration and SimReset erase it.
void EraseFlash();
void WriteFlash(DWORD address, std::span<const BYTE> bytes);
// After the end record: the image is a whole program.
void CompleteFlash();
// Size, address range and CRC-32 of the image, in German ("leer" when erased).
std::string FlashSummary();

// A command row: the device kinds that know the command, the answer code,
// how a refusal shows in the status byte, and the routine that writes the
// answer data (from record byte 9 on) and returns its length.
using FillAnswer = std::size_t (*)(DeviceState &device, std::span<const BYTE> request, std::span<BYTE> data);

enum KindSet : BYTE {
  kKvt = 1 << kvt::kDeviceKvt,
  kPxd = 1 << kvt::kDevicePxd,
  kKvtQ1 = 1 << kvt::kDeviceKvtQ1,
  kKvt90 = 1 << kvt::kDeviceKvt90,
  kSensors = kKvt | kKvtQ1 | kKvt90,
  kType6 = kKvtQ1 | kKvt90,
  kAllKinds = kKvt | kPxd | kKvtQ1 | kKvt90,
};

enum class StatusRule : BYTE {
  None,        // no status byte: a refusal cannot show
  OneAccepts,  // byte 9: 1 accepted, 0 refused
  ZeroAccepts, // byte 9: 0 accepted, 1 refused (operating-mode change)
};

struct CommandRow {
  BYTE command;
  BYTE answer;
  BYTE kinds;
  StatusRule status;
  FillAnswer fill;
};

std::span<const CommandRow> CommandRows();

// Row routines, one file per group.
// device_identity.cpp
std::size_t FillErrorMemory(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillSystemTest(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillSensorType(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillConfigRead(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// The program version the device reports: the configured one, else its kind's.
std::string_view VersionText(BYTE kind);
// The major number of a version text ("V01.90" gives 1): the digits before
// the last two, as the library reads it.
unsigned VersionMajor(std::string_view version);
// device_status.cpp
std::size_t FillStatus(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_control.cpp
std::size_t FillReset(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillStartupTest(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillEvaluations(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillFieldMemory(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillPowerOnSetting(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillNewAddress(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillLaser(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_modes.cpp: operating modes, passwords, baud rates
std::size_t FillModeChange(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// Measured values on request, no password in force: after a reset.
void ResetMode(DeviceState &device);
// device_fields.cpp
std::size_t FillFieldSet(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillStopThreshold(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_reference.cpp
std::size_t FillReferenceValues(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillCorrectionTable(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// measured_values.cpp, with the room of measured_scene.cpp
std::size_t FillScan(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillPartialRange(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillAveraged(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillAveragedPartial(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillValuesXY(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillValuesWithFields(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillRangesWithRemission(DeviceState &, std::span<const BYTE>, std::span<BYTE>);

// Writes a zero-padded text of `width` bytes (a zero-terminated one when
// width is 0) at data[at]; returns the offset behind it.
std::size_t PutText(std::span<BYTE> data, std::size_t at, std::string_view text, std::size_t width = 0);

// Writes at record positions into the answer data, which start at record
// byte 9; what lies beyond the record is dropped.
struct AnswerRecord {
  std::span<BYTE> data;
  void Byte(std::size_t at, unsigned v) const { kvt::PutByte(data, at - kvt::kRecData, v); }
  void Word(std::size_t at, unsigned v) const { kvt::PutWord(data, at - kvt::kRecData, v); }
  void Dword(std::size_t at, DWORD v) const { kvt::PutDword(data, at - kvt::kRecData, v); }
  void Words(std::size_t at, std::initializer_list<unsigned> values) const {
    for (unsigned v : values) {
      Word(at, v);
      at += 2;
    }
  }
  void Text(std::size_t at, std::string_view text, std::size_t width) const {
    PutText(data, at - kvt::kRecData, text, width);
  }
};

// ---- texts*.cpp --------------------------------------------------------------

struct CodeText {
  WORD code;
  const char *text;
};

inline constexpr std::size_t kMaxListValues = 8;

// Writes a text built from values into `out` (zero-terminated, cut to fit):
// the values of a list, or the one code of a single-code class.
using TextBuilder = void (*)(std::span<const DWORD> values, std::span<char> out);

// One text class. A single-code class (listCount 0) answers TextSensor: a
// row of `codes`, else `build` with the code, else `otherCodes` formatted
// with the code (as a signed 16-bit number when `signedCode`), else
// `prefix` and "unbekannt (0x..)". A list class answers TextSensorMulPar: it reads
// `listCount` values of `listWidth` bytes and writes them with `build` or
// the printf format `listFormat`.
struct TextClass {
  int id;
  std::span<const CodeText> codes = {};
  const char *prefix = "";
  const char *otherCodes = nullptr;
  bool signedCode = false;
  const char *listFormat = nullptr;
  TextBuilder build = nullptr;
  BYTE listWidth = 0;  // bytes per value: 2 or 4
  BYTE listCount = 0;
};

// The classes, one group per file.
std::span<const TextClass> StatusCodeClasses();   // texts_status.cpp
std::span<const TextClass> StatusListClasses();   // texts_status_lists.cpp
std::span<const TextClass> ErrorClasses();        // texts_errors.cpp
std::span<const TextClass> FormatClasses();       // texts_formats.cpp
// texts_table.cpp: the class with this id in any group, or null.
const TextClass *FindTextClass(int id);
// texts_build.cpp: helpers of the builders.
void PutBuilt(std::span<char> out, const char *format, ...) __attribute__((format(printf, 2, 3)));
// A value in tenths or hundredths with a decimal comma ("180,0").
std::string Decimal(DWORD value, unsigned places);

// ---- setup_dialog.cpp ----------------------------------------------------------

// Runs the modal setup dialog; TRUE when the user confirmed with OK.
BOOL RunSetupDialog(HWND owner);
HINSTANCE Instance();

}  // namespace kvtdrv
