// The navigation dialogs: one starter, five kinds (brake field, ray set,
// reflector level, navigation case, navigation data request). The first
// four open on what the device sent; numbers are read as decimal fractions
// and truncated, lists split at blanks and commas; nothing is checked.
#include <string>

#include "dialogs/dialog_engine.h"
#include "kvt/bytes.h"

using namespace kvt;

namespace {

using enum Reading;
using enum Field;
using enum ButtonRule;

constexpr int kListChars = 128;
constexpr BYTE kDefine = 1;
constexpr std::uint32_t kUnitMask = 0xC0;
constexpr std::uint32_t kWhole = 0xFFFFFFFF;

// The first entry always, then the further ones up to the count, joined by commas.
void ShowList(HWND dialog, int control, std::span<const BYTE> block, std::size_t at, std::size_t width,
              unsigned count) {
  std::string text;
  for (unsigned i = 0; i == 0 || i < count; ++i) {
    if (i > 0) text += ',';
    const std::size_t where = at + i * width;
    text += std::to_string(width == 2 ? Word(block, where) : Byte(block, where));
  }
  SetDlgItemTextA(dialog, control, text.c_str());
}

// --- Brake field: action 0, unit 1, type 2, then three words ---------------

constexpr std::size_t kBrakeFieldType = 2;
constexpr BYTE kRadial = 1;

constexpr Input BrakeFieldValue(int control, std::size_t offset) {
  return {.control = control, .presetFromBlock = true, .reading = kFraction, .chars = 14, .field = kU16,
          .offset = offset};
}
constexpr Input kRadius[] = {BrakeFieldValue(IDC_NAV_RADIUS, 3)};
constexpr Input kRectangle[] = {BrakeFieldValue(IDC_NAV_LEFT, 3), BrakeFieldValue(IDC_NAV_RIGHT, 5),
                                BrakeFieldValue(IDC_NAV_HEIGHT, 7)};
constexpr Button kBrakeFieldButtons[] = {
    {IDC_NAV_DEACTIVATE, kChooses, kU8, 0, 1},
    {IDC_NAV_ACTIVATE, kChooses, kU8, 0, 2},
    {IDC_NAV_DEFINE, kChooses, kU8, 0, 3, kWhole, true},
    {IDC_NAV_UNIT_MM, kChooses, kU8, 1, 64, kUnitMask},
    {IDC_NAV_UNIT_CM, kChooses, kU8, 1, 0, kUnitMask},
    {IDC_NAV_UNIT_DM, kChooses, kU8, 1, 128, kUnitMask},
    {IDC_NAV_RECTANGULAR, kChooses, kU8, kBrakeFieldType, 0},
    {IDC_NAV_RADIAL, kChooses, kU8, kBrakeFieldType, kRadial},
};

// The inputs of the field type the block holds: the radius, or left, right and height.
std::span<const Input> BrakeFieldInputs(std::span<const BYTE> block) {
  if (Byte(block, kBrakeFieldType) == kRadial) return kRadius;
  return kRectangle;
}
constexpr Description kBrakeField{
    .inputs = {},
    .buttons = kBrakeFieldButtons,
    .blockBytes = 9,
    .onInit = [](HWND dialog, std::span<BYTE> block) { ShowRows(dialog, block, BrakeFieldInputs(block)); },
    .onOk = [](HWND dialog, std::span<BYTE> block) { ReadRows(dialog, block, BrakeFieldInputs(block)); },
};
static_assert(Valid({.inputs = kRectangle, .blockBytes = kBrakeField.blockBytes}));

// --- Ray set: action 0, number 1, constant 2, count 4, ten rays from 6 -----

constexpr std::size_t kRayCount = 4;
constexpr std::size_t kRays = 6;
constexpr unsigned kMaxRays = 10;
constexpr List kRayList{.token = kFraction, .count = ListCount::kFound, .countAt = kRayCount, .entries = kMaxRays};
constexpr Input kRaySetInputs[] = {
    {.control = IDC_NAV_RAY_SET_NUMBER, .presetFromBlock = true, .reading = kFraction, .chars = 4, .offset = 1},
    {.control = IDC_NAV_RAYS, .reading = kList, .chars = kListChars, .field = kU16, .offset = kRays,
     .list = &kRayList},
};
constexpr Description kRaySet{
    .inputs = kRaySetInputs,
    .blockBytes = kRays + 2 * kMaxRays,
    .onInit =
        [](HWND dialog, std::span<BYTE> block) {
          if (Word(block, kRayCount) > kMaxRays) PutWord(block, kRayCount, kMaxRays);
          ShowList(dialog, IDC_NAV_RAYS, block, kRays, 2, Word(block, kRayCount));
        },
    .onOk =
        [](HWND, std::span<BYTE> block) {
          PutByte(block, 0, kDefine);
          PutWord(block, 2, 100);
        },
};

// --- Reflector level: action 0, level 1 ------------------------------------

constexpr Input kReflectorInputs[] = {
    {.control = IDC_NAV_LEVEL, .presetFromBlock = true, .reading = kFraction, .chars = 4, .field = kU16, .offset = 1},
};
constexpr Description kReflector{
    .inputs = kReflectorInputs,
    .onOk = [](HWND, std::span<BYTE> block) { PutByte(block, 0, kDefine); },
};

// --- Navigation case: action 0, ray set 1, count 2, three fields from 3 ----

constexpr std::size_t kCaseCount = 2;
constexpr std::size_t kCaseFields = 3;
constexpr unsigned kMaxCaseFields = 3;
constexpr List kFieldList{.token = kFraction, .count = ListCount::kFound, .countField = kU8, .countAt = kCaseCount,
                          .entries = kMaxCaseFields};
constexpr Input kCaseInputs[] = {
    {.control = IDC_NAV_CASE_RAY_SET, .presetFromBlock = true, .reading = kFraction, .chars = 4, .offset = 1},
    {.control = IDC_NAV_CASE_FIELDS, .reading = kList, .chars = kListChars, .offset = kCaseFields,
     .list = &kFieldList},
};
constexpr Button kCaseButtons[] = {
    {IDC_NAV_CASE_DEFINE, kChooses, kU8, 0, 1, kWhole, true},
    {IDC_NAV_CASE_DEFAULT, kChooses, kU8, 0, 2},
};
constexpr Description kCase{
    .inputs = kCaseInputs,
    .buttons = kCaseButtons,
    .blockBytes = kCaseFields + kMaxCaseFields,
    .onInit =
        [](HWND dialog, std::span<BYTE> block) {
          if (Byte(block, kCaseCount) > kMaxCaseFields) PutByte(block, kCaseCount, kMaxCaseFields);
          ShowList(dialog, IDC_NAV_CASE_FIELDS, block, kCaseFields, 1, Byte(block, kCaseCount));
        },
};

// --- Navigation data request: content 0, coordinates 1 ---------------------

constexpr Button kRequestButtons[] = {
    {IDC_NAV_SECTORS_AND_MARKS, kChooses, kU8, 0, 0, kWhole, true},
    {IDC_NAV_SECTORS_ONLY, kChooses, kU8, 0, 1},
    {IDC_NAV_MARKS_ONLY, kChooses, kU8, 0, 2},
    {IDC_NAV_POLAR, kChooses, kU8, 1, 0, kWhole, true},
    {IDC_NAV_CARTESIAN, kChooses, kU8, 1, 1},
};
constexpr Description kRequest{.inputs = {}, .buttons = kRequestButtons, .blockBytes = 2};

}  // namespace

extern "C" {

INT_PTR CALLBACK NavSfAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kBrakeField>(dialog, message, wParam, lParam);
}
INT_PTR CALLBACK NavRayAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kRaySet>(dialog, message, wParam, lParam);
}
INT_PTR CALLBACK NavReflAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kReflector>(dialog, message, wParam, lParam);
}
INT_PTR CALLBACK NavEvAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kCase>(dialog, message, wParam, lParam);
}
INT_PTR CALLBACK NavNdReqDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDialog<kRequest>(dialog, message, wParam, lParam);
}

INT_PTR WINAPI DialogNavDat(HWND owner, void *block, BYTE kind) {
  struct Kind {
    int templateId;
    DLGPROC procedure;
  };
  static constexpr Kind kKinds[] = {
      {IDD_NAV_BRAKE_FIELD, NavSfAccDlgProc}, {IDD_NAV_RAY_SET, NavRayAccDlgProc},
      {IDD_NAV_REFLECTOR, NavReflAccDlgProc}, {IDD_NAV_CASE, NavEvAccDlgProc},
      {IDD_NAV_DATA_REQUEST, NavNdReqDlgProc},
  };
  if (kind >= std::size(kKinds)) return kResultCancel;
  return StartDialog(owner, block, kKinds[kind].templateId, kKinds[kind].procedure);
}

}  // extern "C"
