// The command dispatcher: one call of DiagCommandProc, its endings, and the
// handler table that names a routine per handler code.
#pragma once

#include <windows.h>

#include <span>

#include "answers/answers.h"
#include "dialogs/dialogs.h"
#include "telegram/telegram.h"

namespace kvt {

// Everything one call of the dispatcher works on.
struct Command {
  HWND owner;
  ULONG_PTR *request;
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

// What a definition handler does with a status byte that is neither 1 nor 0.
enum class OtherStatus : BYTE { kWrongAnswer, kKeepText };

// Where a handler's single data byte (or word) comes from.
enum class DataRule : BYTE {
  kNone,
  kFixedByte,       // data byte 0 = row.fixedData
  kByTelegramCode,  // data byte 0 from the row's code → byte pairs
  kBlockByte,       // data byte 0 = ParamBlock byte 0
  kBlockLowWord,    // data bytes 0-1 = low 16 bits of the block's first 32-bit value
};

struct CodeData {
  WORD telegram;
  BYTE data;
};

struct HandlerRow;
using HandlerRoutine = BOOL (*)(Command &command, const HandlerRow &row);

struct HandlerRow {
  WORD code;
  HandlerRoutine run;
  BYTE command = 0;
  BYTE expected = 0;
  Collector collector = Collector::kNone;
  DataRule data = DataRule::kNone;
  BYTE fixedData = 0;
  std::array<CodeData, 3> byCode{};
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

// Endings. Each returns TRUE: a text stands in ResultText.
// The string ids of the failure endings, for routines that append them.
inline constexpr UINT kCommFailureMessage = 17;
inline constexpr UINT kWrongAnswerMessage = 19;
BOOL SuccessEnding(Command &command);
BOOL CommunicationFailure(Command &command);
BOOL WrongAnswer(Command &command);
BOOL MessageEnding(Command &command, UINT message);

// Sends the prepared request; FALSE when the exchange or the answer code failed,
// with the matching ending already written.
enum class Exchange : BYTE { kAnswered, kNoAnswer, kWrongCode };
Exchange Send(Command &command, BYTE telegramCommand, BYTE expected);

// Sends and, when the device did not answer or answered with another code,
// writes that ending into `ending`; TRUE only for the expected answer.
bool Exchanged(Command &command, BYTE telegramCommand, BYTE expected, BOOL &ending);

// Places the row's data into the request; FALSE when a needed ParamBlock is missing.
bool PlaceData(Command &command, const HandlerRow &row);

// Routines shared by many rows.
BOOL RunDefinition(Command &command, const HandlerRow &row);
BOOL RunAddressLineOnly(Command &command, const HandlerRow &row);
BOOL RunUnavailable(Command &command, const HandlerRow &row);

// Routines with a file of their own.
BOOL RunReset(Command &command, const HandlerRow &row);
BOOL RunDeviceAndAddress(Command &command, const HandlerRow &row);
BOOL RunFieldSetMemory(Command &command, const HandlerRow &row);
BOOL RunLaser(Command &command, const HandlerRow &row);
BOOL RunStopThreshold(Command &command, const HandlerRow &row);
BOOL RunNewFieldSet(Command &command, const HandlerRow &row);
BOOL RunReferenceValues(Command &command, const HandlerRow &row);
BOOL RunCorrectionTable(Command &command, const HandlerRow &row);
BOOL RunSensorStatus(Command &command, const HandlerRow &row);
BOOL RunErrorMemory(Command &command, const HandlerRow &row);
BOOL RunWholeSystemTest(Command &command, const HandlerRow &row);
BOOL RunSensorType(Command &command, const HandlerRow &row);
BOOL RunOperatingMode(Command &command, const HandlerRow &row);
BOOL RunOperatingModeParameters(Command &command, const HandlerRow &row);
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
// A count word at request byte `at`, then the (first, last) word pairs of a
// ranges ParamBlock, as many as the count says and the block holds.
void PlaceRangePairs(TelegramRecord &request, std::size_t at, std::span<const BYTE> block);

}  // namespace kvt
