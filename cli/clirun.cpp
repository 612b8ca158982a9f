#include "clirun.h"

#include <algorithm>
#include <cstdint>

#include "bsfunc.h"
#include "clock.h"
#include "clsinifile.h"
#include "clsobjctrl.h"
#include "listcommands.h"
#include "memorycontrols.h"
#include "namingrule.h"
#include "platform.h"
#include "renameplan.h"
#include "renamerun.h"
#include "runmonitor.h"
#include "terminaltoolkit.h"
#include "text.h"

namespace batora::cli {
namespace fs = std::filesystem;

namespace {

// The window throttles its per-file status texts to spare repaints; here each text is a line
// of output that a script may rely on, so the tick moves on further than any interval at every
// reading and no text is dropped. Dates and times are the system's.
class EveryStatusClock final : public Clock {
 public:
  std::uint32_t tickCount() override { return m_tick += kStep; }
  platform::LocalDateTime now() override { return platform::localNow(); }

 private:
  static constexpr std::uint32_t kStep = 1u << 20;
  std::uint32_t m_tick = 0;
};

class CliRenameHost final : public RenameHost {
 public:
  CliRenameHost(Window& form, ListBox& list, StatusBar& status, fs::path folder, int depth,
                int sortDesc)
      : m_form(form),
        m_list(list),
        m_status(status),
        m_folder(std::move(folder)),
        m_depth(depth),
        m_sortDesc(sortDesc) {}

  Window& form() override { return m_form; }
  ListBox& fileList() override { return m_list; }
  Command& stopButton() override { return m_stop; }
  Command& stopMenuItem() override { return m_stopItem; }
  StatusBar& statusBar() override { return m_status; }
  int findDirOption() const override { return m_depth; }
  fs::path folderPath() const override { return m_folder; }
  int sortDescValue() const override { return m_sortDesc; }
  void unloadWindow() override {}
  // The run returns right after this; the exit status tells the caller.
  void endAtOnce() override { m_endedAtOnce = true; }

  bool endedAtOnce() const { return m_endedAtOnce; }

 private:
  Window& m_form;
  ListBox& m_list;
  StatusBar& m_status;
  MemoryCommand m_stop{"ﾘﾈｰﾑ中断(&X)"};
  MemoryCommand m_stopItem{"ﾘﾈｰﾑ中断(&X)"};
  fs::path m_folder;
  int m_depth;
  int m_sortDesc;
  bool m_endedAtOnce = false;
};

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

std::vector<int> selectedRows(const ListBox& list) {
  std::vector<int> rows;
  for (int row = 0; row < list.rowCount(); ++row)
    if (list.isSelected(row)) rows.push_back(row);
  return rows;
}

// Rows outside the list are refused rather than ignored: a script that names row 12 of an
// 11-row list has a wrong idea of the folder.
std::string applySelection(const std::vector<RowRange>& ranges, clsObjCtrl& objCtrl,
                           ListBox& list) {
  if (ranges.empty()) {
    CmnSelectAll(objCtrl, list, true);
    return {};
  }
  for (const RowRange& range : ranges) {
    if (range.last > list.rowCount())
      return "--select の行 " + std::to_string(range.last) + " は一覧にありません（一覧は " +
             std::to_string(list.rowCount()) + " 行です）。";
  }
  for (const RowRange& range : ranges)
    for (long row = range.first; row <= range.last; ++row)
      list.setSelected(static_cast<int>(row - 1), true);
  objCtrl.ShowSelNumber();
  return {};
}

}  // namespace

std::vector<std::string> listLines(const ListBox& list) {
  const size_t width = std::to_string(list.rowCount()).size();
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(list.rowCount()));
  for (int row = 0; row < list.rowCount(); ++row) {
    const std::string number = std::to_string(row + 1);
    lines.push_back((list.isSelected(row) ? "*" : " ") +
                    std::string(width - number.size() + 1, ' ') + number + "  " +
                    list.rowText(row));
  }
  return lines;
}

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

  TerminalOutput output(env.out, env.stdoutIsTerminal, env.err, env.stderrIsTerminal);
  TerminalToolkit toolkit(
      output, AnswerPolicy{options.dryRun, options.yes, options.onCollision, env.stdinIsTerminal},
      env.readLine, env.stopSignalled);
  EveryStatusClock clock;

  // The logs go, by default, to the folder of the settings file, as they go to the window's
  // folder next to its own settings file.
  const fs::path iniPath =
      options.iniFile ? absoluteIn(env.currentFolder, platform::pathFromUtf8(*options.iniFile))
                      : env.programFolder / kIniFileName;
  clsIniFile settings(iniPath.parent_path());
  bsFunc func(toolkit, settings, clock, env.exeName);
  if (!settings.ReadIniFile(platform::pathToUtf8(iniPath.filename()),
                            [&func](auto place, auto msg) { func.OutputErrLog(place, msg); })) {
    func.ShowErrMsg(0, "INIファイル読み込みエラー!! 終了します。", mb::kCritical, "Form_Load");
    return kExitRefused;
  }

  HeadlessWindow form;
  MemoryListBox list;
  MemoryLabel label;
  TerminalStatusBar status;
  clsObjCtrl objCtrl(func);
  objCtrl.ListControl(&list);
  objCtrl.LabelSelFileNum(&label);
  objCtrl.SerchFileName(options.pattern.value_or(settings.SerchFileName()));
  // As the window's pattern box stores its text: without "..".
  objCtrl.SerchFileName(RemoveString(objCtrl.SerchFileName(), ".."));

  const std::string folderText = options.folder.value_or(settings.DefaultFindDirPath());
  const fs::path folder = folderText.empty()
                              ? env.currentFolder
                              : absoluteIn(env.currentFolder, platform::pathFromUtf8(folderText));
  const int depth = options.depth.value_or(settings.StartFindDirOption());
  if (objCtrl.SetFileList(form, folder, depth, status)) {
    output.message(status.panelText(kPanelText) + "\r\n(" + platform::pathToUtf8(folder) +
                   ")");
    return kExitRefused;
  }
  if (options.sort)
    objCtrl.SortList(form, *options.sort == SortKey::kName ? 1 : 2, options.descending ? 1 : 0);
  if (std::string refusal = applySelection(options.select, objCtrl, list); !refusal.empty()) {
    refuseArgument(env, refusal);
    return kExitRefused;
  }

  if (options.list) {
    for (const std::string& line : listLines(list)) output.result(line);
    output.result(label.caption());
    return kExitAllRenamed;
  }

  // The window's start values, for every field the command line leaves out.
  const NamingRuleStart start = namingRuleStartValues(clock.now());
  MemoryTextField txtName(options.name.value_or(start.commonPart));
  MemoryTextField txtExp(options.extension.value_or(start.extension));
  MemoryTextField txtSeq(options.digits.value_or(start.digits));
  MemoryCheckField chbBackSeq(start.sequenceAfter && !options.numberFirst ? 1 : 0);
  MemoryTextField txtSample;
  NamingRule rule(txtName, txtExp, txtSeq, chbBackSeq, txtSample, clock);
  CliRenameHost host(form, list, status, folder, depth, options.descending ? 1 : 0);
  RenameRun run(func, objCtrl, rule, host);
  toolkit.onStopRequest([&run] { run.CmnStopRename(); });

  if (options.dryRun) {
    // The run's own checks decide, with the run's own message and place.
    if (const auto refusal =
            renameRefusal(list.selectedCount(), rule.digitsText(), rule.commonPartText())) {
      func.ShowErrMsg(0, *refusal, mb::kExclamation, "CmnStartRename");
      return kExitRefused;
    }
    const std::vector<PlannedRename> plan = markCollisions(
        composePlan(objCtrl, rule, selectedRows(list), numberValue(rule.digitsText()).value_or(1)),
        occupiedOnDisk);
    for (const std::string& line : planLines(plan, label.caption())) output.result(line);
    const bool anyMarked = std::any_of(
        plan.begin(), plan.end(), [](const PlannedRename& f) { return f.mark != PlanMark::kNone; });
    return anyMarked ? kExitSomeFailed : kExitAllRenamed;
  }

  RunMonitor monitor(output, list.selectedCount());
  status.listen([&monitor](std::string_view text) { monitor.statusText(text); });
  if (env.armStop) env.armStop();
  run.CmnStartRename();
  monitor.finish();
  status.listen(nullptr);
  return exitStatus({toolkit.confirmationAsked(), toolkit.confirmed(), host.endedAtOnce(),
                     env.stopSignalled && env.stopSignalled(), monitor.observed()});
}

}  // namespace batora::cli
