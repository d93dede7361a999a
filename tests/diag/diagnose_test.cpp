// Device detection with scripted answers, and the driver failures of a
// whole diagnosis run, each in its own message box.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "dialoghost/menu_window.h"
#include "dialogs/dialogs.h"
#include "entry/entry.h"
#include "kvt/simcontrol.h"
#include "support/records.h"
#include "support/ui_script.h"

namespace kvt {
namespace {

using test::Click;
using test::GetText;
using test::SetText;

constexpr char kDeviceTitle[] = "Device und Kommunikationsadresse";

std::optional<TelegramRecord> Kind(BYTE bits) { return test::Answer(0xB2, {}, bits); }

struct DetectCase {
  const char *name;
  std::vector<std::optional<TelegramRecord>> probes;  // nullopt: no answer
  const char *presetType;
  const char *chosenType;  // typed by the user
  std::optional<TelegramRecord> variantAnswer;          // only for types 2 and 3
  BYTE type;
  BYTE variant;
};

TelegramRecord Variant(BYTE variant) { return test::AnswerWith(0xF4, {{14, variant}}); }

class DetectTest : public ::testing::Test {
 protected:
  test::SimulatedSensor sensor;
  void TearDown() override { test::StopUiScript(); }
};

TEST_F(DetectTest, ProbesVariantAndChoice) {
  const DetectCase cases[] = {
      {"PXD answers the first probe", {Kind(0x08)}, "PXD", "PXD", std::nullopt, kDevicePxd, 0},
      {"KVT answers the second probe", {std::nullopt, Kind(0x00)}, "KVT", "KVT", std::nullopt, kDeviceKvt, 0},
      {"PXD bits on the second probe mean KVT", {std::nullopt, Kind(0x08)}, "KVT", "KVT", std::nullopt, kDeviceKvt, 0},
      {"KVT-Q1 on the second probe", {std::nullopt, Kind(0x10)}, "KVTQ1", "KVTQ1", Variant(5), kDeviceKvtQ1, 5},
      {"90 degree variant, variant 7 is unknown", {std::nullopt, Kind(0x18)}, "KVT 90\xB0/0.5\xB0", "KVT 90",
       Variant(7), kDeviceKvt90, 0},
      {"variant 9 is known", {std::nullopt, Kind(0x18)}, "KVT 90\xB0/0.5\xB0", "KVT 90", Variant(9), kDeviceKvt90, 9},
      {"variant 10 is unknown", {std::nullopt, Kind(0x10)}, "KVTQ1", "KVTQ1", Variant(10), kDeviceKvtQ1, 0},
      {"KVT-Q1 on the third probe", {std::nullopt, std::nullopt, Kind(0x10)}, "KVTQ1", "KVTQ1", std::nullopt,
       kDeviceKvtQ1, 0},
      {"nobody answers: the dialog still opens", {std::nullopt, std::nullopt, std::nullopt}, "KVT", "PXD",
       std::nullopt, kDevicePxd, 0},
  };
  for (const auto &c : cases) {
    SimReset();
    for (const auto &probe : c.probes) {
      if (probe) test::QueueAnswer(*probe); else test::QueueNoAnswer();
    }
    if (c.type == kDeviceKvtQ1 || c.type == kDeviceKvt90) {
      if (c.variantAnswer) test::QueueAnswer(*c.variantAnswer); else test::QueueNoAnswer();
    }
    std::string preset;
    test::StartUiScript({{kDeviceTitle, [&](HWND d) {
                            preset = GetText(d, IDC_DEVICE_TYPE);
                            SetText(d, IDC_DEVICE_ADDRESS, "17");
                            SetText(d, IDC_DEVICE_TYPE, c.chosenType);
                            Click(d, IDOK);
                          }}});
    kvt::Run().variant = 99;
    ASSERT_TRUE(DetectDevice(nullptr)) << c.name;
    EXPECT_EQ(preset, c.presetType) << c.name;
    EXPECT_EQ(kvt::Run().target.type, c.type) << c.name;
    EXPECT_EQ(kvt::Run().target.address, 17) << c.name;
    EXPECT_EQ(kvt::Run().variant, c.variant) << c.name;

    const auto sent = test::SentRequests();
    const std::size_t probes = c.probes.size();
    const bool variantQuery = c.type == kDeviceKvtQ1 || c.type == kDeviceKvt90;
    ASSERT_EQ(sent.size(), probes + (variantQuery ? 1 : 0)) << c.name;
    const BYTE probeTypes[] = {kDevicePxd, kDeviceKvt, kDeviceKvtQ1};
    for (std::size_t i = 0; i < probes; ++i) {
      EXPECT_EQ(sent[i][8], 0x32) << c.name;
      EXPECT_EQ(sent[i][2], probeTypes[i]) << c.name;
      EXPECT_EQ(sent[i][5], 0) << c.name;
    }
    if (variantQuery) {
      EXPECT_EQ(sent.back()[8], 0x74) << c.name;
      EXPECT_EQ(sent.back()[2], c.type) << c.name;
      EXPECT_EQ(sent.back()[5], 0) << c.name << ": the variant query still goes to address 0";
    }
  }
}

TEST_F(DetectTest, CancelShowsNoMenu) {
  SimReset();
  test::QueueAnswer(*Kind(0x08));
  test::StartUiScript({{kDeviceTitle, [](HWND d) { Click(d, IDCANCEL); }}});
  EXPECT_FALSE(DetectDevice(nullptr));
  EXPECT_EQ(test::SentRequests().size(), 1u);
}

// DialogDiagnose with a driver told to fail at one step: one message box per
// failure under "Diagnose", and the run still closes and frees.
TEST(DiagnoseTest, DriverFailuresAreShownInMessageBoxes) {
  SetInstance(GetModuleHandleA(nullptr));
  const struct {
    const char *name;
    const char *config;
    int boxes;
    bool addressDialog;
  } cases[] = {
      {"load fails", "device=kvt;setup=no;fail=load", 1, false},
      {"open fails", "device=kvt;setup=no;fail=open", 1, false},
      {"close fails", "device=kvt;setup=no;fail=close", 1, true},
      {"free fails", "device=kvt;setup=no;fail=free", 1, true},
      {"close and free fail: two boxes", "device=kvt;setup=no;fail=close,free", 2, true},
  };
  for (const auto &c : cases) {
    ASSERT_TRUE(SimConfigure(c.config)) << c.name;
    SimReset();
    std::vector<std::string> texts;
    bool sawAddressDialog = false;
    auto box = [&](HWND b) {
      texts.push_back(test::MessageBoxText(b));
      Click(b, IDOK);
    };
    std::vector<test::UiStep> steps;
    if (c.addressDialog) steps.push_back({kDeviceTitle, [&](HWND d) {
                                            sawAddressDialog = true;
                                            Click(d, IDCANCEL);
                                          }});
    for (int i = 0; i < c.boxes; ++i) steps.push_back({"Diagnose", box});
    test::StartUiScript(steps);
    DialogDiagnose(nullptr, 0, 0);
    EXPECT_EQ(test::PendingUiSteps(), 0u) << c.name;
    test::StopUiScript();
    EXPECT_EQ(static_cast<int>(texts.size()), c.boxes) << c.name;
    for (const auto &text : texts) EXPECT_FALSE(text.empty()) << c.name << ": the driver's own text";
    EXPECT_EQ(sawAddressDialog, c.addressDialog) << c.name;
    EXPECT_EQ(kvt::Run().sensor, 0u) << c.name;
  }
  SimConfigure("");
}

// A whole run against the real menu window: the descriptor brings the menu,
// the title and the callbacks; closing the menu runs the mode check, then
// the driver is closed and freed.
TEST(DiagnoseTest, WholeRunThroughTheMenuWindow) {
  SetInstance(GetModuleHandleA(nullptr));
  ASSERT_TRUE(SimConfigure("device=pxd;address=0;setup=no"));
  SimReset();
  std::string preset, menuClass;
  LRESULT lines = 0;
  test::StartUiScript({{kDeviceTitle,
                        [&](HWND d) {
                          preset = GetText(d, IDC_DEVICE_TYPE);
                          Click(d, IDOK);
                        }},
                       {"Diagnose ausf\xFChren", [&](HWND menu) {
                          char name[64] = "";
                          GetClassNameA(menu, name, sizeof name);
                          menuClass = name;
                          lines = SendDlgItemMessageA(menu, dlg::kIdMenuList, LB_GETCOUNT, 0, 0);
                          PostMessageA(menu, WM_CLOSE, 0, 0);
                        }}});
  DialogDiagnose(nullptr, 0, 0);
  EXPECT_EQ(test::PendingUiSteps(), 0u);
  test::StopUiScript();
  EXPECT_EQ(preset, "PXD");
  EXPECT_EQ(menuClass, dlg::kMenuWindowClass);
  EXPECT_EQ(lines, 119);
  const auto sent = test::SentRequests();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[0][8], 0x32) << "the first probe";
  EXPECT_EQ(sent[0][2], kDevicePxd);
  EXPECT_EQ(sent[1][8], 0x31) << "the mode check after the menu closed";
  EXPECT_EQ(sent[1][2], kDevicePxd);
  EXPECT_EQ(kvt::Run().sensor, 0u) << "closed and freed";
  SimConfigure("");
}

TEST(DiagnoseTest, DescriptorSlots) {
  SetInstance(GetModuleHandleA(nullptr));
  const char name[] = "KVTIDIAG.DLL";
  const char title[] = "Diagnose ausf\xFChren";
  Descriptor d{};
  FillDescriptor(d, 0x1234, static_cast<LPARAM>(-7), name, title);
  EXPECT_EQ(d[kDescCommandProc], reinterpret_cast<ULONG_PTR>(&DiagCommandProc));
  EXPECT_EQ(d[kDescShowResultProc], reinterpret_cast<ULONG_PTR>(&DiagShowResultProc));
  EXPECT_EQ(d[kDescSetupProc], reinterpret_cast<ULONG_PTR>(&DiagSetupProc));
  EXPECT_EQ(d[kDescModeCheckProc], reinterpret_cast<ULONG_PTR>(&DiagModeCheckProc));
  EXPECT_EQ(d[kDescInstance], reinterpret_cast<ULONG_PTR>(GetModuleHandleA(nullptr)));
  EXPECT_EQ(d[kDescName], reinterpret_cast<ULONG_PTR>(name));
  EXPECT_EQ(d[kDescName2], reinterpret_cast<ULONG_PTR>(name));
  EXPECT_EQ(d[kDescTitle], reinterpret_cast<ULONG_PTR>(title));
  EXPECT_EQ(d[kDescHostValueA], 0x1234u);
  EXPECT_EQ(d[kDescHostValueB], static_cast<ULONG_PTR>(static_cast<LPARAM>(-7)));
}

// "Gerät und Adresse setzen": the new target goes into the run and into the
// address line; Cancel keeps the old one. Nothing is sent.
TEST_F(DetectTest, DeviceAndAddressCommand) {
  const struct {
    const char *name;
    bool confirm;
    std::string expected;
    DiagTarget target;
  } cases[] = {
      {"confirmed", true, "vorher\nBei der Kommunikation benutzte Adresse   9  mit Zielger\xE4t  KVT-Q1.\n\n",
       {kDeviceKvtQ1, 9}},
      {"cancelled", false, "vorher\nBei der Kommunikation benutzte Adresse   4  mit Zielger\xE4t  PXD.\n\n",
       {kDevicePxd, 4}},
  };
  for (const auto &c : cases) {
    SimReset();
    kvt::Run().target = {kDevicePxd, 4};
    char text[512] = "vorher";
    CommandRequest request{};
    request[kReqHandler] = 152;
    request[kReqTelegram] = 65535;
    request[kReqResultText] = reinterpret_cast<ULONG_PTR>(text);
    request[kReqCapacity] = sizeof text;
    test::StartUiScript({{kDeviceTitle, [&](HWND d) {
                            SetText(d, IDC_DEVICE_ADDRESS, "9");
                            SetText(d, IDC_DEVICE_TYPE, "KVTQ1");
                            Click(d, c.confirm ? IDOK : IDCANCEL);
                          }}});
    EXPECT_TRUE(DiagCommandProc(nullptr, request.data())) << c.name;
    EXPECT_EQ(test::Escaped(text), test::Escaped(c.expected)) << c.name;
    EXPECT_EQ(kvt::Run().target.type, c.target.type) << c.name;
    EXPECT_EQ(kvt::Run().target.address, c.target.address) << c.name;
    EXPECT_TRUE(test::SentRequests().empty()) << c.name;
  }
}

}  // namespace
}  // namespace kvt
