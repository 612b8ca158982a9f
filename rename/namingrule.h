#pragma once
// The naming rule: common part, extension, sequence digits and position, as the window's
// fields hold them at the moment of each composition.

#include <optional>
#include <string>
#include <string_view>

#include "clock.h"
#include "platform.h"
#include "toolkit.h"

namespace batora {

inline constexpr std::string_view kDefaultExtension = "jpg";
inline constexpr std::string_view kSampleSequence = "00000001";

// A new file name (no folder) from the rule and a sequence text. Blanks (ASCII and ideographic
// spaces) around the parts are dropped; an empty extension becomes "jpg", an empty common part
// the date as "yyyymmdd_". Both empty: empty text.
std::string composeFileName(std::string_view commonPart, std::string_view extension,
                            bool sequenceAfter, std::string_view sSeqText,
                            const platform::LocalDateTime& today);

// What the rule's fields hold when a session starts: the date as "yyyymmdd_", "jpg", two digits,
// the number after the common part.
struct NamingRuleStart {
  std::string commonPart;
  std::string extension;
  std::string digits;
  bool sequenceAfter = true;
};
NamingRuleStart namingRuleStartValues(const platform::LocalDateTime& today);

// The number a digit-count text holds, in half- or full-width digits; nullopt when it holds
// none. Values too large for a long come back as the largest long.
std::optional<long> numberValue(std::string_view text);

// The sample's sequence text: the rightmost n characters of "00000001".
std::string sampleSequenceText(std::string_view digitsText);

// What a composed name depends on besides its sequence: the rule's fields and the moment.
struct NamingInputs {
  std::string commonPart;
  std::string extension;
  bool sequenceAfter = true;
  platform::LocalDateTime now;
  bool operator==(const NamingInputs&) const = default;
};

class NamingRule {
 public:
  NamingRule(TextField& txtName, TextField& txtExp, TextField& txtSeq, CheckField& chbBackSeq,
             TextField& txtSample, Clock& clock);

  // Reads the fields afresh at every call.
  std::string CmnMakeFileName(std::string_view sSeqText) const;
  // The fields and the moment, read now.
  NamingInputs inputs() const;
  // The name CmnMakeFileName gives when the fields and the moment are these.
  static std::string makeFileName(const NamingInputs& inputs, std::string_view sSeqText);
  void CmnShowSample();

  std::string digitsText() const { return m_txtSeq.text(); }
  std::string commonPartText() const { return m_txtName.text(); }

 private:
  TextField& m_txtName;
  TextField& m_txtExp;
  TextField& m_txtSeq;
  CheckField& m_chbBackSeq;
  TextField& m_txtSample;
  Clock& m_clock;
};

}  // namespace batora
