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

// A signed decimal integer ("-12", "+7"); nothing else, and no overflow.
std::optional<std::int32_t> toInt32(std::string_view text);
std::optional<std::int64_t> toInt64(std::string_view text);

}  // namespace velcor
