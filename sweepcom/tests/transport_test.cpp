#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "TempDir.h"
#include "devsim.h"
#include "sweepcom/MyXLib.h"

namespace {

using MyXLib::ByteString;
using MyXLib::PortSettings;
using MyXLib::Semaphore;
using MyXLib::Transports::TransportCOM;

// Takes the transport's callbacks the way the scanner's protocol does.
struct Recorder : MyXLib::ITransportCallbacked {
  std::mutex mutex;
  std::vector<ByteString> chunks;
  int opened = 0;
  int closed = 0;
  Semaphore received{0, 16777215};

  void OnDataReceived(ByteString& buffer) override {
    {
      std::lock_guard lock(mutex);
      chunks.push_back(buffer);
    }
    buffer.clear();
    received.Release();
  }
  void OnOpened() override { ++opened; }
  void OnClosed() override { ++closed; }
  std::vector<ByteString> taken() {
    std::lock_guard lock(mutex);
    return chunks;
  }
};

class Transport : public ::testing::Test {
 protected:
  PortSettings settings(int com, int baud = 9600) {
    PortSettings s;
    s.portPath = "\\\\.\\COM" + std::to_string(com);
    s.baudRate = baud;
    return s;
  }
  host::testing::ScopedPrefix prefix;
  Recorder events;
};

TEST(Semaphore, CountsUpToItsMaximumOnly) {
  Semaphore s(0, 2);
  EXPECT_FALSE(s.Wait(0));
  EXPECT_TRUE(s.Release());
  EXPECT_TRUE(s.Release());
  EXPECT_FALSE(s.Release());
  EXPECT_TRUE(s.Wait(0));
  EXPECT_TRUE(s.Wait(0));
  EXPECT_FALSE(s.Wait(0));
}

TEST_F(Transport, FailedOpenReportsNothingAndIsNotHealthy) {
  devsim::Device device(prefix.path(), 1, {});
  std::filesystem::create_symlink("/nonexistent/tty", prefix.path() / "dosdevices" / "com2");
  const std::pair<int, int> cases[] = {{2, 9600}, {3, 9600}, {1, 0}};
  for (auto [com, baud] : cases) {
    TransportCOM t(settings(com, baud));
    t.SetCallback(&events);
    EXPECT_FALSE(t.Open()) << com << " " << baud;
    EXPECT_FALSE(t.IsHealthy());
    t.Close();
  }
  EXPECT_EQ(events.opened, 0);
  EXPECT_EQ(events.closed, 0);
}

TEST_F(Transport, SendsAndDeliversEachChunkAsItComes) {
  devsim::Device device(prefix.path(), 1, devsim::parseScript("0102 reply 0A0B0C chunks 1 gap 300"));
  TransportCOM t(settings(1));
  t.SetCallback(&events);
  ASSERT_TRUE(t.Open());
  EXPECT_EQ(events.opened, 1);
  t.Send("\x01\x02");
  ASSERT_TRUE(events.received.Wait(5000));
  ASSERT_TRUE(events.received.Wait(5000));
  EXPECT_EQ(events.taken(), (std::vector<ByteString>{"\x0a", "\x0b\x0c"}));
  EXPECT_TRUE(t.IsHealthy());
  t.Close();
  EXPECT_EQ(events.closed, 1);
  EXPECT_EQ(device.received(), "\x01\x02");
}

TEST_F(Transport, VanishedDeviceDeliversNothingMoreAndFailsTheNextWrite) {
  devsim::Device device(prefix.path(), 1, devsim::parseScript("01 vanish\n02 reply 03"));
  TransportCOM t(settings(1));
  t.SetCallback(&events);
  ASSERT_TRUE(t.Open());
  t.Send("\x01");
  EXPECT_FALSE(events.received.Wait(700));
  t.Send("\x02");
  EXPECT_FALSE(t.IsHealthy());
  t.Close();  // returns: the reader was stopped, not left behind
  EXPECT_TRUE(events.taken().empty());
}

TEST_F(Transport, FloodArrivesInBoundedChunksAndCloseStillEndsIt) {
  devsim::Device device(prefix.path(), 1, devsim::parseScript("* flood"));
  TransportCOM t(settings(1, 115200));
  t.SetCallback(&events);
  ASSERT_TRUE(t.Open());
  t.Send("\x01");
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(events.received.Wait(5000));
  t.Close();
  for (const ByteString& chunk : events.taken()) {
    EXPECT_FALSE(chunk.empty());
    EXPECT_LE(chunk.size(), 1024u);
    EXPECT_EQ(chunk.find_first_not_of('\x55'), std::string::npos);
  }
}

}  // namespace
