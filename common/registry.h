#pragma once
// The system registry, and the system-information tool that is found through it. One portable
// file (registry.cpp) and one file per platform (registry_posix.cpp; a Windows one beside it).
// No system type appears here. All texts are UTF-8.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit.h"

namespace batora {

// The predefined root keys, with the 32-bit values the classic API gives their handles.
enum class RegistryRoot : std::uint32_t {
  kClassesRoot = 0x80000000,
  kCurrentUser = 0x80000001,
  kLocalMachine = 0x80000002,
  kUsers = 0x80000003,
};

// Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal. True when it was
// read; false (KeyVal then "") when the key or the value cannot be read. Never throws.
bool GetKeyValue(RegistryRoot KeyRoot, std::string_view KeyName, std::string_view SubKeyRef,
                 std::string& KeyVal);

// True when a file exists at the path; folders, hidden and system files do not count.
bool isVisibleFile(std::string_view path);

// The look-ups the search for the tool makes, replaceable for tests.
struct SystemInfoProbes {
  std::function<bool(RegistryRoot, std::string_view, std::string_view, std::string&)> readValue =
      GetKeyValue;
  std::function<bool(std::string_view)> fileExists = isVisibleFile;
};

inline constexpr std::string_view kSystemInfoUnavailable = "現時点ではｼｽﾃﾑ情報を使用できません";

// The path of the system-information tool, or nullopt when the registry does not lead to one.
std::optional<std::string> findSystemInfoTool(const SystemInfoProbes& probes);

// Starts the tool; when it cannot be found or started, shows kSystemInfoUnavailable directly
// (OK, no icon, titled "Batora"; never logged).
void startSystemInfo(Toolkit& toolkit, const SystemInfoProbes& probes = {});

}  // namespace batora
