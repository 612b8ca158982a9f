#include "runjournal.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "fileoutcome.h"

namespace batora {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kJournalFolderName = "BatoraJournal";
constexpr std::string_view kRunFileExtension = ".jnl";
// Before records written in one go. A run killed midway leaves at most this many files for an
// undo to judge on the disk alone; a thousandth of the run's system calls stay.
constexpr long kRecordsAhead = 64;
// Two programs starting a run at once both try the next id; the loser takes the one after.
constexpr int kCreateAttempts = 100;

// The id in a run file's name ("00000042.jnl"); nullopt for any other file.
std::optional<long> runId(const fs::path& file) {
  const std::string name = file.filename().string();
  if (name.size() <= kRunFileExtension.size() || !name.ends_with(kRunFileExtension))
    return std::nullopt;
  const std::string digits = name.substr(0, name.size() - kRunFileExtension.size());
  long id = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
  if (error != std::errc() || end != digits.data() + digits.size() || id < 0) return std::nullopt;
  return id;
}

// A file written ahead, as text: paths compare and copy component by component.
fs::path::string_type aheadKey(const PlannedName& file) {
  fs::path::string_type key = file.oldPath.native();
  key += fs::path::value_type{};
  key += file.newPath.native();
  return key;
}

// The same comparison as with the file's own key, without making one for every file.
bool matchesKey(const fs::path::string_type& key, const PlannedName& file) {
  const auto& from = file.oldPath.native();
  const auto& to = file.newPath.native();
  return key.size() == from.size() + 1 + to.size() && key.compare(0, from.size(), from) == 0 &&
         key[from.size()] == fs::path::value_type{} &&
         key.compare(from.size() + 1, to.size(), to) == 0;
}

fs::path runFile(const fs::path& folder, long id) {
  std::string name = std::to_string(id);
  name.insert(0, name.size() < 8 ? 8 - name.size() : 0, '0');
  return folder / (name + std::string(kRunFileExtension));
}

bool renamedAny(const JournalRun& run) {
  return std::any_of(run.files.begin(), run.files.end(), [](const JournalFile& f) {
    return !f.outcome || (*f.outcome == FileOutcome::kRenamed && f.oldPath != f.newPath);
  });
}

}  // namespace

fs::path journalFolder(const clsIniFile& settings) {
  return settings.LogRename_FName().parent_path() / std::string(kJournalFolderName);
}

std::vector<fs::path> journalRunFiles(const fs::path& folder) {
  std::vector<std::pair<long, fs::path>> runs;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (const auto id = runId(it->path())) runs.emplace_back(*id, it->path());
  std::sort(runs.begin(), runs.end());
  std::vector<fs::path> files;
  for (auto& run : runs) files.push_back(std::move(run.second));
  return files;
}

std::optional<JournalRun> lastRenamingRun(const fs::path& folder) {
  const std::vector<fs::path> files = journalRunFiles(folder);
  for (auto it = files.rbegin(); it != files.rend(); ++it) {
    const std::optional<std::string> text = platform::readFile(*it);
    if (!text) continue;
    std::optional<JournalRun> run = parseJournalRun(*text);
    if (run && renamedAny(*run)) return run;
  }
  return std::nullopt;
}

RunJournal::RunJournal(fs::path folder, long keep) : m_folder(std::move(folder)), m_keep(keep) {}

bool RunJournal::start(JournalStart start, Upcoming upcoming) {
  m_count = start.count;
  m_runFolder = start.folder;
  m_upcoming = std::move(upcoming);
  m_ahead.clear();
  std::error_code ec;
  fs::create_directories(m_folder, ec);
  const std::vector<fs::path> existing = journalRunFiles(m_folder);
  long id = existing.empty() ? 1 : runId(existing.back()).value_or(0) + 1;
  for (int attempt = 0; attempt < kCreateAttempts && !m_file; ++attempt, ++id) {
    m_file = AppendFile::createNew(runFile(m_folder, id));
    if (m_file) start.id = id;
  }
  m_failed = !m_file;
  if (m_failed) return false;
  prune();
  m_pending = startRecord(start);
  flush();
  return !m_failed;
}

// The newest runs stay; a file that cannot be deleted (open elsewhere) is tried again next time.
void RunJournal::prune() const {
  const std::vector<fs::path> files = journalRunFiles(m_folder);
  const size_t keep = static_cast<size_t>(std::max(m_keep, 1L));
  std::error_code ec;
  for (size_t i = 0; i + keep < files.size(); ++i) fs::remove(files[i], ec);
}

// A name planned ahead can come out differently at its turn (the date in it changed at
// midnight); the file's record is then written again, and the later one counts.
void RunJournal::before(const PlannedName& file) {
  if (!m_file) return;
  const long offset = file.index - m_aheadFrom;
  if (offset >= 0 && offset < static_cast<long>(m_ahead.size()) &&
      matchesKey(m_ahead[static_cast<size_t>(offset)], file))
    return;
  m_ahead.assign(1, aheadKey(file));
  m_aheadFrom = file.index;
  appendBeforeRecord(m_pending, file, m_runFolder);
  if (m_upcoming) {
    for (long k = file.index + 1; k < std::min(file.index + kRecordsAhead, m_count); ++k) {
      const PlannedName& next = *m_upcoming(k);
      m_ahead.push_back(aheadKey(next));
      appendBeforeRecord(m_pending, next, m_runFolder);
    }
  }
  flush();
}

void RunJournal::after(const FileResult& result) {
  if (!m_file) return;
  after(result, movedEntry(result) ? platform::fileIdentity(result.file.newPath) : std::nullopt);
}

void RunJournal::after(const FileResult& result,
                       const std::optional<platform::FileIdentity>& identity) {
  if (m_file) appendAfterRecord(m_pending, result, identity);
}

void RunJournal::end(JournalEnd how, const RunEnd& end) {
  if (m_file) m_pending += endRecord(how, end);
  flush();
  m_upcoming = nullptr;
  m_ahead.clear();
}

void RunJournal::flush() {
  if (!m_file) return;
  if (!m_file->append(m_pending)) m_failed = true;
  m_pending.clear();
}

}  // namespace batora
