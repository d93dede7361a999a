// The passwords in the driver's setup dialog, driven through real window
// messages: presets, typing, OK putting them in force for the device,
// complaints about unusable ones, Cancel, tab order.
#include <gtest/gtest.h>

#include "driver/setup_ids.h"
#include "driver/setup_support.h"
#include "mode_requests.h"

namespace drvtest {
namespace {

using namespace kvt::test;

constexpr int kPasswordFields[] = {IDC_SETUP_PW_SETUP, IDC_SETUP_PW_SUPER, IDC_SETUP_PW_SERVICE};


// Types like a user: one WM_CHAR per character into the focused field.
void Type(HWND dialog, int control, const std::string &text) {
  const HWND field = GetDlgItem(dialog, control);
  SetFocus(field);
  SendMessageA(field, EM_SETSEL, 0, -1);
  SendMessageA(field, WM_CHAR, VK_BACK, 0);
  for (char c : text) SendMessageA(field, WM_CHAR, static_cast<BYTE>(c), 0);
}

TEST(SetupPasswords, PresetsLimitsAndCancel) {
  Loaded driver("pw.super=Chef;setup=no");
  const std::string before = ConfigText();
  std::vector<std::string> texts;
  std::vector<LRESULT> limits;
  std::vector<bool> masked;
  StartUiScript({{kTitle, [&](HWND d) {
                    for (int id : kPasswordFields) {
                      texts.push_back(GetText(d, id));
                      limits.push_back(SendDlgItemMessageA(d, id, EM_GETLIMITTEXT, 0, 0));
                      masked.push_back((GetWindowLongA(GetDlgItem(d, id), GWL_STYLE) & ES_PASSWORD) != 0);
                    }
                    Type(d, IDC_SETUP_PW_SETUP, "anders");
                    Click(d, IDCANCEL);
                  }}});
  EXPECT_FALSE(SetupSensor(driver.handle, nullptr, 0, 0));
  EXPECT_EQ(PendingUiSteps(), 0u);
  EXPECT_EQ(texts, (std::vector<std::string>{"einrichten", "Chef", "instandhaltung"}));
  EXPECT_EQ(limits, (std::vector<LRESULT>{16, 16, 16}));
  EXPECT_EQ(masked, (std::vector<bool>{false, false, false})) << "shown in clear";
  EXPECT_EQ(ConfigText(), before) << "Abbrechen changes nothing";
}

// Typed passwords are in force after OK: the device checks them at once.
TEST(SetupPasswords, TypedPasswordsTakeEffect) {
  Loaded driver("setup=no");
  std::string typed;
  StartUiScript({{kTitle, [&](HWND d) {
                    Type(d, IDC_SETUP_PW_SETUP, "Geheim");
                    Type(d, IDC_SETUP_PW_SUPER, "Ch\xE4" "f");  // "Chäf"
                    Type(d, IDC_SETUP_PW_SERVICE, "12345678901234567890");
                    typed = GetText(d, IDC_SETUP_PW_SERVICE);
                    Click(d, IDOK);
                  }}});
  EXPECT_TRUE(SetupSensor(driver.handle, nullptr, 0, 0));
  EXPECT_EQ(PendingUiSteps(), 0u);
  EXPECT_EQ(typed, "1234567890123456") << "16 characters at most";
  EXPECT_EQ(Escaped(ConfigText()),
            Escaped("device=kvt;address=0;variant=0;pw.setup=Geheim;pw.super=Ch\xE4" "f;pw.service=1234567890123456;"
                    "setup=no"));
  ASSERT_TRUE(OpenSensor(driver.handle));
  struct Case {
    BYTE mode;
    const char *password;
    BYTE status;
  };
  const Case cases[] = {
      {0x30, "Geheim", 0},           {0x30, "einrichten", 1},   {0x31, "Ch\xE4" "f", 0},
      {0x31, "superuser", 1},        {0x32, "1234567890123456", 0}, {0x32, "instandhaltung", 1},
      {0x00, "Ch\xE4" "f", 0},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(Exchange(driver.handle, 0, 0x20, WithPassword(c.mode, c.password))[9], c.status)
        << "mode " << int(c.mode) << ", " << Escaped(c.password);
  }
}

// An unusable password is named, the dialog stays with the caret in it,
// and nothing is put in force until all three are good.
TEST(SetupPasswords, UnusablePasswordsAreNamed) {
  Loaded driver("setup=no");
  std::vector<std::string> messages;
  std::vector<bool> focusInField;
  auto closeBox = [&](HWND box) {
    messages.push_back(MessageBoxText(box));
    Click(box, IDOK);
  };
  auto focusOn = [&](int id) {
    return [&, id](HWND d) {
      focusInField.push_back(GetFocus() == GetDlgItem(d, id));
    };
  };
  auto then = [](auto first, auto second) {
    return [first, second](HWND d) {
      first(d);
      second(d);
    };
  };
  StartUiScript({
      {kTitle, [](HWND d) { SetText(d, IDC_SETUP_PW_SETUP, ""); PostClick(d, IDOK); }},
      {kMessageTitle, closeBox},
      {kTitle, then(focusOn(IDC_SETUP_PW_SETUP), [](HWND d) {
         SetText(d, IDC_SETUP_PW_SETUP, " vorn");
         PostClick(d, IDOK);
       })},
      {kMessageTitle, closeBox},
      {kTitle, [](HWND d) {
         SetText(d, IDC_SETUP_PW_SETUP, "neu");
         SetText(d, IDC_SETUP_PW_SUPER, "a;b");
         PostClick(d, IDOK);
       }},
      {kMessageTitle, closeBox},
      {kTitle, then(focusOn(IDC_SETUP_PW_SUPER), [](HWND d) {
         SetText(d, IDC_SETUP_PW_SUPER, "hinten ");
         PostClick(d, IDOK);
       })},
      {kMessageTitle, closeBox},
      {kTitle, [](HWND d) {
         SetText(d, IDC_SETUP_PW_SUPER, "Chef");
         SetText(d, IDC_SETUP_PW_SERVICE, "12345678901234567");  // set, not typed: past the limit
         PostClick(d, IDOK);
       }},
      {kMessageTitle, closeBox},
      {kTitle, then(focusOn(IDC_SETUP_PW_SERVICE), [](HWND d) {
         SetText(d, IDC_SETUP_PW_SERVICE, "");
         PostClick(d, IDOK);
       })},
      {kMessageTitle, closeBox},
      {kTitle, [](HWND d) {
         SetText(d, IDC_SETUP_PW_SERVICE, "in der Mitte");
         PostClick(d, IDOK);
       }},
  });
  EXPECT_TRUE(SetupSensor(driver.handle, nullptr, 0, 0));
  EXPECT_EQ(PendingUiSteps(), 0u);
  const std::string tail = " muss 1 bis 16 Zeichen lang sein, ohne Semikolon und ohne Leerzeichen am Anfang oder Ende.";
  const std::vector<std::string> expected = {
      "Das Einrichtpasswort" + tail,        "Das Einrichtpasswort" + tail,
      "Das Superuserpasswort" + tail,       "Das Superuserpasswort" + tail,
      "Das Instandhaltungspasswort" + tail, "Das Instandhaltungspasswort" + tail,
  };
  ASSERT_EQ(messages.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(Escaped(messages[i]), Escaped(expected[i])) << i;
  EXPECT_EQ(focusInField, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(ConfigText(), "device=kvt;address=0;variant=0;pw.setup=neu;pw.super=Chef;pw.service=in der Mitte;setup=no");
}

// The password fields come after the fault list and before the log file.
TEST(SetupPasswords, TabOrder) {
  Loaded driver("");
  std::vector<int> order;
  StartUiScript({{kTitle, [&](HWND d) {
                    HWND at = GetDlgItem(d, IDC_SETUP_FAULTS);
                    for (int i = 0; i < 4; ++i) {
                      at = GetNextDlgTabItem(d, at, FALSE);
                      order.push_back(GetDlgCtrlID(at));
                    }
                    Click(d, IDCANCEL);
                  }}});
  SetupSensor(driver.handle, nullptr, 0, 0);
  EXPECT_EQ(order, (std::vector<int>{IDC_SETUP_PW_SETUP, IDC_SETUP_PW_SUPER, IDC_SETUP_PW_SERVICE, IDC_SETUP_LOG}));
}

}  // namespace
}  // namespace drvtest
