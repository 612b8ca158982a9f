#include "listcommands.h"

namespace batora {

void CmnMoveFile(clsObjCtrl& objCtrl, ListBox& lstFile, bsFunc& func, int iDirection) {
  if (lstFile.selectedCount() != 1) {
    func.ShowErrMsg(0, "１つのファイル選択して下さい。", mb::kExclamation, "cmdSortUp_Click");
    return;
  }
  const int current = lstFile.currentRow();
  if (iDirection == kMoveUp && current == 0) return;
  if (iDirection == kMoveDown && current == lstFile.rowCount() - 1) return;
  const int target = current - iDirection;
  if (!objCtrl.SwapFilesList(current, target)) return;
  lstFile.setSelected(current, false);
  lstFile.setSelected(target, true);
  lstFile.setCurrentRow(target);
}

void CmnSelectAll(clsObjCtrl& objCtrl, ListBox& lstFile, bool bSelect) {
  lstFile.postSelectAll(bSelect);
  objCtrl.ShowSelNumber(bSelect ? objCtrl.SelectionFiles_FinalIndex() + 1 : 0);
}

}  // namespace batora
