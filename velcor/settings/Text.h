#pragma once
// The small text conversions that every settings value goes through.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velcor {

// Without the blanks and control characters at both ends.
std::string_view trimmed(std::string_view text);

// The first `count` characters of UTF-8 text, never cutting a character.
std::string firstChars(std::string_view utf8, std::size_t count);
std::size_t charCount(std::string_view utf8);

// Calls f with each line of the text: CR LF, CR and LF all end a line, and a last line
// without an end is a line too.
template <class F>
void forEachLine(std::string_view text, F&& f) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    f(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

// A signed decimal integer ("-12", "+7"); nothing else, and no overflow.
std::optional<std::int32_t> toInt32(std::string_view text);
std::optional<std::int64_t> toInt64(std::string_view text);

}  // namespace velcor
