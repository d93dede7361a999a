// The configuration text of KVTIDRV_SIM and SimConfigure.
#include <gtest/gtest.h>

#include "driver_support.h"

namespace drvtest {
namespace {

constexpr const char *kBefore = "device=pxd;address=9;variant=0;fail=close@2;setup=no";

TEST(Config, BadTextChangesNothing) {
  const std::vector<const char *> bad = {
      "device=abc",        "device=",          "device",             "address=128",
      "address=-1",        "address=",         "address=3x",         "address=0x10",
      "variant=10",        "variant=a",        "fail=foo",           "fail=noanswer@0",
      "fail=noanswer@x",   "fail=noanswer@3++", "fail=@3",           "fail=noanswer@",
      "setup=maybe",       "setup=",           "colour=red",         "=kvt",
      "device=kvt;address=300",
      "fail=load,open,close,free,noanswer,wronganswer,refused,download,load,open,close,free,noanswer,wronganswer,refused,download,load",
  };
  for (const char *text : bad) {
    ASSERT_TRUE(SimConfigure(kBefore));
    EXPECT_FALSE(SimConfigure(text)) << text;
    EXPECT_EQ(ConfigText(), kBefore) << text;
  }
  EXPECT_FALSE(SimConfigure(nullptr));
  SimConfigure("");
}

TEST(Config, GoodTextIsTakenAsWritten) {
  const std::vector<std::pair<const char *, const char *>> cases = {
      {"", "device=kvt;address=0;variant=0;setup=no"},
      {"device=kvt;address=3;variant=2;fail=noanswer@3;log=C:\\tmp\\tel.log;setup=ask",
       "device=kvt;address=3;variant=2;fail=noanswer@3;log=C:\\tmp\\tel.log;setup=ask"},
      {"  Device = KVTQ1 ; address=127;variant=9;fail=noanswer@3, refused@2+ ;setup=ASK;",
       "device=kvtq1;address=127;variant=9;fail=noanswer@3,refused@2+;setup=ask"},
      {"device=kvt90;fail=load;fail=open@2", "device=kvt90;address=0;variant=0;fail=load,open@2;setup=no"},
      {"fail=", "device=kvt;address=0;variant=0;setup=no"},
      {"address=5;address=6", "device=kvt;address=6;variant=0;setup=no"},
      {";;device=pxd;;", "device=pxd;address=0;variant=0;setup=no"},
  };
  for (const auto &[text, expected] : cases) {
    EXPECT_TRUE(SimConfigure(text)) << text;
    EXPECT_EQ(ConfigText(), expected) << text;
  }
  SimConfigure("");
}

TEST(Config, ConfigTextKeepsToItsBuffer) {
  SimConfigure("device=kvtq1;address=12");
  const std::string full = ConfigText();
  std::string buffer(32, '\xCC');
  EXPECT_FALSE(SimConfigText(buffer.data(), 10)) << "a cut text is reported";
  EXPECT_EQ(buffer.substr(0, 10), full.substr(0, 9) + '\0');
  EXPECT_EQ(buffer[10], '\xCC');
  SimConfigure("");
}

// The variable is read at LoadSensor. It replaces the configuration when
// its text differs from the one seen at the previous LoadSensor, so a
// choice made in between through SimConfigure survives an unchanged one.
TEST(Config, EnvironmentVariableAtLoad) {
  SetEnvironmentVariableA("KVTIDRV_SIM", "device=pxd;address=4");
  DWORD handle = LoadSensor(0);
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(ConfigText(), "device=pxd;address=4;variant=0;setup=no");
  EXPECT_FALSE(QuerySensor(handle)) << "a set variable means no setup dialog unless asked";
  Unload(handle);

  SimConfigure("device=kvt90");
  handle = LoadSensor(0);
  EXPECT_EQ(ConfigText(), "device=kvt90;address=0;variant=0;setup=no") << "unchanged variable";
  Unload(handle);

  SetEnvironmentVariableA("KVTIDRV_SIM", "device=kvtq1;setup=ask");
  handle = LoadSensor(0);
  EXPECT_EQ(ConfigText(), "device=kvtq1;address=0;variant=0;setup=ask");
  EXPECT_TRUE(QuerySensor(handle));
  Unload(handle);

  SetEnvironmentVariableA("KVTIDRV_SIM", "device=nonsense");
  EXPECT_EQ(LoadSensor(0), 0u);
  EXPECT_EQ(Escaped(ErrorText(0)), Escaped("Umgebungsvariable KVTIDRV_SIM ist fehlerhaft."));
  EXPECT_EQ(ConfigText(), "device=kvtq1;address=0;variant=0;setup=ask") << "a bad variable changes nothing";

  SetEnvironmentVariableA("KVTIDRV_SIM", nullptr);
  SimConfigure("");
}

}  // namespace
}  // namespace drvtest
