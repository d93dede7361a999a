// Which device answers, and which type and address the user confirms.
#include <cstdlib>
#include <memory>

#include "entry/entry.h"

namespace kvt {

namespace {

constexpr BYTE kProbeCommand = 0x32;
constexpr BYTE kVariantCommand = 0x74;
constexpr std::size_t kVariantByte = kRecData + 5;

BYTE KindBits(const TelegramRecord &answer) { return answer[kRecKind] & kKindMask; }

// Probes that get an answer but no known kind leave the type unset; the
// address dialog then offers the text of the type handed to it, which we
// keep at KVT, the commonest device.
constexpr BYTE kUndetected = BYTE{kDeviceKvt};

bool Probe(BYTE type, TelegramPair &pair) {
  pair.request[kRecType] = type;
  pair.request[kRecCode] = kProbeCommand;
  return SendTelegram(Run().sensor, pair.request, pair.answer);
}

// The sensor kinds that probes 2 and 3 tell apart; `otherwise` for any other bits.
BYTE SensorKind(const TelegramRecord &answer, BYTE otherwise) {
  switch (KindBits(answer)) {
    case 0x10: return kDeviceKvtQ1;
    case 0x18: return kDeviceKvt90;
    default: return otherwise;
  }
}

BYTE DetectType(TelegramPair &pair) {
  if (Probe(kDevicePxd, pair)) return KindBits(pair.answer) == 0x08 ? BYTE{kDevicePxd} : kUndetected;
  if (Probe(kDeviceKvt, pair)) return SensorKind(pair.answer, kDeviceKvt);
  if (Probe(kDeviceKvtQ1, pair)) return SensorKind(pair.answer, kUndetected);
  return kUndetected;
}

bool KnownVariant(BYTE variant) { return variant <= 6 || variant == 9; }

}  // namespace

BOOL DetectDevice(HWND owner) {
  auto pair = std::make_unique<TelegramPair>();
  PrepareRequest(pair->request, kDeviceKvt, 0);
  const BYTE detected = DetectType(*pair);

  BYTE *block = static_cast<BYTE *>(std::malloc(4));
  if (!block) return FALSE;
  block[0] = 0;
  block[1] = 0;
  block[2] = detected;
  block[3] = 0;
  if (!DialogDeviceAdr(owner, block)) {
    std::free(block);
    return FALSE;
  }
  RunState &run = Run();
  run.target.address = block[0];
  run.target.type = block[1];
  std::free(block);
  run.variant = 0;

  if (run.target.type == kDeviceKvtQ1 || run.target.type == kDeviceKvt90) {
    // The record still carries address 0 from the probes.
    pair->request[kRecType] = run.target.type;
    pair->request[kRecCode] = kVariantCommand;
    if (SendTelegram(run.sensor, pair->request, pair->answer) && KnownVariant(pair->answer[kVariantByte])) {
      run.variant = pair->answer[kVariantByte];
    }
  }
  return TRUE;
}

}  // namespace kvt
