#include "devsim.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace devsim {

namespace {

using Clock = std::chrono::steady_clock;

std::string hexBytes(const std::string& text, int line) {
  if (text.size() % 2 != 0) throw std::invalid_argument("line " + std::to_string(line) + ": odd hex text");
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    char* end = nullptr;
    std::string pair = text.substr(i, 2);
    long v = std::strtol(pair.c_str(), &end, 16);
    if (*end != '\0' || !std::isxdigit(static_cast<unsigned char>(pair[0])))
      throw std::invalid_argument("line " + std::to_string(line) + ": bad hex '" + text + "'");
    bytes.push_back(static_cast<char>(v));
  }
  return bytes;
}

int number(const std::string& text, int line) {
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < 0 || v > 3'600'000)
    throw std::invalid_argument("line " + std::to_string(line) + ": bad number '" + text + "'");
  return static_cast<int>(v);
}

}  // namespace

std::vector<Rule> parseScript(std::string_view text) {
  std::vector<Rule> rules;
  std::istringstream in{std::string(text)};
  std::string lineText;
  int line = 0;
  while (std::getline(in, lineText)) {
    ++line;
    lineText = lineText.substr(0, lineText.find('#'));
    std::istringstream words(lineText);
    std::string request, action;
    if (!(words >> request)) continue;
    if (!(words >> action)) throw std::invalid_argument("line " + std::to_string(line) + ": no action");
    Rule rule;
    rule.request = request == "*" ? std::string() : hexBytes(request, line);
    if (action == "reply") {
      std::string reply;
      if (!(words >> reply)) throw std::invalid_argument("line " + std::to_string(line) + ": no reply");
      rule.reply = hexBytes(reply, line);
    } else if (action == "flood") {
      rule.action = Rule::Action::Flood;
    } else if (action == "vanish") {
      rule.action = Rule::Action::Vanish;
    } else {
      throw std::invalid_argument("line " + std::to_string(line) + ": unknown action '" + action + "'");
    }
    std::string key, value;
    while (words >> key) {
      if (!(words >> value)) throw std::invalid_argument("line " + std::to_string(line) + ": " + key + " without value");
      if (key == "after") {
        rule.delayMs = number(value, line);
      } else if (key == "gap") {
        rule.gapMs = number(value, line);
      } else if (key == "chunks") {
        std::istringstream sizes(value);
        std::string size;
        while (std::getline(sizes, size, ','))
          rule.chunks.push_back(static_cast<std::size_t>(std::max(1, number(size, line))));
      } else {
        throw std::invalid_argument("line " + std::to_string(line) + ": unknown option '" + key + "'");
      }
    }
    rules.push_back(std::move(rule));
  }
  return rules;
}

Device::Device(const std::filesystem::path& prefix, int number, std::vector<Rule> rules)
    : rules_(std::move(rules)) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
    throw std::system_error(errno, std::generic_category(), "pseudo-terminal");
  char name[128];
  if (::ptsname_r(master_, name, sizeof name) != 0)
    throw std::system_error(errno, std::generic_category(), "ptsname");
  slavePath_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) throw std::system_error(errno, std::generic_category(), slavePath_.string());
  termios tio{};
  ::tcgetattr(slave_, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(slave_, TCSANOW, &tio);
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
    throw std::system_error(errno, std::generic_category(), "pipe");

  std::filesystem::create_directories(prefix / "dosdevices");
  linkPath_ = prefix / "dosdevices" / ("com" + std::to_string(number));
  std::error_code ec;
  std::filesystem::remove(linkPath_, ec);
  std::filesystem::create_symlink(slavePath_, linkPath_);
  thread_ = std::thread([this] { loop(); });
}

Device::~Device() {
  if (thread_.joinable()) {
    char c = 0;
    (void)!::write(wake_[1], &c, 1);
    thread_.join();
  }
  closeDevice();
  for (int fd : wake_)
    if (fd >= 0) ::close(fd);
  std::error_code ec;
  std::filesystem::remove(linkPath_, ec);
}

void Device::closeDevice() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
  master_ = slave_ = -1;
}

std::string Device::received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void Device::onInput(std::string_view bytes) {
  {
    std::lock_guard lock(mutex_);
    received_.append(bytes);
  }
  input_.append(bytes);
  // The first rule whose request is in what came, counted from the earliest match.
  const Rule* hit = nullptr;
  std::size_t hitEnd = std::string::npos;
  for (const Rule& r : rules_) {
    std::size_t at = r.request.empty() ? 0 : input_.find(r.request);
    if (at == std::string::npos) continue;
    std::size_t end = r.request.empty() ? input_.size() : at + r.request.size();
    if (end < hitEnd) {
      hit = &r;
      hitEnd = end;
    }
  }
  if (hit == nullptr) return;
  input_.erase(0, hitEnd);
  auto at = Clock::now() + std::chrono::milliseconds(hit->delayMs);
  if (hit->action != Rule::Action::Reply) {
    pending_.push_back({at, hit->action, {}});
    return;
  }
  std::size_t done = 0;
  for (std::size_t size : hit->chunks) {
    if (done >= hit->reply.size()) break;
    pending_.push_back({at, Rule::Action::Reply, hit->reply.substr(done, size)});
    done += size;
    at += std::chrono::milliseconds(hit->gapMs);
  }
  if (done < hit->reply.size()) pending_.push_back({at, Rule::Action::Reply, hit->reply.substr(done)});
}

void Device::loop() {
  static const std::string kFlood(4096, '\x55');
  char buffer[4096];
  for (;;) {
    const auto now = Clock::now();
    // Due actions, in the order they fell due.
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending& a, const Pending& b) { return a.at < b.at; });
    while (!pending_.empty() && pending_.front().at <= now) {
      Pending p = std::move(pending_.front());
      pending_.erase(pending_.begin());
      if (p.action == Rule::Action::Reply) output_ += p.bytes;
      else if (p.action == Rule::Action::Flood) flooding_ = true;
      else {
        // The kernel may hand this pseudo-terminal's number to a new one at once, and a
        // link left pointing at it would lead the next open to someone else's device.
        // A pulled-out adapter's node is simply gone; point the link at nothing.
        std::error_code ec;
        std::filesystem::remove(linkPath_, ec);
        std::filesystem::create_symlink(
            linkPath_.parent_path() / (".vanished-" + linkPath_.filename().string()), linkPath_, ec);
        closeDevice();
        pending_.clear();
      }
    }
    if (master_ < 0) {
      // Gone: wait for the end only.
      pollfd w{wake_[0], POLLIN, 0};
      ::poll(&w, 1, -1);
      return;
    }
    if (flooding_ && output_.size() < kFlood.size()) output_ += kFlood;

    int timeout = -1;
    if (!pending_.empty())
      timeout = static_cast<int>(std::max<long long>(
          0, std::chrono::duration_cast<std::chrono::milliseconds>(pending_.front().at - now).count() + 1));
    pollfd fds[2] = {{wake_[0], POLLIN, 0},
                     {master_, static_cast<short>(POLLIN | (output_.empty() ? 0 : POLLOUT)), 0}};
    int rc = ::poll(fds, 2, timeout);
    if (rc < 0 && errno != EINTR) return;
    if (fds[0].revents & POLLIN) return;
    if (fds[1].revents & POLLIN) {
      ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) onInput(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
    if (!output_.empty() && (fds[1].revents & POLLOUT)) {
      ssize_t n = ::write(master_, output_.data(), output_.size());
      if (n > 0) output_.erase(0, static_cast<std::size_t>(n));
    }
  }
}

}  // namespace devsim
