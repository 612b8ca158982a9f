// The real batora-cli on what only POSIX has: names that hold control characters.

#include <gtest/gtest.h>

#include "clifixture.h"

namespace batora::cli {
namespace {

using CliPosixExecutable = testing::CliExecutable;

TEST_F(CliPosixExecutable, ListShowsControlCharactersAsMarks) {
  expect({"legal names on Linux that would forge a row or retitle the terminal",
          {"a\n* 9  forged.jpg", "\x1b]0;owned\x07.jpg"},
          "photos --list",
          "* 1  ?]0;owned?.jpg\n* 2  a?* 9  forged.jpg\n選択ファイル数 : 2\n",
          "",
          0});
}

}  // namespace
}  // namespace batora::cli
