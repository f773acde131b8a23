#include "host/codec.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace host::cp1251 {
namespace {

// Code points of the bytes 0x80..0xFF. The unassigned 0x98 maps to U+0098 so that
// any byte string survives a round trip.
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Reverse table, sorted by code point, built once.
struct Reverse {
  std::array<std::pair<char16_t, unsigned char>, 128> entries{};
  std::size_t size = 0;
  Reverse() {
    for (unsigned b = 0; b < 128; ++b)
      entries[size++] = {kHigh[b], static_cast<unsigned char>(0x80 + b)};
    std::sort(entries.begin(), entries.begin() + size);
  }
  int find(char32_t cp) const {
    auto end = entries.begin() + size;
    auto it = std::lower_bound(entries.begin(), end, cp,
                               [](const auto& e, char32_t v) { return e.first < v; });
    return (it != end && it->first == cp) ? it->second : -1;
  }
};

}  // namespace

std::string toUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    if (b < 0x80)
      out += static_cast<char>(b);
    else
      appendUtf8(out, kHigh[b - 0x80]);
  }
  return out;
}

std::string fromUtf8(std::string_view utf8) {
  static const Reverse reverse;
  std::string out;
  out.reserve(utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  while (p < end) {
    unsigned char lead = *p;
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++p;
      continue;
    }
    int len = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    char32_t cp = len == 2 ? lead & 0x1F : len == 3 ? lead & 0x0F : lead & 0x07;
    int i = 1;
    for (; len && i < len && p + i < end && (p[i] & 0xC0) == 0x80; ++i) cp = (cp << 6) | (p[i] & 0x3F);
    bool valid = len != 0 && i == len && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) &&
                 !(len == 3 && cp < 0x800) && !(len == 4 && cp < 0x10000);
    if (!valid) {
      out += '?';  // one '?' per byte of a broken sequence
      ++p;
      continue;
    }
    int b = reverse.find(cp);
    out += b < 0 ? '?' : static_cast<char>(b);
    p += len;
  }
  return out;
}

}  // namespace host::cp1251
