#pragma once
// The scan: which catalogue device answers on which serial port.
#include <filesystem>
#include <string>
#include <vector>

#include "sweepcom/catalogue.h"

namespace sweepcom {

// "\\.\" followed by each port name of the serial-port key, in enumeration order;
// empty when the key is missing or unreadable.
std::vector<std::string> portList();

// Leaves out every port named by the catalogue's exclusions.
void applyExclusions(const Catalogue& catalogue, std::vector<std::string>& ports);

// Probes each device on each port with each of its port settings and gives the output
// document. waitMs bounds the wait for the open and for each reply.
std::string scan(const Catalogue& catalogue, const std::vector<std::string>& ports,
                 int waitMs = 500);

// The whole program but the printing: the port list, the catalogue file, the scan.
// Gives what goes to standard output.
std::string run(const std::filesystem::path& catalogueFile = "devs.xml");

}  // namespace sweepcom
