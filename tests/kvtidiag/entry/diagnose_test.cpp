// DialogDiagnose as a host calls it: driver failures in message boxes,
// device detection with the variant it reads, the descriptor, and the
// callbacks besides the command callback.
#include <gtest/gtest.h>

#include "kvtidiag/session.h"
#include "support/texts.h"

namespace kvt::test {
namespace {

// The driver's failures, each in its own box; a cancelled device dialog shows no menu.
TEST(Diagnose, DriverFailuresAndCancel) {
  const struct {
    const char *config;
    bool deviceDialog;
    std::vector<std::string> boxes;
  } cases[] = {
      {"fail=load", false, {text::kFailLoad}},
      {"fail=open", false, {text::kFailOpen}},
      {"fail=close", true, {text::kFailClose}},
      {"fail=close,free", true, {text::kFailClose, text::kFailFree}},
      {"", true, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.config);
    const SessionRun run = RunSession(c.config, [](const Descriptor &) {}, {.cancel = true});
    EXPECT_FALSE(run.menu);
    EXPECT_EQ(run.ui.pending, c.deviceDialog ? 0u : 1u);
    ASSERT_EQ(run.ui.boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      EXPECT_EQ(Escaped(run.ui.boxes[i].text), Escaped(c.boxes[i]));
      EXPECT_EQ(run.ui.boxes[i].caption, text::kMessageCaption);
      EXPECT_TRUE(run.ui.boxes[i].plain);
    }
  }
  // Every failed run still closed and freed: the next one loads.
  EXPECT_TRUE(RunSession("", [](const Descriptor &) {}).menu);
}

TelegramRecord Kind(BYTE bits) { return Answer(0xB2, {}, bits); }
TelegramRecord Variant(BYTE variant) { return AnswerWith(0xF4, {{14, variant}}); }

// The probes, the type offered and chosen, the variant query, and the row
// of the value-flag table that the variant chooses, seen in a scan.
TEST(Diagnose, DetectionAndTheVariantItReads) {
  const std::optional<TelegramRecord> none;
  const struct {
    const char *name;
    Script answers;  // to the probes and the variant query
    std::vector<BYTE> probeTypes;
    const char *preset;
    const char *typed;  // into the device dialog; null: the preset
    BYTE type;
    const char *flags;  // the value 0xE064 as the chosen row shows it
  } cases[] = {
      {"PXD answers the first probe", {Kind(0x08)}, {1}, "PXD", nullptr, kDevicePxd, "FAFBBL  100;"},
      {"KVT answers the second", {none, Kind(0x00)}, {1, 0}, "KVT", nullptr, kDeviceKvt, "FAFBBL  100;"},
      {"PXD bits on the second probe mean KVT", {none, Kind(0x08)}, {1, 0}, "KVT", nullptr, kDeviceKvt,
       "FAFBBL  100;"},
      {"KVT-Q1, variant 1", {none, Kind(0x10), Variant(1)}, {1, 0}, "KVTQ1", nullptr, kDeviceKvtQ1, "R7   100;"},
      {"variant 2", {none, Kind(0x10), Variant(2)}, {1, 0}, "KVTQ1", nullptr, kDeviceKvtQ1, "FAFBFC  100;"},
      {"variant 3", {none, Kind(0x10), Variant(3)}, {1, 0}, "KVTQ1", nullptr, kDeviceKvtQ1, "R3  8292;"},
      {"variant 4", {none, Kind(0x10), Variant(4)}, {1, 0}, "KVTQ1", nullptr, kDeviceKvtQ1, "FAFB 8292;"},
      {"variant 5", {none, Kind(0x10), Variant(5)}, {1, 0}, "KVTQ1", nullptr, kDeviceKvtQ1, "R1 24676;"},
      {"variant 6", {none, Kind(0x10), Variant(6)}, {1, 0}, "KVTQ1", nullptr, kDeviceKvtQ1, "FA24676;"},
      {"90 degrees, variant 9", {none, Kind(0x18), Variant(9)}, {1, 0}, text::kTypeKvt90, "KVT 90", kDeviceKvt90,
       "FA24676;"},
      {"variant 7 is unknown", {none, Kind(0x18), Variant(7)}, {1, 0}, text::kTypeKvt90, "KVT 90", kDeviceKvt90,
       "FAFBBL  100;"},
      {"variant 10 is unknown", {none, Kind(0x10), Variant(10)}, {1, 0}, "KVTQ1", nullptr, kDeviceKvtQ1,
       "FAFBBL  100;"},
      {"KVT-Q1 on the third probe, no variant answer", {none, none, Kind(0x10), none}, {1, 0, 2}, "KVTQ1", nullptr,
       kDeviceKvtQ1, "FAFBBL  100;"},
      {"nobody answers: the dialog still opens", {none, none, none}, {1, 0, 2}, "KVT", "PXD", kDevicePxd,
       "FAFBBL  100;"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EntryRun scan;
    std::vector<TelegramRecord> sent;
    const SessionRun run = RunSession(
        "", [&](const Descriptor &d) {
          sent = SentRequests();
          QueueAnswer(AnswerWords(0xB0, 10, {0x0001, 0xE064}));
          scan = RunEntry(d, {12, 0x1D, {1, 0, 0, 0}});
        },
        {.type = c.typed ? c.typed : "", .address = "17"}, c.answers);
    EXPECT_EQ(Escaped(run.offered), Escaped(c.preset));
    const bool variantQuery = c.type == kDeviceKvtQ1 || c.type == kDeviceKvt90;
    ASSERT_EQ(sent.size(), c.probeTypes.size() + (variantQuery ? 1 : 0));
    for (std::size_t i = 0; i < sent.size(); ++i) {
      const bool probe = i < c.probeTypes.size();
      EXPECT_EQ(sent[i][kRecCode], probe ? 0x32 : 0x74) << i;
      EXPECT_EQ(sent[i][kRecType], probe ? c.probeTypes[i] : c.type) << i;
      EXPECT_EQ(sent[i][kRecAddress], 0) << i;
    }
    EXPECT_EQ(Escaped(scan.text), Escaped(std::string(text::kUnitCm) + Count(1) + c.flags + AddressLine(c.type, 17)));
  }
}

TEST(Diagnose, DescriptorSlots) {
  RunSession("", [](const Descriptor &d) {
    for (int slot : {kDescCommandProc, kDescShowResultProc, kDescSetupProc, kDescModeCheckProc}) {
      EXPECT_NE(d[slot], 0u) << slot;
    }
    EXPECT_EQ(d[kDescInstance], reinterpret_cast<ULONG_PTR>(GetModuleHandleA(nullptr)));
    EXPECT_STREQ(reinterpret_cast<const char *>(d[kDescName]), "KVTIDIAG.DLL");
    EXPECT_STREQ(reinterpret_cast<const char *>(d[kDescName2]), "KVTIDIAG.DLL");
    EXPECT_EQ(Escaped(reinterpret_cast<const char *>(d[kDescTitle])), Escaped(text::kMenuTitle));
    EXPECT_EQ(d[kDescHostValueA], static_cast<ULONG_PTR>(kHostValueA));
    EXPECT_EQ(d[kDescHostValueB], static_cast<ULONG_PTR>(kHostValueB));
  });
}

// "Gerät und Adresse setzen": Cancel keeps the old target; a new one goes
// into the address line and into the requests that follow. Nothing is sent.
TEST(Diagnose, DeviceAndAddressCommand) {
  RunSession(
      "device=pxd;address=4", [](const Descriptor &d) {
        for (bool confirm : {false, true}) {
          SimReset();
          const EntryRun run = RunEntry(d, {152}, {{text::kDeviceDialogTitle, [confirm](HWND dialog) {
                                                     SetText(dialog, 1020, "9");
                                                     SetText(dialog, 1019, "KVTQ1");
                                                     Click(dialog, confirm ? IDOK : IDCANCEL);
                                                   }}});
          EXPECT_EQ(run.ui.pending, 0u);
          EXPECT_EQ(Escaped(run.text), Escaped(kBefore + (confirm ? AddressLine(kDeviceKvtQ1, 9) : AddressLine(kDevicePxd, 4))));
          EXPECT_TRUE(SentRequests().empty());
        }
        RunEntry(d, {10});
        const auto sent = SentRequests();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0][kRecType], kDeviceKvtQ1);
        EXPECT_EQ(sent[0][kRecAddress], 9);
      },
      {.address = "4"});
}

// Status first; a mode outside 0x20-0x2F is changed to "on request".
TEST(Diagnose, ModeCheck) {
  const auto status = [](BYTE mode) { return AnswerWith(0xB1, {{17, mode}}); };
  const std::optional<TelegramRecord> none;
  const struct {
    const char *name;
    Script answers;
    std::size_t sent;
    BOOL expected;
  } cases[] = {
      {"mode 0x20 is an output mode", {status(0x20)}, 1, TRUE},
      {"mode 0x2F is an output mode", {status(0x2F)}, 1, TRUE},
      {"mode 0x30 asks for the change", {status(0x30), Answer(0xA0, {0})}, 2, TRUE},
      {"change refused", {status(0x10), Answer(0xA0, {1})}, 2, FALSE},
      {"change answered wrongly", {status(0x10), Answer(0xA1, {0})}, 2, FALSE},
      {"no status, change accepted", {none, Answer(0xA0, {0})}, 2, TRUE},
      {"status with a wrong code", {AnswerWith(0xB2, {{17, 0x20}}), Answer(0xA0, {0})}, 2, TRUE},
      {"nothing answers", {none, none}, 2, FALSE},
  };
  RunSession(
      "device=kvtq1;address=9", [&](const Descriptor &d) {
        const auto check = reinterpret_cast<DiagModeCheckFn>(d[kDescModeCheckProc]);
        for (const auto &c : cases) {
          SCOPED_TRACE(c.name);
          SimReset();
          Queue(c.answers);
          EXPECT_EQ(check(0), c.expected);
          const auto sent = SentRequests();
          ASSERT_EQ(sent.size(), c.sent);
          EXPECT_EQ(Differences(Request(kDeviceKvtQ1, 9, 0x31), sent[0]), "");
          if (c.sent == 2) { EXPECT_EQ(Differences(Request(kDeviceKvtQ1, 9, 0x20, {0x25}), sent[1]), ""); }
        }
      },
      {.address = "9"});
}

// The setup callback opens the driver's setup dialog over the window given.
TEST(Diagnose, SetupCallback) {
  HWND owner = nullptr;
  RunSession("", [&](const Descriptor &d) {
    RunUi({{text::kSetupDialogTitle, [&](HWND dialog) {
              owner = GetWindow(dialog, GW_OWNER);
              Click(dialog, IDCANCEL);
            }}},
          [&] { reinterpret_cast<DiagSetupFn>(d[kDescSetupProc])(Owner()); });
  });
  EXPECT_EQ(owner, Owner());
}

// The show-result callback: the additional-info dialog on the host's buffer.
TEST(Diagnose, AdditionalInfoDialog) {
  const std::string longLine(300, 'z');
  const struct {
    const char *name;
    std::string typed;  // empty: untouched
    int button;
    INT_PTR result;
    std::string stored;
  } cases[] = {
      {"OK on the untouched dialog", "", IDOK, 1, ""},
      {"a line of the user's own", "Kunde M\xFCller, Halle 3", IDOK, 1, "Kunde M\xFCller, Halle 3"},
      {"300 characters keep the first 254", longLine, IDOK, 1, longLine.substr(0, 254)},
      {"Cancel empties the text", "nicht speichern", IDCANCEL, 0, ""},
  };
  RunSession("", [&](const Descriptor &d) {
    const auto show = reinterpret_cast<DiagShowResultFn>(d[kDescShowResultProc]);
    for (const auto &c : cases) {
      SCOPED_TRACE(c.name);
      std::string host(300, 'q');
      bool okAtStart = false, okWhenEmpty = false;
      LRESULT limit = 0;
      INT_PTR result = -1;
      RunUi({{text::kInfoDialogTitle,
              [&](HWND dialog) {
                okAtStart = IsWindowEnabled(GetDlgItem(dialog, IDOK));
                limit = SendDlgItemMessageA(dialog, 1000, EM_GETLIMITTEXT, 0, 0);
                if (!c.typed.empty()) {
                  SetText(dialog, 1000, "");
                  okWhenEmpty = IsWindowEnabled(GetDlgItem(dialog, IDOK));
                  SetText(dialog, 1000, c.typed);
                }
                Click(dialog, c.button);
              }}},
            [&] { result = show(Owner(), host.data()); });
      EXPECT_EQ(result, c.result);
      EXPECT_EQ(std::string(host.c_str()), c.stored);
      EXPECT_TRUE(okAtStart);
      EXPECT_FALSE(okWhenEmpty) << "OK follows the text";
      EXPECT_EQ(limit, 1999);
    }
  });
}

}  // namespace
}  // namespace kvt::test
