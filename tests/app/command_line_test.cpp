// The built zov_iziver, run as a user runs it.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <boost/version.hpp>
#include <regex>

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

}  // namespace
}  // namespace rovev
