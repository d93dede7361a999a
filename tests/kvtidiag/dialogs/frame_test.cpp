// What every dialog shares: number reading from edit texts and the centring
// rule; and the device-and-address dialog, through KVTIDIAG.DLL's export.
#include <gtest/gtest.h>

#include "dialogs/dialogs.h"
#include "kvtidiag/dialogs/dialog_cases.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

TEST(Frame, TextToNumber) {
  const struct {
    const char *text;
    std::int32_t expected;
  } cases[] = {
      {"", 0},         {"0", 0},      {"127", 127},  {"-12", -12},     {"1-2", -12},  {"12a", 0},
      {"12 ", 0},      {"1 2", 2},    {" 12", 12},   {"0x1F", 31},     {"0x1f", 31},  {"0X10", 16},
      {"0x1G", 65535}, {"0x", 0},     {"0x 1F", 31}, {"abc0x10", 16},  {"300", 300},  {"x", 0},
  };
  for (const auto &c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Frame, TextToUnsigned) {
  const struct {
    const char *text;
    std::uint32_t expected;
  } cases[] = {
      {"", 0},       {"12", 12},    {" 12", 12},     {"-12", 65535}, {"12 ", 0},
      {"1a", 65535}, {"0xFF", 255}, {"0xZ", 65535},  {"4294967295", 4294967295u},
  };
  for (const auto &c : cases) EXPECT_EQ(TextToUnsigned(c.text), c.expected) << '"' << c.text << '"';
}

HWND Popup(const RECT &box) {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP, box.left, box.top, box.right - box.left, box.bottom - box.top,
                         nullptr, nullptr, nullptr, nullptr);
}

TEST(Frame, CentreDialogKeepsDialogsOnTheScreen) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const struct {
    const char *name;
    bool parent;
    RECT parentBox;  // a popup without border: client = window
    SIZE dialog;
    POINT expected;
  } cases[] = {
      {"centred over the parent's client area", true, {100, 100, 500, 400}, {200, 100}, {200, 200}},
      {"parent near the right edge", true, {w - 100, 100, w + 300, 400}, {300, 100}, {w - 300, 200}},
      {"parent near the bottom edge", true, {100, h - 50, 500, h + 250}, {200, 300}, {200, h - 300}},
      {"no parent: centred on the screen", false, {}, {200, 100}, {(w - 200) / 2, (h - 100) / 2}},
      {"wider than the screen sticks to the left", false, {}, {w + 200, 100}, {0, (h - 100) / 2}},
      {"parent left of the screen pulls to 0", true, {-900, 10, -100, 110}, {200, 300}, {0, 0}},
  };
  for (const auto &c : cases) {
    HWND parent = c.parent ? Popup(c.parentBox) : nullptr;
    HWND dialog = Popup({0, 0, c.dialog.cx, c.dialog.cy});
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

const Dialog kDeviceAdr{"DialogDeviceAdr", kNoSelector, 105, nullptr, text::kDeviceDialogTitle};

TEST(DeviceDialog, OffersTheDetectedType) {
  const struct {
    BYTE detected;
    const char *text;
  } cases[] = {{0, "KVT"}, {1, "PXD"}, {2, "KVTQ1"}, {3, text::kTypeKvt90}, {7, "PXD"}};
  for (const auto &c : cases) {
    Bytes block = {0xAA, 0xBB, c.detected, 0};
    std::string type, address;
    LRESULT limit = 0, typeLimit = 0;
    RunUi({{kDeviceAdr.title, [&](HWND d) {
              type = ItemText(d, 1019);
              address = ItemText(d, 1020);
              limit = SendDlgItemMessageA(d, 1020, EM_GETLIMITTEXT, 0, 0);
              SetText(d, 1020, "3");
              typeLimit = SendDlgItemMessageA(d, 1019, EM_GETLIMITTEXT, 0, 0);
              Click(d, IDCANCEL);
            }}},
          [&] { EXPECT_EQ(Start(kDeviceAdr, block.data()), 0); });
    EXPECT_EQ(Escaped(type), Escaped(c.text)) << "detected " << int(c.detected);
    EXPECT_EQ(address, "0");
    EXPECT_EQ(limit, 3);
    EXPECT_EQ(typeLimit, 5) << "an address limits the type to five characters";
    EXPECT_EQ(Hex(block), Hex(Bytes{0xAA, 0xBB, c.detected, 0})) << "Cancel leaves the block";
  }
}

TEST(DeviceDialog, StoresAddressAndType) {
  using enum Press;
  const Bytes before = {0xAA, 0xBB, 0, 0};
  auto chosen = [](BYTE address, BYTE type) { return Bytes{address, type, 0, 0}; };
  CheckValues({
      {"lower-case pxd", kDeviceAdr, {{1020, "5"}, {1019, "pxd"}}, kOk, {}, 1, chosen(5, 1), {}, before},
      {"KVT 95 begins like the 90 degree type", kDeviceAdr, {{1019, "KVT 95"}}, kOk, {}, 1, chosen(0, 3), {}, before},
      {"KVT", kDeviceAdr, {{1020, "127"}, {1019, "KVT"}}, kOk, {}, 1, chosen(127, 0), {}, before},
      {"kvtq1", kDeviceAdr, {{1020, "1"}, {1019, "kvtq1"}}, kOk, {}, 1, chosen(1, 2), {}, before},
      {"anything else is a KVT", kDeviceAdr, {{1020, "1"}, {1019, "XYZ"}}, kOk, {}, 1, chosen(1, 0), {}, before},
      {"200 is refused", kDeviceAdr, {{1020, "200"}, {1019, "KVT"}}, kOk, {text::kAddressRange}, 1, chosen(0, 0), {},
       before},
      {"300 keeps its low byte", kDeviceAdr, {{1020, "300"}, {1019, "KVT"}}, kOk, {}, 1, chosen(44, 0), {}, before},
      {"hexadecimal", kDeviceAdr, {{1020, "x1F"}, {1019, "PXD"}}, kOk, {}, 1, chosen(31, 1), {}, before},
  });
}

}  // namespace
}  // namespace kvt::test
