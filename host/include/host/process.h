#pragma once
// Starting programs and waiting.
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace host {

// Starts a program detached, like WinExec: the command line's first word is the
// program (quoted when it holds blanks; the whole line when it names a file). A bare
// name is looked up in the program folder, then the working directory, then PATH.
// The show state has no effect here. True when the program was started.
bool winExec(std::string_view commandLine, int showCommand);

// Where winExec would find a bare program name; empty when nowhere.
std::filesystem::path findProgram(std::string_view name);

void sleepMs(std::uint32_t milliseconds);

}  // namespace host
