#include "app/Edition.h"

#include <cstdio>
#include <cstdlib>

#ifndef VELCOR_DEFAULT_EDITION
#define VELCOR_DEFAULT_EDITION "plain"
#endif

namespace velcor {

std::optional<Edition> parseEdition(std::string_view text) {
  Edition edition;
  while (true) {
    auto plus = text.find('+');
    std::string_view word = text.substr(0, plus);
    if (word == "vending")
      edition.vending = true;
    else if (word == "parking")
      edition.parking = true;
    else if (word == "service")
      edition.service = true;
    else if (word != "plain")
      return std::nullopt;
    if (plus == std::string_view::npos) return edition;
    text.remove_prefix(plus + 1);
  }
}

Edition startEdition() {
  Edition built = parseEdition(VELCOR_DEFAULT_EDITION).value_or(Edition{});
  const char* env = std::getenv("VELCOR_EDITION");
  if (!env || !*env) return built;
  if (auto chosen = parseEdition(env)) return *chosen;
  std::fprintf(stderr, "velcor: VELCOR_EDITION=\"%s\" is no edition (plain, vending, parking, service, joined by +)\n",
               env);
  return built;
}

}  // namespace velcor
