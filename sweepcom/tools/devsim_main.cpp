// sweepcom-devsim: a simulated serial device on a pseudo-terminal, for trying the
// scanner by hand.
//   sweepcom-devsim [--prefix DIR] --com N [--script FILE] [--rule 'LINE']...
// Runs until interrupted. Without --prefix the machine prefix is used.
#include <csignal>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "devsim.h"
#include "host/prefix.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

int usage() {
  std::cerr << "usage: sweepcom-devsim [--prefix DIR] --com N [--script FILE] [--rule 'LINE']...\n"
               "rules: <hex|*> reply <hex> [after MS] [chunks N,N..] [gap MS]\n"
               "       <hex|*> flood [after MS]\n"
               "       <hex|*> vanish [after MS]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path prefix;
  int com = 0;
  std::string script;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (i + 1 >= argc) return usage();
    std::string value = argv[++i];
    if (arg == "--prefix") {
      prefix = value;
    } else if (arg == "--com") {
      com = std::atoi(value.c_str());
    } else if (arg == "--script") {
      std::ifstream in(value);
      if (!in) {
        std::cerr << "sweepcom-devsim: cannot read " << value << "\n";
        return 1;
      }
      std::ostringstream text;
      text << in.rdbuf();
      script += text.str() + "\n";
    } else if (arg == "--rule") {
      script += value + "\n";
    } else {
      return usage();
    }
  }
  if (com <= 0) return usage();
  try {
    if (prefix.empty()) prefix = host::prefixDir();
    devsim::Device device(prefix, com, devsim::parseScript(script));
    std::cout << device.linkPath().string() << " -> " << device.devicePath().string() << std::endl;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    while (!stopRequested) ::usleep(100 * 1000);
  } catch (const std::exception& e) {
    std::cerr << "sweepcom-devsim: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
