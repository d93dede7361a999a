// The configuration telegrams of the PXD interface unit (configuration and
// evaluation cases) and of the type-6 sensor (configurations, variant,
// corrections, shell and belt checks, positioning shot, final-test data and
// outputs). A reading renders its answer; a definition may first
// read the device's values as its dialog's preset, then sends the block as
// its handler row places it and reports the status with the row's messages
// and, where the row below says, a rendering.
#include "dispatch/dispatch.h"

namespace kvt {

namespace {

// Which statuses are followed by the rendering.
enum class Statuses : BYTE {
  kAcceptedRenders,  // 1: accepted message and rendering; 0: refused message alone
  kBothRender,       // 1 and 0: their message, then the rendering
  kAnyStatus,        // every status: the accepted message and the rendering
};

enum class Rendering : BYTE {
  kNone,
  kAnswer,
  kAnswerAfterLineFeed,
  kRequest,  // the values that were sent
};

struct ConfigRow {
  WORD handler;
  BYTE reading = 0;           // preset reading of the parameter phase; 0: none
  bool readingShows = false;  // its result tells the dialog to show the block
  Statuses statuses = Statuses::kAcceptedRenders;
  Rendering rendering = Rendering::kNone;
  AnswerFormatter formatter = nullptr;
};

using enum Statuses;
using enum Rendering;

constexpr ConfigRow kConfigRows[] = {
    {.handler = 132, .rendering = kAnswer, .formatter = PxdConfiguration},
    {.handler = 133, .rendering = kAnswer, .formatter = PxdEvaluationCase},
    {.handler = 136, .reading = 0x38, .readingShows = true},
    {.handler = 138, .reading = 0x39, .readingShows = true},
    {.handler = 181, .rendering = kAnswer, .formatter = KvtConfigRead},
    {.handler = 211, .rendering = kAnswer, .formatter = KvtConfig2Read},
    {.handler = 209, .rendering = kAnswer, .formatter = OutputState},
    {.handler = 168, .reading = 0x74, .readingShows = true, .statuses = kBothRender, .rendering = kAnswer,
     .formatter = KvtConfigDefined},
    {.handler = 210, .reading = 0x7B, .readingShows = true, .statuses = kAnyStatus, .rendering = kAnswer,
     .formatter = KvtConfig2Defined},
    {.handler = 166},
    {.handler = 173},
    {.handler = 189, .reading = 0x79, .rendering = kAnswerAfterLineFeed, .formatter = DistanceCorrectionParameters},
    {.handler = 199, .reading = 0x7A, .rendering = kAnswerAfterLineFeed, .formatter = BandControlParameters},
    {.handler = 206, .reading = 0x7A, .rendering = kAnswerAfterLineFeed, .formatter = BandControlParameters},
    {.handler = 196, .statuses = kBothRender, .rendering = kRequest, .formatter = PositioningShot},
    {.handler = 208, .statuses = kAnyStatus, .rendering = kAnswerAfterLineFeed, .formatter = FinalTestData},
};

constexpr bool RowsComplete() {
  for (const ConfigRow &row : kConfigRows) {
    if ((row.rendering == kNone) != (row.formatter == nullptr)) return false;
  }
  return true;
}
static_assert(RowsComplete());

constexpr BYTE kAccepted = 1;
constexpr BYTE kRefused = 0;

const ConfigRow *FindConfigRow(WORD handler) {
  for (const ConfigRow &row : kConfigRows) {
    if (row.handler == handler) return &row;
  }
  return nullptr;
}

void Render(Command &command, const ConfigRow &config) {
  switch (config.rendering) {
    case kNone: return;
    case kAnswerAfterLineFeed: Append(command.out, "\n"); [[fallthrough]];
    case kAnswer: config.formatter(command.out, command.Answer()); return;
    case kRequest: config.formatter(command.out, command.Request()); return;
  }
}

}  // namespace

// The answer record goes to the collector in every case: with the preset
// reading in it, or with nothing received.
BOOL CollectSensorConfig(Command &command, const HandlerRow &row) {
  const ConfigRow *config = FindConfigRow(row.code);
  if (!config) return FALSE;
  BOOL read = FALSE;
  if (config->reading != 0) {
    read = ExchangeTelegram(command.run.sensor, config->reading, command.Request()[kRecType], command.Request(),
                            command.Answer());
  }
  const BYTE shows = config->readingShows && read ? 1 : 0;
  return CollectParams(command.owner, command.request, row.collector, shows, &command.Answer());
}

// Rows with an accepted message are definitions; the others read and render.
BOOL RunSensorConfig(Command &command, const HandlerRow &row) {
  const ConfigRow *config = FindConfigRow(row.code);
  if (!config) return CommunicationFailure(command);
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  if (row.accepted == 0) {
    Render(command, *config);
    return SuccessEnding(command);
  }
  const BYTE status = command.Answer()[kRecData];
  const bool anyStatus = config->statuses == kAnyStatus;
  if (!anyStatus && status != kAccepted && status != kRefused) return WrongAnswer(command);
  const bool accepted = anyStatus || status == kAccepted;
  Replace(command.out, FormatFromTable(accepted ? row.accepted : row.refused));
  if (accepted || config->statuses == kBothRender) Render(command, *config);
  return SuccessEnding(command);
}

}  // namespace kvt
