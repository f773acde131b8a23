// Any bytes as devs.xml: the catalogue reading, the hex texts inside it and the output
// document built from it (no ports, so nothing is probed).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sweepcom/catalogue.h"
#include "sweepcom/scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const sweepcom::Catalogue catalogue = sweepcom::readCatalogue(bytes);
  for (const sweepcom::Device& device : catalogue.devices)
    for (const sweepcom::SeqStep& step : device.steps) {
      const std::string decoded = sweepcom::decodeHex(step.in);
      if (decoded.size() != step.in.size() / 2) __builtin_trap();
      if (sweepcom::renderHex(decoded).size() != decoded.size() * 2) __builtin_trap();
      (void)sweepcom::decodeHex(step.out);
    }
  // Hex and numbers straight from the raw bytes too, beyond what XML lets through.
  (void)sweepcom::decodeHex(bytes);
  (void)sweepcom::readInt(bytes);
  (void)sweepcom::scan(catalogue, {});
  return 0;
}
