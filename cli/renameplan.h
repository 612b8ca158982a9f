#pragma once
// The dry run: what every selected file would be called, and which of them would meet a name
// that is taken, worked out before anything changes.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "clsobjctrl.h"
#include "namingrule.h"

namespace batora::cli {

enum class PlanMark { kNone, kTargetExists, kTakenInRun };

struct PlannedRename {
  int row = 0;  // 0-based list row
  std::string rowText;
  std::filesystem::path oldPath;
  std::string newName;
  std::filesystem::path newPath;
  PlanMark mark = PlanMark::kNone;
  int takenByRow = -1;  // kTakenInRun: the row of the earlier file
  bool operator==(const PlannedRename&) const = default;
};

// Whether a name is taken on the disk for the file that wants it (a file that already is that
// name, through another spelling or link, does not take it from itself).
using OccupiedOnDisk =
    std::function<bool(const std::filesystem::path& target, const std::filesystem::path& source)>;

// The names the run gives the selected rows (ascending), composed the way the run composes them.
std::vector<PlannedRename> composePlan(const clsObjCtrl& objCtrl, const NamingRule& rule,
                                       const std::vector<int>& rows, long digits);

// The plan with each file marked whose name is taken when its turn comes.
std::vector<PlannedRename> markCollisions(std::vector<PlannedRename> plan,
                                          const OccupiedOnDisk& occupied);

bool occupiedOnDisk(const std::filesystem::path& target, const std::filesystem::path& source);

// One line per file ("!" in front of a marked one), then the counts.
std::vector<std::string> planLines(const std::vector<PlannedRename>& plan,
                                   std::string_view selectedCaption);

}  // namespace batora::cli
