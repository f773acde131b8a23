#include "host/pcsc.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <winscard.h>

#include <fstream>
#include <functional>

#include "TempDir.h"
#include "host/process.h"

namespace {

namespace fs = std::filesystem;

// A PC/SC service of the test's own: pcscd in the foreground with a reader
// configuration folder of our choice. Only the daemon started here is ever stopped.
class PcscDaemon {
 public:
  explicit PcscDaemon(const fs::path& configFolder) {
    pid_ = ::fork();
    if (pid_ == 0) {
      freopen("/dev/null", "w", stdout);
      freopen("/dev/null", "w", stderr);
      ::execl("/usr/sbin/pcscd", "pcscd", "--foreground", "--config", configFolder.c_str(), nullptr);
      ::_exit(127);
    }
  }
  ~PcscDaemon() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  bool alive() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

 private:
  pid_t pid_ = -1;
};

constexpr const char* kPidFile = "/run/pcscd/pcscd.pid";

bool daemonRunning() {
  std::ifstream in(kPidFile);
  pid_t pid = 0;
  return in >> pid && pid > 0 && ::kill(pid, 0) == 0;
}

bool serviceAnswers() {
  SCARDCONTEXT context = 0;
  if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context) != SCARD_S_SUCCESS) return false;
  SCardReleaseContext(context);
  return true;
}

void waitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i) host::sleepMs(20);
}

// Waits until the service lists `count` readers (it may still be starting).
std::vector<std::string> readersOnceSettled(std::size_t count) {
  host::PCSCConnector connector;
  for (int i = 0; i < 250; ++i) {
    connector.Init();
    if (connector.ReaderList.size() == count) break;
    host::sleepMs(20);
  }
  return connector.ReaderList;
}

// The client library keeps the socket name it saw first, so a stopped service is a
// service that is not running rather than a socket somewhere else.
TEST(PCSCConnector, NoServiceMeansNoReadersAndNoEvent) {
  if (daemonRunning()) GTEST_SKIP() << "a PC/SC service runs here; it is not ours to stop";
  host::PCSCConnector connector;
  int events = 0;
  connector.OnReaderListChange = [&] { ++events; };
  EXPECT_FALSE(connector.Init());
  EXPECT_TRUE(connector.ReaderList.empty());
  EXPECT_EQ(events, 0);
}

TEST(PCSCConnector, VirtualReadersAndNone) {
  if (!fs::exists("/usr/sbin/pcscd")) GTEST_FAIL() << "pcscd is not installed";
  if (daemonRunning()) GTEST_SKIP() << "another PC/SC service runs here; it is not ours to stop";

  {
    host::testing::TempDir empty;  // no reader configured
    PcscDaemon daemon(empty.path());
    waitUntil([&] { return serviceAnswers() || !daemon.alive(); });
    ASSERT_TRUE(daemon.alive());
    host::PCSCConnector connector;
    int events = 0;
    connector.OnReaderListChange = [&] { ++events; };
    connector.Init();
    EXPECT_TRUE(connector.ReaderList.empty());
    EXPECT_EQ(events, 0);
  }

  waitUntil([] { return !daemonRunning(); });
  ASSERT_TRUE(fs::exists("/etc/reader.conf.d")) << "the virtual reader driver is not installed";
  PcscDaemon daemon("/etc/reader.conf.d");
  EXPECT_EQ(readersOnceSettled(2), (std::vector<std::string>{"Virtual PCD 00 00", "Virtual PCD 00 01"}));

  host::PCSCConnector connector;
  std::vector<std::string> seen;
  connector.OnReaderListChange = [&] { seen = connector.ReaderList; };
  ASSERT_TRUE(connector.Init());
  EXPECT_EQ(seen.size(), 2u);
  ASSERT_TRUE(connector.Init());  // a second start releases the first context
  EXPECT_EQ(connector.ReaderList.size(), 2u);
}

}  // namespace
