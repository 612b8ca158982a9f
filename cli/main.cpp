// batora-cli: the window's rename from the command line.

#include <iostream>
#include <system_error>

#include "clirun.h"
#include "platform.h"
#include "terminal.h"

int main(int argc, char* argv[]) {
  using namespace batora::cli;
  setUpOutputs();
  std::error_code ec;
  std::filesystem::path current = std::filesystem::current_path(ec);
  const CliEnvironment env{
      .out = std::cout,
      .err = std::cerr,
      .stdinIsTerminal = isTerminal(Stream::kIn),
      .stdoutIsTerminal = isTerminal(Stream::kOut),
      .stderrIsTerminal = isTerminal(Stream::kErr),
      .programFolder = batora::platform::programFolder(),
      .currentFolder = current,
      .exeName = batora::platform::programName(),
      .armStop = armStopSignal,
      .stopSignalled = stopSignalled,
      .readLine = [] { return readInputLine(stopSignalled); },
  };
  return runCli(commandLineArguments(argc, argv), env);
}
