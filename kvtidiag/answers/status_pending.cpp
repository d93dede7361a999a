// Placeholders until the status, error-memory and sensor-type reports land.
#include "answers/answers.h"

namespace kvt {
void StatusKvt(ResultText &, std::span<const BYTE>) {}
void StatusPxd(ResultText &, std::span<const BYTE>) {}
void StatusKvtQ1(ResultText &, std::span<const BYTE>) {}
void ErrorMemoryKvt(ResultText &, std::span<const BYTE>) {}
void ErrorMemoryPxd(ResultText &, std::span<const BYTE>) {}
void SensorTypeText(ResultText &, std::span<const BYTE>) {}
}  // namespace kvt
