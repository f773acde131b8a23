#pragma once
// A simulated serial device: a pseudo-terminal linked as dosdevices/comN in a machine
// prefix, answering requests by a small script. For tests, benchmarks and the shell.
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace devsim {

struct Rule {
  enum class Action { Reply, Flood, Vanish };
  std::string request;  // bytes to wait for; empty matches any input
  Action action = Action::Reply;
  std::string reply;                 // bytes of a Reply
  int delayMs = 0;                   // from the request to the first byte
  std::vector<std::size_t> chunks;   // sizes of the first chunks; the rest is one more
  int gapMs = 0;                     // between chunks
};

// One rule a line; '#' starts a comment. Requests and replies are hex, "*" any input:
//   <request> reply <hex> [after <ms>] [chunks <n>,<n>,...] [gap <ms>]
//   <request> flood [after <ms>]      send bytes without end
//   <request> vanish [after <ms>]     close the device, as if unplugged; the link
//                                     then points at a missing node
// No rules: the device stays silent. Throws std::invalid_argument naming the line.
std::vector<Rule> parseScript(std::string_view text);

class Device {
 public:
  // Creates <prefix>/dosdevices/com<number> (replacing a link of that name) and starts
  // answering at once. Throws std::runtime_error when no pseudo-terminal is to be had.
  Device(const std::filesystem::path& prefix, int number, std::vector<Rule> rules);
  ~Device();  // stops, closes and removes the link
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  const std::filesystem::path& devicePath() const { return slavePath_; }
  const std::filesystem::path& linkPath() const { return linkPath_; }
  // Every byte the device has been sent so far.
  std::string received() const;

 private:
  struct Pending {
    std::chrono::steady_clock::time_point at;
    Rule::Action action;
    std::string bytes;
  };
  void loop();
  void onInput(std::string_view bytes);
  void closeDevice();

  std::vector<Rule> rules_;
  std::filesystem::path linkPath_;
  std::filesystem::path slavePath_;
  int master_ = -1;
  int slave_ = -1;  // kept open so that the line keeps its settings between opens
  int wake_[2] = {-1, -1};
  std::string input_;        // not yet matched
  std::vector<Pending> pending_;
  std::string output_;       // due, not yet written
  bool flooding_ = false;
  mutable std::mutex mutex_;
  std::string received_;
  std::thread thread_;
};

}  // namespace devsim
