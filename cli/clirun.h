#pragma once
// batora-cli from its arguments to its exit status, with everything it touches outside the
// file system handed in.

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "toolkit.h"

namespace batora::cli {

struct CliEnvironment {
  std::ostream& out;
  std::ostream& err;
  bool stdinIsTerminal = false;
  bool stdoutIsTerminal = false;
  bool stderrIsTerminal = false;
  // Where the default settings file lies.
  std::filesystem::path programFolder;
  std::filesystem::path currentFolder;
  std::string exeName;
  // Called right before the run: from then on Ctrl+C is the stop command.
  std::function<void()> armStop;
  std::function<bool()> stopSignalled;
  // A line typed on the terminal; nullopt at the end of input or on Ctrl+C.
  std::function<std::optional<std::string>()> readLine;
};

int runCli(const std::vector<std::string>& args, const CliEnvironment& env);

}  // namespace batora::cli
