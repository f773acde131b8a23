#include "ScriptFrm/Scripts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using velcor::IniFile;
using Lines = std::vector<std::string>;

IniFile parse(const std::string& text) { return IniFile::fromBytes("Tor-Mela.ini", text); }

const Lines kConnection = {
    R"(Pause 100)",
    R"(Send ASCII, "@D")",
    R"(Send HEX, 0D)",
    R"(Recv 900, error, ANY_ASCII, =)",
    R"(Send ASCII, "D1")",
    R"(Send HEX, 0D)",
    R"(Recv 900, error, ANY_ASCII, @)",
    R"(Send ASCII,"SET 0:0,1:0,2:0,3:0,4:1,5:0,6:1,7:0,8:0,10:0,12:0,13:0,14:0,15:0,16:0,17:0,18:0,19:0")",
    R"(Send HEX, 0D)",
    R"(Recv 900, error, ANY_ASCII, @)",
    R"(X)",
    R"(Send HEX, 0D)",
    R"(Recv 900, error, ANY_ASCII, CONNECT)",
};

TEST(Scripts, DefaultsAreByteExact) {
  EXPECT_EQ(velcor::defaultConnectionScript(), kConnection);
  Lines loader(kConnection.begin(), kConnection.begin() + 12);
  loader.insert(loader.end(), {
                                  R"(Recv 900, error, ANY_ASCII, Username:)",
                                  R"(Send ASCII, "zqv")",
                                  R"(Send HEX, 0D)",
                                  R"(Recv 900, error, ANY_ASCII, Password:)",
                                  R"(Send ASCII, "zqv")",
                                  R"(Send HEX, 0D)",
                                  R"(Recv 900, error, ANY_ASCII, Open)",
                                  R"(Send HEX, 1E78)",
                                  R"(Recv 900, error, ANY_ASCII, Pool>)",
                                  R"(Send ASCII, "resume /noecho")",
                                  R"(Send HEX, 0D)",
                                  R"(Recv 900, error, ANY_ASCII, ])",
                              });
  EXPECT_EQ(velcor::defaultLoaderScript(), loader);
  EXPECT_EQ(velcor::defaultLoaderScript().size(), 24u);
}

TEST(Scripts, ReadingTheConnectionScript) {
  const struct Case {
    const char* name;
    const char* section;
    Lines expected;
  } cases[] = {
      {"no section keeps the defaults", "", kConnection},
      {"a missing line is left out", "[Script]\r\nNum Lines=3\r\nLine1=a\r\nLine3=c\r\n", {"a", "c"}},
      {"an empty line is left out", "[Script]\r\nNum Lines=3\r\nLine1=a\r\nLine2=\r\nLine3=c\r\n", {"a", "c"}},
      {"not a number keeps the defaults", "[Script]\r\nNum Lines=three\r\nLine1=a\r\n", kConnection},
      {"0 keeps the defaults", "[Script]\r\nNum Lines=0\r\nLine1=a\r\n", kConnection},
      {"a negative count keeps the defaults", "[Script]\r\nNum Lines=-1\r\nLine1=a\r\n", kConnection},
      {"past 32 bits is not a number", "[Script]\r\nNum Lines=2147483648\r\nLine1=a\r\n", kConnection},
      {"the count bounds the lines", "[Script]\r\nNum Lines=2\r\nLine1=a\r\nLine2=b\r\nLine3=c\r\n", {"a", "b"}},
      {"a count without lines empties the script", "[Script]\r\nNum Lines= 4 \r\n", {}},
      {"names in any letter case, values trimmed", "[SCRIPT]\r\nnum lines=2\r\nLINE2=  b  \r\nline1=a\r\n", {"a", "b"}},
      {"Line01 is not Line1", "[Script]\r\nNum Lines=1\r\nLine01=a\r\n", {}},
      {"the largest count reads every line there is",
       "[Script]\r\nNum Lines=2147483647\r\nLine2000000000=z\r\nLine1=a\r\nLine4000=m\r\n"
       "Line99999999999999999999=q\r\n",
       {"a", "m", "z"}},
  };
  for (const Case& c : cases) {
    Lines lines = kConnection;
    velcor::readConnectionScript(parse(c.section), lines);
    EXPECT_EQ(lines, c.expected) << c.name;
  }
}

TEST(Scripts, WritingBackRemovesStaleLinesAndReadsBackEqual) {
  IniFile ini = parse(
      "[Main Settings]\r\nTCP Port for Link=2000\r\n"
      "[Script]\r\nNum Lines=5\r\nLine1=old 1\r\nLine2=old 2\r\nType Online Connect=1\r\n"
      "Line3=old 3\r\nline4=old 4\r\nLine5=old 5\r\nLine5=twice\r\nLine0=not a line\r\n");
  const Lines edited = {"Pause 200", "Recv 900, error, ANY_ASCII, ="};
  velcor::writeConnectionScript(ini, edited);
  EXPECT_EQ(ini.readSection("Script"),
            (Lines{"Num Lines", "Line1", "Line2", "Type Online Connect", "Line0"}));
  EXPECT_EQ(ini.readString("Main Settings", "TCP Port for Link", ""), "2000");

  const IniFile reread = parse(ini.toBytes());  // through the file's bytes
  Lines lines = kConnection;
  velcor::readConnectionScript(reread, lines);
  EXPECT_EQ(lines, edited);

  // A longer script over a shorter one, and the defaults into a file without [Script].
  for (const Lines& script : {kConnection, velcor::defaultLoaderScript()}) {
    velcor::writeConnectionScript(ini, script);
    lines.clear();
    velcor::readConnectionScript(parse(ini.toBytes()), lines);
    EXPECT_EQ(lines, script);
  }
  IniFile fresh = parse("");
  velcor::writeConnectionScript(fresh, kConnection);
  lines.clear();
  velcor::readConnectionScript(fresh, lines);
  EXPECT_EQ(lines, kConnection);

  // The file has no way to hold an empty line: it reads back without it.
  velcor::writeConnectionScript(ini, {"a", "", "b"});
  velcor::readConnectionScript(ini, lines);
  EXPECT_EQ(lines, (Lines{"a", "b"}));
}

}  // namespace
