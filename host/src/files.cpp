#include "host/files.h"

#include "NoCase.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace host {
namespace {

std::string describe(const char* what, const fs::path& path, int err) {
  return std::string(what) + " \"" + path.string() + "\": " + std::strerror(err);
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void syncFolderOf(const fs::path& path) {
  fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

bool copyFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) return false;
  fs::permissions(to, fs::status(from, ec).permissions(), ec);
  return true;
}

}  // namespace

bool fileExists(const fs::path& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool deleteFile(const fs::path& path) {
  struct stat st{};
  if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (fileAttributes(path) & kAttrReadOnly) return false;  // a read-only file refuses deletion
  return ::unlink(path.c_str()) == 0;
}

bool renameFile(const fs::path& from, const fs::path& to) { return moveFile(from, to, 0); }

bool moveFile(const fs::path& from, const fs::path& to, unsigned flags) {
  struct stat src{};
  if (::lstat(from.c_str(), &src) != 0) return false;
  struct stat dst{};
  bool targetExists = ::lstat(to.c_str(), &dst) == 0;
  if (targetExists) {
    // Replacing never applies to folders, and a read-only target stays.
    if (!(flags & kMoveReplaceExisting) || S_ISDIR(dst.st_mode) || S_ISDIR(src.st_mode) ||
        (fileAttributes(to) & kAttrReadOnly))
      return false;
  }
  // rename() would replace silently; without the flag a target that appears meanwhile
  // must not be overwritten.
  int rc = (flags & kMoveReplaceExisting) ? ::rename(from.c_str(), to.c_str())
                                          : ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
  if (rc != 0 && errno == EXDEV && (flags & kMoveCopyAllowed)) {
    // Copy beside the target first, so that a failed copy leaves no half target.
    fs::path temp = to;
    temp += ".~move";
    std::error_code ec;
    bool copied = S_ISDIR(src.st_mode) ? (fs::copy(from, temp, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec), !ec)
                                       : copyFile(from, temp);
    if (!copied) {
      fs::remove_all(temp, ec);
      return false;
    }
    if (::rename(temp.c_str(), to.c_str()) != 0) {
      fs::remove_all(temp, ec);
      return false;
    }
    fs::remove_all(from, ec);
    rc = 0;
  }
  if (rc != 0) return false;
  if (flags & kMoveWriteThrough) {
    int fd = ::open(to.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
      ::fsync(fd);
      ::close(fd);
    }
    syncFolderOf(to);
    syncFolderOf(from);
  }
  return true;
}

std::uint32_t fileAttributes(const fs::path& path) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return kAttrInvalid;
  std::uint32_t attrs = 0;
  if (S_ISDIR(st.st_mode)) attrs |= kAttrDirectory;
  if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) attrs |= kAttrReadOnly;
  return attrs ? attrs : kAttrNormal;
}

bool setFileAttributes(const fs::path& path, std::uint32_t attributes) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = (attributes & kAttrReadOnly) ? mode & ~(S_IWUSR | S_IWGRP | S_IWOTH) : mode | S_IWUSR;
  return ::chmod(path.c_str(), mode) == 0;
}

std::int64_t fileSize(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  off_t end = ::lseek(fd, 0, SEEK_END);
  ::close(fd);
  return end < 0 ? -1 : static_cast<std::int64_t>(end);
}

std::string readFile(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw FileError(describe("Cannot open", path, errno));
  std::string data;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      throw FileError(describe("Cannot read", path, err));
    }
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

void writeFileAtomic(const fs::path& path, std::string_view bytes) {
  struct stat old{};
  bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) throw FileError(describe("Cannot write", path, EISDIR));
  if (exists && (fileAttributes(path) & kAttrReadOnly)) throw FileError(describe("Cannot write", path, EACCES));

  static thread_local std::mt19937_64 random{std::random_device{}()};
  fs::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = path;
    temp += ".~" + std::to_string(random() % 1000000000);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? (old.st_mode & 07777) : 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw FileError(describe("Cannot write", path, errno));
  if (exists) ::fchmod(fd, old.st_mode & 07777);  // keep the mode the umask would cut
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  int err = errno;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    throw FileError(describe("Cannot write", path, err ? err : EIO));
  }
  syncFolderOf(path);
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
  // Iterative wildcard match with one backtrack point for the last '*'.
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || sameNoCase(pattern[p], name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

FileFinder::FileFinder(const fs::path& pattern)
    : folder_(pattern.has_parent_path() ? pattern.parent_path() : fs::path(".")),
      pattern_(pattern.filename().string()) {
  dir_ = ::opendir(folder_.c_str());
}

FileFinder::~FileFinder() {
  if (dir_) ::closedir(static_cast<DIR*>(dir_));
}

bool FileFinder::next(std::string& name, std::uint32_t& attributes) {
  if (!dir_) return false;
  while (dirent* entry = ::readdir(static_cast<DIR*>(dir_))) {
    std::string candidate = entry->d_name;
    if (!matchesPattern(candidate, pattern_)) continue;
    name = candidate;
    attributes = fileAttributes(folder_ / candidate);
    return true;
  }
  return false;
}

}  // namespace host
