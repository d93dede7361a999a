// One fuzzed command: made from the campaign's seed and its number, then
// run through DiagCommandProc as the dialog host runs it, with ResultText,
// ParamBlock and password ending at guard pages.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "entry/entry.h"
#include "fuzz/fuzz.h"
#include "kvt/simcontrol.h"

namespace kvt::fuzz {

namespace {

constexpr const char *kDeviceNames[] = {"kvt", "pxd", "kvtq1", "kvt90"};
constexpr const char *kPasswords[] = {"einrichten", "superuser", "instandhaltung", "Einrichten", "einrichte"};

DWORD g_sensor = 0;
Play g_play;
// The length each collector recorded for the block it obtained, by handler
// and telegram code: a parameter phase may hand that block back.
std::map<std::pair<WORD, WORD>, std::size_t> g_recordedLengths;

Bytes HostText(Random &random, std::size_t capacity) {
  const unsigned kind = random.Below(10);
  if (kind < 4) return {0};
  if (kind < 8) {
    const std::string text =
        PrintableText(random, random.Below(static_cast<unsigned>(std::min<std::size_t>(capacity, 200))));
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
  }
  Bytes full(capacity);
  for (BYTE &b : full) b = static_cast<BYTE>(1 + random.Below(255));
  return full;
}

// Random bytes, small numbers, zeros, 0xFF, or zeros and random bytes mixed.
Bytes BlockBytes(Random &random, std::size_t length) {
  Bytes block(length);
  const unsigned kind = random.Below(10);
  for (BYTE &b : block) {
    const BYTE any = random.AnyByte();
    const BYTE kinds[] = {any,
                          any,
                          any,
                          any,
                          static_cast<BYTE>(any & 15),
                          static_cast<BYTE>(any & 15),
                          static_cast<BYTE>(any & 15),
                          0,
                          0xFF,
                          static_cast<BYTE>(any & 1 ? any : 0)};
    b = kinds[kind];
  }
  return block;
}

std::size_t BlockLength(Random &random, const Input &input) {
  const auto learned = g_recordedLengths.find({input.handler, input.telegram});
  switch (random.Below(5)) {
    case 0: return random.Below(4);
    case 1: return random.Below(24);
    case 2: return random.Below(1700);
    default: return learned != g_recordedLengths.end() ? learned->second : random.Below(64);
  }
}

void ChooseBlock(Random &random, Input &input) {
  if (input.paramPhase) {
    // The block a collector obtained, handed back as the host does.
    const auto learned = g_recordedLengths.find({input.handler, input.telegram});
    input.hasBlock = learned != g_recordedLengths.end() && random.Chance(40);
    if (input.hasBlock) input.block = BlockBytes(random, learned->second);
    return;
  }
  input.hasBlock = random.Chance(90);
  if (input.hasBlock) input.block = BlockBytes(random, BlockLength(random, input));
}

void ChoosePassword(Random &random, Input &input) {
  input.hasPassword = random.Chance(95);
  // A password the device knows or nearly, a short text, a long one, or none.
  switch (random.Below(10)) {
    case 0:
    case 1:
    case 2: input.password = random.Pick(kPasswords); break;
    case 3:
    case 4:
    case 5:
    case 6: input.password = PrintableText(random, random.Below(40)); break;
    case 7:
    case 8: input.password = PrintableText(random, 100 + random.Below(4000)); break;
    default: break;
  }
}

// Downloads refused by the driver: a record, a start request, a record of the download.
std::string DownloadFaults(Random &random) {
  constexpr const char *kKinds[] = {"download@", "downloadstart@1-", "downloadrecord@"};
  return std::string(random.Pick(kKinds)) + std::to_string(1 + random.Below(random.Chance(50) ? 4 : 40));
}

std::string ConfigOf(const Input &input) {
  return std::string("device=") + kDeviceNames[input.device % 4] + ";address=" + std::to_string(input.address & 0x7F) +
         ";variant=" + std::to_string(input.variant % 10) + ";setup=no" +
         (input.faults.empty() ? "" : ";fail=" + input.faults);
}

template <typename T>
std::span<BYTE> Placed(Region region, const T &bytes, std::size_t size) {
  const std::span<BYTE> placed = GuardedBytes(region, size);
  std::fill(placed.begin(), placed.end(), 0);
  std::copy_n(bytes.begin(), std::min(bytes.size(), placed.size()), placed.begin());
  return placed;
}

}  // namespace

Play &Playing() { return g_play; }

void OpenSession() {
  if (g_sensor) return;
  SetInstance(GetModuleHandleA(nullptr));
  SimConfigure("device=kvt;setup=no");
  g_sensor = LoadSensor(0);
  OpenSensor(g_sensor);
  Run().sensor = g_sensor;
  SimFilterAnswers(FilterAnswer);
  SimFilterTexts(FilterText);
  StartAnswering();
}

Input MakeInput(std::uint64_t seed, std::uint64_t index, std::span<const MenuCommand> menu) {
  Random random = StreamOf(seed, index);
  Input input;
  if (random.Chance(2)) input.entry = random.Chance(50) ? Entry::kDetection : Entry::kModeCheck;
  input.device = static_cast<BYTE>(random.Below(4));
  input.type = random.Chance(98) ? input.device : random.AnyByte();
  input.address = static_cast<BYTE>(random.Below(128));
  input.variant = static_cast<BYTE>(random.Below(10));
  if (random.Chance(30)) input.faults = DownloadFaults(random);
  WORD flag = 0;
  if (!menu.empty() && random.Chance(97)) {
    const MenuCommand &command = menu[random.Below(static_cast<unsigned>(menu.size()))];
    input.handler = command.handler;
    input.telegram = command.telegram;
    flag = command.flag;
  } else {
    // Codes the menu does not name.
    input.handler = static_cast<WORD>(random.Chance(50) ? random.Below(256) : random.Next());
    input.telegram = static_cast<WORD>(random.Chance(50) ? random.Below(256) : random.Next());
  }
  // A dialog under Wine costs some twenty times a command's exchange; the
  // dialogs get their own garbage campaign, so here a few percent suffice.
  input.paramPhase = random.Chance(flag ? 6 : 2);
  input.capacity = 1 + random.Below(1u << random.Below(17));
  input.hostText = HostText(random, input.capacity);
  ChooseBlock(random, input);
  ChoosePassword(random, input);
  input.stream = random.state;
  return input;
}

Outcome RunInput(Input &input, bool replay) {
  SimConfigure(ConfigOf(input).c_str());
  RunState &run = Run();
  run.sensor = g_sensor;
  run.target = {input.type, input.address};
  run.variant = input.variant;

  const std::span<BYTE> text = GuardedBytes(Region::kResultText, input.capacity);
  std::fill(text.begin(), text.end(), 'x');
  std::copy_n(input.hostText.begin(), std::min(input.hostText.size(), text.size()), text.begin());
  const Bytes before(text.begin(), text.end());
  const std::span<BYTE> block =
      input.hasBlock ? Placed(Region::kParamBlock, input.block, input.block.size()) : std::span<BYTE>();
  const std::span<BYTE> password =
      input.hasPassword ? Placed(Region::kPassword, input.password, input.password.size() + 1) : std::span<BYTE>();

  CommandRequest request{};
  request[kReqHandler] = input.handler;
  request[kReqTelegram] = input.telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text.data());
  request[kReqCapacity] = text.size();
  request[kReqParamPhase] = input.paramPhase ? 1 : 0;
  request[kReqParamBlock] = input.hasBlock ? reinterpret_cast<ULONG_PTR>(block.data()) : 0;
  request[kReqParamLength] = block.size();
  request[kReqPassword] = input.hasPassword ? reinterpret_cast<ULONG_PTR>(password.data()) : 0;

  g_play = Play{&input, replay, Random{input.stream}};
  Outcome outcome;
  switch (input.entry) {
    case Entry::kCommand: outcome.result = DiagCommandProc(StartAnswering(), request.data()); break;
    case Entry::kDetection: outcome.result = DetectDevice(StartAnswering()); break;
    case Entry::kModeCheck: outcome.result = DiagModeCheckProc(0); break;
  }
  g_play.input = nullptr;
  // Turns left for dialogs that are gone.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

  const bool changed = !std::equal(before.begin(), before.end(), text.begin());
  const auto end = std::find(text.begin(), text.end(), 0);
  outcome.unterminated = changed && end == text.end();
  outcome.text.assign(text.begin(), end);
  auto *obtained = reinterpret_cast<void *>(request[kReqParamBlock]);
  if (obtained && obtained != block.data()) {
    g_recordedLengths[{input.handler, input.telegram}] = request[kReqParamLength];
    std::free(obtained);
  }
  return outcome;
}

}  // namespace kvt::fuzz
