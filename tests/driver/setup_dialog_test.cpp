// The setup dialog of SetupSensor, driven through real window messages:
// presets, choices that take effect, Cancel, complaints about bad input,
// placement over the owner.
#include <gtest/gtest.h>

#include "driver/setup_ids.h"
#include "setup_support.h"

namespace drvtest {
namespace {

using namespace kvt::test;

struct Owner {
  Owner(int x, int y, int w, int h) {
    window = CreateWindowExA(0, "STATIC", "Besitzerfenster", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~Owner() { DestroyWindow(window); }
  HWND window;
};


int Selection(HWND dialog) { return static_cast<int>(SendDlgItemMessageA(dialog, IDC_SETUP_DEVICE, CB_GETCURSEL, 0, 0)); }

std::string ItemString(HWND dialog, int index) {
  char text[64] = {};
  SendDlgItemMessageA(dialog, IDC_SETUP_DEVICE, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(SetupDialog, ChoicesTakeEffect) {
  Loaded driver("device=kvt;address=0;setup=ask");
  Owner owner(100, 80, 700, 500);
  ASSERT_TRUE(QuerySensor(driver.handle));
  std::string presets;
  StartUiScript({{kTitle, [&](HWND d) {
                    presets = std::to_string(Selection(d)) + "|" + GetText(d, IDC_SETUP_ADDRESS) + "|" +
                              GetText(d, IDC_SETUP_VARIANT) + "|" + GetText(d, IDC_SETUP_FAULTS) + "|" +
                              std::to_string(IsDlgButtonChecked(d, IDC_SETUP_ASK));
                    SendDlgItemMessageA(d, IDC_SETUP_DEVICE, CB_SETCURSEL, 1, 0);
                    kvt::test::SetText(d, IDC_SETUP_ADDRESS, "12");
                    kvt::test::SetText(d, IDC_SETUP_VARIANT, "3");
                    kvt::test::SetText(d, IDC_SETUP_FAULTS, "noanswer@2");
                    CheckDlgButton(d, IDC_SETUP_ASK, BST_UNCHECKED);
                    Click(d, IDOK);
                  }}});
  EXPECT_TRUE(SetupSensor(driver.handle, owner.window, 0, 0));
  EXPECT_EQ(PendingUiSteps(), 0u);
  EXPECT_EQ(presets, "0|0|0||1");
  EXPECT_EQ(ConfigText(), "device=pxd;address=12;variant=3;fail=noanswer@2;setup=no");
  EXPECT_FALSE(QuerySensor(driver.handle));

  // The run goes on with the chosen device.
  ASSERT_TRUE(OpenSensor(driver.handle));
  TelegramRecord probe = Request(1, 12, 0x32);
  TelegramRecord answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, probe.data(), answer.data()));
  EXPECT_EQ(answer[kvt::kRecKind], 0x08);
  EXPECT_FALSE(TelegramSensor(driver.handle, probe.data(), answer.data())) << "the second telegram is lost";
}

TEST(SetupDialog, PresetsAndCancel) {
  Loaded driver("device=kvt90;address=127;variant=9;fail=refused@2+,close;log=C:\\tmp\\t.log;setup=no");
  Owner owner(100, 80, 700, 500);
  const std::string before = ConfigText();
  std::vector<std::string> seen;
  StartUiScript({{kTitle, [&](HWND d) {
                    for (int i = 0; i < 4; ++i) seen.push_back(ItemString(d, i));
                    seen.push_back(ItemString(d, Selection(d)));
                    seen.push_back(GetText(d, IDC_SETUP_ADDRESS));
                    seen.push_back(GetText(d, IDC_SETUP_VARIANT));
                    seen.push_back(GetText(d, IDC_SETUP_FAULTS));
                    seen.push_back(GetText(d, IDC_SETUP_LOG));
                    seen.push_back(std::to_string(IsDlgButtonChecked(d, IDC_SETUP_ASK)));
                    SendDlgItemMessageA(d, IDC_SETUP_DEVICE, CB_SETCURSEL, 0, 0);
                    kvt::test::SetText(d, IDC_SETUP_ADDRESS, "5");
                    Click(d, IDCANCEL);
                  }}});
  EXPECT_FALSE(SetupSensor(driver.handle, owner.window, 0, 0));
  const std::vector<std::string> expected = {
      "KVT", "PXD", "KVTQ1", "KVT 90\xB0/0.5\xB0", "KVT 90\xB0/0.5\xB0", "127", "9", "refused@2+,close",
      "C:\\tmp\\t.log", "0"};
  ASSERT_EQ(seen.size(), expected.size());
  for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(Escaped(seen[i]), Escaped(expected[i])) << i;
  EXPECT_EQ(ConfigText(), before);
}

TEST(SetupDialog, BadInputIsNamedAndTheDialogStays) {
  Loaded driver("");
  Owner owner(100, 80, 700, 500);
  std::vector<std::string> messages;
  auto closeBox = [&](HWND box) {
    messages.push_back(MessageBoxText(box));
    Click(box, IDOK);
  };
  StartUiScript({
      {kTitle, [](HWND d) { kvt::test::SetText(d, IDC_SETUP_ADDRESS, "200"); PostClick(d, IDOK); }},
      {kMessageTitle, closeBox},
      {kTitle, [](HWND d) {
         kvt::test::SetText(d, IDC_SETUP_ADDRESS, "20");
         kvt::test::SetText(d, IDC_SETUP_VARIANT, "");
         PostClick(d, IDOK);
       }},
      {kMessageTitle, closeBox},
      {kTitle, [](HWND d) {
         kvt::test::SetText(d, IDC_SETUP_VARIANT, "2");
         kvt::test::SetText(d, IDC_SETUP_FAULTS, "noanswer@0");
         PostClick(d, IDOK);
       }},
      {kMessageTitle, closeBox},
      {kTitle, [](HWND d) {
         kvt::test::SetText(d, IDC_SETUP_FAULTS, " wronganswer@4+ ");
         kvt::test::SetText(d, IDC_SETUP_LOG, "a;b");
         PostClick(d, IDOK);
       }},
      {kMessageTitle, closeBox},
      {kTitle, [](HWND d) {
         kvt::test::SetText(d, IDC_SETUP_LOG, "");
         PostClick(d, IDOK);
       }},
  });
  EXPECT_TRUE(SetupSensor(driver.handle, owner.window, 0, 0));
  EXPECT_EQ(PendingUiSteps(), 0u);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], "Die Adresse muss zwischen 0 und 127 liegen.");
  EXPECT_EQ(messages[1], "Die Variante muss zwischen 0 und 9 liegen.");
  EXPECT_EQ(messages[2].substr(0, 33), "Die Fehlerliste ist nicht lesbar.");
  EXPECT_EQ(messages[3], "Der Dateiname des Protokolls darf kein Semikolon enthalten.");
  EXPECT_EQ(ConfigText(), "device=kvt;address=20;variant=2;fail=wronganswer@4+;setup=no");
}

RECT WindowBox(HWND window) {
  RECT box;
  GetWindowRect(window, &box);
  return box;
}

TEST(SetupDialog, CentredOverItsOwner) {
  struct Case {
    const char *name;
    int x, y, w, h;
  };
  const std::vector<Case> cases = {
      {"middle", 100, 80, 700, 500},
      {"lower right", 700, 600, 500, 400},
      {"partly off the screen", -300, -200, 450, 300},
  };
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  for (const Case &c : cases) {
    Loaded driver("");
    Owner owner(c.x, c.y, c.w, c.h);
    RECT dialog{};
    StartUiScript({{kTitle, [&](HWND d) {
                      dialog = WindowBox(d);
                      Click(d, IDCANCEL);
                    }}});
    SetupSensor(driver.handle, owner.window, 0, 0);
    const RECT o = WindowBox(owner.window);
    const int w = dialog.right - dialog.left;
    const int h = dialog.bottom - dialog.top;
    int x = (o.left + o.right - w) / 2;
    int y = (o.top + o.bottom - h) / 2;
    x = std::max<int>(screen.left, std::min<int>(x, screen.right - w));
    y = std::max<int>(screen.top, std::min<int>(y, screen.bottom - h));
    EXPECT_NEAR(dialog.left, x, 2) << c.name;
    EXPECT_NEAR(dialog.top, y, 2) << c.name;
    EXPECT_GE(dialog.left, 0) << c.name;
    EXPECT_GE(dialog.top, 0) << c.name;
  }
}

TEST(SetupDialog, WithoutOwnerOnTheScreenCentre) {
  Loaded driver("");
  RECT dialog{};
  StartUiScript({{kTitle, [&](HWND d) {
                    dialog = WindowBox(d);
                    Click(d, IDCANCEL);
                  }}});
  EXPECT_FALSE(SetupSensor(driver.handle, nullptr, 0, 0));
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((dialog.left + dialog.right) / 2, (area.left + area.right) / 2, 2);
  EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (area.top + area.bottom) / 2, 2);
}

}  // namespace
}  // namespace drvtest
