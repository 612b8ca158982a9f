#include "journalrecords.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "utf8.h"

namespace batora {

namespace {

// Version 1 wrote every path whole; version 2 writes a path under the run's folder relative to
// it, which halves what a run writes. Both are read.
constexpr std::string_view kHeader = "batora-journal\t2\n";
constexpr std::string_view kHeadersRead[] = {"batora-journal\t1", "batora-journal\t2"};

constexpr std::pair<FileOutcome, std::string_view> kOutcomeNames[] = {
    {FileOutcome::kRenamed, "renamed"},        {FileOutcome::kNameTaken, "taken"},
    {FileOutcome::kFailed, "failed"},          {FileOutcome::kUnusableName, "unusable"},
    {FileOutcome::kNotTheSameFile, "changed"},
};
constexpr std::pair<JournalEnd, std::string_view> kEndNames[] = {
    {JournalEnd::kComplete, "complete"},
    {JournalEnd::kLeftEarly, "left"},
    {JournalEnd::kStopped, "stopped"},
    {JournalEnd::kFailed, "failed"},
};

template <typename T, size_t N>
std::string_view nameOf(const std::pair<T, std::string_view> (&names)[N], T value) {
  for (const auto& [v, name] : names)
    if (v == value) return name;
  return "?";
}

template <typename T, size_t N>
std::optional<T> valueOf(const std::pair<T, std::string_view> (&names)[N], std::string_view name) {
  for (const auto& [v, n] : names)
    if (n == name) return v;
  return std::nullopt;
}

// How many bytes from the start, in whole words of eight, are printable ASCII other than '%':
// most of a name, passed over a word at a time (every record carries two paths).
size_t plainWords(std::string_view bytes) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighs = kOnes * 0x80;
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    const std::uint64_t percents = word ^ (kOnes * '%');
    const std::uint64_t control = (word - kOnes * 0x20) & ~word & kHighs;
    const std::uint64_t deleteOrHigh = ((word + kOnes) | word) & kHighs;
    const std::uint64_t percent = (percents - kOnes) & ~percents & kHighs;
    if ((control | deleteOrHigh | percent) != 0) break;
  }
  return i;
}

// Where the system's paths are bytes already they are escaped where they stand.
template <typename Char>
void appendNativeField(std::string& out, std::basic_string_view<Char> native) {
  if constexpr (std::is_same_v<Char, char>)
    appendEscapedBytes(out, native);
  else
    appendEscapedBytes(out, platform::pathBytes(std::filesystem::path(native)));
}

// The part of a path below the run's folder, when it lies there and reads back as exactly this
// path joined to the folder; nullopt otherwise. The listed folder is always absolute, so a
// relative field cannot be taken for anything else.
template <typename Char>
std::optional<std::basic_string_view<Char>> belowFolder(std::basic_string_view<Char> path,
                                                        std::basic_string_view<Char> folder) {
  constexpr Char kJoint = std::filesystem::path::preferred_separator;
  const auto isSeparator = [](Char c) { return c == Char('/') || c == kJoint; };
  if (folder.empty() || path.size() <= folder.size() || !path.starts_with(folder))
    return std::nullopt;
  path.remove_prefix(folder.size());
  if (!isSeparator(folder.back())) {
    if (path.front() != kJoint) return std::nullopt;
    path.remove_prefix(1);
  }
  if (path.empty() || isSeparator(path.front())) return std::nullopt;
  if constexpr (!std::is_same_v<Char, char>)
    if (path.find(Char(':')) != path.npos) return std::nullopt;  // "C:name" is not below
  return path;
}

void appendPathField(std::string& out, const std::filesystem::path& path,
                     const std::filesystem::path& folder = {}) {
  using View = std::basic_string_view<std::filesystem::path::value_type>;
  const View native = path.native();
  appendNativeField(out, belowFolder(native, View(folder.native())).value_or(native));
}

std::string pathField(const std::filesystem::path& path) {
  std::string field;
  appendPathField(field, path);
  return field;
}

std::filesystem::path pathOf(std::string_view field, const std::filesystem::path& folder = {}) {
  std::filesystem::path path = platform::pathFromBytes(unescapeBytes(field));
  return path.is_relative() && !folder.empty() ? folder / path : path;
}

template <typename T>
std::optional<T> number(std::string_view field) {
  T value{};
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

template <typename T>
void appendNumber(std::string& line, T value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  line.append(digits, end);
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> parts;
  for (size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
    parts.push_back(line.substr(0, tab));
  parts.push_back(line);
  return parts;
}

std::string timeText(const platform::LocalDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

platform::LocalDateTime timeOf(std::string_view text) {
  platform::LocalDateTime t;
  std::sscanf(std::string(text).c_str(), "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour,
              &t.minute, &t.second);
  return t;
}

std::optional<JournalStart> parseStart(const std::vector<std::string_view>& f) {
  const auto id = number<long>(f[1]);
  const auto count = number<long>(f[5]);
  if (!id || !count || (f[2] != "rename" && f[2] != "undo")) return std::nullopt;
  JournalStart start{*id, f[2] == "undo" ? RunKind::kUndo : RunKind::kRename, timeOf(f[3]),
                     pathOf(f[4]), *count};
  if (f.size() > 6) start.undoes = number<long>(f[6]).value_or(0);
  return start;
}

JournalFile* fileAt(JournalRun& run, long index) {
  for (auto it = run.files.rbegin(); it != run.files.rend(); ++it)
    if (it->index == index) return &*it;
  return nullptr;
}

// A file written again (its name changed at its turn) keeps only the later record.
void parseBefore(const std::vector<std::string_view>& f, JournalRun& run) {
  const auto index = number<long>(f[1]);
  if (!index) return;
  const std::filesystem::path& folder = run.start.folder;
  JournalFile file{*index, pathOf(f[2], folder), pathOf(f[3], folder), std::nullopt, std::nullopt};
  if (JournalFile* known = fileAt(run, *index))
    *known = std::move(file);
  else
    run.files.push_back(std::move(file));
}

void parseAfter(const std::vector<std::string_view>& f, JournalRun& run) {
  const auto index = number<long>(f[1]);
  const auto outcome = valueOf(kOutcomeNames, f[2]);
  JournalFile* file = index ? fileAt(run, *index) : nullptr;
  if (!outcome || !file) return;
  file->outcome = outcome;
  if (f.size() < 7) return;
  const auto device = number<std::uint64_t>(f[3]);
  const auto inode = number<std::uint64_t>(f[4]);
  const auto size = number<std::uint64_t>(f[5]);
  const auto modified = number<std::int64_t>(f[6]);
  if (device && inode && size && modified)
    file->identity = platform::FileIdentity{*device, *inode, *size, *modified};
}

// Files written ahead that the ended run never reached were never touched.
void parseEnd(const std::vector<std::string_view>& f, JournalRun& run) {
  run.end = valueOf(kEndNames, f[1]);
  const auto reached = f.size() > 2 ? number<long>(f[2]) : std::nullopt;
  if (!run.end || !reached) return;
  std::erase_if(run.files,
                [&](const JournalFile& file) { return !file.outcome && file.index >= *reached; });
}

void parseLine(std::string_view line, std::optional<JournalRun>& run) {
  const std::vector<std::string_view> f = fields(line);
  if (f[0] == "run" && f.size() >= 6 && !run) {
    if (auto start = parseStart(f)) run = JournalRun{*start, {}, std::nullopt};
    return;
  }
  if (!run) return;
  if (f[0] == "before" && f.size() == 4) {
    parseBefore(f, *run);
  } else if (f[0] == "after" && f.size() >= 3) {
    parseAfter(f, *run);
  } else if (f[0] == "end" && f.size() >= 2) {
    parseEnd(f, *run);
  }
}

}  // namespace

std::string escapeBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 8);
  appendEscapedBytes(out, bytes);
  return out;
}

// Printable ASCII and whole UTF-8 sequences go over as they are, in stretches; every other byte
// as %XX.
void appendEscapedBytes(std::string& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  size_t from = 0;
  size_t i = 0;
  while (i < bytes.size()) {
    i += plainWords(bytes.substr(i));
    if (i == bytes.size()) break;
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '%') {
      ++i;
      continue;
    }
    const size_t length = byte >= 0x80 ? utf8::sequenceLength(bytes.substr(i)) : 1;
    if (length > 1) {
      i += length;
      continue;
    }
    out.append(bytes.substr(from, i - from));
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
    from = ++i;
  }
  out.append(bytes.substr(from));
}

std::string unescapeBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned byte = 0;
    const char* digits = text.data() + i + 1;
    if (text[i] == '%' && i + 2 < text.size() &&
        std::from_chars(digits, digits + 2, byte, 16).ptr == digits + 2) {
      out += static_cast<char>(byte);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string startRecord(const JournalStart& start) {
  std::string line = std::string(kHeader) + "run\t" + std::to_string(start.id) + '\t' +
                     (start.kind == RunKind::kUndo ? "undo" : "rename") + '\t' +
                     timeText(start.time) + '\t' + pathField(start.folder) + '\t' +
                     std::to_string(start.count);
  if (start.kind == RunKind::kUndo) line += '\t' + std::to_string(start.undoes);
  return line + '\n';
}

void appendBeforeRecord(std::string& out, const PlannedName& file,
                        const std::filesystem::path& folder) {
  out += "before\t";
  appendNumber(out, file.index);
  out += '\t';
  appendPathField(out, file.oldPath, folder);
  out += '\t';
  appendPathField(out, file.newPath, folder);
  out += '\n';
}

void appendAfterRecord(std::string& out, const FileResult& result,
                       const std::optional<platform::FileIdentity>& identity) {
  out += "after\t";
  appendNumber(out, result.file.index);
  out += '\t';
  out += nameOf(kOutcomeNames, result.outcome);
  if (identity) {
    for (const std::uint64_t value : {identity->device, identity->file, identity->size}) {
      out += '\t';
      appendNumber(out, value);
    }
    out += '\t';
    appendNumber(out, identity->modified);
  }
  out += '\n';
}

std::string endRecord(JournalEnd how, const RunEnd& end) {
  return "end\t" + std::string(nameOf(kEndNames, how)) + '\t' + std::to_string(end.reached) + '\t' +
         std::to_string(end.errors) + '\n';
}

std::optional<JournalRun> parseJournalRun(std::string_view text) {
  const std::string_view header = text.substr(0, text.find('\n'));
  if (header.size() == text.size() ||
      std::find(std::begin(kHeadersRead), std::end(kHeadersRead), header) == std::end(kHeadersRead))
    return std::nullopt;
  std::optional<JournalRun> run;
  for (size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1))
    parseLine(text.substr(0, end), run);
  return run;
}

}  // namespace batora
