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

// What is wrong with a configuration text: the key, the value as written
// and, for a value the key does not know, the ones it does.
enum class ConfigProblem : BYTE {
  NoEquals, UnknownKey, UnknownValue, OutOfRange, BadVersion, BadPassword, UnknownFault, BadFaultCount, TooManyFaults
};
struct ConfigError {
  ConfigProblem problem = ConfigProblem::NoEquals;
  std::string key;
  std::string value;
  std::string choices;
};
// config_messages.cpp: the German message, headed by where the text came
// from ("KVTIDRV_SIM"; none when empty), short enough for the library's
// 80-byte buffer.
std::string ConfigMessage(std::string_view source, const ConfigError &error);

// Parses a whole configuration; `out` is written only when the text is good,
// `error` (when given) only when it is not. Keys left out take their
// defaults, so the empty text gives the defaults.
bool ParseConfig(std::string_view text, SimConfig &out, ConfigError *error = nullptr);
// Parses the value of the fail key alone (comma list).
bool ParseFaults(std::string_view text, FaultPlan &out, ConfigError *error = nullptr);
std::string FormatFaults(const FaultPlan &plan);
// One fault in the syntax (noanswer@3) and in German (keine Antwort).
std::string FormatFault(const Fault &fault);
std::string_view FaultDescription(FaultKind kind);
// "noanswer, wronganswer, …": every kind, in the syntax.
std::string FaultKindNames();
std::string FormatConfig(const SimConfig &config);
std::string_view DeviceName(BYTE device);

// ---- settings.cpp: the configuration in force ------------------------------

const SimConfig &Config();
// Puts a parsed configuration in force: the devices restart, the fault
// counters restart.
void ApplyConfig(const SimConfig &config);
// At LoadSensor: reads KVTIDRV_SIM. FALSE when it is set but malformed;
// the error text then names what is wrong.
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
// A fault that strikes is kept for the trace's next line.
bool FaultStrikes(FaultKind kind, DWORD number);
// A struck fault that showed no effect after all.
void ForgetFault(FaultKind kind);
// " [Fehler simuliert: keine Antwort]" for each fault struck since the last
// call; empty when none.
std::string TakeFaultMarks();

// ---- errors.cpp: the text ErrorSensor hands out ------------------------------

// Stores a German text (CP1252) describing the last failure. `format` may
// hold one %u.
void SetError(const char *format, unsigned value = 0);
// Stores a text as it is (it may hold a %).
void SetErrorText(std::string_view text);
void ClearError();
const char *LastError();

// ---- telegram_names.cpp: what the trace calls each telegram --------------

// A row per command: its name and the data bytes its request carries, a
// fixed number or, where a count or kind in the data decides, a rule.
using RequestDataRule = std::size_t (*)(std::span<const BYTE> request);
struct TelegramName {
  BYTE command;
  const char *name;
  WORD dataLength;
  RequestDataRule rule = nullptr;
};
// The command's name; "unbekannter Befehl" for a code without a row.
std::string_view CommandName(BYTE command);
// The bytes of a request the device reads: the header and the data its
// command carries.
std::size_t RequestLength(std::span<const BYTE> request);

// ---- telegram_log.cpp: the decoded trace --------------------------------------

// The trace goes to the file of the log key and, bounded, to memory
// (SimTraceText). A session header: date and time, the device, the
// configuration in force and the faults it plans; `title` says what began.
void TraceSession(std::string_view title);
// A line of the driver's life cycle ("OpenSensor"), with the marks of the
// faults that struck since the last line.
void TraceEvent(std::string_view text);
// A request on its way; returns when it left, for the round trip.
LONGLONG TraceRequest(std::span<const BYTE> request);
// The answer to the request that left at `sent`: what came (the answer code
// and name, or why none came) and its bytes, if any.
void TraceAnswer(LONGLONG sent, std::string_view what, std::span<const BYTE> bytes = {});
// The answer delivered to `command`'s request, named "0xB1 Sensorstatus
// lesen" (with "(erwartet 0xB1)" when the code is not the device's own for
// the command), then `note`, the round trip and its bytes.
void TraceDelivered(LONGLONG sent, BYTE command, std::span<const BYTE> answer, std::string_view note);
// Copies `text` and a zero when it fits in `capacity`, else only a zero
// (capacity ≥ 1); returns the text's length.
DWORD CopyOut(const std::string &text, char *buffer, DWORD capacity);

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

// What a type-6 sensor keeps of its configuration for the run
// (device_config.cpp, device_parameters.cpp).
inline constexpr std::size_t kConfigBlockSize = 33;    // 0x74 read, 0x77 defined
inline constexpr std::size_t kConfig2BlockSize = 84;   // 0x7B read, 0x7C defined
inline constexpr std::size_t kMaxCorrections = 400;    // 0x78 measured-value correction
inline constexpr std::size_t kMaxDistanceCorrections = 256;  // 0x79 distance-dependent correction
inline constexpr std::size_t kMaxCheckParameters = 401;      // 0x7A shell and belt checks
inline constexpr std::size_t kShotWords = 8;           // 0x69 positioning shot
inline constexpr std::size_t kFinalTestSets = 10;      // 0x52, one per action 0-9
inline constexpr std::size_t kMaxFinalTestWords = 32;

template <std::size_t N>
struct WordList {
  std::array<WORD, N> words{};
  WORD count = 0;
};

struct Type6Config {
  std::array<BYTE, kConfigBlockSize> block{};
  std::array<BYTE, kConfig2BlockSize> block2{};
  WORD scanAngle = 100;     // 0x3B, degrees
  WORD shotResolution = 25; // 0x3B, 1/100 degree
  WordList<kMaxCorrections> corrections;
  WordList<kMaxDistanceCorrections> distanceCorrections;
  WordList<kMaxCheckParameters> checks;
  std::array<WORD, kShotWords> shot{};
  std::array<WordList<kMaxFinalTestWords>, kFinalTestSets> finalTest{};
};

// The configuration a type-6 sensor of this kind and variant is switched on
// with (device_config.cpp); its parameter lists (device_parameters.cpp).
Type6Config StartConfig(BYTE kind, BYTE variant);
void StartParameters(Type6Config &config);

// A protective field as the device stores it. Its values are kept as the
// stored-field answer (0x45 → 0xC5) lays them out from record byte 24:
// rectangle left, right, height; radial field the radius; segmented field
// the number of segments and its corner points; taught-in field the
// contour, one value per ray; dynamic rectangle the minimum left, right
// and height and the valid table entries; dynamic segmented field its ten
// corner points at standstill and the valid table entries. Distances are
// in the field's unit; corner words keep the bit 15 they were sent with.
enum class FieldShape : BYTE {
  kRectangle = 0,
  kRadial = 1,
  kSegmented = 2,
  kTaught = 3,
  kDynamicRectangle = 4,
  kDynamicSegmented = 5,
};
inline constexpr std::size_t kFieldSetCount = 4;
inline constexpr std::size_t kFieldLetters = 6;  // A to F
inline constexpr std::size_t kFieldValuesAt = 24;
inline constexpr std::size_t kFieldWords = (kvt::kRecordSize - kFieldValuesAt) / 2;
inline constexpr std::size_t kMaxSegments = 400;

struct StoredField {
  FieldShape shape = FieldShape::kRectangle;
  BYTE unit = 0;          // 0 cm, 1 mm, 2 tenths of a metre
  WORD scanAngle = 180;   // degrees
  WORD resolution = 50;   // single shot, 1/100 degree
  std::array<WORD, kFieldWords> words{};
};
using FieldSet = std::array<StoredField, kFieldLetters>;

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

// The navigation interface (device_navigation.cpp): settings kept for the
// run, as command 0x7E reads and defines them.
inline constexpr std::size_t kRaySets = 3;
inline constexpr std::size_t kMaxRays = 10;
inline constexpr std::size_t kMaxCaseFields = 3;

struct BrakeField {
  bool active = true;
  BYTE unit = 0;    // bits 6-7: 0 cm, 1 mm, 2 dm
  BYTE type = 0;    // 0 rectangular, 1 radial
  WORD left = 80;   // the radius of a radial field
  WORD right = 80;
  WORD height = 120;
};

// Rays in whole degrees from the scan's first ray, ascending.
struct RaySet {
  WORD resolution = 100;
  WORD count = 0;
  std::array<WORD, kMaxRays> rays{};
};

struct NavigationCase {
  BYTE raySet = 0;
  BYTE count = 1;
  std::array<BYTE, kMaxCaseFields> fields{1, 0, 0};
};

struct Navigation {
  BrakeField brakeField;
  std::array<RaySet, kRaySets> raySets{{
      {100, 10, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
      {100, 5, {15, 30, 45, 60, 75}},
      {100, 3, {30, 45, 60}},
  }};
  WORD reflectorLevel = 1200;  // mV
  NavigationCase navigationCase;
};

// Learn mode and calibration (device_learning.cpp), reference-target
// measurements (device_reference.cpp).
struct Service {
  bool learning = false;
  BYTE learnField = 0;       // 1-4, while learning
  BYTE learnFieldCode = 0;   // field letter and unit bits, while learning
  WORD learnAngle = 0;       // scan angle and single shot of the field being learnt
  WORD learnShot = 0;
  WORD taughtFields = 0;     // learnings ended regularly
  WORD dustReference = 2315; // contamination reference, channel 0
  BYTE finalCalibration = 0; // number of the last final-test calibration
  std::array<BYTE, 9> manufacturingCode{'0', '0', '0', '0', '0', '0', '0', '0', 0};
  WORD referenceRuns = 29;   // reference-target measurements since manufacture
};

// What the PXD interface unit keeps for the run (device_interface_unit.cpp):
// its configuration (0x38 read, 0x70 defined), ten evaluation cases (0x39
// read, 0x72 defined), the dynamic field number (0x4C) and its outputs (0x4D).
inline constexpr std::size_t kUnitConfigSize = 103;
inline constexpr std::size_t kCaseSize = 43;
inline constexpr std::size_t kCaseSlots = 10;
inline constexpr std::size_t kUnitOutputs = 10;

struct InterfaceUnit {
  std::array<BYTE, kUnitConfigSize> config{};
  std::array<std::array<BYTE, kCaseSize>, kCaseSlots> cases{};  // cases 1 to 10
  BYTE dynamicField = 0;
  std::array<BYTE, kUnitOutputs> outputs{};  // 1 active, 0 inactive
};

// The unit as switched on: two sensors, three fields, two evaluation cases.
InterfaceUnit StartInterfaceUnit();

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
  InterfaceUnit unit = StartInterfaceUnit();  // the PXD's own settings
  WORD resets = 0;
  WORD systemTests = 0;
  std::array<ErrorEntry, kMaxErrorEntries> errors{};
  std::size_t errorCount = 0;
  Type6Config type6;
  bool downloading = false;     // between the start request and the end record
  bool refusing = false;        // while a refusal is simulated: no setting is taken
  WORD scans = 0;               // measurements sent since switch-on (measured_values.cpp)
  std::array<FieldSet, kFieldSetCount> fields{};  // per field set 1..4, the fields A to F
  Navigation navigation;
  Service service;
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
// a command that carries one into a refusal and leaves the state unchanged;
// afterwards it tells whether a refusal was answered.
bool AnswerRequest(std::span<const BYTE> request, std::span<BYTE> answer, bool &refuse);

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
// The answer code a device gives to a command it knows; 0 for others.
BYTE ExpectedAnswer(BYTE command);

// Row routines, one file per group.
// device_identity.cpp
std::size_t FillErrorMemory(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillSystemTest(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillSensorType(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// The program version the device reports: the configured one, else its kind's.
std::string_view VersionText(BYTE kind);
// The kind as people call it ("KVT-Q1") and the serial number it reports.
std::string_view KindTitle(BYTE kind);
std::string_view SerialNumber(BYTE kind);
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
std::size_t FillFieldDefinition(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillDynamicRectangle(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillDynamicSegmented(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillStoredField(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// stored_fields.cpp
// The field of a field set (1..4; 0 the set in force) and letter (0..5 for
// A to F); null for any other number or letter.
StoredField *FieldAt(DeviceState &device, BYTE number, BYTE letter);
const FieldSet &ActiveFields(const DeviceState &device);
// How many of a field's words its answer carries.
std::size_t FieldWordCount(const StoredField &field);
// The fields every set holds at switch-on, in the kind's own unit and scan.
FieldSet FactoryFields(BYTE kind);
// A taught-in field: the contour the sensor sees now, with the object in
// the room or without it, one value per ray of the given scan.
StoredField TaughtField(BYTE unit, WORD scanAngle, WORD resolution, bool withObject);
// device_config.cpp: the configuration blocks and the variant of a type-6 sensor
std::size_t FillConfigRead(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillConfigDefine(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillConfig2Read(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillConfig2Define(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillVariantDefine(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_parameters.cpp: parameter lists, positioning shot, final-test data
std::size_t FillCorrections(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillDistanceCorrections(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillCheckParameters(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillPositioningShot(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillFinalTestData(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_outputs.cpp
std::size_t FillOutputState(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
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
// device_navigation.cpp
std::size_t FillNavigation(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_service.cpp: memory image, operating counters, and what outlives a run
std::size_t FillMemoryDump(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillOperatingCounters(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// Counted at every switch-on (RestartDevice); the device's power-on count.
void CountSwitchOn();
DWORD PowerOnCount(BYTE kind);
// device_reference.cpp
std::size_t FillReferenceTarget(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_learning.cpp
std::size_t FillLearnMode(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillCalibration(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
// device_interface_unit.cpp
std::size_t FillUnitConfigRead(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillUnitConfigDefine(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillCaseRead(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillCaseDefine(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillDynamicFieldNumber(DeviceState &, std::span<const BYTE>, std::span<BYTE>);
std::size_t FillOutputSwitch(DeviceState &, std::span<const BYTE>, std::span<BYTE>);

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
std::span<const TextClass> ConfigClasses();       // texts_config.cpp
std::span<const TextClass> InterfaceUnitClasses();  // texts_interface_unit.cpp
// The interface unit's configuration (answer 0xB8) and evaluation-case
// (0xB9) reports pass some of their fields through classes that the status
// report words otherwise; a class of this table words that field while the
// answer it belongs to is the one the library is wording.
struct ReportClass {
  BYTE answer;
  TextClass textClass;
};
std::span<const ReportClass> ReportClasses();     // texts_interface_unit.cpp
// texts_table.cpp: the answer code of the telegram delivered last (0: none
// since the device was switched on), which the library words next.
void NoteDeliveredAnswer(BYTE code);
// The class with this id as the answer delivered last words it, or null.
const TextClass *FindTextClass(int id);
// texts_build.cpp: helpers of the builders.
void PutBuilt(std::span<char> out, const char *format, ...) __attribute__((format(printf, 2, 3)));
// "label: " and the names of the bits set in `mask`, bit 0 first, joined by
// ", " ("keine" when none); a bit beyond the names makes the mask unknown.
void PutBitNames(std::span<char> out, const char *label, DWORD mask, std::span<const char *const> names);
// A value in tenths or hundredths with a decimal comma ("180,0").
std::string Decimal(DWORD value, unsigned places);

// ---- setup_dialog.cpp ----------------------------------------------------------

// Runs the modal setup dialog; TRUE when the user confirmed with OK.
BOOL RunSetupDialog(HWND owner);
HINSTANCE Instance();

}  // namespace kvtdrv
