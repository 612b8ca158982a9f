#include "namingrule.h"

#include <climits>

#include "text.h"
#include "utf8.h"

namespace batora {

std::string composeFileName(std::string_view commonPart, std::string_view extension,
                            bool sequenceAfter, std::string_view sSeqText,
                            const platform::LocalDateTime& today) {
  std::string name = trimBlanks(commonPart);
  std::string ext = trimBlanks(extension);
  if (name.empty() && ext.empty()) return {};
  if (ext.empty()) ext = kDefaultExtension;
  if (name.empty()) name = formatDate8(today) + "_";
  const std::string seq = trimBlanks(sSeqText);
  std::string stem = sequenceAfter ? name + seq : seq + name;
  // The dot always goes in: an extension typed with its own dot gives two.
  return stem + "." + ext;
}

NamingRuleStart namingRuleStartValues(const platform::LocalDateTime& today) {
  return {formatDate8(today) + "_", std::string(kDefaultExtension), "2", true};
}

std::optional<long> numberValue(std::string_view text) {
  std::u32string chars = utf8::decode(trimBlanks(text));
  bool negative = false;
  size_t i = 0;
  if (!chars.empty() && (chars[0] == U'+' || chars[0] == U'-')) negative = chars[i++] == U'-';
  if (i == chars.size()) return std::nullopt;
  long value = 0;
  for (; i < chars.size(); ++i) {
    char32_t c = chars[i];
    int digit;
    if (c >= U'0' && c <= U'9')
      digit = static_cast<int>(c - U'0');
    else if (c >= U'\uFF10' && c <= U'\uFF19')  // full-width digits count as well
      digit = static_cast<int>(c - U'\uFF10');
    else
      return std::nullopt;
    value = value > (LONG_MAX - digit) / 10 ? LONG_MAX : value * 10 + digit;
  }
  return negative ? -value : value;
}

std::string sampleSequenceText(std::string_view digitsText) {
  long n = numberValue(digitsText).value_or(0);
  if (n <= 0) return {};
  const size_t count = std::min<size_t>(static_cast<size_t>(n), kSampleSequence.size());
  return std::string(kSampleSequence.substr(kSampleSequence.size() - count));
}

NamingRule::NamingRule(TextField& txtName, TextField& txtExp, TextField& txtSeq,
                       CheckField& chbBackSeq, TextField& txtSample, Clock& clock)
    : m_txtName(txtName),
      m_txtExp(txtExp),
      m_txtSeq(txtSeq),
      m_chbBackSeq(chbBackSeq),
      m_txtSample(txtSample),
      m_clock(clock) {}

std::string NamingRule::CmnMakeFileName(std::string_view sSeqText) const {
  return makeFileName(inputs(), sSeqText);
}

NamingInputs NamingRule::inputs() const {
  return {m_txtName.text(), m_txtExp.text(), m_chbBackSeq.value() == 1, m_clock.now()};
}

std::string NamingRule::makeFileName(const NamingInputs& inputs, std::string_view sSeqText) {
  return composeFileName(inputs.commonPart, inputs.extension, inputs.sequenceAfter, sSeqText,
                         inputs.now);
}

void NamingRule::CmnShowSample() {
  m_txtSample.setText(CmnMakeFileName(sampleSequenceText(m_txtSeq.text())));
}

}  // namespace batora
