#include "cliarguments.h"

#include <gtest/gtest.h>

#include <functional>

namespace batora::cli {
namespace {

using Args = std::vector<std::string>;

TEST(CliArguments, AcceptsEveryOptionInEachSpelling) {
  struct Case {
    const char* name;
    Args args;
    std::function<void(CliOptions&)> expect;
  } cases[] = {
      {"nothing: all defaults", {}, [](CliOptions&) {}},
      {"folder, long options with separate values",
       {"photos", "--pattern", "*.jpg", "--depth", "3", "--sort", "ext", "--desc"},
       [](CliOptions& o) {
         o.folder = "photos";
         o.pattern = "*.jpg";
         o.depth = 3;
         o.sort = SortKey::kExtension;
         o.descending = true;
       }},
      {"short options",
       {"-p", "a*", "-d", "2", "-s", "name", "-l", "-y"},
       [](CliOptions& o) {
         o.pattern = "a*";
         o.depth = 2;
         o.sort = SortKey::kName;
         o.list = true;
         o.yes = true;
       }},
      {"values after =, an empty name, a value that starts with a dash",
       {"--name=", "--ext=png", "--digits", "-1", "--front", "--ini=x.ini"},
       [](CliOptions& o) {
         o.name = "";
         o.extension = "png";
         o.digits = "-1";
         o.numberFirst = true;
         o.iniFile = "x.ini";
       }},
      {"the run's choices",
       {"--dry-run", "--on-collision", "skip", "--select", "2-4,7"},
       [](CliOptions& o) {
         o.dryRun = true;
         o.onCollision = Collision::kSkip;
         o.select = {{2, 4}, {7, 7}};
       }},
      {"after --, a name that looks like an option is the folder",
       {"--", "--list"},
       [](CliOptions& o) { o.folder = "--list"; }},
      {"help wins over everything else",
       {"--list", "--dry-run", "-h"},
       [](CliOptions& o) { o.list = o.dryRun = o.help = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CliOptions expected;
    c.expect(expected);
    const ParsedArguments parsed = parseArguments(c.args);
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(*parsed.options, expected);
  }
}

TEST(CliArguments, RefusesWhatCannotBeMeant) {
  const std::pair<Args, std::string> cases[] = {
      {{"--depth", "0"}, "--depth には 1、2、3 のいずれかを指定してください。"},
      {{"-d", "12"}, "--depth には 1、2、3 のいずれかを指定してください。"},
      {{"--sort", "size"}, "--sort には name か ext を指定してください。"},
      {{"--on-collision", "ask"}, "--on-collision には skip か stop を指定してください。"},
      {{"--select", "1-"}, "--select の行の指定が不正です: 1-（例: 1-5,8）"},
      {{"--pattern", "sub/*.jpg"}, "--pattern にフォルダの区切り文字 (/ \\) は使えません。"},
      {{"--ini="}, "--ini には設定ファイルを指定してください。"},
      {{"--yes=1"}, "オプション --yes は値を取りません。"},
      {{"--digits"}, "オプション --digits には値が必要です。"},
      {{"-x"}, "不明なオプションです: -x"},
      {{"--lst"}, "不明なオプションです: --lst"},
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
      {"1", Ranges{{1, 1}}},
      {"1-5,8", Ranges{{1, 5}, {8, 8}}},
      {" 2 - 3 , 7 ", Ranges{{2, 3}, {7, 7}}},
      {"4-4,1", Ranges{{4, 4}, {1, 1}}},
      {"", std::nullopt},
      {"0", std::nullopt},
      {"5-1", std::nullopt},
      {"-3", std::nullopt},
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
