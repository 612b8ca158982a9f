#pragma once
// The dry run: what the run would make of each planned file (a name taken when the file's turn
// comes, a name that cannot be used, or fine), worked out before anything changes.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "renameevents.h"

namespace batora::cli {

enum class PlanMark { kNone, kTargetExists, kTakenInRun, kUnusableName, kFailed };

struct PlanMarking {
  PlanMark mark = PlanMark::kNone;
  int takenByRow = -1;                 // kTakenInRun: the row of the earlier file
  NameFault fault = NameFault::kNone;  // kUnusableName: why
  bool operator==(const PlanMarking&) const = default;
};

// Whether a name is taken on the disk for the file that wants it (only the file's own directory
// entry does not take the name from it).
using OccupiedOnDisk =
    std::function<bool(const std::filesystem::path& target, const std::filesystem::path& source)>;

// One marking per planned file, in plan order.
std::vector<PlanMarking> markCollisions(const std::vector<PlannedName>& plan,
                                        const OccupiedOnDisk& occupied);

bool occupiedOnDisk(const std::filesystem::path& target, const std::filesystem::path& source);

// One line per file ("!" in front of a marked one), then the counts (unusable names only when
// there are any). rowTexts: the list's row
// texts, indexed by row.
std::vector<std::string> planLines(const std::vector<PlannedName>& plan,
                                   const std::vector<PlanMarking>& marks,
                                   const std::vector<std::string>& rowTexts,
                                   std::string_view selectedCaption);

}  // namespace batora::cli
