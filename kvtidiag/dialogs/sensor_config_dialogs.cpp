// The sensor configuration dialogs: the configuration block and block 2 of
// a type-6 sensor, opened with the device's values or with defaults and
// stored without a check, each input cut to its field.
#include "dialogs/dialog_engine.h"
#include "kvt/bytes.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;

// The starter's third argument: the inputs show the block (the reading
// before the dialog succeeded) or the defaults.
bool g_showBlock = false;

constexpr int kNumberChars = 7;
constexpr int kShortChars = 2;
constexpr std::size_t kConfigBytes = 33;
constexpr std::size_t kConfig2Bytes = 84;
constexpr std::size_t kStopThreshold = 2;

constexpr Input ByteInput(int control, std::size_t offset, const char *preset = "0", int chars = kNumberChars) {
  return {.control = control, .preset = preset, .presetFromBlock = true, .reading = kNumber, .chars = chars,
          .field = kU8, .offset = offset};
}

constexpr Input kConfigInputs[] = {
    {.control = IDC_KFG_BLANKING, .preset = "0", .presetFromBlock = true, .reading = kNumber, .chars = kNumberChars,
     .field = kU16},
    ByteInput(IDC_KFG_STOP_LOW, 2, "70"),
    ByteInput(IDC_KFG_STOP_HIGH, 3),
    ByteInput(IDC_KFG_CONFIG_BITS, 4),
    ByteInput(IDC_KFG_MEASURING_MODE, 5),
    ByteInput(IDC_KFG_UNIT, 6),
    ByteInput(IDC_KFG_VOLATILE_GROUP, 7),
    ByteInput(IDC_KFG_SUBTRACTIVE, 8),
    ByteInput(IDC_KFG_MULTIPLE, 9, "2"),
    ByteInput(IDC_KFG_RESTART, 10),
    ByteInput(IDC_KFG_RESTART_A, 11),
    ByteInput(IDC_KFG_MULTIPLE_2, 12),
    ByteInput(IDC_KFG_A_REFERENCE, 13),
    ByteInput(IDC_KFG_A_PLUS, 14),
    ByteInput(IDC_KFG_A_MINUS, 15),
    ByteInput(IDC_KFG_A_START, 16),
    ByteInput(IDC_KFG_A_STOP, 17),
    ByteInput(IDC_KFG_B_REFERENCE, 18),
    ByteInput(IDC_KFG_B_PLUS, 19),
    ByteInput(IDC_KFG_B_MINUS, 20),
    ByteInput(IDC_KFG_B_START, 21),
    ByteInput(IDC_KFG_B_STOP, 22),
    ByteInput(IDC_KFG_C_REFERENCE, 23),
    ByteInput(IDC_KFG_C_PLUS, 24),
    ByteInput(IDC_KFG_C_MINUS, 25),
    ByteInput(IDC_KFG_C_START, 26),
    ByteInput(IDC_KFG_C_STOP, 27),
    ByteInput(IDC_KFG_PIXEL, 28, "0", kShortChars),
    ByteInput(IDC_KFG_MEAN, 29, "0", kShortChars),
    ByteInput(IDC_KFG_RESTART_B, 30),
    ByteInput(IDC_KFG_RESTART_C, 31),
    ByteInput(IDC_KFG_DAZZLE, 32, "0", kShortChars),
};

std::int32_t NumberIn(HWND dialog, int control) {
  char text[kNumberChars + 1] = {};
  GetDlgItemTextA(dialog, control, text, sizeof text);
  return TextToNumber(text);
}

// The stop threshold is typed as two bytes; the sum is taken before it is
// cut to 16 bits, so a low byte above 255 carries into the high byte.
void StoreStopThreshold(HWND dialog, std::span<BYTE> block) {
  const std::int32_t low = NumberIn(dialog, IDC_KFG_STOP_LOW);
  const std::int32_t high = NumberIn(dialog, IDC_KFG_STOP_HIGH);
  PutWord(block, kStopThreshold, static_cast<unsigned>(high * 256 + low) & 0xFFFF);
}

constexpr Description kConfig{
    .inputs = kConfigInputs, .blockBytes = kConfigBytes, .onOk = StoreStopThreshold, .showBlock = &g_showBlock};

// The nine bytes the dialog edits; the other 75 stay as the collector filled them.
constexpr Input kConfig2Inputs[] = {
    ByteInput(IDC_KFG2_FLAGS, 0),        ByteInput(IDC_KFG2_ANGLE_A, 1),       ByteInput(IDC_KFG2_ANGLE_B, 2),
    ByteInput(IDC_KFG2_ANGLE_C, 3),      ByteInput(IDC_KFG2_OFFSET, 4),        ByteInput(IDC_KFG2_CONTAMINATION, 5),
    ByteInput(IDC_KFG2_STRATEGY, 6),     ByteInput(IDC_KFG2_WARNING, 7),       ByteInput(IDC_KFG2_ERROR, 8),
};

constexpr Description kConfig2{.inputs = kConfig2Inputs, .blockBytes = kConfig2Bytes, .showBlock = &g_showBlock};

}  // namespace

extern "C" {

INT_PTR CALLBACK KVTKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kConfig>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogKVTKfg(HWND owner, void *block, BYTE showBlock) {
  g_showBlock = showBlock != 0;
  return StartDialog(owner, block, IDD_KVT_KFG, KVTKfgDlgProc);
}

INT_PTR CALLBACK KVTKfg2DlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kConfig2>(dialog, message, wParam, lParam);
}
INT_PTR WINAPI DialogKVTKfg2(HWND owner, void *block, BYTE showBlock) {
  g_showBlock = showBlock != 0;
  return StartDialog(owner, block, IDD_KVT_KFG2, KVTKfg2DlgProc);
}

}  // extern "C"
