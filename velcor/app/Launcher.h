#pragma once
// Velcor's launcher modes: "rerun" installs an update image of the terminal program
// and starts it again, "delayrun" starts it after a pause. No window, no settings.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velcor {

enum class Mode { Editor, Rerun, DelayRun };

// The arguments after the program name decide the mode; the first is compared exactly.
Mode selectMode(const std::vector<std::string>& args);

// What the launcher does to the outside world; tests replace the sleeps.
struct LauncherHooks {
  std::function<void(std::uint32_t)> sleep;
  std::function<bool(std::string_view)> start;  // starts a program file, minimised
  static LauncherHooks real();
};

inline constexpr std::int64_t kImageMinSize = 450000;   // exclusive
inline constexpr std::int64_t kImageMaxSize = 3000000;  // exclusive

// "Tormela" when the argument is absent or empty, then ".exe".
std::string programFile(const std::vector<std::string>& args);

// Milliseconds that delayrun waits: 20 s with a name only, else the third argument in
// seconds (30 s when it is absent or not an integer), within 0 .. INT32_MAX ms.
std::uint32_t delayMilliseconds(const std::vector<std::string>& args);

// Puts `image` in place of `program`, keeping the old program until the image is in
// place. Retries while the old one cannot be moved aside. True when installed.
bool installImage(const std::string& image, const std::string& program, const LauncherHooks& hooks);

// The two modes; both end with exit code 0.
int runRerun(const std::vector<std::string>& args, const LauncherHooks& hooks);
int runDelayRun(const std::vector<std::string>& args, const LauncherHooks& hooks);

}  // namespace velcor
