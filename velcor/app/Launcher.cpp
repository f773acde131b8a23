#include "app/Launcher.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "host/files.h"
#include "host/paths.h"
#include "host/process.h"
#include "settings/Text.h"

namespace velcor {
namespace {

namespace fs = std::filesystem;

constexpr int kShowMinimized = 6;
constexpr int kRemoveAttempts = 11;
constexpr std::uint32_t kRetryPauseMs = 200;

// The old program cannot be taken away while it is read-only, just as it could not
// be deleted; otherwise it moves aside so that it can come back if the image fails.
bool moveAside(const fs::path& program, const fs::path& aside) {
  if (host::fileAttributes(program) & host::kAttrReadOnly) return false;
  return host::moveFile(program, aside, host::kMoveReplaceExisting);
}

}  // namespace

LauncherHooks LauncherHooks::real() {
  return {host::sleepMs, [](std::string_view file) { return host::winExec(file, kShowMinimized); }};
}

Mode selectMode(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 3) return Mode::Editor;
  if (args[0] == "rerun") return Mode::Rerun;
  if (args[0] == "delayrun") return Mode::DelayRun;
  return Mode::Editor;
}

std::string programFile(const std::vector<std::string>& args) {
  std::string name = args.size() >= 2 && !args[1].empty() ? args[1] : "Tormela";
  return name + ".exe";
}

std::uint32_t delayMilliseconds(const std::vector<std::string>& args) {
  if (args.size() == 2) return 20000;
  std::int64_t seconds = args.size() >= 3 ? toInt32(args[2]).value_or(30) : 30;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(seconds * 1000, 0, std::numeric_limits<std::int32_t>::max()));
}

bool installImage(const std::string& image, const std::string& program, const LauncherHooks& hooks) {
  const fs::path target = host::mapPath(program);
  fs::path aside = target;
  aside += ".old";

  std::error_code ec;
  const fs::file_status old = fs::symlink_status(target, ec);
  const bool hadProgram = fs::exists(old);
  const fs::perms mode = hadProgram ? old.permissions() : fs::perms(0755);
  if (hadProgram) {
    // A leftover of an earlier update would block the move aside.
    host::setFileAttributes(aside, host::kAttrNormal);
    host::deleteFile(aside);
    bool moved = false;
    for (int attempt = 0; attempt < kRemoveAttempts && !moved; ++attempt) {
      moved = moveAside(target, aside);
      if (!moved) hooks.sleep(kRetryPauseMs);
    }
    if (!moved && !moveAside(target, aside)) return false;  // the old program stays
  }
  if (!host::renameFile(host::mapPath(image), target)) {
    if (hadProgram) host::renameFile(aside, target);
    return false;
  }
  fs::permissions(target, mode, ec);  // an image comes without execute bits
  if (hadProgram) host::deleteFile(aside);
  return true;
}

int runRerun(const std::vector<std::string>& args, const LauncherHooks& hooks) {
  hooks.sleep(10000);
  std::string program = programFile(args);
  try {
    const std::string software = "Software.dat", winSoft = "WinSoft.dat";
    if (host::fileExists(software)) {
      std::int64_t size = host::fileSize(software);
      if (size > kImageMinSize && size < kImageMaxSize) installImage(software, program, hooks);
    } else if (host::fileExists(winSoft)) {
      installImage(winSoft, program, hooks);
    }
  } catch (...) {
    // Whatever went wrong with the update, the program is started again.
  }
  hooks.start(program);
  hooks.sleep(20);
  return 0;
}

int runDelayRun(const std::vector<std::string>& args, const LauncherHooks& hooks) {
  std::string program = programFile(args);
  hooks.sleep(delayMilliseconds(args));
  try {
    hooks.start(program);
  } catch (...) {
  }
  hooks.sleep(20);
  return 0;
}

}  // namespace velcor
