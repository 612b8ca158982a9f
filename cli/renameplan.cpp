#include "renameplan.h"

#include <map>
#include <set>

#include "platform.h"
#include "text.h"

namespace batora::cli {
namespace fs = std::filesystem;

// Replays the run in order, because a name is taken or free at the moment the file's turn comes,
// not before the run: an earlier rename can free a name (its old one) or take it (its new one).
// A marked file is assumed left where it is, as a skipped one is.
std::vector<PlanMarking> markCollisions(const std::vector<PlannedName>& plan,
                                        const OccupiedOnDisk& occupied) {
  std::vector<PlanMarking> marks(plan.size());
  std::set<fs::path> vacated;
  std::map<fs::path, int> takenBy;  // new path -> row of the earlier file now called so
  for (size_t i = 0; i < plan.size(); ++i) {
    const PlannedName& file = plan[i];
    if (file.oldPath == file.newPath) continue;
    if (auto it = takenBy.find(file.newPath); it != takenBy.end()) {
      marks[i] = {PlanMark::kTakenInRun, it->second};
      continue;
    }
    if (!vacated.contains(file.newPath) && occupied(file.newPath, file.oldPath)) {
      marks[i].mark = PlanMark::kTargetExists;
      continue;
    }
    vacated.insert(file.oldPath);
    takenBy.erase(file.oldPath);
    vacated.erase(file.newPath);
    takenBy[file.newPath] = file.row;
  }
  return marks;
}

bool occupiedOnDisk(const fs::path& target, const fs::path& source) {
  return platform::lookUp(target, true) == platform::LookUp::kFound &&
         !platform::sameFile(source, target);
}

std::vector<std::string> planLines(const std::vector<PlannedName>& plan,
                                   const std::vector<PlanMarking>& marks,
                                   const std::vector<std::string>& rowTexts,
                                   std::string_view selectedCaption) {
  int highestRow = 0;
  for (const PlannedName& file : plan) highestRow = std::max(highestRow, file.row + 1);
  const size_t width = std::to_string(highestRow).size();
  std::vector<std::string> lines;
  long marked = 0;
  for (size_t i = 0; i < plan.size(); ++i) {
    const PlannedName& file = plan[i];
    const PlanMarking& marking = marks.at(i);
    const std::string number = std::to_string(file.row + 1);
    std::string line = marking.mark == PlanMark::kNone ? " " : "!";
    line += std::string(width - number.size() + 1, ' ') + number + "  " +
            rowTexts.at(static_cast<size_t>(file.row)) + " -> " + file.newName;
    if (marking.mark == PlanMark::kTargetExists) {
      line += "  (同名のファイルが既に存在します)";
    } else if (marking.mark == PlanMark::kTakenInRun) {
      line += "  (" + std::to_string(marking.takenByRow + 1) +
              " 行目のファイルが先にこの名前になります)";
    }
    if (marking.mark != PlanMark::kNone) ++marked;
    lines.push_back(std::move(line));
  }
  lines.emplace_back(selectedCaption);
  lines.push_back("同名のファイルと重なる数 : " + groupedNumber(marked));
  return lines;
}

}  // namespace batora::cli
