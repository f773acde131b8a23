#pragma once
// The device catalogue devs.xml, and the number and hex texts inside it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sweepcom/MyXLib.h"

namespace sweepcom {

// A decimal number read the way strtol does with a 32-bit long: leading blanks and a
// sign are taken, reading stops at the first non-digit, no digits give 0, and values
// beyond the 32-bit range are held at its ends.
std::int32_t readInt(std::string_view text);

// Hex text to bytes, a pair of characters per byte; a character left over at the end
// is ignored. A pair is read as a base-16 number the strtol way, so pairs that are not
// two hex digits still give a byte (" f" is 0x0f, "-1" is 0xff, "zz" is 0).
std::string decodeHex(std::string_view text);
// Two lowercase hex digits per byte, no separators.
std::string renderHex(std::string_view bytes);

struct SeqStep {
  std::string in;   // request, hex; empty means the step is skipped
  std::string out;  // expected reply, hex; empty or "h" records the reply instead
};

struct Device {
  std::string name;
  std::vector<MyXLib::PortSettings> settings;  // one per "portsett", port path not set
  std::vector<SeqStep> steps;
};

struct Catalogue {
  std::vector<std::string> excludedPorts;  // registry names, e.g. COM1
  std::vector<Device> devices;
};

// Parses with the XML library's default options and takes whatever the parser built,
// well-formed or not.
Catalogue readCatalogue(std::string_view xml);

}  // namespace sweepcom
