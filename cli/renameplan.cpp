#include "renameplan.h"

#include <map>
#include <set>

#include "fileoutcome.h"
#include "platform.h"
#include "renametexts.h"
#include "text.h"

namespace batora::cli {
namespace fs = std::filesystem;

namespace {

PlanMarking marking(const FileResult& result, int takenByRow) {
  switch (result.outcome) {
    case FileOutcome::kRenamed:
      return {};
    case FileOutcome::kNameTaken:
      return {takenByRow >= 0 ? PlanMark::kTakenInRun : PlanMark::kTargetExists, takenByRow};
    case FileOutcome::kUnusableName:
      return {PlanMark::kUnusableName, -1, result.fault};
    case FileOutcome::kFailed:
    case FileOutcome::kNotTheSameFile:  // only an undo finds it; a run's plan never does
      break;
  }
  return {PlanMark::kFailed};
}

}  // namespace

// Replays the run in order, because a name is taken or free at the moment the file's turn comes,
// not before the run: an earlier rename can free a name (its old one) or take it (its new one).
// A marked file is assumed left where it is, as a skipped one is. Each file goes through the
// run's own settleFile, with this replay standing in for the rename.
std::vector<PlanMarking> markCollisions(const std::vector<PlannedName>& plan,
                                        const OccupiedOnDisk& occupied) {
  std::vector<PlanMarking> marks;
  marks.reserve(plan.size());
  std::set<fs::path> vacated;
  std::map<fs::path, int> takenBy;  // new path -> row of the earlier file now called so
  for (const PlannedName& file : plan) {
    int takenByRow = -1;
    const auto replay = [&](const fs::path& from, const fs::path& to) {
      if (auto it = takenBy.find(to); it != takenBy.end()) {
        takenByRow = it->second;
        return platform::RenameResult::kTargetExists;
      }
      if (!vacated.contains(to) && occupied(to, from)) return platform::RenameResult::kTargetExists;
      vacated.insert(from);
      takenBy.erase(from);
      vacated.erase(to);
      takenBy[to] = file.row;
      return platform::RenameResult::kDone;
    };
    const FileResult result = settleFile(file, replay);
    marks.push_back(marking(result, takenByRow));
  }
  return marks;
}

bool occupiedOnDisk(const fs::path& target, const fs::path& source) {
  return platform::lookUp(target, true) == platform::LookUp::kFound &&
         !platform::sameEntry(source, target);
}

std::vector<std::string> planLines(const std::vector<PlannedName>& plan,
                                   const std::vector<PlanMarking>& marks,
                                   const std::vector<std::string>& rowTexts,
                                   std::string_view selectedCaption) {
  int highestRow = 0;
  for (const PlannedName& file : plan) highestRow = std::max(highestRow, file.row + 1);
  const size_t width = std::to_string(highestRow).size();
  std::vector<std::string> lines;
  long taken = 0, unusable = 0;
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
    } else if (marking.mark == PlanMark::kUnusableName) {
      line += "  (使用できない名前です: " + nameFaultText(marking.fault) + ")";
    } else if (marking.mark == PlanMark::kFailed) {
      line += "  (リネームできません)";
    }
    if (marking.mark == PlanMark::kTargetExists || marking.mark == PlanMark::kTakenInRun) ++taken;
    if (marking.mark == PlanMark::kUnusableName) ++unusable;
    lines.push_back(std::move(line));
  }
  lines.emplace_back(selectedCaption);
  lines.push_back("同名のファイルと重なる数 : " + groupedNumber(taken));
  if (unusable > 0) lines.push_back("使用できない名前の数 : " + groupedNumber(unusable));
  return lines;
}

}  // namespace batora::cli
