// sweepcom: probes the machine's serial ports for the devices of ./devs.xml and prints
// what it found as an XML document.
#include <csignal>
#include <cstdio>
#include <exception>

#include "sweepcom/scanner.h"

int main() {
  // A reader that went away must surface as a failed write, not kill us silently.
  std::signal(SIGPIPE, SIG_IGN);
  std::string output;
  try {
    output = sweepcom::run();
  } catch (const std::exception&) {
    return 1;
  }
  // The exit code stays 0 as long as what we found reached its reader.
  if (std::fwrite(output.data(), 1, output.size(), stdout) != output.size() ||
      std::fflush(stdout) != 0)
    return 1;
  return 0;
}
