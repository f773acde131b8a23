#pragma once
// Paths: the program folder, joining path pieces, and mapping Windows-style path
// texts (drive letters, \\.\COMn) onto the machine prefix.
#include <filesystem>
#include <initializer_list>
#include <string_view>

namespace host {

namespace fs = std::filesystem;

// Folder of the running executable, unless a test or tool set another one.
fs::path programFolder();
void setProgramFolder(const fs::path& folder);  // empty path: back to the executable's

// base + each piece. A piece may itself hold '\' or '/' separators.
fs::path joinPath(const fs::path& base, std::initializer_list<std::string_view> pieces);

// A path text read from a file or the registry: "C:\x\y" goes through dosdevices/c:,
// "\\.\COM3" is dosdevices/com3, anything else is a native path (backslashes kept).
fs::path mapPath(std::string_view text);

}  // namespace host
