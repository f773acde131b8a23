// The scanner program end to end: the real executable, simulated devices on
// pseudo-terminals, and the whole output document compared byte for byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <sstream>

#include "TempDir.h"
#include "devsim.h"
#include "host/registry.h"
#include "host/serial.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Output {
  std::string out;
  std::string err;
  int status = -1;
};

// Runs the scanner in `cwd` with the machine prefix `prefix`; its standard output goes
// to `stdoutFile` when one is given.
Output runSweepcom(const fs::path& cwd, const fs::path& prefix, const char* stdoutFile = nullptr) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e)
    if (std::string_view(*e).rfind("KERROW_PREFIX=", 0) != 0) env.emplace_back(*e);
  env.push_back("KERROW_PREFIX=" + prefix.string());
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  char exe[] = SWEEPCOM_EXE;
  char* argv[] = {exe, nullptr};

  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return {};
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(stdoutFile ? ::open(stdoutFile, O_WRONLY) : out[1], 1);
    ::dup2(err[1], 2);
    int null = ::open("/dev/null", O_RDONLY);
    ::dup2(null, 0);
    if (::chdir(cwd.c_str()) == 0) ::execve(exe, argv, envp.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  Output result;
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  while (open > 0) {
    ::poll(fds, 2, -1);
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buf[4096];
      ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

// The expected document, written with two blanks per level; the scanner indents with tabs.
std::string doc(std::string_view body) {
  std::string text = "<?xml version=\"1.0\"?>\n";
  std::istringstream lines{std::string(body)};
  std::string line;
  while (std::getline(lines, line)) {
    std::size_t blanks = line.find_first_not_of(' ');
    if (blanks == std::string::npos) continue;
    text += std::string(blanks / 2, '\t') + line.substr(blanks) + "\n";
  }
  return text;
}

class Scan : public ::testing::Test {
 protected:
  Scan() { fs::create_directories(work()); }

  fs::path work() const { return prefix_.path().parent_path() / "work"; }
  fs::path prefix() const { return prefix_.path(); }

  devsim::Device& device(int com, std::string_view script = {}) {
    return *devices_.emplace_back(
        std::make_unique<devsim::Device>(prefix(), com, devsim::parseScript(script)));
  }
  // The serial-port key, in this enumeration order.
  void serialKey(std::initializer_list<const char*> names) {
    int n = 0;
    for (const char* name : names)
      host::registry::write(host::registry::Hive::LocalMachine, host::registry::kSerialCommKey,
                            "\\Device\\Serial" + std::to_string(n++), name);
  }
  void catalogue(std::string_view xml) { host::testing::writeBytes(work() / "devs.xml", std::string(xml)); }

  std::string scan() {
    Output r = runSweepcom(work(), prefix());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    return r.out;
  }

  host::testing::ScopedPrefix prefix_;
  std::vector<std::unique_ptr<devsim::Device>> devices_;
};

TEST_F(Scan, ProbesPortsInKeyOrderAndHonoursExclusions) {
  device(1);
  device(2);
  device(3);
  serialKey({"COM3", "COM1", "COM2"});
  catalogue(R"(<root>
    <exclude><port name="COM2"/><port name="com1"/></exclude>
    <devs><dev name="Reader"><portsett baud="9600"/></dev></devs>
  </root>)");
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="Reader">
    <port name="\\.\COM3" baud="9600" result="FOUND" />
    <port name="\\.\COM1" baud="9600" result="FOUND" />
  </DEVICE>
</root>)"));
}

TEST_F(Scan, PortThatDidNotOpenDropsOutOfLaterDevices) {
  device(1, "01 reply 02");
  device(2, "01 reply 02");
  catalogue(R"(<root><devs>
    <dev name="A"><portsett/><seq in="01" out="02"/></dev>
    <dev name="B"><portsett baud="9600" bytesize="7"/><portsett baud="19200"/><seq in="01" out="02"/></dev>
  </devs></root>)");
  // Baud 0 is refused: both ports fail to open for A and are never tried again.
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="A">
    <port name="\\.\COM1" baud="0" result="NO OPENED" />
    <port name="\\.\COM2" baud="0" result="NO OPENED" />
  </DEVICE>
  <DEVICE name="B" />
</root>)"));
}

TEST_F(Scan, FoundPortIsNotTriedAgain) {
  device(1, "AA reply BB");
  device(2);
  catalogue(R"(<root><devs>
    <dev name="First"><portsett baud="9600"/><portsett baud="4800"/><seq in="AA" out="BB"/></dev>
    <dev name="Second"><portsett baud="2400"/><seq in="AA" out="h"/></dev>
  </devs></root>)");
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="First">
    <port name="\\.\COM1" baud="9600" result="FOUND">
      <seq result="MATCHED COMPLITE" />
    </port>
    <port name="\\.\COM2" baud="9600" result="NO RESPONSE">
      <seq />
    </port>
    <port name="\\.\COM2" baud="4800" result="NO RESPONSE">
      <seq />
    </port>
  </DEVICE>
  <DEVICE name="Second">
    <port name="\\.\COM2" baud="2400" result="NO RESPONSE">
      <seq />
    </port>
  </DEVICE>
</root>)"));
}

TEST_F(Scan, ComparisonOutcomesAndAMismatchLeavesThePortFree) {
  devsim::Device& dev = device(1, R"(
    01 reply 010203
    02 reply 01
    03 reply 0102
    04 reply 02
    05 reply 060A)");
  catalogue(R"(<root><devs>
    <dev name="Cmp">
      <portsett baud="9600"/>
      <seq in="01" out="0102"/><seq in="" out="0102"/><seq out="0102"/>
      <seq in="02" out="0102"/><seq in="03" out="0102"/><seq in="04" out="0102"/>
      <seq in="05" out="h"/>
    </dev>
    <dev name="Rec"><portsett baud="9600"/><seq in="05" out="h"/><seq in="05"/></dev>
  </devs></root>)");
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="Cmp">
    <port name="\\.\COM1" baud="9600">
      <seq result="MATCHED INCOMPLITE" />
      <seq result="MATCHED INCOMPLITE" />
      <seq result="MATCHED COMPLITE" />
      <seq result="NO MATCHED" />
    </port>
  </DEVICE>
  <DEVICE name="Rec">
    <port name="\\.\COM1" baud="9600" result="FOUND">
      <seq result="060a" />
      <seq result="060a" />
    </port>
  </DEVICE>
</root>)"));
  // Skipped steps send nothing; the probe stopped at its mismatch.
  EXPECT_EQ(dev.received(), "\x01\x02\x03\x04\x05\x05");
}

TEST_F(Scan, ReplyInSeveralChunksKeepsTheLatestAndFeedsTheNextWait) {
  device(1, "01 reply 0102 chunks 1 gap 250");
  catalogue(R"(<root><devs><dev name="Slow"><portsett baud="9600"/>
    <seq in="01" out="0102"/><seq in="7F" out="02"/>
  </dev></devs></root>)");
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="Slow">
    <port name="\\.\COM1" baud="9600" result="FOUND">
      <seq result="MATCHED INCOMPLITE" />
      <seq result="MATCHED COMPLITE" />
    </port>
  </DEVICE>
</root>)"));
}

TEST_F(Scan, EmptyCatalogueAndMissingKey) {
  catalogue("<root><exclude><port name='COM1'/></exclude></root>");
  EXPECT_EQ(scan(), doc("<root />"));
  catalogue("");
  EXPECT_EQ(scan(), doc("<root />"));
  catalogue("<root><devs><dev name='A &amp; &quot;B&quot; &lt;C&gt;'><portsett/></dev><dev/></devs></root>");
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="A &amp; &quot;B&quot; &lt;C>" />
  <DEVICE name="" />
</root>)"));
}

TEST_F(Scan, NoCatalogueFile) {
  EXPECT_EQ(scan(), "There isnt file devs.xml\n");
  // Only a regular file is a catalogue: a folder or a FIFO of that name is none, and
  // the FIFO must not leave the scanner waiting for a writer.
  fs::create_directory(work() / "devs.xml");
  EXPECT_EQ(scan(), "There isnt file devs.xml\n");
  fs::remove(work() / "devs.xml");
  ASSERT_EQ(::mkfifo((work() / "devs.xml").c_str(), 0600), 0);
  EXPECT_EQ(scan(), "There isnt file devs.xml\n");
}

TEST_F(Scan, LostOutputIsNotReportedAsSuccess) {
  catalogue("<root/>");
  Output r = runSweepcom(work(), prefix(), "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
}

TEST_F(Scan, HugeCatalogueWithOddNumbersAndText) {
  device(1, "* reply 00");
  device(2);
  // Blanks, signs and trailing junk read the strtol way; a negative byte size is 249 once
  // cut to a byte, which no port takes; pairs that are not hex still give bytes.
  std::string xml = R"(<root><devs>
    <dev name="&#x1;&#9;tab"><portsett baud="  9600abc" parity="-1" bytesize="+8" stopbits="x"/>
      <seq in="zz" out="h"/><seq in="0g" out="00"/><seq in="00"/></dev>
    <dev name="B"><portsett baud="-9600" bytesize="-7"/><seq in="00"/></dev>
    <junk>)";
  xml += std::string(50 << 20, 'j');
  xml += "</junk></devs></root>";
  catalogue(xml);
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="&#01;&#09;tab">
    <port name="\\.\COM1" baud="9600" result="FOUND">
      <seq result="00" />
      <seq result="MATCHED COMPLITE" />
      <seq result="00" />
    </port>
    <port name="\\.\COM2" baud="9600" result="NO RESPONSE">
      <seq />
    </port>
  </DEVICE>
  <DEVICE name="B">
    <port name="\\.\COM2" baud="-9600" result="NO OPENED" />
  </DEVICE>
</root>)"));
}

TEST_F(Scan, MalformedCatalogueGivesWhatWasParsed) {
  device(1, "01 reply 01");
  catalogue("<root><devs><dev name='A'><portsett baud='9600'/><seq in='01' out='01'/></dev><dev name='B'><portsett");
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="A">
    <port name="\\.\COM1" baud="9600" result="FOUND">
      <seq result="MATCHED COMPLITE" />
    </port>
  </DEVICE>
  <DEVICE name="B" />
</root>)"));
}

TEST_F(Scan, TroublesomePortsEndTheirProbesAndTheScanGoesOn) {
  device(1, "01 vanish");
  device(2, "* flood");
  device(3, "01 reply 01");
  device(4);
  fs::create_symlink("/nonexistent/ttyUSB9", prefix() / "dosdevices" / "com5");
  serialKey({"COM1", "COM2", "COM5", "COM4", "COM3"});
  host::SerialPort holder;  // another program has COM4 open
  ASSERT_TRUE(holder.open(prefix() / "dosdevices" / "com4"));
  catalogue(R"(<root><devs><dev name="D"><portsett baud="9600"/><seq in="01" out="AA"/></dev>
    <dev name="E"><portsett baud="9600"/><seq in="01" out="01"/></dev></devs></root>)");
  EXPECT_EQ(scan(), doc(R"(
<root>
  <DEVICE name="D">
    <port name="\\.\COM1" baud="9600" result="NO RESPONSE">
      <seq />
    </port>
    <port name="\\.\COM2" baud="9600">
      <seq result="NO MATCHED" />
    </port>
    <port name="\\.\COM5" baud="9600" result="NO OPENED" />
    <port name="\\.\COM4" baud="9600" result="NO OPENED" />
    <port name="\\.\COM3" baud="9600">
      <seq result="NO MATCHED" />
    </port>
  </DEVICE>
  <DEVICE name="E">
    <port name="\\.\COM1" baud="9600" result="NO OPENED" />
    <port name="\\.\COM2" baud="9600">
      <seq result="NO MATCHED" />
    </port>
    <port name="\\.\COM3" baud="9600" result="FOUND">
      <seq result="MATCHED COMPLITE" />
    </port>
  </DEVICE>
</root>)"));
}

}  // namespace
