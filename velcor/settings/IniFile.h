#pragma once
// An INI file held in memory: the settings file, default.ini and the parameter
// database all go through it. Text is UTF-8 here and Windows-1251 on disk.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velcor {

class IniFile {
 public:
  // Reads the whole file; a missing file gives an empty copy. A file that exists but
  // cannot be read throws host::FileError.
  explicit IniFile(std::filesystem::path path);

  // Parses text already in memory (Windows-1251 bytes); used for files read elsewhere.
  static IniFile fromBytes(std::filesystem::path path, std::string_view bytes);

  const std::filesystem::path& path() const { return path_; }

  // The value of an existing key, even when empty; the default only for an absent key.
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  bool valueExists(std::string_view section, std::string_view key) const;
  bool sectionExists(std::string_view section) const;

  // Replaces an existing key in place, else appends it to its section (created at the end).
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, std::int64_t value);
  void deleteKey(std::string_view section, std::string_view key);
  void eraseSection(std::string_view section);
  void clear();

  // The key names of a section in file order, each name once.
  std::vector<std::string> readSection(std::string_view section) const;

  // Windows-1251 bytes: sections in creation order, "key=value" lines, an empty line
  // after each section, CR LF line ends.
  std::string toBytes() const;

  // Writes the copy to its file through a temporary file; throws host::FileError.
  void updateFile() const;

 private:
  // A line of a section: a key with its value, or a line without '=' kept as it was.
  struct Entry {
    std::string name;  // the whole line when !hasValue
    std::string value;
    bool hasValue = true;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> firstKey;  // folded name -> entry index
    void reindex();
  };

  void parse(std::string_view bytes);
  const Section* findSection(std::string_view name) const;
  Section* findSection(std::string_view name);
  Section& sectionFor(std::string_view name);

  std::filesystem::path path_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> index
};

// Case folding for names: ASCII and Cyrillic letters compare without case.
std::string foldName(std::string_view utf8);

}  // namespace velcor
