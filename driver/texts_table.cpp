// The text classes: every group of classes, searched by id, the report being
// worded first. Each group file holds one table per class (code → text rows,
// or the rule of a value list).
#include "driver.h"

namespace kvtdrv {

namespace {

using Group = std::span<const TextClass> (*)();

constexpr Group kGroups[] = {StatusCodeClasses, StatusListClasses, ErrorClasses, FormatClasses, ConfigClasses,
                            InterfaceUnitClasses};

BYTE g_deliveredAnswer = 0;

}  // namespace

void NoteDeliveredAnswer(BYTE code) { g_deliveredAnswer = code; }

const TextClass *FindTextClass(int id) {
  for (const ReportClass &r : ReportClasses()) {
    if (r.answer == g_deliveredAnswer && r.textClass.id == id) return &r.textClass;
  }
  for (Group group : kGroups) {
    for (const TextClass &c : group()) {
      if (c.id == id) return &c;
    }
  }
  return nullptr;
}

}  // namespace kvtdrv
