#pragma once
// The words both front ends use for a run's events: the window shows them in its boxes and
// status bar, batora-cli prints the same lines.

#include <string>
#include <string_view>

#include "renameevents.h"

namespace batora {

// Where the run's messages say they come from, in the error log.
inline constexpr std::string_view kRenamePlace = "CmnStartRename";
// And an undo's, started from the window's menu.
inline constexpr std::string_view kUndoPlace = "mnUndo_Click";

// Why a name cannot be used, in a few words.
std::string nameFaultText(NameFault fault);
// The message for a refusal of the checks.
std::string refusalMessage(const RenameRefusal& refusal);
// The question before the first rename.
std::string confirmationText();
// The question before an undo puts `total` files back.
std::string undoConfirmationText(long total);
// The notice when the journal holds no file to put back.
std::string nothingToUndoText();
// The box at the end of an undo: the files put back, skipped, and found back already.
std::string undoSummaryText(const RunEnd& end, long alreadyBack);
// A file's status line: the old path and whether it got its name.
std::string fileStatusText(const FileResult& result);
// The taken-name message, with the question (not the last file) or the notice (the last one).
std::string takenNameText(const FileResult& result, bool lastFile);
// "　(処理件数:５件中 エラー０件)"
std::string runSummaryText(const RunEnd& end);
// The status line at the end of a run, complete or left early.
std::string runEndStatusText(const RunEnd& end);
// The fatal message of a failure no file outcome covers.
std::string unexpectedFailureText(std::string_view description);
// The closing question, the same after a run left early.
std::string closingQuestionText(const RunEnd& end);

}  // namespace batora
