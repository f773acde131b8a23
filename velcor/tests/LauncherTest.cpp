#include "app/Launcher.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <sys/wait.h>

#include <climits>
#include <cstring>

#include "TempDir.h"
#include "host/files.h"
#include "host/process.h"

namespace {

namespace fs = std::filesystem;
using host::testing::TempDir;
using Args = std::vector<std::string>;

TEST(Launcher, ArgumentTable) {
  struct Case {
    Args args;
    velcor::Mode mode;
  } cases[] = {
      {{}, velcor::Mode::Editor},
      {{"rerun"}, velcor::Mode::Rerun},
      {{"rerun", "Name"}, velcor::Mode::Rerun},
      {{"rerun", "Name", "x"}, velcor::Mode::Rerun},
      {{"rerun", "Name", "x", "y"}, velcor::Mode::Editor},
      {{"delayrun"}, velcor::Mode::DelayRun},
      {{"delayrun", "", "5"}, velcor::Mode::DelayRun},
      {{"Rerun"}, velcor::Mode::Editor},
      {{"DELAYRUN", "Tormela"}, velcor::Mode::Editor},
      {{"other"}, velcor::Mode::Editor},
      {{""}, velcor::Mode::Editor},
  };
  for (const auto& c : cases) EXPECT_EQ(velcor::selectMode(c.args), c.mode) << ::testing::PrintToString(c.args);

  EXPECT_EQ(velcor::programFile({"rerun"}), "Tormela.exe");
  EXPECT_EQ(velcor::programFile({"rerun", ""}), "Tormela.exe");
  EXPECT_EQ(velcor::programFile({"rerun", "bin/Term.exe"}), "bin/Term.exe.exe");
}

TEST(Launcher, DelayTable) {
  struct Case {
    Args args;
    std::uint32_t ms;
  } cases[] = {
      {{"delayrun"}, 30000},
      {{"delayrun", "Tormela"}, 20000},
      {{"delayrun", "Tormela", "5"}, 5000},
      {{"delayrun", "Tormela", "abc"}, 30000},
      {{"delayrun", "Tormela", ""}, 30000},
      {{"delayrun", "Tormela", "-5"}, 0},
      {{"delayrun", "Tormela", "2147483"}, 2147483000u},
      {{"delayrun", "Tormela", "2147484"}, INT32_MAX},
      {{"delayrun", "Tormela", "99999999999"}, 30000},  // not a 32-bit integer at all
  };
  for (const auto& c : cases) EXPECT_EQ(velcor::delayMilliseconds(c.args), c.ms) << ::testing::PrintToString(c.args);
}

// Runs the launcher in a working folder of its own, recording sleeps and starts.
class LauncherRun : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = fs::current_path();
    fs::current_path(dir_.path());
    hooks_.sleep = [this](std::uint32_t ms) { sleeps_.push_back(ms); };
    hooks_.start = [this](std::string_view file) {
      started_.emplace_back(file);
      return true;
    };
  }
  void TearDown() override {
    fs::current_path(saved_);
    std::error_code ec;
    fs::permissions(dir_ / "Tormela.exe", fs::perms::owner_write, fs::perm_options::add, ec);
  }
  void file(const std::string& name, std::size_t size, char fill) {
    host::writeFileAtomic(dir_ / name, std::string(size, fill));
  }
  char programByte() { return host::readFile(dir_ / "Tormela.exe").at(0); }

  TempDir dir_;
  fs::path saved_;
  velcor::LauncherHooks hooks_;
  std::vector<std::uint32_t> sleeps_;
  std::vector<std::string> started_;
};

TEST_F(LauncherRun, SizeWindowOfTheUpdateImage) {
  struct Case {
    const char* name;
    std::int64_t softwareSize;  // -1: absent
    bool winSoft;
    char expected;  // first byte of the program afterwards
  } cases[] = {
      {"450000 is too small", 450000, true, 'O'},
      {"450001 installs", 450001, false, 'S'},
      {"2999999 installs", 2999999, false, 'S'},
      {"3000000 is too large", 3000000, false, 'O'},
      {"out of window blocks WinSoft.dat", 100, true, 'O'},
      {"WinSoft.dat when Software.dat is missing, any size", -1, true, 'W'},
      {"no image at all", -1, false, 'O'},
  };
  for (const auto& c : cases) {
    for (const char* name : {"Software.dat", "WinSoft.dat"}) host::deleteFile(dir_ / name);
    file("Tormela.exe", 10, 'O');
    ::chmod((dir_ / "Tormela.exe").c_str(), 0750);
    if (c.softwareSize >= 0) file("Software.dat", static_cast<std::size_t>(c.softwareSize), 'S');
    if (c.winSoft) file("WinSoft.dat", 5, 'W');
    sleeps_.clear();
    started_.clear();

    EXPECT_EQ(velcor::runRerun({"rerun", "Tormela"}, hooks_), 0);
    EXPECT_EQ(programByte(), c.expected) << c.name;
    EXPECT_EQ(sleeps_, (std::vector<std::uint32_t>{10000, 20})) << c.name;
    EXPECT_EQ(started_, Args{"Tormela.exe"}) << c.name;
    EXPECT_FALSE(host::fileExists(dir_ / "Tormela.exe.old")) << c.name;
    struct stat st{};
    ::stat((dir_ / "Tormela.exe").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0750u) << c.name;  // an installed image takes the old bits
    // An installed image is gone; one left alone stays where it is.
    if (c.softwareSize >= 0) {
      EXPECT_EQ(host::fileExists(dir_ / "Software.dat"), c.expected != 'S') << c.name;
    }
  }
}

TEST_F(LauncherRun, UnreadableImageInstallsNothing) {
  file("Tormela.exe", 10, 'O');
  fs::create_directory(dir_ / "Software.dat");  // exists as a folder: not a file at all
  file("WinSoft.dat", 5, 'W');
  velcor::runRerun({"rerun"}, hooks_);
  EXPECT_EQ(programByte(), 'W');  // a folder is no Software.dat, so the fallback applies

  // A socket exists as a file but cannot be opened, by root neither: its size is -1.
  fs::remove(dir_ / "Software.dat");
  file("Tormela.exe", 10, 'O');
  file("WinSoft.dat", 5, 'W');
  int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, "Software.dat", sizeof addr.sun_path - 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_TRUE(host::fileExists(dir_ / "Software.dat"));
  velcor::runRerun({"rerun"}, hooks_);
  ::close(sock);
  EXPECT_EQ(programByte(), 'O');
}

TEST_F(LauncherRun, ProgramThatCannotBeDeletedIsKept) {
  file("Tormela.exe", 10, 'O');
  file("Software.dat", 450001, 'S');
  host::setFileAttributes(dir_ / "Tormela.exe", host::kAttrReadOnly);

  velcor::runRerun({"rerun", "", "ignored"}, hooks_);
  std::vector<std::uint32_t> expected{10000};
  expected.insert(expected.end(), 11, 200);  // 11 attempts, each followed by a pause
  expected.push_back(20);
  EXPECT_EQ(sleeps_, expected);
  EXPECT_EQ(programByte(), 'O');
  EXPECT_TRUE(host::fileExists(dir_ / "Software.dat"));
  EXPECT_EQ(started_, Args{"Tormela.exe"});
}

TEST_F(LauncherRun, ImageThatCannotMoveInPutsTheOldProgramBack) {
  file("Tormela.exe", 10, 'O');
  // The image vanished between the check and the move.
  ASSERT_FALSE(velcor::installImage("WinSoft.dat", "Tormela.exe", hooks_));
  EXPECT_EQ(programByte(), 'O');
  EXPECT_FALSE(host::fileExists(dir_ / "Tormela.exe.old"));
}

TEST_F(LauncherRun, FirstInstallGetsExecutableBits) {
  file("WinSoft.dat", 5, 'W');
  ::chmod((dir_ / "WinSoft.dat").c_str(), 0600);
  velcor::runRerun({"rerun"}, hooks_);
  struct stat st{};
  ASSERT_EQ(::stat((dir_ / "Tormela.exe").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0755u);
}

TEST_F(LauncherRun, DelayRunSleepsThenStarts) {
  velcor::runDelayRun({"delayrun", "Term", "5"}, hooks_);
  EXPECT_EQ(sleeps_, (std::vector<std::uint32_t>{5000, 20}));
  EXPECT_EQ(started_, Args{"Term.exe"});
  hooks_.start = [](std::string_view) -> bool { throw std::runtime_error("no start"); };
  EXPECT_EQ(velcor::runDelayRun({"delayrun"}, hooks_), 0);
}

// The real velcor executable, with a stand-in terminal program that records its start.
class RealLauncher : public LauncherRun {
 protected:
  void writeStandIn(const std::string& name, const std::string& tag) {
    host::writeFileAtomic(dir_ / name, "#!/bin/sh\necho " + tag + " > \"$PWD/started.txt\"\n");
    ::chmod((dir_ / name).c_str(), 0755);
  }
  int run(const Args& args) {
    pid_t pid = ::fork();
    if (pid == 0) {
      std::vector<char*> argv{const_cast<char*>(VELCOR_EXE)};
      for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(VELCOR_EXE, argv.data());
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string startedTag() {
    for (int i = 0; i < 250 && !host::fileExists(dir_ / "started.txt"); ++i) host::sleepMs(20);
    return host::fileExists(dir_ / "started.txt") ? host::readFile(dir_ / "started.txt") : "";
  }
};

TEST_F(RealLauncher, RerunReplacesAndRestarts) {
  writeStandIn("Tormela.exe", "old");
  // The image is itself a stand-in program, padded into the size window.
  host::writeFileAtomic(dir_ / "Software.dat",
                        "#!/bin/sh\necho new > \"$PWD/started.txt\"\nexit 0\n" + std::string(450001, '#'));
  EXPECT_EQ(run({"rerun"}), 0);
  EXPECT_EQ(startedTag(), "new\n");
  EXPECT_FALSE(host::fileExists(dir_ / "Software.dat"));
}

TEST_F(RealLauncher, DelayRunStartsTheNamedProgram) {
  writeStandIn("Term.exe", "term");
  EXPECT_EQ(run({"delayrun", "Term", "0"}), 0);
  EXPECT_EQ(startedTag(), "term\n");
}

}  // namespace
