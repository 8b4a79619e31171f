// The built zov_iziver, run as a user runs it.
#include <gtest/gtest.h>
#include <locale.h>

#include <boost/filesystem/operations.hpp>
#include <boost/version.hpp>
#include <regex>

#include "os/charset_converter.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"

namespace rovev {
namespace {

using testing::lines_of;
using testing::run_tool;
using testing::temp_folder;

const std::string help_listing =
    "options:\n"
    "  -h [ --help ]         help\n"
    "  -v [ --version ]      show version\n"
    "  -p [ --path ] arg     base path\n"
    "\n";

TEST(command_line, no_arguments_asks_for_the_folder) {
  const auto result = run_tool({});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "取り込み元のフォルダを指定してください\n");
}

TEST(command_line, help_wins_over_everything) {
  const temp_folder base;
  const auto result = run_tool({"--version", "-h", "--path", base.path().string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, help_listing);
  EXPECT_EQ(result.err, "");
}

TEST(command_line, version_wins_over_the_folder) {
  const temp_folder base;
  const auto result = run_tool({"-p", base.path().string(), "-v"});
  EXPECT_EQ(result.status, 0);
  const auto lines = lines_of(result.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(std::regex_match(
      lines[0], std::regex(R"(zov_iziver  Version: 0\.2\.5 \([A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4} )"
                           R"([0-9]{2}:[0-9]{2}:[0-9]{2}\)  build with\()" BOOST_LIB_VERSION
                           R"(, 3\.[0-9.]+\))")))
      << lines[0];
  EXPECT_FALSE(lines[1].empty());
}

struct usage_error_case {
  const char* name;
  std::vector<std::string> arguments;
  const char* message;
};

class command_line_usage_error : public ::testing::TestWithParam<usage_error_case> {};

// A command line that cannot be parsed gets the error text and the listing,
// and a failure status so that no script takes it for an import.
TEST_P(command_line_usage_error, prints_error_and_listing_and_fails) {
  const auto result = run_tool(GetParam().arguments);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, std::string(GetParam().message) + "\n" + help_listing);
  EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    cases, command_line_usage_error,
    ::testing::Values(
        usage_error_case{"unknown", {"--frobnicate"}, "unrecognised option '--frobnicate'"},
        usage_error_case{
            "no_value", {"--path"}, "the required argument for option '--path' is missing"},
        usage_error_case{"repeated",
                         {"-p", "a", "-p", "b"},
                         "option '--path' cannot be specified more than once"}),
    [](const auto& info) { return std::string(info.param.name); });

// However the folder is given, one without vg.db gets one line, its name
// quoted with an ampersand before a double quote or an ampersand.
TEST(command_line, names_the_folder_by_prefix_or_attached_value) {
  const temp_folder base("with \"quote\" & amp");
  const std::string quoted = std::regex_replace(base.path().string(), std::regex("([\"&])"), "&$1");
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--pa", base.path().string()},
        std::vector<std::string>{"--path=" + base.path().string()},
        std::vector<std::string>{"-p" + base.path().string()}}) {
    const auto result = run_tool(arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "vg.dbファイルを\"" + quoted + "\"に置いてください\n");
    EXPECT_EQ(result.err, "");
  }
}

struct locale_case {
  const char* name;
  const char* locale;
  const char* charset;  // null: a locale that cannot be loaded and names no set
  bool installed;       // by scripts/install-deps; the others are on no machine
};

class japanese_locale : public ::testing::TestWithParam<locale_case> {};

// Under a Shift_JIS or EUC-JP locale every line is the UTF-8 run's line in
// that character set, on both streams, also where the locale cannot be
// loaded but its name tells the set; where it tells none, the lines are
// UTF-8 and one more line says so.
TEST_P(japanese_locale, writes_the_utf8_lines_in_its_character_set) {
  const locale_t japanese = ::newlocale(LC_CTYPE_MASK, GetParam().locale, nullptr);
  if (GetParam().installed && japanese == nullptr) {
    GTEST_SKIP() << GetParam().locale << " is not on this machine: scripts/install-deps makes it";
  }
  if (japanese != nullptr) ::freelocale(japanese);
  const testing::base_folder base;
  base.write_list("vellgard.list", {"本社,10.0.0.1,1,,10.0.0.0,", "列不足,10.0.0.2"});
  std::string damaged = sample::encode_detection_record({});
  damaged.back() = 'x';
  testing::write_file(base / "hist" / "host_1.hist", damaged);
  const boost::filesystem::path pristine = base / "pristine.db";
  boost::filesystem::copy_file(base.database(), pristine);
  const auto utf8 = base.run();
  boost::filesystem::copy_file(pristine, base.database(),
                               boost::filesystem::copy_options::overwrite_existing);
  testing::tool_options options;
  options.environment = {std::string("LC_CTYPE=") + GetParam().locale};
  const auto local = run_tool({"--path", base.path().string()}, options);
  if (GetParam().charset == nullptr) {
    EXPECT_EQ(local.out, utf8.out);
    EXPECT_EQ(local.err, "ロケールを読み込めないため、UTF-8で出力します\n" + utf8.err);
    return;
  }
  ASSERT_NE(local.out, utf8.out);
  charset_converter to_utf8("UTF-8", GetParam().charset);
  std::string out;
  std::string err;
  ASSERT_TRUE(to_utf8.convert(local.out, out));
  ASSERT_TRUE(to_utf8.convert(local.err, err));
  EXPECT_EQ(out, utf8.out);
  EXPECT_EQ(err, utf8.err);
  EXPECT_EQ(local.status, utf8.status);
}

INSTANTIATE_TEST_SUITE_P(
    locales, japanese_locale,
    ::testing::Values(locale_case{"shift_jis", "ja_JP.SJIS", "SHIFT_JIS", true},
                      locale_case{"euc_jp", "ja_JP.eucJP", "EUC-JP", true},
                      locale_case{"shift_jis_not_loaded", "xx_YY.SJIS", "SHIFT_JIS", false},
                      locale_case{"no_set_named", "xx_YY", nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rovev
