#include "renamelog.h"

#include "platform.h"
#include "text.h"

namespace batora {

namespace {

std::string startLine(std::string_view timestamp) {
  std::string line = "*** Rename Start !!  [";
  line.append(timestamp).append("] ***");
  return line;
}

std::string fileLine(std::string_view timestamp, std::string_view sOldName,
                     std::string_view sNewName, std::string_view sResult) {
  std::string line;
  line.reserve(timestamp.size() + sOldName.size() + sNewName.size() + sResult.size() + 16);
  line.append("*** ").append(timestamp).append(", [");
  line.append(sOldName).append(" -> ").append(sNewName).append("] ");
  line.append(sResult).append(" ***");
  return line;
}

}  // namespace

std::string renameLogStartLine(const platform::LocalDateTime& time) {
  return startLine(formatTimestamp(time));
}

std::string renameLogFileLine(const platform::LocalDateTime& time, std::string_view sOldName,
                              std::string_view sNewName, std::string_view sResult) {
  return fileLine(formatTimestamp(time), sOldName, sNewName, sResult);
}

RenameLog::RenameLog(bsFunc& func) : m_func(func), m_path(func.settings().LogRename_FName()) {}

// A run writes thousands of lines a second, all with the same few stamps.
const std::string& RenameLog::timestamp() {
  const platform::LocalDateTime now = m_func.clock().now();
  if (m_stampTime != now) {
    m_stamp = formatTimestamp(now);
    m_stampTime = now;
  }
  return m_stamp;
}

// The lines of a run repeat the same folders, words and result texts, and converting them took
// longer than writing the lines. ASCII is the same in both code pages and never part of a longer
// sequence, so each stretch between ASCII characters converts the same on its own as within
// its line.
void RenameLog::appendCp932(std::string& out, std::string_view text) {
  constexpr size_t kMaxRemembered = 4096;
  auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  size_t at = 0;
  while (at < text.size()) {
    size_t end = at;
    while (end < text.size() && isAscii(text[end])) ++end;
    out.append(text.substr(at, end - at));
    at = end;
    while (end < text.size() && !isAscii(text[end])) ++end;
    if (end == at) continue;
    const std::string_view stretch = text.substr(at, end - at);
    auto known = m_converted.find(stretch);
    if (known == m_converted.end()) {
      if (m_converted.size() >= kMaxRemembered) m_converted.clear();
      known = m_converted.emplace(std::string(stretch), platform::utf8ToCp932(stretch)).first;
    }
    out += known->second;
    at = end;
  }
}

bool RenameLog::write(std::string_view sOldName, std::string_view sNewName,
                      std::string_view sResult, bool vStart) {
  if (!m_func.settings().OutputLogRename()) return true;
  std::string line =
      vStart ? startLine(timestamp()) : fileLine(timestamp(), sOldName, sNewName, sResult);
  // A name holding CR LF would otherwise end the record early and forge the next one.
  std::string bytes;
  bytes.reserve(line.size() + 2);
  appendCp932(bytes, printable(line));
  bytes += "\r\n";
  if (platform::appendToFile(m_path, bytes)) return true;
  Toolkit& toolkit = m_func.toolkit();
  toolkit.beep();
  toolkit.messageBox("リネームログ出力エラーが発生しました。", kAppTitle, mb::kCritical);
  return false;
}

bool OutputRenLog(bsFunc& func, std::string_view sOldName, std::string_view sNewName,
                  std::string_view sResult, bool vStart) {
  return RenameLog(func).write(sOldName, sNewName, sResult, vStart);
}

}  // namespace batora
