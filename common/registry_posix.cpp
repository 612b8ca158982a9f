#include "registry.h"

#include "platform.h"

namespace batora {

// This is the real behaviour on this platform, not a stand-in: there is no registry, so no key
// can be opened and every look-up answers false. The About box then tells the user that the
// system-information tool is not available, which is true here. The Windows file opens the key
// with RegOpenKeyExA and the access mask 0x2003F and reads the value with RegQueryValueExA.
bool GetKeyValue(RegistryRoot /*KeyRoot*/, std::string_view /*KeyName*/,
                 std::string_view /*SubKeyRef*/, std::string& KeyVal) {
  KeyVal.clear();
  return false;
}

// A name that starts with a dot is what hidden means here; there is no system attribute.
bool isVisibleFile(std::string_view path) {
  const std::filesystem::path file = platform::pathFromUtf8(path);
  const std::string name = platform::pathToUtf8(file.filename());
  if (name.empty() || name.starts_with('.')) return false;
  return platform::lookUp(file, false) == platform::LookUp::kFound;
}

}  // namespace batora
