// The command vocabulary every handler is written in.
// The run handed down, the command, the rows that place request data, the
// one exchange and its endings, the device kinds and the handler rows.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <span>

#include "answers/answers.h"
#include "dialogs/dialogs.h"
#include "telegram/telegram.h"

namespace kvt {

// The run's state, kept by the entry from DialogDiagnose's start to its
// return and handed down in every command.
struct DiagTarget {
  BYTE type = kDeviceKvt;
  BYTE address = 0;
};

struct RunState {
  DWORD sensor = 0;  // SensorHandle
  DiagTarget target;
  BYTE variant = 0;  // SensorVariant
};

// Everything one call of the dispatcher works on.
struct Command {
  HWND owner;
  ULONG_PTR *request;
  RunState &run;
  TelegramPair &records;
  ResultText out;

  WORD Handler() const { return static_cast<WORD>(request[kReqHandler]); }
  WORD Telegram() const { return static_cast<WORD>(request[kReqTelegram]); }
  bool ParamPhase() const { return request[kReqParamPhase] != 0; }
  // The ParamBlock as far as its recorded length reaches; empty when none.
  std::span<const BYTE> Block() const;
  TelegramRecord &Request() { return records.request; }
  TelegramRecord &Answer() { return records.answer; }
};

// The operating mode "measured values only on request": the mode check's,
// and handler 11's for codes without a row of their own.
inline constexpr BYTE kOnRequestMode = 0x25;

// The frame of every command (dispatcher.cpp); DiagCommandProc hands it the run.
BOOL DispatchCommand(HWND owner, ULONG_PTR *request, RunState &run);

// Placement rows (placement.cpp): one piece of a request's data and where
// it comes from. Every table that fills requests lists these.
enum class Source : BYTE {
  kNothing,
  kBlock,       // `size` bytes of the ParamBlock from block byte `from`, in order
  kConstant,    // the value `from`, `size` bytes, little-endian
  kRangePairs,  // the block's count word, then as many (first, last) word pairs as it says and the block holds
  kPassword,    // the host's password text with its zero, as far as the record reaches
  kWordList,    // the block's count word (limited to `size` when that is not 0), then as many
                // words from block byte 2 on as the count placed says
  kMarkedWords,  // `size` words of the ParamBlock from block byte `from`, each with bit 15 set
  kCornerPoints,  // a segmented field's corner points: one more than the block's segment count at
                  // `from`, the low words of the 32-bit values behind it, each with bit 15 set
};

struct Place {
  WORD to;  // request byte
  Source source = Source::kNothing;
  WORD from = 0;
  WORD size = 0;
};

constexpr Place BlockBytes(WORD to, WORD from, WORD size) { return {to, Source::kBlock, from, size}; }
constexpr Place BlockByte(WORD to, WORD from) { return BlockBytes(to, from, 1); }
constexpr Place BlockWord(WORD to, WORD from) { return BlockBytes(to, from, 2); }
constexpr Place ConstantByte(WORD to, BYTE value) { return {to, Source::kConstant, value, 1}; }
constexpr Place RangePairs(WORD to) { return {to, Source::kRangePairs}; }
constexpr Place Password(WORD to) { return {to, Source::kPassword}; }
constexpr Place WordList(WORD to, WORD limit = 0) { return {to, Source::kWordList, 0, limit}; }
constexpr Place MarkedWords(WORD to, WORD from, WORD count) { return {to, Source::kMarkedWords, from, count}; }
constexpr Place CornerPoints(WORD to, WORD countFrom) { return {to, Source::kCornerPoints, countFrom}; }
constexpr bool ReadsBlock(const Place &place) {
  return place.source == Source::kBlock || place.source == Source::kRangePairs || place.source == Source::kWordList ||
         place.source == Source::kMarkedWords || place.source == Source::kCornerPoints;
}

// Places every piece; FALSE, with nothing placed, when a piece reads the
// ParamBlock and the request carries none.
bool PlaceData(Command &command, std::span<const Place> places);

// Endings (endings.cpp). Each returns TRUE: a text stands in ResultText.
BOOL SuccessEnding(Command &command);
BOOL CommunicationFailure(Command &command);
BOOL WrongAnswer(Command &command);
BOOL MessageEnding(Command &command, UINT message);

// The answer codes an exchange accepts: one or two (0 names none), or any.
struct Accepted {
  constexpr Accepted() = default;
  constexpr Accepted(BYTE code, BYTE other = 0) : codes{code, other} {}
  bool Has(BYTE answer) const;
  std::array<BYTE, 2> codes{};
};
inline constexpr Accepted kAnyAnswer{};

// What a failed exchange (no answer, or a code not accepted) writes.
enum class ExchangeFailure : BYTE {
  kEnd,                 // kCommunicationFailed with status 255, or kWrongAnswer; then the address line
  kEndAfterDriverText,  // the same, the driver's error text asked into ResultText first
  kAppend,              // the same message appended, without the address line; the handler goes on
  kReplaceOnly,         // the same message replaces the text, without the address line; the ending is FALSE
};

// The one exchange of every handler: sets the command byte, sends the
// filled request and checks the answer code. Nothing when an accepted
// answer is there to be read; otherwise the ending, written, for the
// handler to return.
using Ending = std::optional<BOOL>;
Ending Exchange(Command &command, BYTE code, Accepted accepted, ExchangeFailure failure = ExchangeFailure::kEnd);

// The device kinds (device_kinds.cpp): what differs with the DeviceType.
struct DeviceKind {
  BYTE type;
  const char *text;  // in the device and address dialog
  UINT addressLine;  // of the success ending
  AnswerFormatter status;
  AnswerFormatter errorMemory;
};
// A type no dialog chooses is named and addressed as a PXD, read as a KVT.
const DeviceKind &KindOf(BYTE type);
std::span<const DeviceKind> DeviceKinds();

// Handler rows (handler_table.cpp): one per handler code.
struct HandlerRow;
using HandlerRoutine = BOOL (*)(Command &command, const HandlerRow &row);

// What a definition handler does with a status byte that is neither 1 nor 0.
enum class OtherStatus : BYTE { kWrongAnswer, kKeepText };

// Data byte 0 chosen by the telegram code.
struct CodeData {
  WORD telegram;
  BYTE data;
};

struct HandlerRow {
  WORD code;
  HandlerRoutine run;
  BYTE command = 0;
  BYTE expected = 0;
  Collector collector = Collector::kNone;
  std::array<Place, 2> data{};       // placed before the exchange
  std::array<CodeData, 3> byCode{};  // and data byte 0 by telegram code
  UINT accepted = 0;
  UINT refused = 0;
  OtherStatus other = OtherStatus::kWrongAnswer;
  // Parameter phase: a routine of its own (reading telegrams, own dialogs)
  // instead of the plain collector; or, for rows without a dialog that must
  // not execute twice, just the address line.
  HandlerRoutine parameters = nullptr;
  bool endsInParamPhase = false;
};

const HandlerRow *FindHandler(WORD code);

// The row's data: its placements and the byte its telegram code chooses
// (placement.cpp); FALSE as PlaceData.
bool PlaceRowData(Command &command, const HandlerRow &row);

// Routines shared by many rows (dispatcher.cpp, definitions.cpp).
BOOL RunAddressLineOnly(Command &command, const HandlerRow &row);
BOOL RunUnavailable(Command &command, const HandlerRow &row);
BOOL RunDefinition(Command &command, const HandlerRow &row);

// Definitions whose accepted answer says a little more (definitions.cpp).
BOOL RunFieldSetMemory(Command &command, const HandlerRow &row);
BOOL RunLaser(Command &command, const HandlerRow &row);
BOOL RunStopThreshold(Command &command, const HandlerRow &row);
BOOL RunNewFieldSet(Command &command, const HandlerRow &row);
// Reset and the device talked to (reset_and_target.cpp).
BOOL RunReset(Command &command, const HandlerRow &row);
BOOL RunDeviceAndAddress(Command &command, const HandlerRow &row);
// Status, error memory, whole-system test, sensor type (status_requests.cpp).
BOOL RunSensorStatus(Command &command, const HandlerRow &row);
BOOL RunErrorMemory(Command &command, const HandlerRow &row);
BOOL RunWholeSystemTest(Command &command, const HandlerRow &row);
BOOL RunSensorType(Command &command, const HandlerRow &row);
// Reference values and the correction table (reference_and_correction.cpp).
BOOL RunReferenceValues(Command &command, const HandlerRow &row);
BOOL RunCorrectionTable(Command &command, const HandlerRow &row);
// Handler 11, operating modes (operating_mode.cpp).
BOOL RunOperatingMode(Command &command, const HandlerRow &row);
BOOL RunOperatingModeParameters(Command &command, const HandlerRow &row);
// The type-6 sensor's configuration telegrams (sensor_config.cpp): handlers
// 166, 168, 173, 181, 189, 196, 199, 206, 208, 209, 210 and 211.
BOOL RunSensorConfig(Command &command, const HandlerRow &row);
BOOL CollectSensorConfig(Command &command, const HandlerRow &row);
// Measured values on request (measured_values.cpp): handlers 12, 97, 165,
// 179, 184 and 205, one row per menu entry.
BOOL RunMeasuredValues(Command &command, const HandlerRow &row);
BOOL CollectMeasuredValues(Command &command, const HandlerRow &row);
// Protective fields: a new field (field_definition.cpp, handler 18, one
// row per field kind) and a stored field read back (stored_field.cpp,
// handler 17).
BOOL RunFieldDefinition(Command &command, const HandlerRow &row);
BOOL CollectFieldDefinition(Command &command, const HandlerRow &row);
BOOL RunStoredField(Command &command, const HandlerRow &row);
// Service (service.cpp): memory dump, reference target and operating
// counters as reports, learn mode, calibration with the manufacturing code.
BOOL RunServiceReport(Command &command, const HandlerRow &row);
BOOL RunLearnMode(Command &command, const HandlerRow &row);
BOOL RunCalibration(Command &command, const HandlerRow &row);
BOOL CollectCalibration(Command &command, const HandlerRow &row);
// Handler 190, the navigation interface (navigation.cpp): the reading and
// its dialog, then the definition and its report.
BOOL RunNavigation(Command &command, const HandlerRow &row);
BOOL CollectNavigation(Command &command, const HandlerRow &row);

}  // namespace kvt
