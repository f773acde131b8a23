// A scan of 4 simulated ports x 3 devices whose replies come after 20 ms, against what
// the reader's polling makes the least possible: for every step sent, the reply's
// round trip (measured here on a bare pseudo-terminal) plus one poll interval. A ratio
// near 1 means no probe waited out its time-out once the reply was there.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "devsim.h"
#include "sweepcom/catalogue.h"
#include "sweepcom/scanner.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kReplyDelayMs = 20;
constexpr double kPollIntervalMs = 100;

struct Bench {
  Bench() {
    std::string pattern = (fs::temp_directory_path() / "sweepcom-bench-XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
    ::setenv("KERROW_PREFIX", dir.c_str(), 1);
    // Ports 1-3 answer with something no device expects, port 4 is the third device.
    for (int com = 1; com <= 4; ++com)
      devices.push_back(std::make_unique<devsim::Device>(
          dir, com,
          devsim::parseScript("* reply " + std::string(com == 4 ? "02" : "EE") + " after " +
                              std::to_string(kReplyDelayMs))));
    catalogue = sweepcom::readCatalogue(R"(<root><devs>
      <dev name="D0"><portsett baud="9600"/><seq in="A0" out="00"/></dev>
      <dev name="D1"><portsett baud="9600"/><seq in="A1" out="01"/></dev>
      <dev name="D2"><portsett baud="9600"/><seq in="A2" out="02"/></dev>
    </devs></root>)");
    ports = sweepcom::portList();
  }
  ~Bench() {
    devices.clear();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  // One request and its reply straight through a pseudo-terminal, in ms.
  double roundTripMs() {
    devsim::Device device(dir, 9, devsim::parseScript("* reply 01 after " + std::to_string(kReplyDelayMs)));
    int fd = ::open(device.devicePath().c_str(), O_RDWR | O_NOCTTY);
    auto start = Clock::now();
    (void)!::write(fd, "\x01", 1);
    pollfd p{fd, POLLIN, 0};
    ::poll(&p, 1, 5000);
    auto took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    ::close(fd);
    return took;
  }

  fs::path dir;
  std::vector<std::unique_ptr<devsim::Device>> devices;
  sweepcom::Catalogue catalogue;
  std::vector<std::string> ports;
};

void BM_ScanFourPortsThreeDevices(benchmark::State& state) {
  Bench bench;
  double scanMs = 0, baselineMs = 0;
  for (auto _ : state) {
    const double roundTrip = bench.roundTripMs();
    auto start = Clock::now();
    std::string out = sweepcom::scan(bench.catalogue, bench.ports);
    scanMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::size_t steps = 0;
    for (std::size_t at = out.find("<seq"); at != std::string::npos; at = out.find("<seq", at + 1)) ++steps;
    if (steps != 12 || out.find("result=\"FOUND\"") == std::string::npos) state.SkipWithError("unexpected scan result");
    baselineMs += steps * (roundTrip + kPollIntervalMs);
  }
  state.counters["scan_ms"] = scanMs / state.iterations();
  state.counters["baseline_ms"] = baselineMs / state.iterations();
  state.counters["ratio"] = scanMs / baselineMs;
}
BENCHMARK(BM_ScanFourPortsThreeDevices)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
