#include "cliarguments.h"

#include <gtest/gtest.h>

namespace batora::cli {
namespace {

using Args = std::vector<std::string>;

// A row names only the options it sets; every other one keeps its default on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

TEST(CliArguments, AcceptsEveryOptionInEachSpelling) {
  struct Case {
    const char* name;
    Args args;
    CliOptions expected;
  } cases[] = {
      {"nothing: all defaults", {}, {}},
      {"folder, long options with separate values",
       {"photos", "--pattern", "*.jpg", "--depth", "3", "--sort", "ext", "--desc"},
       {.folder = "photos",
        .pattern = "*.jpg",
        .depth = 3,
        .sort = SortKey::kExtension,
        .descending = true}},
      {"short options",
       {"-p", "a*", "-d", "2", "-s", "name", "-l", "-y"},
       {.pattern = "a*", .depth = 2, .sort = SortKey::kName, .list = true, .yes = true}},
      {"values after =, an empty name, a value that starts with a dash",
       {"--name=", "--ext=png", "--digits", "-1", "--front", "--ini=x.ini"},
       {.name = "", .extension = "png", .digits = "-1", .numberFirst = true, .iniFile = "x.ini"}},
      {"the run's choices",
       {"--dry-run", "--on-collision", "skip", "--select", "2-4,7"},
       {.select = {{2, 4}, {7, 7}}, .dryRun = true, .onCollision = Collision::kSkip}},
      {"after --, a name that looks like an option is the folder",
       {"--", "--list"},
       {.folder = "--list"}},
      {"help wins over everything else",
       {"--list", "--dry-run", "-h"},
       {.list = true, .dryRun = true, .help = true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ParsedArguments parsed = parseArguments(c.args);
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(*parsed.options, c.expected);
  }
}

TEST(CliArguments, RefusesWhatCannotBeMeant) {
  const std::pair<Args, std::string> cases[] = {
      {{"--depth", "0"}, "--depth には 1、2、3 のいずれかを指定してください。"},
      {{"--sort", "size"}, "--sort には name か ext を指定してください。"},
      {{"--on-collision", "ask"}, "--on-collision には skip か stop を指定してください。"},
      {{"--select", "1-"}, "--select の行の指定が不正です: 1-（例: 1-5,8）"},
      {{"--pattern", "sub/*.jpg"}, "--pattern にフォルダの区切り文字 (/ \\) は使えません。"},
      {{"--ini="}, "--ini には設定ファイルを指定してください。"},
      {{"--yes=1"}, "オプション --yes は値を取りません。"},
      {{"--digits"}, "オプション --digits には値が必要です。"},
      {{"-x"}, "不明なオプションです: -x"},
      {{"a", "b"}, "フォルダは１つだけ指定してください。"},
      {{"--list", "--dry-run"}, "--list と --dry-run は同時に指定できません。"},
      {{"--desc"}, "--desc は --sort と一緒に指定してください。"},
  };
  for (const auto& [args, reason] : cases) {
    SCOPED_TRACE(reason);
    const ParsedArguments parsed = parseArguments(args);
    EXPECT_FALSE(parsed.options);
    EXPECT_EQ(parsed.error, reason);
  }
}

TEST(CliArguments, RowSelectionReadsRowsAndRanges) {
  using Ranges = std::vector<RowRange>;
  const std::pair<const char*, std::optional<Ranges>> cases[] = {
      {"1-5,8", Ranges{{1, 5}, {8, 8}}},
      {"4-4,1", Ranges{{4, 4}, {1, 1}}},
      {" 2 - 3 , 7 ", Ranges{{2, 3}, {7, 7}}},
      {"", std::nullopt},
      {"0", std::nullopt},
      {"5-1", std::nullopt},
      {"1,,2", std::nullopt},
      {"1-2-3", std::nullopt},
      {"+1", std::nullopt},
      {"１", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseRowSelection(text), expected);
  }
}

}  // namespace
}  // namespace batora::cli
