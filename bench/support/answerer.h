// Answers the dialogs and message boxes of this thread the moment they open,
// as a user who accepts every preset would: OK for a dialog and for a message
// box. A dialog that refuses its presets with a message is cancelled after
// the message; a file dialog is cancelled. The time dialogs stand open is the
// user's, and is kept apart so that it can be left out of a measurement.
#pragma once

#include <windows.h>

namespace kvt::bench {

enum class AnswerMoment {
  kAtOnce,       // before the dialog is ever painted
  kWhenPainted,  // once the dialog and its controls are drawn
};

// `firstClosed`, when given, is called once the first dialog is gone (the
// hooks may be stopped from there).
void StartAnswering(AnswerMoment moment, void (*firstClosed)() = nullptr);
void StopAnswering();

struct DialogFigures {
  unsigned opened = 0;     // dialogs and message boxes
  unsigned cancelled = 0;  // refused their presets, or file dialogs
  double seconds = 0;      // while at least one of them stood open
  double firstOpened = 0;  // Seconds() of the first one's creation
  double firstClosed = 0;  // Seconds() when the first one was gone
};
// Since StartAnswering or the last ResetDialogFigures; kept after StopAnswering.
const DialogFigures &Dialogs();
void ResetDialogFigures();

}  // namespace kvt::bench
