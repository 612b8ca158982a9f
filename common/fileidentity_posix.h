#pragma once
// The identity of an entry named relative to an open folder (AT_FDCWD: to the working folder).

#include <optional>

#include "fileidentity.h"

namespace batora::platform {

std::optional<FileIdentity> fileIdentityAt(int folder, const char* name);

}  // namespace batora::platform
