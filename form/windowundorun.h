#pragma once
// The window's undo of the last recorded run: the menu item's state and its click. The undo
// itself is shown by the rename run's window side (WindowRenameRun).

#include <optional>

#include "bsfunc.h"
#include "journalrecords.h"
#include "toolkit.h"
#include "windowrenamerun.h"

namespace batora {

class WindowUndoRun {
 public:
  // item: the menu item that starts the undo; it must outlive this.
  WindowUndoRun(bsFunc& func, WindowRenameRun& run, MenuItem& item);

  // Enables the item when the journal holds a run with a file to put back, disables it otherwise.
  void updateItem();
  // The item's click: the undo after its question, or a notice when nothing is left to put back.
  void mnUndo_Click();

 private:
  std::optional<JournalRun> undoableRun() const;

  bsFunc& m_func;
  WindowRenameRun& m_run;
  MenuItem& m_item;
};

}  // namespace batora
