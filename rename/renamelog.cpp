#include "renamelog.h"

#include <algorithm>

#include "platform.h"
#include "text.h"

namespace batora {

namespace {

// The layout of the two kinds of line, once: the literals go in as they are, the time stamp and
// the texts through `field`.
template <typename Field>
void appendStartLine(std::string& out, std::string_view timestamp, Field field) {
  out += "*** Rename Start !!  [";
  field(out, timestamp);
  out += "] ***";
}

template <typename Field>
void appendFileLine(std::string& out, std::string_view timestamp, std::string_view sOldName,
                    std::string_view sNewName, std::string_view sResult, Field field) {
  out += "*** ";
  field(out, timestamp);
  out += ", [";
  field(out, sOldName);
  out += " -> ";
  field(out, sNewName);
  out += "] ";
  field(out, sResult);
  out += " ***";
}

void asIs(std::string& out, std::string_view text) {
  out += text;
}

}  // namespace

std::string renameLogStartLine(const platform::LocalDateTime& time) {
  std::string line;
  appendStartLine(line, formatTimestamp(time), asIs);
  return line;
}

std::string renameLogFileLine(const platform::LocalDateTime& time, std::string_view sOldName,
                              std::string_view sNewName, std::string_view sResult) {
  std::string line;
  appendFileLine(line, formatTimestamp(time), sOldName, sNewName, sResult, asIs);
  return line;
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

// Each text goes in printable and in code page 932. The literals of a line are both already,
// and a text that is plain ASCII is too, so most of a line is copied as it stands.
void RenameLog::appendText(std::string& out, std::string_view text) {
  const bool plain = std::all_of(text.begin(), text.end(),
                                 [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t'; });
  if (plain)
    out += text;
  else
    appendCp932(out, printable(text));
}

bool RenameLog::write(std::string_view sOldName, std::string_view sNewName,
                      std::string_view sResult, bool vStart) {
  if (!m_func.settings().OutputLogRename()) return true;
  // A name holding CR LF would otherwise end the record early and forge the next one.
  auto field = [this](std::string& out, std::string_view text) { appendText(out, text); };
  std::string bytes;
  bytes.reserve(sOldName.size() + sNewName.size() + sResult.size() + 64);
  if (vStart)
    appendStartLine(bytes, timestamp(), field);
  else
    appendFileLine(bytes, timestamp(), sOldName, sNewName, sResult, field);
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
