#include "settings/SideFiles.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "host/files.h"
#include "host/paths.h"
#include "host/registry.h"

namespace {

namespace fs = std::filesystem;
using host::testing::ScopedPrefix;
using host::testing::TempDir;

TEST(SideFiles, TmsPointerKeepsTheRestOfDefaultIni) {
  ScopedPrefix prefix;
  TempDir program;
  host::setProgramFolder(program.path());
  EXPECT_EQ(velcor::tmsPath(), "");

  host::registry::write(host::registry::Hive::CurrentUser, "Software\\Kerrow", "TMSPath", "C:\\TMS");
  ASSERT_EQ(velcor::tmsPath(), "C:\\TMS");
  fs::path folder = prefix.path() / "drive_c/TMS";
  fs::create_directories(folder);
  host::writeFileAtomic(folder / "default.ini", "[TMS server]\r\nProfile1=old\r\nProfile2=other\r\n[Misc]\r\nx=1\r\n");

  velcor::pointTmsAt(velcor::tmsPath(), velcor::parameterDatabasePath());
  EXPECT_EQ(host::readFile(folder / "default.ini"),
            "[TMS server]\r\nProfile1=" + (program.path() / "TMS/BD.tms").string() +
                "\r\nProfile2=other\r\n\r\n[Misc]\r\nx=1\r\n\r\n");

  EXPECT_THROW(velcor::pointTmsAt("C:\\NoSuchFolder", velcor::parameterDatabasePath()), host::FileError);
  host::setProgramFolder({});
}

TEST(SideFiles, TerminalIdsOfTheDatabase) {
  auto db = velcor::IniFile::fromBytes("BD.tms", "[Terminals]\r\nTID Count=3\r\nTID1=T0000001\r\nTID2=T0000002\r\n");
  EXPECT_EQ(velcor::terminalIds(db), (std::vector<std::string>{"T0000001", "T0000002"}));
  auto huge = velcor::IniFile::fromBytes("BD.tms", "[Terminals]\r\nTID Count=2147483647\r\n");
  EXPECT_TRUE(velcor::terminalIds(huge).empty());
}

TEST(SideFiles, ContactReaderLine) {
  TempDir dir;
  const std::string replaced = "\t<Contact_Reader Device=\"Virtual PCD 00 01\" Type=\"PC/SC\"/>\r\n";
  struct Case {
    const char* name;
    std::string before;
    bool found;
    std::string after;
  } cases[] = {
      {"first matching line replaced whole, later ones kept",
       "<Config>\n    <Contact_Reader Device=\"Old\" Type=\"X\" Extra=\"1\"/>\r<Contact_Reader Device=\"Second\"/>\r\n</Config>",
       true, "<Config>\r\n" + replaced + "<Contact_Reader Device=\"Second\"/>\r\n</Config>\r\n"},
      {"no such line", "<Config>\n</Config>\n", false, ""},
      {"empty file", "", false, ""},
  };
  for (const auto& c : cases) {
    host::writeFileAtomic(dir / "PCardConfig.xml", c.before);
    velcor::ContactReaderConfig config(dir / "PCardConfig.xml");
    EXPECT_EQ(config.replaceReader("Virtual PCD 00 01"), c.found) << c.name;
    if (c.found) {
      config.save();
      EXPECT_EQ(host::readFile(dir / "PCardConfig.xml"), c.after) << c.name;
    }
  }

  EXPECT_THROW(velcor::ContactReaderConfig(dir / "missing.xml"), host::FileError);
  velcor::ContactReaderConfig config(dir / "PCardConfig.xml");
  host::setFileAttributes(dir / "PCardConfig.xml", host::kAttrReadOnly);
  EXPECT_THROW(config.save(), host::FileError);

  ScopedPrefix prefix;
  EXPECT_EQ(velcor::ContactReaderConfig::defaultPath(), prefix.path() / "dosdevices/c:/Tmp/PCardConfig.xml");
}

}  // namespace
