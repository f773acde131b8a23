#include "host/pcsc.h"

#include <gtest/gtest.h>

#include "PcscService.h"

namespace {

using host::testing::PcscService;

// The client library keeps the socket name it saw first, so a stopped service is a
// service that is not running rather than a socket somewhere else.
TEST(PCSCConnector, NoServiceMeansNoReadersAndNoEvent) {
  if (PcscService::running()) GTEST_SKIP() << "a PC/SC service runs here; it is not ours to stop";
  host::PCSCConnector connector;
  int events = 0;
  connector.OnReaderListChange = [&] { ++events; };
  EXPECT_FALSE(connector.Init());
  EXPECT_TRUE(connector.ReaderList.empty());
  EXPECT_EQ(events, 0);
}

TEST(PCSCConnector, VirtualReadersAndNone) {
  if (PcscService::running()) GTEST_SKIP() << "another PC/SC service runs here; it is not ours to stop";
  {
    PcscService service(PcscService::Readers::None);
    ASSERT_TRUE(PcscService::answers());
    host::PCSCConnector connector;
    int events = 0;
    connector.OnReaderListChange = [&] { ++events; };
    connector.Init();
    EXPECT_TRUE(connector.ReaderList.empty());
    EXPECT_EQ(events, 0);
  }

  PcscService service(PcscService::Readers::Virtual);
  host::PCSCConnector connector;
  std::vector<std::string> seen;
  int events = 0;
  connector.OnReaderListChange = [&] {
    seen = connector.ReaderList;
    ++events;
  };
  ASSERT_TRUE(connector.Init());
  EXPECT_EQ(seen, (std::vector<std::string>{"Virtual PCD 00 00", "Virtual PCD 00 01"}));
  ASSERT_TRUE(connector.Init());  // a second start releases the first context
  EXPECT_EQ(connector.ReaderList.size(), 2u);
  EXPECT_EQ(events, 2);
}

}  // namespace
