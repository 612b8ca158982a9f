#include "renameplan.h"

#include <map>
#include <set>

#include "platform.h"
#include "renamerun.h"
#include "text.h"

namespace batora::cli {
namespace fs = std::filesystem;

std::vector<PlannedRename> composePlan(const clsObjCtrl& objCtrl, const NamingRule& rule,
                                       const std::vector<int>& rows, long digits) {
  std::vector<PlannedRename> plan;
  plan.reserve(rows.size());
  long k = 0;
  for (int row : rows) {
    PlannedRename file;
    file.row = row;
    file.rowText = objCtrl.rowText(row);
    file.oldPath = objCtrl.SelectionFileName(row);
    file.newName = rule.CmnMakeFileName(sequenceText(k++, digits));
    file.newPath = platform::joinPath(objCtrl.CurrentPath(), platform::pathFromUtf8(file.newName));
    plan.push_back(std::move(file));
  }
  return plan;
}

// Replays the run in order, because a name is taken or free at the moment the file's turn comes,
// not before the run: an earlier rename can free a name (its old one) or take it (its new one).
// A marked file is assumed left where it is, as a skipped one is.
std::vector<PlannedRename> markCollisions(std::vector<PlannedRename> plan,
                                          const OccupiedOnDisk& occupied) {
  std::set<fs::path> vacated;
  std::map<fs::path, int> takenBy;  // new path -> row of the earlier file now called so
  for (PlannedRename& file : plan) {
    if (file.oldPath == file.newPath) continue;
    if (auto it = takenBy.find(file.newPath); it != takenBy.end()) {
      file.mark = PlanMark::kTakenInRun;
      file.takenByRow = it->second;
      continue;
    }
    if (!vacated.contains(file.newPath) && occupied(file.newPath, file.oldPath)) {
      file.mark = PlanMark::kTargetExists;
      continue;
    }
    vacated.insert(file.oldPath);
    takenBy.erase(file.oldPath);
    vacated.erase(file.newPath);
    takenBy[file.newPath] = file.row;
  }
  return plan;
}

bool occupiedOnDisk(const fs::path& target, const fs::path& source) {
  return platform::lookUp(target, true) == platform::LookUp::kFound &&
         !platform::sameFile(source, target);
}

std::vector<std::string> planLines(const std::vector<PlannedRename>& plan,
                                   std::string_view selectedCaption) {
  int highestRow = 0;
  for (const PlannedRename& file : plan) highestRow = std::max(highestRow, file.row + 1);
  const size_t width = std::to_string(highestRow).size();
  std::vector<std::string> lines;
  long marked = 0;
  for (const PlannedRename& file : plan) {
    std::string number = std::to_string(file.row + 1);
    std::string line = file.mark == PlanMark::kNone ? " " : "!";
    line += std::string(width - number.size() + 1, ' ') + number + "  " + file.rowText + " -> " +
            file.newName;
    if (file.mark == PlanMark::kTargetExists) {
      line += "  (同名のファイルが既に存在します)";
    } else if (file.mark == PlanMark::kTakenInRun) {
      line +=
          "  (" + std::to_string(file.takenByRow + 1) + " 行目のファイルが先にこの名前になります)";
    }
    if (file.mark != PlanMark::kNone) ++marked;
    lines.push_back(std::move(line));
  }
  lines.emplace_back(selectedCaption);
  lines.push_back("同名のファイルと重なる数 : " + groupedNumber(marked));
  return lines;
}

}  // namespace batora::cli
