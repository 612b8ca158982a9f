#pragma once
// Letters of many cased scripts in both cases, and the names made of them in the order the home
// platform lists them. The list order and the pattern matching are both checked against this one
// table, on every platform.

#include <string>
#include <vector>

namespace batora::testing {

struct CasedLetter {
  const char* script;
  const char* small;
  const char* capital;
  // Whether the home platform takes the two for the same letter.
  bool folds;
};

inline constexpr CasedLetter kCasedLetters[] = {
    {"ASCII", "a", "A", true},
    {"Latin-1", "é", "É", true},
    {"Latin-1 whose capital lies beyond it", "ÿ", "Ÿ", true},
    {"Latin Extended-A", "ā", "Ā", true},
    {"Polish", "ł", "Ł", true},
    {"Czech", "ř", "Ř", true},
    {"Vietnamese, Latin Extended-B", "ơ", "Ơ", true},
    {"Vietnamese, Latin Extended Additional", "ệ", "Ệ", true},
    {"Greek", "λ", "Λ", true},
    {"Greek with an accent", "ά", "Ά", true},
    {"Cyrillic", "ж", "Ж", true},
    {"Cyrillic beyond the basic alphabet", "ё", "Ё", true},
    {"extended Cyrillic", "ѣ", "Ѣ", true},
    {"Armenian", "ա", "Ա", true},
    {"full-width Latin", "ａ", "Ａ", true},
    // These stay apart: the upper case of the small letter is more than one character, or the
    // lower case of the capital is another letter.
    {"sharp s against its capital", "ß", "ẞ", false},
    {"ligature ff", "ﬀ", "FF", false},
    {"final sigma", "ς", "Σ", false},
    {"dotless i", "ı", "I", false},
    {"micro sign against Greek mu", "µ", "Μ", false},
    {"long s", "ſ", "S", false},
    // Beyond the basic plane: two surrogate units, folded by no one.
    {"Deseret", "𐐨", "𐐀", false},
};

// The two names each letter gives to a folder: the small letter alone, the capital with a digit,
// so that a folding letter sorts its small name first and an ordinal one its capital name.
inline std::vector<std::string> casedNames() {
  std::vector<std::string> names;
  for (const CasedLetter& letter : kCasedLetters) {
    names.push_back(std::string(letter.small) + ".txt");
    names.push_back(std::string(letter.capital) + "2.txt");
  }
  return names;
}

// casedNames() as Windows' ordinal comparison with case ignored orders them, ties broken by the
// exact name (as measured under Wine; the Windows tests compare it with the system again).
inline constexpr const char* kCasedNamesInHomeOrder[] = {
    "a.txt",  "A2.txt", "FF2.txt", "I2.txt", "S2.txt", "µ.txt", "é.txt",  "É2.txt", "ß.txt",
    "ā.txt",  "Ā2.txt", "ı.txt",   "ł.txt",  "Ł2.txt", "ř.txt", "Ř2.txt", "ÿ.txt",  "Ÿ2.txt",
    "ſ.txt",  "ơ.txt",  "Ơ2.txt",  "ά.txt",  "Ά2.txt", "λ.txt", "Λ2.txt", "Μ2.txt", "Σ2.txt",
    "ς.txt",  "ё.txt",  "Ё2.txt",  "ж.txt",  "Ж2.txt", "ѣ.txt", "Ѣ2.txt", "ա.txt",  "Ա2.txt",
    "ẞ2.txt", "ệ.txt",  "Ệ2.txt",  "𐐀2.txt", "𐐨.txt",  "ﬀ.txt", "ａ.txt", "Ａ2.txt"};

}  // namespace batora::testing
