#pragma once
// What becomes of one planned file: the one decision the run and the dry run share, so that
// the dry run can never promise what the run then refuses.

#include <filesystem>
#include <functional>
#include <string_view>

#include "platform.h"
#include "renameevents.h"

namespace batora {

// What keeps a composed name (without folder) from being used; kNone when nothing does.
NameFault nameFault(std::string_view newName);

// Renames one path to another without replacing anything: the real rename, or the dry run's
// replay of it.
using MoveNoReplace = std::function<platform::RenameResult(const std::filesystem::path& from,
                                                           const std::filesystem::path& to)>;

// Whether the file now stands under a name other than its old one.
bool movedEntry(const FileResult& result);

// The outcome of one planned file. An unusable name and a file that already carries its name
// never reach `move`.
FileResult settleFile(PlannedName file, const MoveNoReplace& move);

}  // namespace batora
