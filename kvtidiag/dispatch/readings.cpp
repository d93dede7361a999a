// Readings: a telegram whose answer a formatter renders, and the reading
// that presets a definition's dialog before it opens.
#include "dispatch/dispatch.h"

namespace kvt {

BOOL RunRendered(Command &command, const HandlerRow &row) {
  if (!PlaceRowData(command, row)) return FALSE;
  if (const Ending ending = Exchange(command, row.command, row.expected)) return *ending;
  row.render(command.out, command.Answer());
  return SuccessEnding(command);
}

// Whatever the reading gave, the dialog opens: with the device's values
// when it answered, with its defaults when not.
BOOL CollectAfterReading(Command &command, const HandlerRow &row) {
  const BOOL read = ExchangeTelegram(command.run.sensor, row.reading, command.run.target.type, command.Request(),
                                     command.Answer());
  return CollectParams(command.owner, command.request, row.collector, read ? 1 : 0, &command.Answer());
}

}  // namespace kvt
