#include "kvtidiag/session.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "support/texts.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace kvt::test {

namespace {

// The test program is the resource module of the library's objects.
const BOOL g_loaded = DllMain(GetModuleHandleA(nullptr), DLL_PROCESS_ATTACH, nullptr);

constexpr int kAddressInput = 1020;
constexpr int kTypeInput = 1019;

const std::function<void(const Descriptor &)> *g_body = nullptr;
bool g_menu = false;

int WINAPI TestsMenu(HWND, ULONG_PTR *slots) {
  Descriptor descriptor{};
  std::copy_n(slots, kDescriptorSlots, descriptor.begin());
  g_menu = true;
  (*g_body)(descriptor);
  return 1;
}

}  // namespace

}  // namespace kvt::test

// The library's objects reach the dialog host through this import slot;
// filled here, a run comes to the test instead of the menu window.
extern "C" {
extern void *const kvt_test_menu_slot __asm__("__imp_ZenkDialog");
void *const kvt_test_menu_slot = reinterpret_cast<void *>(&kvt::test::TestsMenu);
}

namespace kvt::test {

SessionRun RunSession(const char *config, const std::function<void(const Descriptor &)> &body,
                      const DeviceChoice &device, const Script &answers) {
  SimConfigure(config);
  SimReset();
  Queue(answers);
  g_body = &body;
  g_menu = false;
  SessionRun run;
  run.ui = RunUi({{text::kDeviceDialogTitle,
                   [&](HWND dialog) {
                     run.offered = ItemText(dialog, kTypeInput);
                     if (!device.type.empty()) SetText(dialog, kTypeInput, device.type);
                     SetText(dialog, kAddressInput, device.address);
                     Click(dialog, device.cancel ? IDCANCEL : IDOK);
                   }}},
                 [] { DialogDiagnose(nullptr, kHostValueA, kHostValueB); });
  run.menu = g_menu;
  // A body that never ran would pass every check it holds.
  if (!device.cancel) {
    EXPECT_TRUE(run.menu) << "the diagnosis run did not reach its menu";
  }
  SimConfigure("");
  SimReset();
  return run;
}

EntryRun RunEntry(const Descriptor &descriptor, const Entry &entry, std::vector<UiStep> steps,
                  std::size_t capacity) {
  const auto command = reinterpret_cast<DiagCommandFn>(descriptor[kDescCommandProc]);
  std::string buffer(capacity, '\0');
  std::memcpy(buffer.data(), kBefore, std::min(sizeof kBefore, capacity));
  BYTE *given = nullptr;
  if (!entry.block.empty()) {
    given = static_cast<BYTE *>(std::malloc(entry.block.size()));
    std::copy(entry.block.begin(), entry.block.end(), given);
  }
  CommandRequest request{};
  request[kReqHandler] = entry.handler;
  request[kReqTelegram] = entry.telegram;
  request[kReqResultText] = reinterpret_cast<ULONG_PTR>(buffer.data());
  request[kReqCapacity] = capacity;
  request[kReqStatus] = 77;
  request[kReqParamBlock] = reinterpret_cast<ULONG_PTR>(given);
  request[kReqParamLength] = entry.recorded ? entry.recorded : entry.block.size();
  request[kReqPassword] = reinterpret_cast<ULONG_PTR>(entry.password);
  EntryRun run;
  run.ui = RunUi(std::move(steps), [&] {
    if (entry.phase != Phase::kExecute) {
      request[kReqParamPhase] = 1;
      run.result = command(nullptr, request.data());
      if (entry.phase == Phase::kParameters || !run.result) return;
    }
    request[kReqParamPhase] = 0;
    run.result = command(nullptr, request.data());
  });
  run.status = request[kReqStatus];
  run.text = buffer.c_str();
  auto *block = reinterpret_cast<BYTE *>(request[kReqParamBlock]);
  run.sameBlock = given && block == given;
  if (block) {
    run.block.assign(block, block + request[kReqParamLength]);
    run.blockSize = _msize(block);
    std::free(block);
  }
  return run;
}

void SetTarget(const Descriptor &descriptor, const char *type, const char *address) {
  RunEntry(descriptor, {152}, {{text::kDeviceDialogTitle, [=](HWND dialog) {
                                  SetText(dialog, kTypeInput, type);
                                  SetText(dialog, kAddressInput, address);
                                  Click(dialog, IDOK);
                                }}});
}

std::string AddressLine(BYTE type, unsigned address) {
  const char *format = type == kDeviceKvt ? text::kAddressLineKvt
                       : type == kDevicePxd ? text::kAddressLinePxd
                                            : text::kAddressLineKvtQ1;
  char line[128];
  wsprintfA(line, format, address);
  return line;
}

std::string Count(unsigned values) {
  char line[64];
  wsprintfA(line, text::kCountFormat, values);
  return line;
}

}  // namespace kvt::test
