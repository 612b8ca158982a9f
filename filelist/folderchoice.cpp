#include "folderchoice.h"

#include <exception>

#include "platform.h"
#include "text.h"
#include "utf8.h"
#include "wildcardpattern.h"

namespace batora {

namespace {

constexpr std::string_view kDriveNotReady = "ドライブの準備ができていません。";
constexpr std::string_view kDriveError = "ドライブエラー!! 強制終了します。";

// Paths copied from a terminal or a file manager often end with a line break.
std::string trimPasted(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

}  // namespace

std::string withoutSeparators(std::string_view text) {
  return RemoveString(RemoveString(text, "\\"), "/");
}

bool anyEntryMatches(std::string_view text) {
  if (text.empty()) return false;
  const std::filesystem::path path = platform::pathFromUtf8(text);
  const std::string last = platform::pathToUtf8(path.filename());
  if (last.find_first_of("*?") == std::string::npos)
    return platform::lookUp(path, true) == platform::LookUp::kFound;
  const auto listing = platform::readFolder(path.parent_path().empty() ? "." : path.parent_path());
  if (!listing) return false;
  const WildcardPattern pattern(last);
  for (const auto* names : {&listing->files, &listing->folders})
    for (const auto& name : *names)
      if (pattern.matches(name)) return true;
  return false;
}

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

// Refusing the key alone is not enough: a paste or a drop puts a separator in without one, and
// a pattern such as sub\*.jpg would list the files of sub as files of the searched folder.
// Setting the cleaned text may raise this handler once more (it then finds nothing to remove);
// the pattern is stored either way, whether the front end raises it or not.
void FolderChoice::txtSerchFile_Change() {
  const std::string text = m_host.patternBox().text();
  const std::string clean = withoutSeparators(text);
  if (clean != text) m_host.patternBox().setText(clean);
  m_objCtrl.SerchFileName(RemoveString(clean, ".."));
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

namespace batora {

void FolderChoice::mnDirPaste_Click() {
  constexpr std::string_view kPlace = "mnDirCopy_Click";
  Toolkit& toolkit = m_func.toolkit();
  std::string text;
  bool read = false;
  try {
    if (!toolkit.clipboardHasText()) {
      m_func.ShowErrMsg(0, "クリップボードの内容が文字列ではありません。", mb::kExclamation,
                        kPlace);
      return;
    }
    text = trimPasted(toolkit.clipboardText());
    read = true;
    if (anyEntryMatches(text)) {
      CmnSetFilePath(text);
      return;
    }
  } catch (const std::exception&) {
  }
  const std::string shown = read ? utf8::left(text, kShownPathLength) : std::string();
  m_func.ShowErrMsg(0,
                    "不正なパスが指定されました。\r\n----------------\r\n  パス=\"" + shown + "\"",
                    mb::kExclamation, kPlace);
}

void FolderChoice::CmnOLEDragDrop(const DropData& data) {
  constexpr std::string_view kPlace = "CmnOLEDragDrop";
  std::string description;
  try {
    if (!data.isFileList) {
      m_func.ShowErrMsg(0, "このオブジェクトは指定できません。", mb::kExclamation, kPlace);
      return;
    }
    if (data.paths.size() > 1) {
      m_func.ShowErrMsg(0, "複数のターゲットは指定できません。", mb::kExclamation, kPlace);
      return;
    }
    if (data.paths.size() == 1) {
      CmnSetFilePath(data.paths.front());
      return;
    }
  } catch (const std::exception& e) {
    description = e.what();
  }
  m_func.ShowErrMsg(0, description + "\r\n例外エラー！！ 強制終了します。", mb::kCritical, kPlace);
  m_host.endAtOnce();
}

void FolderChoice::CmnSetFilePath(const std::string& path) {
  constexpr std::string_view kPlace = "CmnSetFilePath";
  gbSetFilePath = true;
  std::string previous;
  bool applied = false;
  bool notAFolder = false;
  try {
    previous = m_host.folderList().path();
    const platform::LookUp asFolder = platform::lookUp(platform::pathFromUtf8(path), true);
    const platform::LookUp asFile = platform::lookUp(platform::pathFromUtf8(path), false);
    if (asFolder == platform::LookUp::kFound && asFile != platform::LookUp::kFound) {
      applied =
          m_host.driveList().setDrive(m_host.driveOf(path)) && m_host.folderList().setPath(path);
    } else if (asFile == platform::LookUp::kFound) {
      notAFolder = true;
    }
  } catch (const std::exception&) {
    applied = false;
  }
  if (notAFolder) {
    m_func.ShowErrMsg(0, "フォルダ以外は指定できません。", mb::kExclamation, kPlace);
  } else if (!applied) {
    m_func.ShowErrMsg(0, kDriveNotReady, mb::kExclamation, kPlace);
    restoreDrive(previous, kPlace);
  }
  gbSetFilePath = false;
}

void FolderChoice::DrvLstBox_Change() {
  constexpr std::string_view kPlace = "DrvLstBox_Change";
  if (gbDrvReset || gbSetFilePath) return;
  const std::string previous = m_host.folderList().path();
  if (m_host.folderList().setPath(m_host.driveList().drive())) return;
  m_func.ShowErrMsg(0, kDriveNotReady, mb::kExclamation, kPlace);
  gbDrvReset = true;
  restoreDrive(previous, kPlace);
  gbDrvReset = false;
}

void FolderChoice::restoreDrive(const std::string& previousFolder, std::string_view place) {
  bool restored = false;
  try {
    restored = m_host.driveList().setDrive(m_host.driveOf(previousFolder));
  } catch (const std::exception&) {
  }
  if (restored) return;
  m_func.ShowErrMsg(0, kDriveError, mb::kCritical, place);
  m_host.endAtOnce();
}

}  // namespace batora
