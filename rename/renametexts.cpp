#include "renametexts.h"

#include "bsfunc.h"
#include "platform.h"
#include "text.h"

namespace batora {

namespace {

// A file name may hold what no status line or box should show: a line break, an escape.
std::string shownPath(const std::filesystem::path& path) {
  return printable(platform::pathToUtf8(path));
}

}  // namespace

std::string nameFaultText(NameFault fault) {
  switch (fault) {
    case NameFault::kNone:
      break;
    case NameFault::kEmpty:
      return "名前が空です";
    case NameFault::kDotName:
      return "名前が「.」または「..」です";
    case NameFault::kReservedCharacter:
      return "次の文字は使用できません \\ / : * ? \" < > |";
    case NameFault::kControlCharacter:
      return "制御文字は使用できません";
  }
  return {};
}

std::string refusalMessage(const RenameRefusal& refusal) {
  switch (refusal.kind) {
    case RefusalKind::kNothingSelected:
      return "リネームするファイルを指定してください。";
    case RefusalKind::kDigitsNotANumber:
      return "桁数は数値を指定して下さい。";
    case RefusalKind::kDigitsOutOfRange:
      return "桁数は１～" + fullWidthNumber(refusal.maxDigits) + "の範囲で指定して下さい。";
    case RefusalKind::kTooManyFiles:
      return "対象ファイル数と桁数の関係が不正です。\r\n桁数が" + fullWidthNumber(refusal.digits) +
             "の場合、選択できるファイルの数は１～" + fullWidthNumber(refusal.maxFiles) + "です。";
    case RefusalKind::kForbiddenCharacter:
      return "ファイル名が不正です。次の文字は使用できません。\r\n\\ / : * ? \" < > |";
  }
  return {};
}

std::string confirmationText() {
  return "ファイル名の順番は間違いないですね？\r\nリネームを開始します。";
}

std::string undoConfirmationText(long total) {
  return "直前のﾘﾈｰﾑを元に戻します。(対象ファイル:" + fullWidthNumber(total) +
         "件)\r\nよろしいですか？";
}

std::string nothingToUndoText() {
  return "元に戻すファイルはありません。";
}

// A file the loop reached and did not put back was skipped: changed since, or its old name taken.
std::string undoSummaryText(const RunEnd& end, long alreadyBack) {
  return std::string(end.complete ? "元に戻す処理が完了しました。"
                                  : "元に戻す処理は中断されました。") +
         "\r\n\r\n　元に戻したファイル数:" + fullWidthNumber(end.reached - end.errors) +
         "件\r\n　飛ばしたファイル数:" + fullWidthNumber(end.errors) +
         "件\r\n　元の名前に戻っていたファイル数:" + fullWidthNumber(alreadyBack) + "件";
}

std::string fileStatusText(const FileResult& result) {
  return shownPath(result.file.oldPath) +
         (result.outcome == FileOutcome::kRenamed ? "のﾘﾈｰﾑ 正常終了" : "のﾘﾈｰﾑ 異常終了");
}

std::string takenNameText(const FileResult& result, bool lastFile) {
  return "エラーが発生しました。\r\n同名のファイルが他に存在します。\r\n　(" +
         shownPath(result.file.oldPath) + " --> " + printable(result.file.newName) + ")\r\n\r\n" +
         (lastFile ? "該当ファイルはスキップされました。"
                   : "該当ファイルをスキップして処理を続行しますか？");
}

std::string runSummaryText(const RunEnd& end) {
  return "　(処理件数:" + fullWidthNumber(end.total) + "件中 エラー" + fullWidthNumber(end.errors) +
         "件)";
}

// A stopped run tells how far it got and which file it stopped before, so that the user can
// find the place in the folder.
std::string runEndStatusText(const RunEnd& end) {
  if (end.complete) return "ﾘﾈｰﾑ処理が完了しました。" + runSummaryText(end);
  std::string detail =
      fullWidthNumber(end.total) + "件中 " + fullWidthNumber(end.reached) + "件処理済み";
  if (end.firstUntouched && !end.firstUntouched->oldPath.empty())
    detail += " 未処理の先頭:" + shownPath(end.firstUntouched->oldPath);
  return "ﾘﾈｰﾑは中断されました。(" + detail + ")";
}

std::string unexpectedFailureText(std::string_view description) {
  return "例外エラー！！ 強制終了します。\r\n" + std::string(description);
}

std::string closingQuestionText(const RunEnd& end) {
  return "処理が完了しました。\r\n\r\n" + runSummaryText(end) + "\r\n\r\n" +
         std::string(kAppTitle) + "を終了しますか？";
}

}  // namespace batora
