#pragma once
// File operations with the meaning the programs expect of them on Windows: results
// are flags, not exceptions, except for whole-file reads and writes.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace host {

namespace fs = std::filesystem;

// A file that could not be read or written; the message names the file and the cause.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool fileExists(const fs::path& path);  // a file (not a folder) is there
bool deleteFile(const fs::path& path);  // files only, never folders
bool renameFile(const fs::path& from, const fs::path& to);  // fails when `to` exists

enum MoveFlags : unsigned {
  kMoveReplaceExisting = 0x1,
  kMoveCopyAllowed = 0x2,  // across file systems: copy, then delete the source
  kMoveWriteThrough = 0x8,  // return only once the move is on disk
};
// Moves a file, or a folder within one file system.
bool moveFile(const fs::path& from, const fs::path& to, unsigned flags);

enum Attributes : std::uint32_t {
  kAttrReadOnly = 0x1,
  kAttrDirectory = 0x10,
  kAttrNormal = 0x80,
  kAttrInvalid = 0xFFFFFFFF,
};
// Read-only means no write permission bit is set; clearing it restores the owner's.
std::uint32_t fileAttributes(const fs::path& path);
bool setFileAttributes(const fs::path& path, std::uint32_t attributes);

// Size of a file opened read-only, or -1 when it cannot be opened.
std::int64_t fileSize(const fs::path& path);

// Whole-file read and write. A write goes to a temporary file in the same folder that
// is then renamed over the target, so the target is either old or new, never cut.
// A read-only target refuses the write. Both throw FileError.
std::string readFile(const fs::path& path);
void writeFileAtomic(const fs::path& path, std::string_view bytes);

// Find first/next: the entries of one folder whose names match a pattern with '*' and
// '?' (compared case-insensitively), in the order the file system lists them.
class FileFinder {
 public:
  explicit FileFinder(const fs::path& pattern);  // "dir/*.tms"
  ~FileFinder();
  FileFinder(const FileFinder&) = delete;
  FileFinder& operator=(const FileFinder&) = delete;

  // Next matching name (without folder); false at the end or when the folder is missing.
  bool next(std::string& name, std::uint32_t& attributes);

 private:
  void* dir_ = nullptr;
  fs::path folder_;
  std::string pattern_;
};

bool matchesPattern(std::string_view name, std::string_view pattern);

}  // namespace host
