// Handler 190, the navigation interface: one command whose first data byte
// picks the setting. The parameter phase reads the setting and opens its
// dialog on it; the execution sends the edited block back and reports. The
// command ends with FALSE and no address line, whatever the device said.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

using enum Collector;

constexpr std::size_t kSubFunctionByte = kRecData;
constexpr std::size_t kAnswerSubFunction = kRecData + 1;
constexpr WORD kBlockAt = 10;
constexpr BYTE kTaken = 0;

// One menu entry: its sub-function, what the reading adds, the dialog kind
// with its collector, and how many block bytes are sent.
struct NavigationEntry {
  WORD telegram;
  BYTE subFunction;
  bool reads;
  Place readExtra;
  Collector collector;
  BYTE kind;
  WORD blockSize;
};

constexpr NavigationEntry kEntries[] = {
    // Bremsfeld definieren/anfordern
    {0xBF, 0, true, {}, kNavBrakeField, 0, 809},
    // Strahlfeld 0, 1, 2 definieren/anfordern: the reading names the ray set
    {0xC0, 1, true, ConstantByte(11, 0), kNavRaySet, 1, 26},
    {0xC5, 1, true, ConstantByte(11, 1), kNavRaySet, 1, 26},
    {0xC6, 1, true, ConstantByte(11, 2), kNavRaySet, 1, 26},
    // Reflektorlevel definieren/anfordern: the level word, then the action byte
    {0xC1, 2, true, {}, kNavReflector, 2, 3},
    // Navigationsfall definieren/anfordern
    {0xC2, 3, true, {}, kNavCase, 3, 6},
    // Navigationsdaten anfordern: nothing to read first
    {0xC3, 4, false, {}, kNavDat, 4, 2},
};

constexpr UINT kStatusTexts[] = {ids::kDataAccepted, ids::kDataNotAccepted, ids::kWrongOperatingMode,
                                 ids::kDataNotTakenOutsideNavigationMode};

// The brake field (0) has no report of its own: its data show in its dialog.
struct SubFunctionReport {
  BYTE subFunction;
  AnswerFormatter render;
};
constexpr SubFunctionReport kReports[] = {
    {1, RenderRaySet},
    {2, RenderReflectorLevel},
    {3, RenderNavigationCase},
    {4, RenderNavigationData},
};

const NavigationEntry *FindEntry(WORD telegram) {
  for (const NavigationEntry &entry : kEntries) {
    if (entry.telegram == telegram) return &entry;
  }
  return nullptr;
}

}  // namespace

// The reading's result does not stop the dialog: it opens on what came.
BOOL CollectNavigation(Command &command, const HandlerRow &row) {
  const NavigationEntry *entry = FindEntry(command.Telegram());
  if (!entry) return FALSE;
  command.Request()[kSubFunctionByte] = entry->subFunction;
  if (entry->reads) {
    PlaceData(command, {&entry->readExtra, 1});
    ExchangeTelegram(command.run.sensor, row.command, command.run.target.type, command.Request(), command.Answer());
  }
  return CollectParams(command.owner, command.request, entry->collector, entry->kind, &command.Answer());
}

BOOL RunNavigation(Command &command, const HandlerRow &row) {
  const NavigationEntry *entry = FindEntry(command.Telegram());
  if (!entry) {
    // A code without an entry is not sent: the device would not know what to do.
    Replace(command.out, FormatFromTable(ids::kWrongAnswer));
    return FALSE;
  }
  command.Request()[kSubFunctionByte] = entry->subFunction;
  const Place block[] = {BlockBytes(kBlockAt, 0, entry->blockSize)};
  if (!PlaceData(command, block)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected, ExchangeFailure::kReplaceOnly)) {
    return *ending;
  }
  const BYTE status = command.Answer()[kRecData];
  Replace(command.out, FormatFromTable(status < std::size(kStatusTexts) ? kStatusTexts[status] : ids::kWrongAnswer));
  if (status != kTaken) return FALSE;
  for (const SubFunctionReport &report : kReports) {
    if (report.subFunction == command.Answer()[kAnswerSubFunction]) report.render(command.out, command.Answer());
  }
  return FALSE;
}

}  // namespace kvt
