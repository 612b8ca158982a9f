#include "folderchoice.h"

#include "platform.h"
#include "text.h"

namespace batora {

FolderChoice::FolderChoice(bsFunc& func, clsObjCtrl& objCtrl, FolderChoiceHost& host)
    : m_func(func), m_objCtrl(objCtrl), m_host(host) {}

void FolderChoice::CmnRefreshFileList(int depth) {
  m_objCtrl.SetFileList(m_host.form(), platform::pathFromUtf8(m_host.folderList().path()), depth,
                        m_host.statusBar());
}

void FolderChoice::DirLstBox_Change() {
  CmnRefreshFileList(m_host.CmnGetFindDirOption());
}

void FolderChoice::optSearch_Click(int index) {
  CmnRefreshFileList(index);
}

void FolderChoice::txtSerchFile_Change() {
  m_objCtrl.SerchFileName(RemoveString(m_host.patternBox().text(), ".."));
}

bool FolderChoice::txtSerchFile_KeyPress(char32_t key) {
  if (key == kKeyEnter) {
    m_host.patternBox().setText(m_objCtrl.SerchFileName());
    CmnRefreshFileList(m_host.CmnGetFindDirOption());
    return true;
  }
  // Both separators are refused: a pattern names files inside the folder, never a path.
  return key == U'\\' || key == U'/';
}

void FolderChoice::mnDirCopy_Click() {
  m_func.toolkit().setClipboardText(m_host.folderList().path());
}

}  // namespace batora
