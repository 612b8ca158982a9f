// The system's ordinal comparison with case ignored is the reference for the list order.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "casedletters.h"
#include "nameorder.h"
#include "platform.h"

namespace batora {
namespace {

int compareIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE);
}

TEST(HomeOrderWinTest, TheWrittenOrderIsTheSystemsOwn) {
  std::vector<std::wstring> names;
  for (const std::string& name : testing::casedNames())
    names.push_back(platform::pathFromUtf8(name).wstring());
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    const int order = compareIgnoringCase(a, b);
    return order == CSTR_EQUAL ? a < b : order == CSTR_LESS_THAN;
  });
  std::vector<std::string> sorted;
  for (const std::wstring& name : names) sorted.push_back(platform::pathToUtf8(name));
  EXPECT_EQ(sorted, std::vector<std::string>(std::begin(testing::kCasedNamesInHomeOrder),
                                             std::end(testing::kCasedNamesInHomeOrder)));
}

// Sorting every unit of the basic plane by the fold and by the system's comparison gives one
// order only when both take the same units for one and order them alike.
TEST(HomeOrderWinTest, EveryUnitOfTheBasicPlaneFoldsAsTheSystemComparesIt) {
  std::vector<wchar_t> bySystem;
  for (wchar_t unit = 1; unit != 0; ++unit)
    if (unit < 0xD800 || unit > 0xDFFF) bySystem.push_back(unit);
  std::vector<wchar_t> byFold = bySystem;
  std::stable_sort(bySystem.begin(), bySystem.end(), [](wchar_t a, wchar_t b) {
    return compareIgnoringCase({&a, 1}, {&b, 1}) == CSTR_LESS_THAN;
  });
  std::stable_sort(byFold.begin(), byFold.end(),
                   [](wchar_t a, wchar_t b) { return foldCase(a) < foldCase(b); });
  const auto [system, fold] = std::mismatch(bySystem.begin(), bySystem.end(), byFold.begin());
  EXPECT_TRUE(system == bySystem.end())
      << "first difference at U+" << std::hex << static_cast<int>(*system) << " / U+"
      << static_cast<int>(*fold);
}

}  // namespace
}  // namespace batora
