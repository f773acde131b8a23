#pragma once
// Windows-1251, the code page of every file shared with the terminal program.
// Inside the programs text is UTF-8; these two calls sit at the file edge.
#include <string>
#include <string_view>

namespace host::cp1251 {

// Bytes in Windows-1251 to UTF-8. The unassigned byte 0x98 becomes U+0098, so every
// byte string survives toUtf8 followed by fromUtf8.
std::string toUtf8(std::string_view bytes);

// UTF-8 to Windows-1251 bytes. A character the code page cannot hold, and every
// byte of a malformed UTF-8 sequence, becomes '?'.
std::string fromUtf8(std::string_view utf8);

}  // namespace host::cp1251
