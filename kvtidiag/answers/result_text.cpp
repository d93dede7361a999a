// ResultText: the host's buffer, written only within its capacity.
#include <cstring>

#include "answers/answers.h"

namespace kvt {

ResultText ResultTextOf(const ULONG_PTR *request) {
  return {reinterpret_cast<char *>(request[kReqResultText]), static_cast<std::size_t>(request[kReqCapacity])};
}

std::size_t Length(const ResultText &out) {
  if (!out.text || out.capacity == 0) return 0;
  // A host buffer without a terminator counts as full.
  const std::size_t length = strnlen(out.text, out.capacity);
  return length < out.capacity ? length : out.capacity - 1;
}

namespace {

void WriteAt(ResultText &out, std::size_t at, std::string_view piece) {
  if (!out.text || out.capacity == 0) return;
  const std::size_t room = out.capacity - 1 - at;
  const std::size_t count = piece.size() < room ? piece.size() : room;
  std::memcpy(out.text + at, piece.data(), count);
  out.text[at + count] = '\0';
  out.end = at + count;
}

// The remembered end, while the terminator still stands there; else measured.
std::size_t CurrentEnd(const ResultText &out) {
  if (out.end < out.capacity && out.text && out.text[out.end] == '\0') return out.end;
  return Length(out);
}

}  // namespace

void Replace(ResultText &out, std::string_view piece) { WriteAt(out, 0, piece); }

void Append(ResultText &out, std::string_view piece) { WriteAt(out, CurrentEnd(out), piece); }

void Clear(ResultText &out) { WriteAt(out, 0, {}); }

void CarriageReturnsToBlanks(ResultText &out) {
  const std::size_t length = Length(out);
  for (std::size_t i = 0; i < length; ++i) {
    if (out.text[i] == '\r') out.text[i] = ' ';
  }
}

}  // namespace kvt
