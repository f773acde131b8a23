#pragma once
// A PC/SC service of the test's own: pcscd in the foreground with no reader or with
// the two virtual readers. Only a daemon started here is ever stopped; where another
// one runs, tests that need to control the service skip.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <winscard.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "TempDir.h"
#include "host/pcsc.h"
#include "host/process.h"

namespace host::testing {

class PcscService {
 public:
  enum class Readers { None, Virtual };

  static bool running() {
    std::ifstream in("/run/pcscd/pcscd.pid");
    pid_t pid = 0;
    return in >> pid && pid > 0 && ::kill(pid, 0) == 0;
  }

  static bool answers() {
    SCARDCONTEXT context = 0;
    if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context) != SCARD_S_SUCCESS) return false;
    SCardReleaseContext(context);
    return true;
  }

  // Starts the daemon and waits until it answers with its readers listed.
  explicit PcscService(Readers readers) {
    std::filesystem::path config = readers == Readers::Virtual ? std::filesystem::path("/etc/reader.conf.d") : empty_.path();
    pid_ = ::fork();
    if (pid_ == 0) {
      std::freopen("/dev/null", "w", stdout);
      std::freopen("/dev/null", "w", stderr);
      ::execl("/usr/sbin/pcscd", "pcscd", "--foreground", "--config", config.c_str(), nullptr);
      ::_exit(127);
    }
    waitUntil([&] { return readers == Readers::None ? answers() : readerCount() == 2; });
  }

  ~PcscService() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    waitUntil([] { return !running(); });
  }

  PcscService(const PcscService&) = delete;
  PcscService& operator=(const PcscService&) = delete;

 private:
  static void waitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) host::sleepMs(20);
  }
  static std::size_t readerCount() {
    host::PCSCConnector connector;
    connector.Init();
    return connector.ReaderList.size();
  }

  TempDir empty_;  // a reader configuration folder with no reader in it
  pid_t pid_ = -1;
};

}  // namespace host::testing
