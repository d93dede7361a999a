// The collector table: which dialog fills which ParamBlock, how large the
// block is, what length is recorded, and what presets it.
#include <cstdlib>
#include <cstring>

#include "answers/answers.h"
#include "dialogs/dialogs.h"

namespace kvt {

namespace {

using PlainStarter = INT_PTR(WINAPI *)(HWND owner, void *block);
using SelectorStarter = INT_PTR(WINAPI *)(HWND owner, void *block, BYTE argument);

struct CollectorRow {
  Collector id;
  WORD blockSize;
  WORD storedLength;
  WORD prefillFrom = 0;  // answer record byte; 0: no pre-fill
  WORD prefillCount = 0;
  PlainStarter plain = nullptr;
  SelectorStarter withArgument = nullptr;
};

// A row without a starter has no dialog in this build yet.
constexpr CollectorRow kCollectors[] = {
    {.id = Collector::kAglMode, .blockSize = 4, .storedLength = 4, .plain = DialogAglMode},
    {.id = Collector::kRspTime, .blockSize = 4, .storedLength = 4, .plain = DialogRspTime},
    {.id = Collector::kSensorAdr, .blockSize = 4, .storedLength = 4, .plain = DialogSensorAdr},
    {.id = Collector::kAverageMV, .blockSize = 4, .storedLength = 4, .withArgument = DialogAverageMV},
    {.id = Collector::kEVCNr, .blockSize = 4, .storedLength = 4, .plain = DialogEVCNr},
    {.id = Collector::kSimIndex, .blockSize = 4, .storedLength = 4, .plain = DialogSimIndex},
    {.id = Collector::kFieldNr, .blockSize = 4, .storedLength = 4, .plain = DialogFieldNr},
    {.id = Collector::kKVTNr, .blockSize = 4, .storedLength = 4, .plain = DialogKVTNr},
    {.id = Collector::kKVTFieldNr, .blockSize = 2, .storedLength = 2, .plain = DialogKVTFieldNr},
    {.id = Collector::kLModeData, .blockSize = 20, .storedLength = 20, .plain = DialogLModeData},
    {.id = Collector::kSegmentCount, .blockSize = 4, .storedLength = 4, .plain = DialogSegmentCount},
    {.id = Collector::kMVPartial, .blockSize = 12, .storedLength = 10, .withArgument = DialogMVPartial},
    {.id = Collector::kAMVP, .blockSize = 12, .storedLength = 10, .withArgument = DialogAMVP},
    {.id = Collector::kSegmP, .blockSize = 12, .storedLength = 10, .withArgument = DialogSegmP},
    {.id = Collector::kFieldKfg, .blockSize = 1636, .storedLength = 1636, .withArgument = DialogFieldKfg},
    {Collector::kEVCDef, kEvcDefSize, kEvcDefSize, 9, kEvcDefSize, nullptr, DialogEVCDef},
    {Collector::kPXDKfg, kPxdConfigSize, kPxdConfigSize, 9, kPxdConfigSize, nullptr, DialogPXDKfg},
    {Collector::kKVTKfg, 33, 33, 9, 33, nullptr, DialogKVTKfg},
    {Collector::kKVTKfg2, 84, 84, 9, 84, nullptr, DialogKVTKfg2},
    {.id = Collector::kPosHelp, .blockSize = 16, .storedLength = 16, .plain = DialogPosHelp},
    {.id = Collector::kDYNRECKfg, .blockSize = 260, .storedLength = 260, .plain = DialogDYNRECKfg},
    {.id = Collector::kDYNSEGKfg, .blockSize = 688, .storedLength = 688, .plain = DialogDYNSEGKfg},
    {.id = Collector::kMemDump, .blockSize = 8, .storedLength = 8, .plain = DialogMemDump},
    {.id = Collector::kStopThres, .blockSize = 4, .storedLength = 4, .plain = DialogStopThres},
    {.id = Collector::kOutputSet, .blockSize = 2, .storedLength = 2, .plain = DialogOutputSet},
    {.id = Collector::kVarDef, .blockSize = 8, .storedLength = 8, .plain = DialogVarDef},
    {Collector::kCorrDef, 804, 804, 9, 804, DialogCorrDef},
    {Collector::kDistCorrDef, 804, 804, 10, 804, DialogDistCorrDef},
    {.id = Collector::kAssemblycheck, .blockSize = 68, .storedLength = 68, .plain = DialogAssemblycheck},
    {Collector::kRemDef, 804, 804, 10, 804, DialogRemDef},
    {Collector::kConvDef, 804, 804, 10, 804, DialogConvDef},
    {.id = Collector::kMwRem, .blockSize = 22, .storedLength = 22, .plain = DialogMwRem},
    {.id = Collector::kNavDat, .blockSize = 2, .storedLength = 2, .withArgument = DialogNavDat},
    {.id = Collector::kClbHcode, .blockSize = 9, .storedLength = 9, .plain = DialogClbHcode},
    // The navigation settings, preset from the reading the device answered.
    {Collector::kNavBrakeField, 809, 809, 11, 809, nullptr, DialogNavDat},
    {Collector::kNavRaySet, 26, 26, 11, 26, nullptr, DialogNavDat},
    {Collector::kNavReflector, 3, 3, 11, 3, nullptr, DialogNavDat},
    {Collector::kNavCase, 6, 6, 11, 6, nullptr, DialogNavDat},
};

const CollectorRow *FindCollector(Collector id) {
  for (const auto &row : kCollectors) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

// Every pre-fill lies inside the 828-byte answer record.
constexpr bool PrefillsFit() {
  for (const auto &row : kCollectors) {
    if (row.prefillFrom + row.prefillCount > kRecordSize || row.prefillCount > row.blockSize) return false;
  }
  return true;
}
static_assert(PrefillsFit());

}  // namespace

BOOL CollectParams(HWND owner, ULONG_PTR *request, Collector collector, BYTE argument,
                   const TelegramRecord *answer) {
  const CollectorRow *row = FindCollector(collector);
  if (!row) return FALSE;
  // A block the request carries is the host's, whatever length it records:
  // the dialog writes into it again. Only a request without one gets one.
  if (request[kReqParamBlock] == 0) {
    void *block = std::malloc(row->blockSize);
    if (!block) {
      MessageBoxFromTable(owner, kMessageFlags, ids::kOutOfMemory);
      return FALSE;
    }
    request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(block);
    request[kReqParamLength] = row->storedLength;
  }
  BYTE *block = reinterpret_cast<BYTE *>(request[kReqParamBlock]);
  if (answer && row->prefillCount > 0) {
    std::memcpy(block, answer->data() + row->prefillFrom, row->prefillCount);
  }
  if (row->plain) return row->plain(owner, block) != 0;
  if (row->withArgument) return row->withArgument(owner, block, argument) != 0;
  return FALSE;
}

}  // namespace kvt
