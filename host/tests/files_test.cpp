#include "host/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "TempDir.h"

namespace {

using host::testing::TempDir;
using host::testing::writeBytes;

TEST(Files, ExistsDeleteRenameOnFilesNotFolders) {
  TempDir dir;
  writeBytes(dir / "a.txt", "A");
  std::filesystem::create_directory(dir / "sub");
  EXPECT_TRUE(host::fileExists(dir / "a.txt"));
  EXPECT_FALSE(host::fileExists(dir / "sub"));
  EXPECT_FALSE(host::deleteFile(dir / "sub"));
  EXPECT_FALSE(host::deleteFile(dir / "missing"));

  writeBytes(dir / "b.txt", "B");
  EXPECT_FALSE(host::renameFile(dir / "a.txt", dir / "b.txt"));  // never over an existing file
  EXPECT_TRUE(host::renameFile(dir / "a.txt", dir / "c.txt"));
  EXPECT_EQ(host::readFile(dir / "c.txt"), "A");
  EXPECT_TRUE(host::deleteFile(dir / "c.txt"));
  EXPECT_FALSE(host::fileExists(dir / "c.txt"));
}

TEST(Files, MoveFlags) {
  TempDir dir;
  writeBytes(dir / "src", "new");
  writeBytes(dir / "dst", "old");
  EXPECT_FALSE(host::moveFile(dir / "src", dir / "dst", 0));
  EXPECT_EQ(host::readFile(dir / "dst"), "old");
  EXPECT_TRUE(host::moveFile(dir / "src", dir / "dst", host::kMoveReplaceExisting | host::kMoveWriteThrough));
  EXPECT_EQ(host::readFile(dir / "dst"), "new");
  EXPECT_FALSE(host::fileExists(dir / "src"));

  // Folders move too, but never replace anything.
  std::filesystem::create_directories(dir / "f1/inner");
  EXPECT_TRUE(host::moveFile(dir / "f1", dir / "f2", 0));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "f2/inner"));
  std::filesystem::create_directory(dir / "f3");
  EXPECT_FALSE(host::moveFile(dir / "f2", dir / "f3", host::kMoveReplaceExisting));
}

TEST(Files, MoveAcrossFileSystemsNeedsCopyAllowed) {
  TempDir dir;
  std::filesystem::path shm = "/dev/shm";
  if (!std::filesystem::is_directory(shm)) GTEST_SKIP() << "no second file system";
  std::filesystem::path far = shm / ("tormela-move-" + std::to_string(::getpid()));
  writeBytes(dir / "x", "payload");
  bool plain = host::moveFile(dir / "x", far, 0);
  if (plain) {
    std::filesystem::remove(far);
    GTEST_SKIP() << "/dev/shm is on the same file system here";
  }
  EXPECT_TRUE(host::moveFile(dir / "x", far, host::kMoveCopyAllowed));
  EXPECT_EQ(host::readFile(far), "payload");
  EXPECT_FALSE(host::fileExists(dir / "x"));
  std::filesystem::remove(far);

  std::filesystem::create_directories(dir / "folder/sub");
  writeBytes(dir / "folder/sub/data", "inside");
  EXPECT_FALSE(host::moveFile(dir / "folder", far, 0));
  EXPECT_TRUE(host::moveFile(dir / "folder", far, host::kMoveCopyAllowed | host::kMoveWriteThrough));
  EXPECT_EQ(host::readFile(far / "sub/data"), "inside");
  EXPECT_FALSE(std::filesystem::exists(dir / "folder"));
  std::filesystem::remove_all(far);
}

TEST(Files, ReadOnlyAttributeRefusesDeleteAndWrite) {
  TempDir dir;
  writeBytes(dir / "ro.ini", "keep");
  EXPECT_EQ(host::fileAttributes(dir / "ro.ini"), host::kAttrNormal);
  EXPECT_EQ(host::fileAttributes(dir.path()), host::kAttrDirectory);
  EXPECT_EQ(host::fileAttributes(dir / "missing"), host::kAttrInvalid);

  ASSERT_TRUE(host::setFileAttributes(dir / "ro.ini", host::kAttrReadOnly));
  EXPECT_EQ(host::fileAttributes(dir / "ro.ini"), host::kAttrReadOnly);
  EXPECT_FALSE(host::deleteFile(dir / "ro.ini"));
  EXPECT_THROW(host::writeFileAtomic(dir / "ro.ini", "lost"), host::FileError);
  EXPECT_EQ(host::readFile(dir / "ro.ini"), "keep");

  ASSERT_TRUE(host::setFileAttributes(dir / "ro.ini", host::kAttrNormal));
  host::writeFileAtomic(dir / "ro.ini", "changed");
  EXPECT_EQ(host::readFile(dir / "ro.ini"), "changed");
}

TEST(Files, AtomicWriteKeepsModeAndLeavesNoTemporaryFile) {
  TempDir dir;
  writeBytes(dir / "prog", "1");
  ::chmod((dir / "prog").c_str(), 0750);
  host::writeFileAtomic(dir / "prog", std::string(100000, 'x'));
  struct stat st{};
  ::stat((dir / "prog").c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0750u);
  EXPECT_EQ(host::fileSize(dir / "prog"), 100000);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  EXPECT_THROW(host::writeFileAtomic(dir / "no/such/folder/file", "x"), host::FileError);
  EXPECT_THROW(host::writeFileAtomic(dir.path(), "x"), host::FileError);
  EXPECT_THROW(host::readFile(dir / "missing"), host::FileError);
  EXPECT_EQ(host::fileSize(dir / "missing"), -1);
}

TEST(Files, PatternsMatchCaseInsensitively) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  } cases[] = {
      {"BD.tms", "*.tms", true},  {"bd.TMS", "*.tms", true},   {"BD.tmsx", "*.tms", false},
      {".tms", "*.tms", true},    {"a.b.tms", "*.tms", true},  {"x.tm", "*.tms", false},
      {"T01", "T??", true},       {"T1", "T??", false},        {"abc", "*", true},
      {"abcabd", "a*b?", true},   {"ab", "a**b", true},        {"", "*", true},
  };
  for (const auto& c : cases) EXPECT_EQ(host::matchesPattern(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
}

TEST(Files, FinderListsMatchingEntries) {
  TempDir dir;
  for (const char* name : {"one.tms", "two.TMS", "three.txt"}) writeBytes(dir / name, "");
  std::filesystem::create_directory(dir / "dir.tms");
  std::vector<std::string> names;
  host::FileFinder finder(dir / "*.tms");
  std::string name;
  std::uint32_t attrs = 0;
  while (finder.next(name, attrs)) names.push_back(name + (attrs & host::kAttrDirectory ? "/" : ""));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"dir.tms/", "one.tms", "two.TMS"}));

  host::FileFinder missing(dir / "nothing/*.tms");
  EXPECT_FALSE(missing.next(name, attrs));
}

}  // namespace
