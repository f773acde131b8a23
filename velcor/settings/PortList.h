#pragma once
// The items of the four serial-port selectors of the editor.
#include <string>
#include <vector>

namespace velcor {

// "Отсутствует", the serial ports of the machine sorted without regard to case and
// without duplicates (COM1 .. COM9 when the port key cannot be read), then "USB".
std::vector<std::string> portItems();

}  // namespace velcor
