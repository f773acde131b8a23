// Loading and saving the settings file, against the least any loader must do: read the
// file's bytes and find its lines. The ratio load / baseline is what the settings store
// costs on top of the disk.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "host/files.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

namespace {

namespace fs = std::filesystem;

// A settings file with every key of the editor, padded with `extraKeys` keys of other
// software, as a large file in the field would be.
struct Fixture {
  explicit Fixture(int extraKeys) {
    std::string pattern = (fs::temp_directory_path() / "velcor-bench-XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
    velcor::IniFile ini = velcor::IniFile::fromBytes(dir / "Tor-Mela.ini", "");
    velcor::writeSettings(ini, velcor::Settings{});
    for (int i = 0; i < extraKeys; ++i)
      ini.writeString("Section" + std::to_string(i % 50), "Key" + std::to_string(i), std::string(40, 'v'));
    ini.updateFile();
  }
  ~Fixture() { fs::remove_all(dir); }
  fs::path file() const { return dir / "Tor-Mela.ini"; }
  fs::path dir;
};

void BaselineReadLines(benchmark::State& state) {
  Fixture fixture(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string bytes = host::readFile(fixture.file());
    benchmark::DoNotOptimize(std::count(bytes.begin(), bytes.end(), '\n'));
  }
}

void LoadSettings(benchmark::State& state) {
  Fixture fixture(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    velcor::IniFile ini(fixture.file());
    benchmark::DoNotOptimize(velcor::readSettings(ini));
  }
}

void SaveSettings(benchmark::State& state) {
  Fixture fixture(static_cast<int>(state.range(0)));
  velcor::IniFile ini(fixture.file());
  for (auto _ : state) {
    velcor::writeSettings(ini, velcor::Settings{});
    ini.updateFile();
  }
}

BENCHMARK(BaselineReadLines)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadSettings)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveSettings)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
