#pragma once
// A temporary folder for one test, also used as the machine prefix.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/files.h"

namespace host::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tormela-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Points KERROW_PREFIX at a fresh folder for the life of the object.
class ScopedPrefix {
 public:
  ScopedPrefix() { ::setenv("KERROW_PREFIX", (dir_ / "prefix").c_str(), 1); }
  ~ScopedPrefix() { ::unsetenv("KERROW_PREFIX"); }
  std::filesystem::path path() const { return dir_ / "prefix"; }

 private:
  TempDir dir_;
};

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
  host::writeFileAtomic(path, bytes);
}

}  // namespace host::testing
