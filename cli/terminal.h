#pragma once
// The terminal as the operating system offers it: one small interface, one file per platform.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace batora::cli {

enum class Stream { kIn, kOut, kErr };

// The program's arguments (without its own name) as UTF-8.
std::vector<std::string> commandLineArguments(int argc, char* argv[]);
// Makes the outputs carry UTF-8 text with plain line ends, as a terminal and a script read it.
void setUpOutputs();

bool isTerminal(Stream stream);

// One line typed on standard input, without its line end. nullopt at the end of the input, or
// when `interrupted` answers true after a signal woke the wait.
std::optional<std::string> readInputLine(const std::function<bool()>& interrupted);

// Ctrl+C as the run's stop command: from now on an interrupt only records the request, which
// stopSignalled() reports. A second interrupt ends the program as usual.
void armStopSignal();
bool stopSignalled();

}  // namespace batora::cli
