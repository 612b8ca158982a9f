#include "undolines.h"

#include <algorithm>

#include "platform.h"
#include "text.h"

namespace batora::cli {

namespace {

std::string_view mark(UndoCheck check) {
  switch (check) {
    case UndoCheck::kReady:
      return " ";
    case UndoCheck::kAlreadyBack:
      return "=";
    default:
      return "!";
  }
}

std::string_view reason(UndoCheck check) {
  switch (check) {
    case UndoCheck::kAlreadyBack:
      return "  (元の名前に戻っています)";
    case UndoCheck::kNotTheSame:
      return "  (リネームの後に変更・置き換え・移動されています)";
    case UndoCheck::kOldNameTaken:
      return "  (元の名前のファイルが既に存在します)";
    default:
      return "";
  }
}

}  // namespace

bool anySkipped(const std::vector<UndoStep>& steps) {
  return std::any_of(steps.begin(), steps.end(), [](const UndoStep& s) {
    return s.check == UndoCheck::kNotTheSame || s.check == UndoCheck::kOldNameTaken;
  });
}

std::vector<std::string> undoLines(const std::vector<UndoStep>& steps) {
  const size_t width = std::to_string(steps.size()).size();
  std::vector<std::string> lines;
  long ready = 0, skipped = 0;
  for (size_t i = 0; i < steps.size(); ++i) {
    const UndoStep& step = steps[i];
    const std::string number = std::to_string(i + 1);
    lines.push_back(std::string(mark(step.check)) + std::string(width - number.size() + 1, ' ') +
                    number + "  " + platform::pathToUtf8(step.file.oldPath) + " -> " +
                    platform::pathToUtf8(step.file.newPath) + std::string(reason(step.check)));
    if (step.check == UndoCheck::kReady) ++ready;
    if (mark(step.check) == "!") ++skipped;
  }
  lines.push_back("元に戻すファイル数 : " + groupedNumber(ready));
  lines.push_back("飛ばすファイル数 : " + groupedNumber(skipped));
  return lines;
}

}  // namespace batora::cli
