#include "host/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "TempDir.h"
#include "host/paths.h"

namespace {

namespace fs = std::filesystem;
using host::testing::TempDir;

// A stand-in program that writes its name and arguments into a marker file.
void writeProgram(const fs::path& path, const fs::path& marker) {
  host::writeFileAtomic(path, "#!/bin/sh\necho \"$0 $*\" > '" + marker.string() + "'\n");
  ::chmod(path.c_str(), 0755);
}

std::string waitForMarker(const fs::path& marker) {
  for (int i = 0; i < 500 && !host::fileExists(marker); ++i) host::sleepMs(20);
  for (int i = 0; i < 50; ++i) {
    std::string text = host::fileExists(marker) ? host::readFile(marker) : "";
    if (!text.empty() && text.back() == '\n') return text;
    host::sleepMs(20);
  }
  return {};
}

class WinExecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "prog");
    fs::create_directories(dir_ / "work");
    saved_ = fs::current_path();
    fs::current_path(dir_ / "work");
    host::setProgramFolder(dir_ / "prog");
  }
  void TearDown() override {
    fs::current_path(saved_);
    host::setProgramFolder({});
  }
  TempDir dir_;
  fs::path saved_;
};

TEST_F(WinExecTest, BareNameSearchesProgramFolderThenWorkingDirectory) {
  writeProgram(dir_ / "work/Tormela.exe", dir_ / "from-work");
  ASSERT_TRUE(host::winExec("Tormela.exe", 6));
  EXPECT_NE(waitForMarker(dir_ / "from-work").find("work/Tormela.exe"), std::string::npos);

  writeProgram(dir_ / "prog/Tormela.exe", dir_ / "from-prog");
  ASSERT_TRUE(host::winExec("Tormela.exe", 6));
  EXPECT_NE(waitForMarker(dir_ / "from-prog").find("prog/Tormela.exe"), std::string::npos);
}

TEST_F(WinExecTest, PathsQuotesAndArguments) {
  fs::create_directories(dir_ / "with blank");
  writeProgram(dir_ / "with blank/T.exe", dir_ / "m1");
  ASSERT_TRUE(host::winExec((dir_ / "with blank/T.exe").string(), 6));  // unquoted whole line
  EXPECT_FALSE(waitForMarker(dir_ / "m1").empty());

  std::string line = "\"";
  line += (dir_ / "with blank/T.exe").string();
  line += "\" one \"two words\"";
  ASSERT_TRUE(host::winExec(line, 6));
  std::string text;
  for (int i = 0; i < 100 && text.find("two words") == std::string::npos; ++i) {
    host::sleepMs(20);
    text = waitForMarker(dir_ / "m1");
  }
  EXPECT_NE(text.find("one two words"), std::string::npos);
}

TEST_F(WinExecTest, MissingOrNotExecutableFails) {
  EXPECT_FALSE(host::winExec("NoSuchProgram.exe", 6));
  EXPECT_FALSE(host::winExec("", 6));
  host::writeFileAtomic(dir_ / "work/plain.exe", "not a program");
  ::chmod((dir_ / "work/plain.exe").c_str(), 0644);
  EXPECT_FALSE(host::winExec("plain.exe", 6));
  EXPECT_TRUE(host::findProgram("sh").filename() == "sh");
}

}  // namespace
