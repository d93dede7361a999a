// The setup dialog of SetupSensor through real window messages: presets,
// choices and passwords that take effect, Cancel, and bad input named while
// the dialog stays.
#include <gtest/gtest.h>

#include "driver/setup_ids.h"
#include "support/records.h"
#include "support/texts.h"
#include "support/ui.h"

namespace kvt::test {
namespace {

// A loaded driver whose setup the test runs.
struct Loaded {
  explicit Loaded(const char *config) {
    SimConfigure(config);
    handle = LoadSensor(0);
  }
  ~Loaded() {
    CloseSensor(handle);
    FreeSensor(handle);
    SimConfigure("");
  }
  DWORD handle;
};

// Types like a user: one WM_CHAR per character into the field.
void Type(HWND dialog, int control, const std::string &text) {
  const HWND field = GetDlgItem(dialog, control);
  SetFocus(field);
  SendMessageA(field, EM_SETSEL, 0, -1);
  SendMessageA(field, WM_CHAR, VK_BACK, 0);
  for (char c : text) SendMessageA(field, WM_CHAR, static_cast<BYTE>(c), 0);
}

std::string Item(HWND dialog, int index) {
  char text[64] = {};
  SendDlgItemMessageA(dialog, IDC_SETUP_DEVICE, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(SetupDialog, PresetsAndCancel) {
  const Loaded driver("device=kvt90;address=127;variant=9;fail=refused@2+,close;log=C:\\tmp\\t.log;pw.super=Chef");
  const std::string before = ConfigText();
  std::vector<std::string> seen;
  std::vector<LRESULT> limits;
  BOOL result = TRUE;
  const UiRun run = RunUi({{text::kSetupDialogTitle, [&](HWND d) {
                              for (int i = 0; i < 4; ++i) seen.push_back(Item(d, i));
                              seen.push_back(Item(d, static_cast<int>(SendDlgItemMessageA(d, IDC_SETUP_DEVICE,
                                                                                          CB_GETCURSEL, 0, 0))));
                              for (int id : {IDC_SETUP_ADDRESS, IDC_SETUP_VARIANT, IDC_SETUP_FAULTS, IDC_SETUP_LOG,
                                             IDC_SETUP_PW_SETUP, IDC_SETUP_PW_SUPER, IDC_SETUP_PW_SERVICE}) {
                                seen.push_back(ItemText(d, id));
                              }
                              seen.push_back(std::to_string(IsDlgButtonChecked(d, IDC_SETUP_ASK)));
                              for (int id : {IDC_SETUP_PW_SETUP, IDC_SETUP_PW_SUPER, IDC_SETUP_PW_SERVICE}) {
                                limits.push_back(SendDlgItemMessageA(d, id, EM_GETLIMITTEXT, 0, 0));
                              }
                              SendDlgItemMessageA(d, IDC_SETUP_DEVICE, CB_SETCURSEL, 0, 0);
                              Type(d, IDC_SETUP_PW_SETUP, "anders");
                              Click(d, IDCANCEL);
                            }}},
                          [&] { result = SetupSensor(driver.handle, Owner(), 0, 0); });
  EXPECT_EQ(run.pending, 0u);
  EXPECT_FALSE(result);
  const std::vector<std::string> expected = {"KVT", "PXD", "KVTQ1", text::kTypeKvt90, text::kTypeKvt90, "127", "9",
                                             "refused@2+,close", "C:\\tmp\\t.log", "einrichten", "Chef",
                                             "instandhaltung", "0"};
  ASSERT_EQ(seen.size(), expected.size());
  for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(Escaped(seen[i]), Escaped(expected[i])) << i;
  EXPECT_EQ(limits, (std::vector<LRESULT>{16, 16, 16}));
  EXPECT_EQ(ConfigText(), before) << "Abbrechen changes nothing";
}

// OK puts the choices in force: the run goes on with the chosen device,
// and the device checks the typed passwords at once.
TEST(SetupDialog, ChoicesTakeEffect) {
  const Loaded driver("device=kvt;setup=ask");
  ASSERT_TRUE(QuerySensor(driver.handle));
  std::string typed;
  const UiRun run = RunUi({{text::kSetupDialogTitle, [&](HWND d) {
                              SendDlgItemMessageA(d, IDC_SETUP_DEVICE, CB_SETCURSEL, 1, 0);
                              SetText(d, IDC_SETUP_ADDRESS, "12");
                              SetText(d, IDC_SETUP_VARIANT, "3");
                              SetText(d, IDC_SETUP_FAULTS, "noanswer@2");
                              CheckDlgButton(d, IDC_SETUP_ASK, BST_UNCHECKED);
                              Type(d, IDC_SETUP_PW_SUPER, "Ch\xE4" "f");
                              Type(d, IDC_SETUP_PW_SERVICE, "12345678901234567890");
                              typed = ItemText(d, IDC_SETUP_PW_SERVICE);
                              Click(d, IDOK);
                            }}},
                          [&] { EXPECT_TRUE(SetupSensor(driver.handle, Owner(), 0, 0)); });
  EXPECT_EQ(run.pending, 0u);
  EXPECT_EQ(typed, "1234567890123456") << "16 characters at most";
  EXPECT_EQ(Escaped(ConfigText()), Escaped("device=pxd;address=12;variant=3;fail=noanswer@2;pw.super=Ch\xE4" "f;"
                                           "pw.service=1234567890123456;setup=no"));
  EXPECT_FALSE(QuerySensor(driver.handle));
  ASSERT_TRUE(OpenSensor(driver.handle));
  TelegramRecord probe = Request(1, 12, 0x20, {0x31, 'C', 'h', 0xE4, 'f', 0}), answer{};
  ASSERT_TRUE(TelegramSensor(driver.handle, probe.data(), answer.data()));
  EXPECT_EQ(Hex(std::span(answer).subspan(7, 3)), "08 A0 00") << "a PXD, and the superuser password it knows";
  EXPECT_FALSE(TelegramSensor(driver.handle, probe.data(), answer.data())) << "the second telegram is lost";
}

TEST(SetupDialog, BadInputIsNamedAndTheDialogStays) {
  const Loaded driver("");
  std::vector<bool> focusInField;
  // Types into the dialog and presses OK; first notes whether the caret
  // waits in the field that the last message named.
  auto step = [&](int focused, std::vector<std::pair<int, const char *>> texts) {
    return UiStep{text::kSetupDialogTitle, [&focusInField, focused, texts](HWND d) {
                    if (focused) focusInField.push_back(GetFocus() == GetDlgItem(d, focused));
                    for (const auto &[id, value] : texts) SetText(d, id, value);
                    Click(d, IDOK);
                  }};
  };
  const UiRun run = RunUi(
      {
          step(0, {{IDC_SETUP_ADDRESS, "200"}}),
          step(0, {{IDC_SETUP_ADDRESS, "20"}, {IDC_SETUP_VARIANT, ""}}),
          step(0, {{IDC_SETUP_VARIANT, "2"}, {IDC_SETUP_FAULTS, "noanswer@0"}}),
          step(0, {{IDC_SETUP_FAULTS, " wronganswer@4+ "}, {IDC_SETUP_LOG, "a;b"}}),
          step(0, {{IDC_SETUP_LOG, ""}, {IDC_SETUP_PW_SETUP, ""}}),
          step(IDC_SETUP_PW_SETUP, {{IDC_SETUP_PW_SETUP, "x"}, {IDC_SETUP_PW_SUPER, " vorn"}}),
          step(IDC_SETUP_PW_SUPER, {{IDC_SETUP_PW_SUPER, "x"}, {IDC_SETUP_PW_SERVICE, "a;b"}}),
          step(IDC_SETUP_PW_SERVICE, {{IDC_SETUP_PW_SERVICE, "x"}}),
      },
      [&] { EXPECT_TRUE(SetupSensor(driver.handle, nullptr, 0, 0)); });
  EXPECT_EQ(run.pending, 0u);
  const std::vector<std::string> expected = {
      text::kSetupAddressRange, text::kSetupVariantRange,    text::kSetupFaultsUnreadable, text::kSetupLogSemicolon,
      text::kSetupPasswordSetup, text::kSetupPasswordSuper, text::kSetupPasswordService};
  ASSERT_EQ(run.boxes.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Escaped(run.boxes[i].text.substr(0, expected[i].size())), Escaped(expected[i])) << i;
    EXPECT_EQ(run.boxes[i].caption, "Sensortreiber") << i;
  }
  EXPECT_EQ(focusInField, (std::vector<bool>{true, true, true})) << "the caret waits in the password named";
  EXPECT_EQ(ConfigText(), "device=kvt;address=20;variant=2;fail=wronganswer@4+;pw.setup=x;pw.super=x;pw.service=x;"
                          "setup=no");
}

}  // namespace
}  // namespace kvt::test
