#include "host/paths.h"

#include <cctype>
#include <string>
#include <system_error>

#include "NoCase.h"
#include "host/prefix.h"

namespace host {
namespace {

fs::path& programFolderOverride() {
  static fs::path folder;
  return folder;
}

// Splits a Windows-style remainder ("Tmp\PCardConfig.xml") into native pieces.
fs::path appendPieces(fs::path base, std::string_view rest) {
  std::string piece;
  for (char c : rest) {
    if (c == '\\' || c == '/') {
      if (!piece.empty()) base /= piece;
      piece.clear();
    } else {
      piece += c;
    }
  }
  if (!piece.empty()) base /= piece;
  return base;
}

}  // namespace

fs::path programFolder() {
  if (!programFolderOverride().empty()) return programFolderOverride();
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : exe.parent_path();
}

void setProgramFolder(const fs::path& folder) { programFolderOverride() = folder; }

fs::path joinPath(const fs::path& base, std::initializer_list<std::string_view> pieces) {
  fs::path result = base;
  for (auto piece : pieces) result = appendPieces(result, piece);
  return result;
}

fs::path mapPath(std::string_view text) {
  if (startsWithNoCase(text, "\\\\.\\")) {
    // A device name is one entry of dosdevices; a separator in it must not lead elsewhere.
    std::string device(text.substr(4));
    for (char& c : device) c = (c == '/' || c == '\\') ? '_' : lowerAscii(c);
    return prefixDir() / "dosdevices" / device;
  }
  if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
    std::string drive{lowerAscii(text[0]), ':'};
    return appendPieces(prefixDir() / "dosdevices" / drive, text.substr(2));
  }
  return fs::path(std::string(text));
}

}  // namespace host
