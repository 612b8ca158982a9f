#include "windowundorun.h"

#include <algorithm>

#include "renametexts.h"
#include "runjournal.h"
#include "undorun.h"

namespace batora {

WindowUndoRun::WindowUndoRun(bsFunc& func, WindowRenameRun& run, MenuItem& item)
    : m_func(func), m_run(run), m_item(item) {}

// The folder is looked up each time: it follows the settings, which start-up reads after the
// window is built. A run whose files all carry their old names again has nothing to undo; one
// whose files changed since still counts, and its undo shows which it skipped.
std::optional<JournalRun> WindowUndoRun::undoableRun() const {
  std::optional<JournalRun> recorded = lastRenamingRun(journalFolder(m_func.settings()));
  if (!recorded) return std::nullopt;
  const std::vector<UndoStep> steps = undoPlan(*recorded);
  const bool anyLeft = std::any_of(steps.begin(), steps.end(), [](const UndoStep& step) {
    return step.check != UndoCheck::kAlreadyBack;
  });
  return anyLeft ? recorded : std::nullopt;
}

void WindowUndoRun::updateItem() {
  m_item.setEnabled(undoableRun().has_value());
}

// The disk may have changed since the item was enabled; then the user learns that nothing is
// left, and the item follows.
void WindowUndoRun::mnUndo_Click() {
  std::optional<JournalRun> recorded = undoableRun();
  if (!recorded) {
    m_func.ShowErrMsg(0, nothingToUndoText(), mb::kInformation, kUndoPlace);
    m_item.setEnabled(false);
    return;
  }
  m_run.CmnUndoRename(std::move(*recorded));
}

}  // namespace batora
