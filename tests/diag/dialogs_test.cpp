// The device-and-address dialog, the additional-info dialog and the
// centring rule, driven through real window messages.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialogs/dialogs.h"
#include "entry/entry.h"
#include "support/ui_script.h"

namespace kvt {
namespace {

using test::Click;
using test::GetText;
using test::SetText;

constexpr char kDeviceTitle[] = "Device und Kommunikationsadresse";
constexpr char kInfoTitle[] = "Eingabe von Zusatzinfo in die Ergebnisliste";

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { SetInstance(GetModuleHandleA(nullptr)); }
  void TearDown() override { test::StopUiScript(); }
};

TEST_F(DialogTest, DeviceDialogPresetsFromTheDetectedType) {
  const struct {
    BYTE detected;
    const char *text;
  } cases[] = {{0, "KVT"}, {1, "PXD"}, {2, "KVTQ1"}, {3, "KVT 90\xB0/0.5\xB0"}, {7, "PXD"}};
  for (const auto &c : cases) {
    BYTE block[4] = {0xAA, 0xBB, c.detected, 0};
    std::string type, address;
    LRESULT limit = 0;
    test::StartUiScript({{kDeviceTitle, [&](HWND d) {
                            type = GetText(d, IDC_DEVICE_TYPE);
                            address = GetText(d, IDC_DEVICE_ADDRESS);
                            limit = SendDlgItemMessageA(d, IDC_DEVICE_ADDRESS, EM_GETLIMITTEXT, 0, 0);
                            Click(d, IDCANCEL);
                          }}});
    EXPECT_EQ(DialogDeviceAdr(nullptr, block), 0);
    EXPECT_EQ(type, c.text) << "detected " << int(c.detected);
    EXPECT_EQ(address, "0");
    EXPECT_EQ(limit, 3);
    EXPECT_EQ(block[0], 0xAA) << "Cancel leaves the block";
    EXPECT_EQ(block[1], 0xBB) << "Cancel leaves the block";
  }
}

TEST_F(DialogTest, DeviceDialogStoresAddressAndType) {
  const struct {
    const char *name;
    const char *address;
    const char *type;
    BYTE storedAddress;
    BYTE storedType;
    const char *message;
  } cases[] = {
      {"lower-case pxd", "5", "pxd", 5, 1, ""},
      {"KVT 95 begins like the 90 degree type", "0", "KVT 95", 0, 3, ""},
      {"KVT", "127", "KVT", 127, 0, ""},
      {"KVTQ1", "1", "kvtq1", 1, 2, ""},
      {"anything else is a KVT", "1", "XYZ", 1, 0, ""},
      {"200 is refused", "200", "KVT", 0, 0, "Adresse muss zwischen 0 und 127  liegen!"},
      {"300 keeps its low byte", "300", "KVT", 44, 0, ""},
      {"hexadecimal", "x1F", "PXD", 31, 1, ""},
      {"a trailing blank reads as 0", "12 ", "PXD", 0, 1, ""},
  };
  for (const auto &c : cases) {
    BYTE block[4] = {0xAA, 0xBB, 0, 0};
    std::string message;
    test::StartUiScript({{kDeviceTitle,
                          [&](HWND d) {
                            SetText(d, IDC_DEVICE_ADDRESS, c.address);
                            SetText(d, IDC_DEVICE_TYPE, c.type);
                            Click(d, IDOK);
                          }},
                         {"Diagnose", [&](HWND box) {
                            message = test::MessageBoxText(box);
                            Click(box, IDOK);
                          }}});
    EXPECT_EQ(DialogDeviceAdr(nullptr, block), 1) << c.name;
    if (*c.message == '\0') test::StopUiScript();
    EXPECT_EQ(block[0], c.storedAddress) << c.name;
    EXPECT_EQ(block[1], c.storedType) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
  }
}

TEST_F(DialogTest, AddressChangeLimitsTheTypeToFiveCharacters) {
  BYTE block[4] = {0, 0, 0, 0};
  LRESULT after = 0;
  test::StartUiScript({{kDeviceTitle, [&](HWND d) {
                          SetText(d, IDC_DEVICE_ADDRESS, "3");
                          after = SendDlgItemMessageA(d, IDC_DEVICE_TYPE, EM_GETLIMITTEXT, 0, 0);
                          Click(d, IDCANCEL);
                        }}});
  DialogDeviceAdr(nullptr, block);
  EXPECT_EQ(after, 5);
}

TEST_F(DialogTest, AdditionalInfoDialog) {
  const std::string longLine(300, 'z');
  const struct {
    const char *name;
    std::string typed;  // empty: leave untouched
    int button;
    INT_PTR result;
    std::string stored;
  } cases[] = {
      {"OK on the untouched dialog", "", IDOK, 1, ""},
      {"a line of the user's own", "Kunde M\xFCller, Halle 3", IDOK, 1, "Kunde M\xFCller, Halle 3"},
      {"300 characters keep the first 254", longLine, IDOK, 1, longLine.substr(0, 254)},
      {"Cancel empties the text", "nicht speichern", IDCANCEL, 0, ""},
  };
  for (const auto &c : cases) {
    char host[300];
    std::memset(host, 'q', sizeof host);
    host[299] = '\0';
    bool okAtStart = false;
    LRESULT limit = 0;
    test::StartUiScript({{kInfoTitle, [&](HWND d) {
                            okAtStart = IsWindowEnabled(GetDlgItem(d, IDOK));
                            limit = SendDlgItemMessageA(d, IDC_RESULT_LINE, EM_GETLIMITTEXT, 0, 0);
                            if (!c.typed.empty()) SetText(d, IDC_RESULT_LINE, c.typed);
                            Click(d, c.button);
                          }}});
    EXPECT_EQ(DiagShowResultProc(nullptr, host), c.result) << c.name;
    EXPECT_EQ(std::string(host), c.stored) << c.name;
    EXPECT_TRUE(okAtStart) << c.name;
    EXPECT_EQ(limit, 1999) << c.name;
  }
}

TEST_F(DialogTest, AdditionalInfoOkFollowsTheText) {
  char host[256] = "";
  bool withText = false, empty = true;
  test::StartUiScript({{kInfoTitle, [&](HWND d) {
                          SetText(d, IDC_RESULT_LINE, "x");
                          withText = IsWindowEnabled(GetDlgItem(d, IDOK));
                          SetText(d, IDC_RESULT_LINE, "");
                          empty = IsWindowEnabled(GetDlgItem(d, IDOK));
                          Click(d, IDCANCEL);
                        }}});
  DiagShowResultProc(nullptr, host);
  EXPECT_TRUE(withText);
  EXPECT_FALSE(empty);
}

HWND Popup(int x, int y, int w, int h) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(DialogTest, CentreDialogKeepsDialogsOnTheScreen) {
  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    const char *name;
    bool parent;
    RECT parentBox;  // popup without border: client = window
    SIZE dialog;
    POINT expected;
  };
  const Case cases[] = {
      {"centred over the parent's client area", true, {100, 100, 500, 400}, {200, 100}, {200, 200}},
      {"parent near the right edge", true, {screenW - 100, 100, screenW + 300, 400}, {300, 100},
       {screenW - 300, 200}},
      {"parent near the bottom edge", true, {100, screenH - 50, 500, screenH + 250}, {200, 300},
       {200, screenH - 300}},
      {"no parent: centred on the screen", false, {}, {200, 100}, {(screenW - 200) / 2, (screenH - 100) / 2}},
      {"wider than the screen sticks to the left", false, {}, {screenW + 200, 100}, {0, (screenH - 100) / 2}},
      {"parent left of the screen pulls to 0", true, {-900, 10, -100, 110}, {200, 300}, {0, 0}},
  };
  for (const auto &c : cases) {
    HWND parent = c.parent ? Popup(c.parentBox.left, c.parentBox.top, c.parentBox.right - c.parentBox.left,
                                   c.parentBox.bottom - c.parentBox.top)
                           : nullptr;
    HWND dialog = Popup(0, 0, c.dialog.cx, c.dialog.cy);
    CentreDialog(parent, dialog);
    RECT box;
    GetWindowRect(dialog, &box);
    EXPECT_EQ(box.left, c.expected.x) << c.name;
    EXPECT_EQ(box.top, c.expected.y) << c.name;
    EXPECT_EQ(box.right - box.left, c.dialog.cx) << c.name << ": size unchanged";
    DestroyWindow(dialog);
    if (parent) DestroyWindow(parent);
  }
}

}  // namespace
}  // namespace kvt
