#include "renamerun.h"

#include <exception>

#include "platform.h"
#include "renamelog.h"
#include "text.h"

namespace batora {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPlace = "CmnStartRename";
constexpr std::string_view kForbiddenInName = "\\/:*?\"<>|";
constexpr long kMaxDigits = 4;

std::string shown(const fs::path& path) {
  return platform::pathToUtf8(path);
}

// A name that would leave the listed folder, or name the folder itself, is never used.
bool isUsableFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string{'/', platform::kSeparator}) == std::string_view::npos;
}

}  // namespace

const std::vector<std::string>& renameLockExceptions() {
  static const std::vector<std::string> names{"cmdStop", "mnStop",   "mnFile",   "mnEdit",
                                              "mnView",  "mnOption", "mnActive", "mnHelp"};
  return names;
}

std::string sequenceText(long k, long digits) {
  std::string number = std::to_string(k + 1);
  const auto width = static_cast<size_t>(digits);
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return number;
}

RenameRun::RenameRun(bsFunc& func, clsObjCtrl& objCtrl, NamingRule& rule, RenameHost& host)
    : m_func(func), m_objCtrl(objCtrl), m_rule(rule), m_host(host) {}

std::optional<std::string> renameRefusal(long selectedCount, std::string_view digitsText,
                                         std::string_view commonPart) {
  if (selectedCount <= 0) return "リネームするファイルを指定してください。";
  const std::optional<long> digits = numberValue(digitsText);
  if (!digits) return "桁数は数値を指定して下さい。";
  if (*digits < 1 || *digits > kMaxDigits)
    return "桁数は１～" + fullWidthNumber(kMaxDigits) + "の範囲で指定して下さい。";
  // The limit as the first d + 1 characters of "100000": 10 to the power d.
  const long limit = std::stol(std::string("100000").substr(0, static_cast<size_t>(*digits) + 1));
  if (selectedCount >= limit)
    return "対象ファイル数と桁数の関係が不正です。\r\n桁数が" + fullWidthNumber(*digits) +
           "の場合、選択できるファイルの数は１～" + fullWidthNumber(limit - 1) + "です。";
  if (commonPart.find_first_of(kForbiddenInName) != std::string_view::npos)
    return "ファイル名が不正です。次の文字は使用できません。\r\n\\ / : * ? \" < > |";
  return std::nullopt;
}

bool RenameRun::checksPass(long selectedCount) {
  const std::optional<std::string> refusal =
      renameRefusal(selectedCount, m_rule.digitsText(), m_rule.commonPartText());
  if (refusal) m_func.ShowErrMsg(0, *refusal, mb::kExclamation, kPlace);
  return !refusal;
}

// A plain box: no beep, never logged.
bool RenameRun::confirmed() {
  return m_func.toolkit().messageBox(
             "ファイル名の順番は間違いないですね？\r\nリネームを開始します。", kAppTitle,
             mb::kOkCancel | mb::kQuestion) == mb::kIdOk;
}

std::vector<int> RenameRun::selectedRows() {
  ListBox& list = m_host.fileList();
  std::vector<int> rows;
  for (int row = 0; row < list.rowCount(); ++row)
    if (list.isSelected(row)) rows.push_back(row);
  return rows;
}

void RenameRun::CmnStartRename() {
  try {
    const long selectedCount = m_host.fileList().selectedCount();
    if (!checksPass(selectedCount) || !confirmed()) return;
    const long digits = *numberValue(m_rule.digitsText());

    Toolkit& toolkit = m_func.toolkit();
    toolkit.setMousePointer(kPointerHourglass);
    SetCtrlsEnabled(m_host.form(), false, renameLockExceptions());
    m_host.stopButton().setEnabled(true);
    m_savedStopCaption = m_host.stopButton().caption();
    m_host.stopMenuItem().setEnabled(true);
    m_savedStopMenuCaption = m_host.stopMenuItem().caption();
    toolkit.yield();

    const std::vector<int> rows = selectedRows();
    m_stopRename = false;
    OutputRenLog(m_func, "", "", "", true);

    // The count of the checks is the count the summary reports, even when the run ends early.
    Progress progress{selectedCount};
    for (long k = 0; k < selectedCount; ++k) {
      if (m_stopRename) {
        progress.leftEarly = true;
        break;
      }
      progress.handled = k + 1;
      const int row = k < static_cast<long>(rows.size()) ? rows[static_cast<size_t>(k)] : -1;
      const bool goOn = renameOne(k, row, digits, progress);
      toolkit.yield();
      if (!goOn) {
        progress.leftEarly = true;
        break;
      }
    }
    if (progress.leftEarly) reportInterruption(rows, digits, progress);
    closeRun(progress);
  } catch (const std::exception& e) {
    m_func.ShowErrMsg(0, std::string("例外エラー！！ 強制終了します。\r\n") + e.what(),
                      mb::kCritical, kPlace);
    m_host.endAtOnce();
  }
}

bool RenameRun::renameOne(long k, int row, long digits, Progress& progress) {
  const fs::path oldPath = m_objCtrl.SelectionFileName(row);
  const std::string seq = sequenceText(k, digits);
  const std::string newName = m_rule.CmnMakeFileName(seq);
  const fs::path newPath =
      platform::joinPath(m_objCtrl.CurrentPath(), platform::pathFromUtf8(newName));

  platform::RenameOutcome outcome;
  if (!isUsableFileName(newName) || oldPath.empty()) {
    outcome = {platform::RenameResult::kFailed, "unusable name"};
  } else if (oldPath == newPath) {
    outcome = {};  // already named so: nothing to change, and no other file is in the way
  } else {
    outcome = platform::renameNoReplace(oldPath, newPath);
    if (outcome.result == platform::RenameResult::kTargetExists &&
        platform::sameFile(oldPath, newPath))
      outcome = {};
  }

  const std::string oldText = shown(oldPath);
  StatusBar& status = m_host.statusBar();
  if (outcome.result == platform::RenameResult::kDone) {
    m_func.SetStatusText(status, oldText + "のﾘﾈｰﾑ 正常終了", 100);
    OutputRenLog(m_func, oldText, shown(newPath), kRenamedOk);
    return true;
  }
  ++progress.errors;
  m_func.SetStatusText(status, oldText + "のﾘﾈｰﾑ 異常終了");
  OutputRenLog(m_func, oldText, shown(newPath), kRenameFailed);
  if (outcome.result != platform::RenameResult::kTargetExists) return true;

  const std::string message = "エラーが発生しました。\r\n同名のファイルが他に存在します。\r\n　(" +
                              oldText + " --> " + m_rule.CmnMakeFileName(seq) + ")";
  if (k < progress.total - 1) {
    return m_func.ShowErrMsg(1, message + "\r\n\r\n該当ファイルをスキップして処理を続行しますか？",
                             mb::kYesNo | mb::kExclamation, kPlace) != mb::kIdNo;
  }
  m_func.ShowErrMsg(1, message + "\r\n\r\n該当ファイルはスキップされました。", mb::kExclamation,
                    kPlace);
  return true;
}

std::string RenameRun::summary(const Progress& progress) const {
  return "　(処理件数:" + fullWidthNumber(progress.total) + "件中 エラー" +
         fullWidthNumber(progress.errors) + "件)";
}

// Tells a reader of the status bar and of the log how far the run got and which file it
// stopped before: the log line names that file and the name it would have got.
void RenameRun::reportInterruption(const std::vector<int>& rows, long digits,
                                   const Progress& progress) {
  const long next = progress.handled;
  std::string nextOld, nextNew;
  if (next < static_cast<long>(rows.size())) {
    nextOld = shown(m_objCtrl.SelectionFileName(rows[static_cast<size_t>(next)]));
    nextNew = shown(platform::joinPath(
        m_objCtrl.CurrentPath(),
        platform::pathFromUtf8(m_rule.CmnMakeFileName(sequenceText(next, digits)))));
  }
  std::string detail =
      fullWidthNumber(progress.total) + "件中 " + fullWidthNumber(progress.handled) + "件処理済み";
  if (!nextOld.empty()) detail += " 未処理の先頭:" + nextOld;
  m_func.SetStatusText(m_host.statusBar(), "ﾘﾈｰﾑは中断されました。(" + detail + ")");
  OutputRenLog(m_func, nextOld, nextNew, kRenameInterrupted);
}

void RenameRun::closeRun(const Progress& progress) {
  const std::string sum = summary(progress);
  if (!progress.leftEarly)
    m_func.SetStatusText(m_host.statusBar(), "ﾘﾈｰﾑ処理が完了しました。" + sum);
  const int answer = m_func.ShowErrMsg(1,
                                       "処理が完了しました。\r\n\r\n" + sum + "\r\n\r\n" +
                                           std::string(kAppTitle) + "を終了しますか？",
                                       mb::kYesNo | mb::kQuestion, kPlace);
  if (answer == mb::kIdYes) {
    m_host.unloadWindow();
    return;
  }
  m_objCtrl.SetFileList(m_host.form(), m_host.folderPath(), m_host.findDirOption(),
                        m_host.statusBar());
  m_objCtrl.SortList(m_host.form(), 1, m_host.sortDescValue() == 1 ? 1 : 0);
  SetCtrlsEnabled(m_host.form(), true, renameLockExceptions());
  m_host.stopButton().setEnabled(false);
  m_host.stopButton().setCaption(m_savedStopCaption);
  m_host.stopMenuItem().setEnabled(false);
  m_host.stopMenuItem().setCaption(m_savedStopMenuCaption);
  m_func.toolkit().setMousePointer(kPointerDefault);
}

void RenameRun::CmnStopRename() {
  m_stopRename = true;
  m_host.stopButton().setEnabled(false);
  m_host.stopButton().setCaption(std::string(kStopWaitingCaption));
  m_host.stopMenuItem().setEnabled(false);
  m_host.stopMenuItem().setCaption(std::string(kStopWaitingCaption));
}

}  // namespace batora
