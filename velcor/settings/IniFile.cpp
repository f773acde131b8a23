#include "settings/IniFile.h"

#include <array>
#include <utility>

#include "host/codec.h"
#include "host/files.h"
#include "settings/Text.h"

namespace velcor {
namespace {

// Lower case of a Windows-1251 byte; the Cyrillic capitals sit 0x20 (or 0x10) below.
constexpr std::array<unsigned char, 256> makeFoldTable() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
  for (int c = 0xC0; c <= 0xDF; ++c) t[c] = static_cast<unsigned char>(c + 32);
  const std::pair<int, int> pairs[] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
                                       {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
                                       {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
  for (auto [upper, lower] : pairs) t[upper] = static_cast<unsigned char>(lower);
  return t;
}
constexpr auto kFold = makeFoldTable();

std::string foldBytes(std::string_view cp1251) {
  std::string out(cp1251);
  for (char& c : out) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace

std::string foldName(std::string_view utf8) { return foldBytes(host::cp1251::fromUtf8(utf8)); }

void IniFile::Section::reindex() {
  firstKey.clear();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].hasValue) firstKey.emplace(foldName(entries[i].name), i);
}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return;
  parse(host::readFile(path_));
}

IniFile IniFile::fromBytes(std::filesystem::path path, std::string_view bytes) {
  IniFile ini(std::filesystem::path{});
  ini.path_ = std::move(path);
  ini.parse(bytes);
  return ini;
}

void IniFile::parse(std::string_view bytes) {
  Section* current = nullptr;
  forEachLine(bytes, [&](std::string_view raw) {
    std::string_view line = trimmed(raw);
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &sectionFor(host::cp1251::toUtf8(trimmed(line.substr(1, line.size() - 2))));
      return;
    }
    if (!current) return;
    Entry entry;
    if (auto eq = line.find('='); eq != std::string_view::npos) {
      entry.name = host::cp1251::toUtf8(trimmed(line.substr(0, eq)));
      entry.value = host::cp1251::toUtf8(trimmed(line.substr(eq + 1)));
      current->firstKey.emplace(foldBytes(trimmed(line.substr(0, eq))), current->entries.size());
    } else {
      entry.name = host::cp1251::toUtf8(line);
      entry.hasValue = false;
    }
    current->entries.push_back(std::move(entry));
  });
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
  auto it = sectionIndex_.find(foldName(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section* IniFile::findSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).findSection(name));
}

// A section named twice in a file is one section: its later lines join the first.
IniFile::Section& IniFile::sectionFor(std::string_view name) {
  auto [it, added] = sectionIndex_.emplace(foldName(name), sections_.size());
  if (added) sections_.push_back(Section{std::string(name), {}, {}});
  return sections_[it->second];
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
  if (const Section* s = findSection(section)) {
    if (auto it = s->firstKey.find(foldName(key)); it != s->firstKey.end()) return s->entries[it->second].value;
  }
  return std::string(defaultValue);
}

bool IniFile::valueExists(std::string_view section, std::string_view key) const {
  const Section* s = findSection(section);
  return s && s->firstKey.count(foldName(key));
}

bool IniFile::sectionExists(std::string_view section) const { return findSection(section) != nullptr; }

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view rawValue) {
  // A line break inside a value would start a line of its own in the file.
  std::string value(rawValue);
  for (char& c : value)
    if (c == '\r' || c == '\n') c = ' ';
  Section& s = sectionFor(section);
  std::string folded = foldName(key);
  if (auto it = s.firstKey.find(folded); it != s.firstKey.end()) {
    s.entries[it->second] = Entry{std::string(key), std::move(value), true};
    return;
  }
  s.firstKey.emplace(std::move(folded), s.entries.size());
  s.entries.push_back(Entry{std::string(key), std::move(value), true});
}

void IniFile::writeInteger(std::string_view section, std::string_view key, std::int64_t value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::deleteKey(std::string_view section, std::string_view key) {
  Section* s = findSection(section);
  if (!s) return;
  auto it = s->firstKey.find(foldName(key));
  if (it == s->firstKey.end()) return;
  s->entries.erase(s->entries.begin() + static_cast<std::ptrdiff_t>(it->second));
  s->reindex();
}

void IniFile::eraseSection(std::string_view section) {
  auto it = sectionIndex_.find(foldName(section));
  if (it == sectionIndex_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
  sectionIndex_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) sectionIndex_.emplace(foldName(sections_[i].name), i);
}

void IniFile::clear() {
  sections_.clear();
  sectionIndex_.clear();
}

std::vector<std::string> IniFile::readSection(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* s = findSection(section)) {
    for (std::size_t i = 0; i < s->entries.size(); ++i) {
      const Entry& e = s->entries[i];
      if (e.hasValue && s->firstKey.at(foldName(e.name)) == i) keys.push_back(e.name);
    }
  }
  return keys;
}

std::string IniFile::toBytes() const {
  std::string text;
  for (const auto& s : sections_) {
    text += '[' + s.name + "]\r\n";
    for (const auto& e : s.entries) {
      text += e.name;
      if (e.hasValue) text += '=' + e.value;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return host::cp1251::fromUtf8(text);
}

void IniFile::updateFile() const { host::writeFileAtomic(path_, toBytes()); }

}  // namespace velcor
