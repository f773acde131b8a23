#pragma once
// The machine prefix: the one folder that stands for what Windows keeps outside the
// programs' own folders (registry hives, drive C:, serial port names).
#include <filesystem>

namespace host {

// $KERROW_PREFIX, else $XDG_DATA_HOME/kerrow, else ~/.local/share/kerrow. Created on
// first use together with dosdevices/ and drive C:. A new default prefix (no
// KERROW_PREFIX) is seeded with links to the machine's serial ports.
std::filesystem::path prefixDir();

// Links dosdevices/com1.. to the real serial devices listed under sysClassTty:
// ttyS*, ttyUSB* and ttyACM* with a device behind them, without the 8250 ports
// whose driver reports type 0 (no UART). Existing links are left alone.
void seedSerialPorts(const std::filesystem::path& prefix,
                     const std::filesystem::path& sysClassTty = "/sys/class/tty",
                     const std::filesystem::path& devDir = "/dev");

}  // namespace host
