#include "clirun.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "bsfunc.h"
#include "clirenameevents.h"
#include "clock.h"
#include "clsinifile.h"
#include "clsobjctrl.h"
#include "listcommands.h"
#include "memorycontrols.h"
#include "namingplan.h"
#include "namingrule.h"
#include "platform.h"
#include "renameplan.h"
#include "renamerun.h"
#include "renametexts.h"
#include "runjournal.h"
#include "terminaltoolkit.h"
#include "text.h"
#include "undolines.h"
#include "undorun.h"

namespace batora::cli {
namespace fs = std::filesystem;

namespace {

fs::path absoluteIn(const fs::path& base, const fs::path& path) {
  fs::path full = (path.is_absolute() ? path : base / path).lexically_normal();
  // "photos/" and "photos" list the same rows; the shorter spelling goes into the log.
  if (full.has_relative_path() && !full.has_filename()) full = full.parent_path();
  return full;
}

void refuseArgument(const CliEnvironment& env, std::string_view reason) {
  env.err << "batora-cli: " << reason << "\n「batora-cli --help」で使い方を表示します。\n"
          << std::flush;
}

// What one invocation works on, as the window has it once: built in this order.
struct Session {
  Session(const CliEnvironment& env, const fs::path& iniFolder)
      : output(env.out, env.stdoutIsTerminal, env.err, env.stderrIsTerminal),
        settings(iniFolder),
        func(toolkit, settings, clock, env.exeName) {
    objCtrl.ListControl(&list);
    objCtrl.LabelSelFileNum(&label);
  }

  TerminalOutput output;
  TerminalToolkit toolkit{output};
  SystemClock clock;
  clsIniFile settings;
  bsFunc func;
  HeadlessWindow form;
  MemoryListBox list;
  MemoryLabel label;
  TerminalStatusBar status;
  clsObjCtrl objCtrl{func};
};

// The rule's fields: the command line's values, the window's start values for the rest.
struct RuleFields {
  RuleFields(const CliOptions& options, const NamingRuleStart& start, Clock& clock)
      : txtName(options.name.value_or(start.commonPart)),
        txtExp(options.extension.value_or(start.extension)),
        txtSeq(options.digits.value_or(start.digits)),
        chbBackSeq(start.sequenceAfter && !options.numberFirst ? 1 : 0),
        rule(txtName, txtExp, txtSeq, chbBackSeq, txtSample, clock) {}

  MemoryTextField txtName, txtExp, txtSeq, txtSample;
  MemoryCheckField chbBackSeq;
  NamingRule rule;
};

// The logs go, by default, to the folder of the settings file, as they go to the window's
// folder next to its own settings file.
fs::path settingsPath(const CliOptions& options, const CliEnvironment& env) {
  return options.iniFile ? absoluteIn(env.currentFolder, platform::pathFromUtf8(*options.iniFile))
                         : env.programFolder / kIniFileName;
}

bool readSettings(Session& s, const fs::path& iniPath) {
  if (s.settings.ReadIniFile(platform::pathToUtf8(iniPath.filename()),
                             [&s](auto place, auto msg) { s.func.OutputErrLog(place, msg); }))
    return true;
  s.func.ShowErrMsg(0, "INIファイル読み込みエラー!! 終了します。", mb::kCritical, "Form_Load");
  return false;
}

bool search(Session& s, const CliOptions& options, const CliEnvironment& env) {
  s.objCtrl.SerchFileName(options.pattern.value_or(s.settings.SerchFileName()));
  // As the window's pattern box stores its text: without "..".
  s.objCtrl.SerchFileName(RemoveString(s.objCtrl.SerchFileName(), ".."));
  const std::string folderText = options.folder.value_or(s.settings.DefaultFindDirPath());
  const fs::path folder = folderText.empty()
                              ? env.currentFolder
                              : absoluteIn(env.currentFolder, platform::pathFromUtf8(folderText));
  const int depth = options.depth.value_or(s.settings.StartFindDirOption());
  if (s.objCtrl.SetFileList(s.form, folder, depth, s.status)) {
    s.output.message(s.status.panelText(kPanelText) + "\r\n(" + platform::pathToUtf8(folder) + ")");
    return false;
  }
  if (options.sort)
    s.objCtrl.SortList(s.form, *options.sort == SortKey::kName ? 1 : 2, options.descending ? 1 : 0);
  return true;
}

// Rows outside the list are refused rather than ignored: a script that names row 12 of an
// 11-row list has a wrong idea of the folder.
std::string select(Session& s, const std::vector<RowRange>& ranges) {
  if (ranges.empty()) {
    CmnSelectAll(s.objCtrl, s.list, true);
    return {};
  }
  for (const RowRange& range : ranges) {
    if (range.last > s.list.rowCount())
      return "--select の行 " + std::to_string(range.last) + " は一覧にありません（一覧は " +
             std::to_string(s.list.rowCount()) + " 行です）。";
  }
  for (const RowRange& range : ranges)
    for (long row = range.first; row <= range.last; ++row)
      s.list.setSelected(static_cast<int>(row - 1), true);
  s.objCtrl.ShowSelNumber();
  return {};
}

// Row `row` as the window shows it, numbered from 1 and right-aligned to `width` digits, "*" in
// front of a selected row.
void appendListLine(std::string& out, const MemoryListBox& list, int row, size_t width) {
  char digits[16];
  const auto end = std::to_chars(std::begin(digits), std::end(digits), row + 1).ptr;
  const auto length = static_cast<size_t>(end - digits);
  out += list.isSelected(row) ? '*' : ' ';
  out.append(width - length + 1, ' ').append(digits, length).append("  ");
  out.append(list.rowText(row)) += '\n';
}

// The rows are written in large blocks as they are: every row is mended as it is made
// (clsObjCtrl::rowText), and checking a million rows again cost more than reading the folders.
int printList(Session& s) {
  constexpr size_t kBlockBytes = size_t{1} << 16;
  const int rows = s.list.rowCount();
  const size_t width = std::to_string(rows).size();
  std::string block;
  block.reserve(kBlockBytes + 4096);
  for (int row = 0; row < rows; ++row) {
    appendListLine(block, s.list, row, width);
    if (block.size() >= kBlockBytes) {
      s.output.listedLines(block);
      block.clear();
    }
  }
  s.output.listedLines(block);
  s.output.listed(s.label.caption());
  s.output.flush();
  return kExitAllRenamed;
}

// The run's own checks decide, with the run's own message; then the plan is marked where a
// name would be taken.
int dryRun(Session& s, const NamingRule& rule) {
  if (const auto refusal =
          renameRefusal(s.list.selectedCount(), rule.digitsText(), rule.commonPartText())) {
    s.func.ShowErrMsg(0, refusalMessage(*refusal), mb::kExclamation, kRenamePlace);
    return kExitRefused;
  }
  const std::vector<PlannedName> plan =
      NamingPlan(s.objCtrl, rule, selectedRows(s.list), *numberValue(rule.digitsText())).all();
  const std::vector<PlanMarking> marks = markCollisions(plan, occupiedOnDisk);
  std::vector<std::string> rowTexts;
  for (int row = 0; row < s.list.rowCount(); ++row) rowTexts.push_back(s.list.rowText(row));
  for (const std::string& line : planLines(plan, marks, rowTexts, s.label.caption()))
    s.output.listed(line);
  s.output.flush();
  const bool anyMarked = std::any_of(
      marks.begin(), marks.end(), [](const PlanMarking& m) { return m.mark != PlanMark::kNone; });
  return anyMarked ? kExitSomeFailed : kExitAllRenamed;
}

// A journal that cannot be written does not stop the run; the user learns that it cannot be
// undone.
void warnUnrecorded(Session& s, const RunJournal& journal) {
  if (journal.failed())
    s.output.message("batora-cli: 取り消し用の記録を書けませんでした（" +
                     platform::pathToUtf8(journal.folder()) + "）。");
}

int renameFiles(Session& s, const NamingRule& rule, const CliOptions& options,
                const CliEnvironment& env) {
  CliRenameEvents events(s.func, s.output,
                         AnswerPolicy{options.yes, options.onCollision, env.stdinIsTerminal},
                         env.readLine, env.stopSignalled);
  RenameRun run(s.func, s.objCtrl, rule, s.list, events);
  RunJournal journal(journalFolder(s.settings));
  run.setJournal(&journal);
  events.onStop([&run] { run.requestStop(); });
  if (env.armStop) env.armStop();
  if (const std::optional<RunEnd> end = run.run()) events.close(*end);
  warnUnrecorded(s, journal);
  return exitStatus(events.facts());
}

// The last recorded run, shown file by file; put back after the question unless it is a dry run.
int undoLastRun(Session& s, const CliOptions& options, const CliEnvironment& env) {
  std::optional<JournalRun> recorded = lastRenamingRun(journalFolder(s.settings));
  if (!recorded) {
    s.output.message("元に戻せるﾘﾈｰﾑの記録がありません。");
    return kExitRefused;
  }
  const std::vector<UndoStep> steps = undoPlan(*recorded);
  for (const std::string& line : undoLines(steps)) s.output.result(line);
  if (options.dryRun) return anySkipped(steps) ? kExitSomeFailed : kExitAllRenamed;
  if (std::all_of(steps.begin(), steps.end(),
                  [](const UndoStep& step) { return step.check == UndoCheck::kAlreadyBack; })) {
    s.output.message(nothingToUndoText());
    return kExitAllRenamed;
  }
  CliRenameEvents events(s.func, s.output,
                         AnswerPolicy{options.yes, options.onCollision, env.stdinIsTerminal},
                         env.readLine, env.stopSignalled);
  UndoRun undo(s.func, std::move(*recorded), events);
  RunJournal journal(journalFolder(s.settings));
  undo.setJournal(&journal);
  long total = 0;
  for (const UndoStep& step : steps) total += step.check == UndoCheck::kAlreadyBack ? 0 : 1;
  events.confirmWith(undoConfirmationText(total));
  events.onStop([&undo] { undo.requestStop(); });
  if (env.armStop) env.armStop();
  if (const std::optional<RunEnd> end = undo.run()) events.close(*end);
  warnUnrecorded(s, journal);
  return exitStatus(events.facts());
}

}  // namespace

int runCli(const std::vector<std::string>& args, const CliEnvironment& env) {
  const ParsedArguments parsed = parseArguments(args);
  if (!parsed.options) {
    refuseArgument(env, parsed.error);
    return kExitRefused;
  }
  const CliOptions& options = *parsed.options;
  if (options.help) {
    env.out << helpText() << std::flush;
    return kExitAllRenamed;
  }

  const fs::path iniPath = settingsPath(options, env);
  Session s(env, iniPath.parent_path());
  if (!readSettings(s, iniPath)) return kExitRefused;
  if (options.undo) return undoLastRun(s, options, env);
  if (!search(s, options, env)) return kExitRefused;
  if (const std::string refusal = select(s, options.select); !refusal.empty()) {
    refuseArgument(env, refusal);
    return kExitRefused;
  }
  if (options.list) return printList(s);

  RuleFields fields(options, namingRuleStartValues(s.clock.now()), s.clock);
  return options.dryRun ? dryRun(s, fields.rule) : renameFiles(s, fields.rule, options, env);
}

}  // namespace batora::cli
