#pragma once
// The X.25 dialogue scripts that the terminal program runs: their default texts and
// the connection script's place in the settings file. Velcor keeps them as lines of
// text and never interprets them.
#include <string>
#include <vector>

#include "settings/IniFile.h"

namespace velcor {

std::vector<std::string> defaultConnectionScript();  // 13 lines
std::vector<std::string> defaultLoaderScript();      // 24 lines, the first 12 shared

// Reads [Script]: "Num Lines" and "Line1".."LineN". A count that is not a positive
// number keeps `lines` as they are; otherwise they become the non-empty LineK values.
void readConnectionScript(const IniFile& ini, std::vector<std::string>& lines);
// Writes [Script] so that reading it back gives the non-empty lines, and removes the
// LineK keys an earlier, longer script left behind.
void writeConnectionScript(IniFile& ini, const std::vector<std::string>& lines);

}  // namespace velcor
