#include "cliarguments.h"

#include <charconv>
#include <functional>

#include "text.h"

namespace batora::cli {

namespace {

using Setter = std::function<std::string(CliOptions&, const std::string&)>;

struct KnownOption {
  std::string_view longName;
  char shortName;
  bool takesValue;
  Setter set;
};

std::string flag(bool CliOptions::*member, CliOptions& o) {
  o.*member = true;
  return {};
}

std::optional<long> rowNumber(std::string_view text) {
  long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < 1) return std::nullopt;
  return value;
}

const std::vector<KnownOption>& knownOptions() {
  static const std::vector<KnownOption> options{
      {"pattern", 'p', true,
       [](CliOptions& o, const std::string& v) -> std::string {
         // The window's pattern box refuses both separators: a pattern names files, not a path.
         if (v.find_first_of("/\\") != std::string::npos)
           return "--pattern にフォルダの区切り文字 (/ \\) は使えません。";
         o.pattern = v;
         return {};
       }},
      {"depth", 'd', true,
       [](CliOptions& o, const std::string& v) -> std::string {
         if (v != "1" && v != "2" && v != "3")
           return "--depth には 1、2、3 のいずれかを指定してください。";
         o.depth = v[0] - '0';
         return {};
       }},
      {"sort", 's', true,
       [](CliOptions& o, const std::string& v) -> std::string {
         if (v == "name")
           o.sort = SortKey::kName;
         else if (v == "ext")
           o.sort = SortKey::kExtension;
         else
           return "--sort には name か ext を指定してください。";
         return {};
       }},
      {"desc", 0, false,
       [](CliOptions& o, const std::string&) { return flag(&CliOptions::descending, o); }},
      {"name", 0, true,
       [](CliOptions& o, const std::string& v) {
         o.name = v;
         return std::string();
       }},
      {"ext", 0, true,
       [](CliOptions& o, const std::string& v) {
         o.extension = v;
         return std::string();
       }},
      {"digits", 0, true,
       [](CliOptions& o, const std::string& v) {
         o.digits = v;
         return std::string();
       }},
      {"front", 0, false,
       [](CliOptions& o, const std::string&) { return flag(&CliOptions::numberFirst, o); }},
      {"select", 0, true,
       [](CliOptions& o, const std::string& v) -> std::string {
         std::optional<std::vector<RowRange>> rows = parseRowSelection(v);
         if (!rows) return "--select の行の指定が不正です: " + v + "（例: 1-5,8）";
         o.select = std::move(*rows);
         return {};
       }},
      {"ini", 0, true,
       [](CliOptions& o, const std::string& v) -> std::string {
         if (v.empty()) return "--ini には設定ファイルを指定してください。";
         o.iniFile = v;
         return {};
       }},
      {"list", 'l', false,
       [](CliOptions& o, const std::string&) { return flag(&CliOptions::list, o); }},
      {"dry-run", 0, false,
       [](CliOptions& o, const std::string&) { return flag(&CliOptions::dryRun, o); }},
      {"undo", 0, false,
       [](CliOptions& o, const std::string&) { return flag(&CliOptions::undo, o); }},
      {"yes", 'y', false,
       [](CliOptions& o, const std::string&) { return flag(&CliOptions::yes, o); }},
      {"on-collision", 0, true,
       [](CliOptions& o, const std::string& v) -> std::string {
         if (v == "skip")
           o.onCollision = Collision::kSkip;
         else if (v == "stop")
           o.onCollision = Collision::kStop;
         else
           return "--on-collision には skip か stop を指定してください。";
         return {};
       }},
      {"help", 'h', false,
       [](CliOptions& o, const std::string&) { return flag(&CliOptions::help, o); }},
  };
  return options;
}

const KnownOption* findLong(std::string_view name) {
  for (const KnownOption& known : knownOptions())
    if (known.longName == name) return &known;
  return nullptr;
}

const KnownOption* findShort(char name) {
  for (const KnownOption& known : knownOptions())
    if (known.shortName != 0 && known.shortName == name) return &known;
  return nullptr;
}

ParsedArguments refused(std::string reason) {
  return {std::nullopt, std::move(reason)};
}

}  // namespace

std::optional<std::vector<RowRange>> parseRowSelection(std::string_view text) {
  std::vector<RowRange> ranges;
  size_t pos = 0;
  for (;;) {
    size_t comma = text.find(',', pos);
    const std::string item = trimSpaces(
        text.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
    const size_t dash = item.find('-');
    std::optional<long> first = rowNumber(trimSpaces(std::string_view(item).substr(0, dash)));
    std::optional<long> last = dash == std::string::npos
                                   ? first
                                   : rowNumber(trimSpaces(std::string_view(item).substr(dash + 1)));
    if (!first || !last || *last < *first) return std::nullopt;
    ranges.push_back({*first, *last});
    if (comma == std::string_view::npos) return ranges;
    pos = comma + 1;
  }
}

ParsedArguments parseArguments(const std::vector<std::string>& args) {
  CliOptions options;
  bool onlyFolders = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const KnownOption* known = nullptr;
    std::optional<std::string> inlineValue;
    std::string shownName = arg;
    if (!onlyFolders && arg == "--") {
      onlyFolders = true;
      continue;
    }
    if (!onlyFolders && arg.starts_with("--")) {
      const size_t eq = arg.find('=');
      shownName = arg.substr(0, eq);
      known = findLong(std::string_view(shownName).substr(2));
      if (eq != std::string::npos) inlineValue = arg.substr(eq + 1);
    } else if (!onlyFolders && arg.size() == 2 && arg[0] == '-' && arg[1] != '-') {
      known = findShort(arg[1]);
    } else {
      if (options.folder) return refused("フォルダは１つだけ指定してください。");
      options.folder = arg;
      continue;
    }
    if (!known) return refused("不明なオプションです: " + shownName);
    std::string value;
    if (known->takesValue) {
      if (inlineValue) {
        value = *inlineValue;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return refused("オプション " + shownName + " には値が必要です。");
      }
    } else if (inlineValue) {
      return refused("オプション " + shownName + " は値を取りません。");
    }
    if (std::string reason = known->set(options, value); !reason.empty()) return refused(reason);
  }
  if (options.help) return {options, {}};
  if (options.list && options.dryRun)
    return refused("--list と --dry-run は同時に指定できません。");
  if (options.undo && options.list) return refused("--list と --undo は同時に指定できません。");
  // The window's check box has no action of its own either: it only directs a sort.
  if (options.descending && !options.sort)
    return refused("--desc は --sort と一緒に指定してください。");
  return {options, {}};
}

std::string helpText() {
  return R"(使い方: batora-cli [オプション] [フォルダ]

Batora と同じ処理で、フォルダ内のファイルを一括してリネームします。
選択したファイルは一覧の順に、共通部分 + 連番 + "." + 拡張子 の名前になり、
一覧のフォルダへ移されます。

フォルダ              検索するフォルダ。省略時は設定ファイルの INIT_FINDDIR_PATH、
                      それもなければカレントフォルダ。
一覧と選択:
  -p, --pattern 名前  ファイル名のパターン（* と ?）。省略時は設定ファイルの
                      INIT_SERCH_FILE_NAME、それもなければ *.*
  -d, --depth 1|2|3   検索の深さ。1 フォルダのみ、2 直下のサブフォルダも、
                      3 全サブフォルダも。省略時は設定ファイルの
                      INIT_FINDDIR_OPTION、それもなければ 1
  -s, --sort name|ext 名前順（name）または拡張子順（ext）に並べ替えます。
                      省略時は検索で見つかった順（ウィンドウと同じ）。
      --desc          --sort を降順にします。
      --select 行     リネームする行。番号は並べ替えの後の一覧（--list と同じ
                      オプションで表示されるもの）で 1 から数えます。例: 1-5,8
                      省略時はすべての行。
名前の付け方:
      --name 文字列   共通部分。省略時は今日の日付 + "_"（例: 20240131_）。
                      空にすると、ファイルごとに今日の日付 + "_" になります。
      --ext 文字列    拡張子（"." なし）。省略時は jpg
      --digits 桁数   連番の桁数 1～4。省略時は 2
      --front         連番を共通部分の前に付けます（省略時は後ろ）。
動作:
  -l, --list          一覧を番号付きで表示し（* は選択行）、選択ファイル数を
                      表示します。何も変更しません。
      --dry-run       選択したファイルと付く予定の名前を表示します。既にある
                      名前や、同じ実行で先のファイルが付ける名前と重なる行には
                      先頭に ! を付けます。何も変更せず、ログも書きません。
      --undo          直前のリネーム（取り消しを含む）を元に戻します。設定ファイルの
                      フォルダの取り消し用記録（BatoraJournal）から、その実行が
                      リネームしたファイルを新しい順に元の名前へ戻します。その後に
                      変更・置き換え・移動されたファイルや、元の名前が使われている
                      ファイルは飛ばします。--dry-run では予定だけを表示します。
  -y, --yes           確認（ファイル名の順番は間違いないですね？）を省略します。
                      端末がないときは、これがないと何もリネームしません。
      --on-collision skip|stop
                      同名のファイルがあったとき、skip はそのファイルを飛ばして
                      続け、stop はそこで中断します。指定がなければ端末では
                      質問し、端末がなければ stop です。
      --ini ファイル  設定ファイル。省略時は batora-cli と同じフォルダの
                      Batora.ini（必須）。ログの既定の出力先はこのファイルの
                      フォルダです。
  -h, --help          この説明を表示します。

Ctrl+C はリネーム中断です。処理中のファイルは最後までリネームし、残りは
そのままにして、中断の行をリネームログに書きます。

メッセージは標準エラーに、ファイルごとの結果と一覧は標準出力に出ます。

終了ステータス:
  0  すべてのファイルをリネームした（--dry-run: 重なる名前がない）
  1  リネームできなかったファイルがある（--dry-run: 重なる名前がある）
  2  チェックで止まった、確認で取り消した、引数が不正、設定ファイルが
     読めない、フォルダを検索できない
  3  Ctrl+C で中断した
)";
}

}  // namespace batora::cli
