#include "bsfunc.h"

#include <exception>

#include "platform.h"
#include "text.h"

namespace batora {

namespace {

// Runs one step of a routine that must never fail its caller.
template <typename Step>
void ignoringFailure(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

bsFunc::bsFunc(Toolkit& toolkit, const clsIniFile& settings, Clock& clock, std::string exeName)
    : m_toolkit(toolkit), m_settings(settings), m_clock(clock), m_exeName(std::move(exeName)) {}

int bsFunc::ShowErrMsg(int iMouseOption, std::string_view sMsg, int lStyle,
                       std::string_view sPlace) {
  int answer = 0;
  ignoringFailure([&] { m_toolkit.beep(); });
  ignoringFailure([&] { answer = m_toolkit.messageBox(sMsg, kAppTitle, lStyle); });
  // Logged after the box is closed: the record's time is the moment the user saw it.
  if (lStyle == mb::kCritical) ignoringFailure([&] { OutputErrLog(sPlace, sMsg); });
  if (iMouseOption == 1) ignoringFailure([&] { m_toolkit.setMousePointer(kPointerDefault); });
  return answer;
}

std::string errorLogRecord(const platform::LocalDateTime& time, std::string_view exeName,
                           std::string_view sPlace, std::string_view sMsg) {
  std::string record = formatTimestamp(time);
  record += " , EXE名称=";
  record += exeName;
  record += " , 発生場所=";
  record += sPlace;
  record += " , エラー内容=";
  record += sMsg;
  return record;
}

void bsFunc::OutputErrLog(std::string_view sPlace, std::string_view sMsg) {
  if (!m_settings.OutputLogError()) return;
  // A message's own line breaks stay, as the record layout has them; any other control
  // character, from a path inside the message, could forge a record.
  const std::string record =
      printable(errorLogRecord(m_clock.now(), m_exeName, sPlace, sMsg), true) + "\r\n";
  if (platform::appendToFile(m_settings.LogErr_FName(), platform::utf8ToCp932(record))) return;
  // The record is lost; the caller carries on as if it had been written.
  ignoringFailure([&] { m_toolkit.beep(); });
  ignoringFailure([&] {
    m_toolkit.messageBox("エラーログ出力エラーが発生しました。", kAppTitle, mb::kCritical);
  });
}

bool bsFunc::statusTextDue(std::optional<std::uint32_t> intervalMs) {
  if (!intervalMs) return true;
  std::uint32_t now = m_clock.tickCount();
  // Elapsed time in wrapping arithmetic: a tick counter that wraps around keeps the status
  // bar moving instead of freezing it for 49 days. The first throttled text always shows.
  if (m_lastStatusTick && static_cast<std::uint32_t>(now - *m_lastStatusTick) <= *intervalMs)
    return false;
  m_lastStatusTick = now;
  return true;
}

void bsFunc::SetStatusText(StatusBar& oStatusBar, std::string_view sText,
                           std::optional<std::uint32_t> intervalMs) {
  if (!statusTextDue(intervalMs)) return;
  ignoringFailure([&] {
    oStatusBar.setPanelText(kPanelText, std::string(sText));
    oStatusBar.repaint();
  });
}

void bsFunc::SetStatusTextWhenDue(StatusBar& oStatusBar,
                                  const std::function<std::string()>& makeText,
                                  std::uint32_t intervalMs) {
  if (statusTextDue(intervalMs)) SetStatusText(oStatusBar, makeText());
}

std::string shellErrorText(int code) {
  switch (code) {
    case 0:
      return "(メモリ又はリソース不足です）";
    case 2:
      return "(指定されたﾌｧｲﾙが見つかりません）";
    case 3:
      return "(指定されたﾊﾟｽが存在しません）";
    case 5:
      return "(ﾌｧｲﾙﾍのｱｸｾｽが拒否されました）";
    case 8:
      return "(操作を完了するのに、十分なﾒﾓﾘがありません）";
    case 11:
      return "(EXEﾌｧｲﾙが無効です）";
    case 26:
      return "(共有違反が発生しました）";
    case 27:
      return "(ﾌｧｲﾙの関連付けが不完全です）";
    case 28:
      return "(要求ﾀｲﾑｱｳﾄによる、DDEﾄﾗﾝｻﾞｸｼｮﾝが完了しませんでした）";
    case 29:
      return "(DDEﾄﾗﾝｻﾞｸｼｮﾝが失敗しました）";
    case 30:
      return "(他が処理している為、DDEﾄﾗﾝｻﾞｸｼｮﾝが完了しませんでした）";
    case 31:
      return "(関連付けされたｱﾌﾟﾘｹｰｼｮﾝが存在しません）";
    case 32:
      return "(指定されたDLLが存在しません）";
    default:
      return "(原因不明のエラーです）";
  }
}

void bsFunc::ExecRefFile(std::string_view sFileName, std::string_view sFolder) {
  std::string message;
  ignoringFailure([&] {
    std::string fullPath = trimSpaces(joinPath(sFolder, sFileName));
    if (fullPath.ends_with(platform::kSeparator)) fullPath.pop_back();
    if (!IsExistFile(fullPath)) {
      message = "ファイルが見つかりません。(" + fullPath + ")";
      return;
    }
    int code = m_toolkit.openDocument(std::string(sFileName), std::string(sFolder));
    if (code <= 32) message = "エラーが発生しました。" + shellErrorText(code);
  });
  if (!message.empty()) ShowErrMsg(0, message, mb::kCritical, "ExecRefFile");
}

std::string SetCtrlsEnabled(Window& oForm, bool bEnabled,
                            const std::vector<std::string>& vExceptNames) {
  const long last = static_cast<long>(vExceptNames.size()) - 1;
  for (int i = 0; i < oForm.controlCount(); ++i) {
    ControlInfo control;
    try {
      control = oForm.controlAt(i);
      switch (control.kind) {
        case ControlKind::kLabel:
        case ControlKind::kFrame:
        case ControlKind::kStatusBar:
          continue;
        case ControlKind::kMenuItem:
          if (control.caption == "-") continue;
          break;
        case ControlKind::kControl:
          break;
      }
      if (IsInNameList(control.name, vExceptNames, last)) continue;
      if (!oForm.setControlEnabled(i, bEnabled)) return control.name;
    } catch (const std::exception&) {
      return control.name;
    }
  }
  return {};
}

bool IsInNameList(std::string_view sName, const std::vector<std::string>& vExceptNames,
                  long iLast) {
  if (sName == "-") return true;
  for (long i = 0; i <= iLast && i < static_cast<long>(vExceptNames.size()); ++i) {
    if (vExceptNames[static_cast<size_t>(i)] == sName) return true;
  }
  return false;
}

bool IsExistFile(std::string_view sPath) {
  std::string path = trimSpaces(sPath);
  if (path.ends_with(platform::kSeparator)) path.pop_back();
  if (path.empty()) return false;
  return platform::canReadFile(platform::pathFromUtf8(path));
}

}  // namespace batora
