#include "settings/Text.h"

#include <charconv>

namespace velcor {
namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

template <typename T>
std::optional<T> toInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  T value{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

std::string firstChars(std::string_view utf8, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; pos < utf8.size() && n < count; ++n) {
    ++pos;
    while (pos < utf8.size() && isContinuation(utf8[pos])) ++pos;
  }
  return std::string(utf8.substr(0, pos));
}

std::size_t charCount(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8) n += !isContinuation(c);
  return n;
}

std::optional<std::int32_t> toInt32(std::string_view text) { return toInteger<std::int32_t>(text); }
std::optional<std::int64_t> toInt64(std::string_view text) { return toInteger<std::int64_t>(text); }

}  // namespace velcor
