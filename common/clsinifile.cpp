#include "clsinifile.h"

#include <charconv>
#include <optional>
#include <stdexcept>

#include "platform.h"
#include "text.h"
#include "utf8.h"

namespace batora {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Whether every byte belongs to a valid UTF-8 sequence and at least one is not ASCII.
bool isUtf8Beyond7Bit(std::string_view bytes) {
  bool beyondAscii = false;
  while (!bytes.empty()) {
    const size_t length = utf8::sequenceLength(bytes);
    if (length == 1 && static_cast<unsigned char>(bytes[0]) >= 0x80) return false;
    beyondAscii = beyondAscii || length > 1;
    bytes.remove_prefix(length);
  }
  return beyondAscii;
}

// Shift_JIS as the file format says; a file saved as UTF-8 is taken as UTF-8, with or without
// its byte-order mark, because Linux editors save that (mostly without the mark) and every
// Japanese folder name would otherwise decode into a path that does not exist. Japanese text in
// Shift_JIS is practically never valid UTF-8 as a whole.
std::string decodeSettings(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return utf8::sanitize(bytes.substr(kUtf8Bom.size()));
  if (isUtf8Beyond7Bit(bytes)) return std::string(bytes);
  return platform::cp932ToUtf8(bytes);
}

// A line ends at CR LF, at a lone CR, or at a lone LF (a file saved by a Linux editor).
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    lines.push_back(text.substr(0, end));
    size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    text.remove_prefix(next);
  }
  return lines;
}

struct KeyValue {
  std::string key;
  std::string value;
};

std::optional<KeyValue> parseLine(std::string_view raw) {
  std::string line = trimSpaces(RemoveString(raw, "\t"));
  if (line.empty()) return std::nullopt;
  if (size_t hash = line.find('#'); hash != std::string::npos) {
    line = trimSpaces(std::string_view(line).substr(0, hash));
    if (line.empty()) return std::nullopt;
  }
  size_t eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  KeyValue kv{trimSpaces(std::string_view(line).substr(0, eq)),
              trimSpaces(std::string_view(line).substr(eq + 1))};
  if (kv.key.empty() || kv.value.empty()) return std::nullopt;
  return kv;
}

// A folder look-up that cannot be carried out ends the reading.
struct LookUpFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace

std::optional<bool> truthValue(std::string_view text) {
  std::string upper = asciiUpper(text);
  if (upper == "TRUE") return true;
  if (upper == "FALSE") return false;
  std::string_view number = text;
  if (number.starts_with('+')) number.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                   std::chars_format::fixed);
  if (ec != std::errc() || end != number.data() + number.size() || number.empty())
    return std::nullopt;
  return value != 0;
}

clsIniFile::clsIniFile(fs::path programFolder) : m_programFolder(std::move(programFolder)) {}

bool clsIniFile::ReadIniFile(std::string_view sFileName, const ErrLogWriter& outputErrLog) {
  std::optional<std::string> bytes =
      platform::readFile(platform::joinPath(m_programFolder, std::string(sFileName)));
  if (!bytes) return false;
  try {
    const std::string text = decodeSettings(*bytes);
    for (std::string_view line : splitLines(text)) {
      if (auto kv = parseLine(line)) storeValue(asciiUpper(kv->key), std::move(kv->value));
    }
    runChecks(outputErrLog);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void clsIniFile::storeValue(const std::string& key, std::string value) {
  if (key == "INIT_FINDDIR_OPTION")
    m_findDirOption = std::move(value);
  else if (key == "INIT_FINDDIR_PATH")
    m_findDirPath = std::move(value);
  else if (key == "INIT_SERCH_FILE_NAME")
    m_serchFileName = std::move(value);
  else if (key == "OUTPUT_LOG_RENAME")
    m_outputLogRename = std::move(value);
  else if (key == "OUTPUT_LOG_ERROR")
    m_outputLogError = std::move(value);
  else if (key == "DIRPATH_LOG_RENAME")
    m_logRenameDir = std::move(value);
  else if (key == "DIRPATH_LOG_ERROR")
    m_logErrorDir = std::move(value);
}

// The error-log folder is settled first, so that the lines of the later checks already go to
// the configured error log.
void clsIniFile::runChecks(const ErrLogWriter& outputErrLog) {
  m_logErrorDir = CheckExistFile(m_logErrorDir, "DIRPATH_LOG_ERROR", 1, true, outputErrLog);
  if (!m_findDirOption.empty() && m_findDirOption != "1" && m_findDirOption != "2" &&
      m_findDirOption != "3") {
    outputErrLog("ReadIniFile",
                 "パラメータ(INIT_FINDDIR_OPTION)エラーが発生しました。値が不正です。");
    m_findDirOption.clear();
  }
  // Both separators go: a pattern names files inside the chosen folder, never a path.
  m_serchFileName = RemoveString(RemoveString(RemoveString(m_serchFileName, "\\"), "/"), "..");
  m_findDirPath = CheckExistFile(m_findDirPath, "INIT_FINDDIR_PATH", 1, false, outputErrLog);
  m_logRenameDir = CheckExistFile(m_logRenameDir, "DIRPATH_LOG_RENAME", 1, false, outputErrLog);
}

std::string clsIniFile::CheckExistFile(const std::string& sPath, std::string_view sKey,
                                       int iFindOption, bool noLog,
                                       const ErrLogWriter& outputErrLog) const {
  if (sPath.empty()) return {};
  switch (platform::lookUp(platform::pathFromUtf8(sPath), iFindOption == 1)) {
    case platform::LookUp::kFound:
      return sPath;
    case platform::LookUp::kFailed:
      throw LookUpFailed(std::string(sKey));
    case platform::LookUp::kMissing:
      break;
  }
  if (!noLog)
    outputErrLog("CheckExistFile",
                 "パラメータ(" + std::string(sKey) + ")存在エラーが発生しました。");
  return {};
}

bool clsIniFile::OutputLogRename() const {
  if (m_outputLogRename.empty()) return false;
  return truthValue(m_outputLogRename).value_or(true);
}

void clsIniFile::OutputLogRename(bool bDat) {
  m_outputLogRename.assign(1, bDat ? '1' : '0');
}

bool clsIniFile::OutputLogError() const {
  if (m_outputLogError.empty()) return true;
  return truthValue(m_outputLogError).value_or(true);
}

fs::path clsIniFile::logPath(const std::string& folder, std::string_view name) const {
  fs::path dir = folder.empty() ? m_programFolder : platform::pathFromUtf8(folder);
  return platform::joinPath(dir, std::string(name));
}

fs::path clsIniFile::LogRename_FName() const {
  return logPath(m_logRenameDir, kRenameLogName);
}

fs::path clsIniFile::LogErr_FName() const {
  return logPath(m_logErrorDir, kErrorLogName);
}

// A read file holds "1", "2" or "3" or nothing at all.
int clsIniFile::StartFindDirOption() const {
  return m_findDirOption.empty() ? 1 : m_findDirOption[0] - '0';
}

}  // namespace batora
