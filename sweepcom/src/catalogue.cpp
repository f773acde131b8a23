#include "sweepcom/catalogue.h"

#include <pugixml.hpp>

#include <algorithm>
#include <limits>

namespace sweepcom {

namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int digitValue(char c, int base) {
  int v = base;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'z') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'Z') v = c - 'A' + 10;
  return v < base ? v : -1;
}

// strtol for a 32-bit long, base 10 or 16 (with its optional 0x).
std::int64_t readLong(std::string_view text, int base) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (base == 16 && i + 2 < text.size() && text[i] == '0' &&
      (text[i + 1] == 'x' || text[i + 1] == 'X') && digitValue(text[i + 2], 16) >= 0)
    i += 2;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    int d = digitValue(text[i], base);
    if (d < 0) break;
    // Clamped while reading, so no length of digits can overflow.
    value = std::min<std::int64_t>(value * base + d, kMax + 1);
  }
  if (negative) value = -value;
  return std::clamp(value, kMin, kMax);
}

// Missing, or a value that reads as -1, keeps the start value.
void override(std::int32_t& field, const pugi::xml_node& node, const char* name) {
  pugi::xml_attribute a = node.attribute(name);
  if (!a) return;
  std::int32_t v = readInt(a.value());
  if (v != -1) field = v;
}

}  // namespace

std::int32_t readInt(std::string_view text) { return static_cast<std::int32_t>(readLong(text, 10)); }

std::string decodeHex(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    bytes.push_back(static_cast<char>(readLong(text.substr(i, 2), 16) & 0xFF));
  return bytes;
}

std::string renderHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0xF]);
  }
  return text;
}

Catalogue readCatalogue(std::string_view xml) {
  pugi::xml_document doc;
  doc.load_buffer(xml.data(), xml.size());  // result not checked: partial trees are used

  Catalogue cat;
  for (const pugi::xpath_node& port : doc.select_nodes("/root/exclude/port"))
    cat.excludedPorts.emplace_back(port.node().attribute("name").value());

  for (const pugi::xpath_node& devNode : doc.select_nodes("/root/devs/dev")) {
    const pugi::xml_node dev = devNode.node();
    Device& device = cat.devices.emplace_back();
    device.name = dev.attribute("name").value();
    for (const pugi::xpath_node& ps : dev.select_nodes("portsett")) {
      const pugi::xml_node n = ps.node();
      MyXLib::PortSettings& s = device.settings.emplace_back();
      // The baud rate is always replaced, a missing one by 0.
      s.baudRate = readInt(n.attribute("baud").value());
      override(s.byteSize, n, "bytesize");
      override(s.parity, n, "parity");
      override(s.stopBits, n, "stopbits");
      override(s.abortOnError, n, "abortonerror");
      override(s.rtsControl, n, "rtscontrol");
    }
    for (const pugi::xpath_node& seq : dev.select_nodes("seq")) {
      const pugi::xml_node n = seq.node();
      device.steps.push_back({n.attribute("in").value(), n.attribute("out").value()});
    }
  }
  return cat;
}

}  // namespace sweepcom
