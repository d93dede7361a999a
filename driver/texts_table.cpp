// The text classes: every group of classes, searched by id. Each group file
// holds one table per class (code → text rows, or the rule of a value list).
#include "driver.h"

namespace kvtdrv {

namespace {

using Group = std::span<const TextClass> (*)();

constexpr Group kGroups[] = {StatusCodeClasses, StatusListClasses, ErrorClasses, FormatClasses, ConfigClasses,
                            InterfaceUnitClasses};

}  // namespace

const TextClass *FindTextClass(int id) {
  for (Group group : kGroups) {
    for (const TextClass &c : group()) {
      if (c.id == id) return &c;
    }
  }
  return nullptr;
}

}  // namespace kvtdrv
