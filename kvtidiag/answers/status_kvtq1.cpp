// The status report of the type-6 sensors, KVT-Q1 and KVT 90°/0.5°.
// DeviceTypes 2 and 3: interface, calibration state and the TDC calibration
// with the resolution computed from it.
#include "answers/answers.h"
#include "kvt/bytes.h"

namespace kvt {

namespace {

constexpr int kVariantFormat = 68;
constexpr std::size_t kVariantText = 134;

// Interface kinds whose line carries a parameter (low five bits of byte 121).
constexpr BYTE kInterfaceMask = 0x1F;
bool InterfaceHasParameter(BYTE kind) { return kind == 1 || kind == 3 || kind == 5; }

// The calibration word at bytes 89-90 picks its class and code.
void AppendCalibrationState(Report &r, WORD state) {
  if (state == 0 || state == 1) {
    AppendDriverText(r, 109, state + 1u);
  } else if (state == 0xAAAA) {
    AppendDriverText(r, 110, 0xAAAB);
  } else if (state == 0xFFFF) {
    AppendDriverText(r, 111, 0);
  }
}

WORD W(const Report &r, std::size_t at) { return Word(r.answer, at); }

}  // namespace

void StatusKvtQ1(ResultText &out, std::span<const BYTE> answer) {
  Report r{out, answer};
  StartStatusReport(r);
  Append(out, FormatDriverTexts(r, kVariantFormat, kVariantText));
  AppendLineFeed(r);
  AppendSeparator(r);
  AppendOperatingModeLine(r);

  const BYTE interfaceKind = Byte(answer, 121);
  AppendDriverText(r, 6, interfaceKind);
  if (InterfaceHasParameter(interfaceKind & kInterfaceMask)) AppendDriverText(r, 56, W(r, 122));
  AppendLineFeed(r);
  AppendSensorSerialLines(r);
  AppendDriverLine(r, 24, Byte(answer, 128));
  // The temperature is signed; the driver gets it widened with its sign.
  AppendDriverLine(r, 122, static_cast<WORD>(static_cast<signed char>(Byte(answer, 124))));
  AppendSensorModeLines(r, 107);
  const WORD counters[] = {W(r, 81), W(r, 85), W(r, 87), W(r, 91)};
  AppendDriverListLine(r, 98, counters);
  AppendSeparator(r);

  const DWORD operatingTime[] = {W(r, 77) * 90u};
  AppendDriverListLine(r, 88, operatingTime);
  AppendDriverLine(r, 57, W(r, 117));
  AppendDriverLine(r, 58, W(r, 119));
  const WORD variant[] = {Byte(answer, 112), Byte(answer, 132)};
  AppendDriverListLine(r, 71, variant);
  AppendDriverLine(r, 59, Byte(answer, 132));
  AppendDriverLine(r, 35, Byte(answer, 131));
  AppendSeparator(r);

  const WORD outputs[] = {W(r, 95), W(r, 97), W(r, 99), W(r, 101)};
  AppendDriverListLine(r, 101, outputs);
  AppendDriverLine(r, 99, W(r, 93));
  AppendCalibrationState(r, W(r, 89));
  AppendLineFeed(r);
  AppendSeparator(r);

  const WORD fields[] = {W(r, 103), W(r, 105), W(r, 107), W(r, 109)};
  AppendDriverListLine(r, 102, fields);
  AppendSeparator(r);

  const DWORD calibration[] = {W(r, 158), W(r, 160), W(r, 162),         Dword(answer, 142),
                               Dword(answer, 146), Dword(answer, 150), Dword(answer, 154)};
  AppendDriverListLine(r, 103, calibration);
  const std::array<WORD, 2> resolutions = TdcResolutions(answer);
  AppendDriverListLine(r, 104, resolutions);
  AppendSeparator(r);

  AppendDriverLine(r, 114, W(r, 113));
  AppendDriverLine(r, 115, W(r, 115));
  Append(out, FormatFromTable(ids::kSeparatorLineWithoutLineFeed));
  CarriageReturnsToBlanks(out);
}

}  // namespace kvt
