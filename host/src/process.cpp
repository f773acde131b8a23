#include "host/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "host/files.h"
#include "host/paths.h"

namespace host {
namespace {

bool isExecutableFile(const fs::path& path) { return fileExists(path) && ::access(path.c_str(), X_OK) == 0; }

bool hasFolder(std::string_view name) {
  return name.find_first_of("/\\") != std::string_view::npos || (name.size() >= 2 && name[1] == ':');
}

// Words of a command line: blanks separate, double quotes group.
std::vector<std::string> splitWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

fs::path resolve(std::string_view name) {
  if (name.empty()) return {};
  if (hasFolder(name)) {
    fs::path path = mapPath(name);
    return isExecutableFile(path) ? path : fs::path{};
  }
  return findProgram(name);
}

// Double fork, so the program belongs to no one here and leaves no zombie behind; a
// close-on-exec pipe tells whether exec succeeded.
bool spawnDetached(const fs::path& program, const std::vector<std::string>& args) {
  std::vector<std::string> storage{program.string()};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  int pipefd[2];
  if (::pipe2(pipefd, O_CLOEXEC) != 0) return false;
  pid_t child = ::fork();
  if (child < 0) {
    ::close(pipefd[0]);
    ::close(pipefd[1]);
    return false;
  }
  if (child == 0) {
    ::close(pipefd[0]);
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
      ::execv(argv[0], argv.data());
      int err = errno;
      [[maybe_unused]] auto n = ::write(pipefd[1], &err, sizeof err);
      ::_exit(127);
    }
    if (grandchild < 0) {
      int err = errno;
      [[maybe_unused]] auto n = ::write(pipefd[1], &err, sizeof err);
    }
    ::_exit(0);
  }
  ::close(pipefd[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t n;
  while ((n = ::read(pipefd[0], &err, sizeof err)) < 0 && errno == EINTR) {
  }
  ::close(pipefd[0]);
  return n == 0;  // the pipe closed on exec: started
}

}  // namespace

fs::path findProgram(std::string_view name) {
  std::vector<fs::path> folders{programFolder(), fs::current_path()};
  if (const char* path = std::getenv("PATH")) {
    std::string_view rest = path;
    while (!rest.empty()) {
      auto colon = rest.find(':');
      auto dir = rest.substr(0, colon);
      folders.emplace_back(dir.empty() ? "." : std::string(dir));
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  for (const auto& folder : folders)
    if (fs::path candidate = folder / std::string(name); isExecutableFile(candidate)) return candidate;
  return {};
}

bool winExec(std::string_view commandLine, int /*showCommand*/) {
  while (!commandLine.empty() && (commandLine.front() == ' ' || commandLine.front() == '\t')) commandLine.remove_prefix(1);
  while (!commandLine.empty() && (commandLine.back() == ' ' || commandLine.back() == '\t')) commandLine.remove_suffix(1);
  // A program path with blanks may stand unquoted when it is the whole line.
  if (fs::path whole = resolve(commandLine); !whole.empty()) return spawnDetached(whole, {});
  auto words = splitWords(commandLine);
  if (words.empty()) return false;
  fs::path program = resolve(words.front());
  if (program.empty()) return false;
  return spawnDetached(program, {words.begin() + 1, words.end()});
}

void sleepMs(std::uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace host
