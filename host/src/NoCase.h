#pragma once
// ASCII comparison without case: key and value names, drive letters, port names and
// file patterns all compare this way.
#include <algorithm>
#include <cctype>
#include <string_view>

namespace host {

inline char lowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

inline bool sameNoCase(char a, char b) { return lowerAscii(a) == lowerAscii(b); }

inline bool sameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return sameNoCase(x, y); });
}

inline bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && sameNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace host
