// The hardening campaign's vocabulary: one fuzzed command as the library
// sees it, and the parts that make it up, play it, run it and keep it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kvt/abi.h"

namespace kvt::fuzz {

using Bytes = std::vector<BYTE>;

// splitmix64: each command has a stream of its own, so that it depends only
// on the campaign's seed and its own number.
struct Random {
  std::uint64_t state = 0;
  std::uint64_t Next();
  unsigned Below(unsigned bound);  // 0 to bound - 1; 0 for a bound of 0
  bool Chance(unsigned percent);
  BYTE AnyByte() { return static_cast<BYTE>(Next()); }
  char PrintableChar() { return static_cast<char>(' ' + Below(95)); }
  template <typename T, std::size_t N>
  const T &Pick(const T (&items)[N]) {
    return items[Below(N)];
  }
};
Random StreamOf(std::uint64_t seed, std::uint64_t index);
std::string PrintableText(Random &random, unsigned length);

// ---- One command ------------------------------------------------------------

// How a text gets into a dialog's input: WM_SETTEXT with CP1252 bytes, with
// UTF-16 (the text kept as UTF-8), or typed character by character; or,
// into a file dialog, the path of the input's file.
enum class Typing : BYTE { kSetText, kSetTextWide, kKeys, kChosenFile };
struct Typed {
  int control = 0;
  Typing how = Typing::kSetText;
  std::string text;
};
// How a round ends: a click on OK or Cancel, or the Enter or Esc key.
enum class Key : BYTE { kOk, kCancel, kEnter, kEscape };
// What the user does in a dialog before it ends or shows itself again.
struct Round {
  std::vector<Typed> typed;
  std::vector<int> clicked;
  Key key = Key::kCancel;
};

// What the input runs: a command through DiagCommandProc, or the other
// callers of the driver: the detection at the start of a run and the mode check.
enum class Entry : BYTE { kCommand, kDetection, kModeCheck };

struct Delivered {
  bool answered = false;
  TelegramRecord record{};
};

struct Input {
  Entry entry = Entry::kCommand;
  BYTE device = kDeviceKvt;  // the simulated device's kind
  BYTE type = kDeviceKvt;    // the run's DiagTarget type
  BYTE address = 0;
  BYTE variant = 0;
  std::string faults;  // the driver's fault plan for downloads, as KVTIDRV_SIM writes it
  WORD handler = 0;
  WORD telegram = 0;
  bool paramPhase = false;
  std::size_t capacity = 1;  // of ResultText, 1 byte to 64 KiB
  Bytes hostText;            // what stood in ResultText; as long as the capacity: no terminator
  bool hasBlock = false;     // a ParamBlock as long as `block`
  Bytes block;
  bool hasPassword = false;
  std::string password;
  // What the driver and the user gave while the command ran, in order; a
  // replay hands out the same.
  std::vector<Delivered> answers;
  std::vector<Bytes> texts;  // each up to its zero, or the whole buffer without one
  std::vector<Round> rounds;
  Bytes file;  // what a file dialog is given to open, once one opened
  // Where the command's random stream stands once the input is made: the
  // answers, texts and rounds are drawn from there on.
  std::uint64_t stream = 0;
};

// Kinds of bad or odd input a user might type.
enum class Garbage : BYTE {
  kPlausible,
  kRandom,
  kOverlong,
  kNonNumeric,
  kNegative,
  kHexadecimal,
  kNonCp1252,
  kHuge,
  kBlanks,
  kEmpty,
  kKinds
};

// ---- Where answers, texts and dialog rounds come from -------------------------

// Made up and kept in the input while it runs, or taken back from it.
struct Play {
  Input *input = nullptr;
  bool replay = false;
  Random random{};
  std::size_t answers = 0;
  std::size_t texts = 0;
  std::size_t rounds = 0;
  Garbage garbage = Garbage::kKinds;  // the kind rounds are made of; kKinds: any
};
Play &Playing();

// The driver's filters (answers.cpp, texts.cpp).
BOOL WINAPI FilterAnswer(const BYTE *request, BYTE *answer, BOOL answered);
void WINAPI FilterText(int textClass, LPSTR text, int textSize);

// ---- Dialog input (garbage.cpp, answerer.cpp) ----------------------------------

// A text of one kind, and how it is entered.
Typed GarbageInput(Random &random, int control, Garbage kind);
// One round for the dialog: most inputs filled with garbage of any kind,
// or every input with the one kind asked for; a few buttons clicked, a
// random ending.
Round MakeRound(Random &random, HWND dialog, Garbage kind = Garbage::kKinds);
// Whether it has inputs or check boxes; a message box has none.
bool HasInputs(HWND dialog);
bool IsFileDialog(HWND dialog);

// Intel-HEX files, now and then broken (hex_file.cpp), and where the one
// chosen in a file dialog is written.
Bytes MakeHexFile(Random &random);
std::string WriteChosenFile(const Bytes &file);

// Answers every dialog and message box this thread opens, with the rounds
// the play gives; the window is the owner of the library's dialogs.
HWND StartAnswering();
void ApplyRound(HWND dialog, const Round &round);
// Posts the click or key that ends a round.
void Press(HWND dialog, Key key);

// ---- Guard pages (guard_pages.cpp) ----------------------------------------------

// Bytes that end right where a page begins that may not be touched; each
// region holds one such span at a time.
enum class Region : BYTE { kResultText, kParamBlock, kPassword, kDialogBlock, kRegions };
inline constexpr std::size_t kRegionBytes = 64 * 1024;
std::span<BYTE> GuardedBytes(Region region, std::size_t size);
bool IsGuardPage(const void *address);
// The record pairs of the library come from guarded slots: a read or
// write past an answer record touches a guard page.
inline constexpr std::size_t kRecordPairBytes = 2 * kRecordSize;

// ---- The menu and one command's run (menu_walk.cpp, command.cpp) ---------------

struct MenuCommand {
  WORD handler;
  WORD telegram;
  WORD flag;
};
// The commands of the library's menu resource, headings left out.
std::vector<MenuCommand> ReadMenu(HMODULE module);

// Loads and opens the simulated driver for the run, sets the filters and
// the answerer; once per process.
void OpenSession();
Input MakeInput(std::uint64_t seed, std::uint64_t index, std::span<const MenuCommand> menu);

struct Outcome {
  BOOL result = FALSE;
  bool unterminated = false;  // ResultText changed and holds no zero within its capacity
  std::string text;           // ResultText up to its zero
};
Outcome RunInput(Input &input, bool replay);

// ---- Files of failing inputs (input_file.cpp) ----------------------------------

bool WriteInput(const std::string &path, const Input &input, const std::string &why);
bool ReadInput(const std::string &path, Input &input);

// ---- Faults (faults.cpp) ---------------------------------------------------------

// A fatal exception is described, handed to the handler (if any) and ends
// the process; `guardHit` tells a touched guard page from any other crash.
using FaultHandler = void (*)(bool guardHit, const char *why);
void EndOnFaults(FaultHandler handler);

// ---- The campaign (worker.cpp, campaign.cpp) ----------------------------------

struct Counts {
  std::uint64_t commands = 0;
  std::uint64_t crashes = 0;
  std::uint64_t guardHits = 0;
  std::uint64_t unterminated = 0;
};
int RunWorker(const char *sharedName);
// Runs `total` commands from `seed` in worker processes; failing inputs go
// to `failures`. Returns what was counted.
Counts RunCampaign(std::uint64_t total, std::uint64_t seed, const std::string &failures);

}  // namespace kvt::fuzz
