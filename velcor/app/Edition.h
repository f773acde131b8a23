#pragma once
// Editions of the editor: the plain one, vending (the vending page), parking (the
// parking fields) and service (entries to the tools the other editions hide).
#include <optional>
#include <string_view>

namespace velcor {

struct Edition {
  bool vending = false;
  bool parking = false;
  bool service = false;
  bool operator==(const Edition&) const = default;
};

// "plain", "vending", "parking", "service", combined with '+' ("vending+service").
// nullopt for any other word.
std::optional<Edition> parseEdition(std::string_view text);

// VELCOR_EDITION when it is set and valid, else the edition the build was made for.
Edition startEdition();

}  // namespace velcor
