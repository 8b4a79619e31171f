// The whole tool against what only a POSIX system holds: outputs that cannot
// be written, FIFOs and devices, files whose reading fails.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <boost/filesystem/operations.hpp>

#include "base/quoted_path.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
using testing::count_lines_with;
using testing::write_one_of_each;
namespace fs = boost::filesystem;

using testing::cannot_read;

struct output_case {
  const char* name;
  testing::tool_options::output out;
  int status;
};

class unwritable_output : public ::testing::TestWithParam<output_case> {};

// Whatever becomes of standard output, every step runs to its end; the
// status says whether every line got out.
TEST_P(unwritable_output, never_stops_the_import) {
  const base_folder base;
  write_one_of_each(base.path());
  testing::tool_options options;
  options.out = GetParam().out;
  if (options.out == testing::tool_options::output::full_log) options.file_size_limit = 4 << 20;
  const auto result = testing::run_tool({"--path", base.path().string()}, options);
  EXPECT_EQ(result.status, GetParam().status);
  for (const char* table : testing::filled_tables) {
    EXPECT_NE(base.rows(std::string("select count(*) from ") + table), Lines{"0"}) << table;
  }
  EXPECT_EQ(base.rows("select count(*) from users"), Lines{"2"});
}

INSTANTIATE_TEST_SUITE_P(
    outputs, unwritable_output,
    ::testing::Values(output_case{"null_device", testing::tool_options::output::null_device, 0},
                      output_case{"full_device", testing::tool_options::output::full_device, 1},
                      output_case{"closed", testing::tool_options::output::closed, 1},
                      output_case{"broken_pipe", testing::tool_options::output::broken_pipe, 1},
                      // A log at the file-size limit: SIGXFSZ does not end the tool.
                      output_case{"log_at_the_size_limit", testing::tool_options::output::full_log,
                                  1}),
    [](const auto& info) { return std::string(info.param.name); });

// FIFOs and devices where inputs belong are refused unopened and unread: the
// run ends, each is reported once, and the good inputs are imported. Folders
// named like history files are passed over without a word.
TEST(faults, special_files_never_block_or_spin) {
  const base_folder base;
  write_one_of_each(base.path());
  for (const char* name : {"manager.user", "vellgard.list", "vellgard.group"}) {
    fs::remove(base / name);
    ASSERT_EQ(::mkfifo((base / name).c_str(), 0600), 0);
  }
  ASSERT_EQ(::mkfifo((base / "hist" / "host_2.hist").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", base / "hist" / "host_3.hist");
  fs::create_directories(base / "hostmove" / "fifo");
  ASSERT_EQ(::mkfifo((base / "hostmove" / "fifo" / "hostmove.hist").c_str(), 0600), 0);
  fs::create_directories(base / "hist" / "host_4.hist");
  fs::create_directories(base / "hostmove" / "folder" / "hostmove.hist");
  testing::tool_options options;
  options.timeout_seconds = 30;
  const auto result = testing::run_tool({"--path", base.path().string()}, options);
  EXPECT_EQ(result.status, 0);
  for (const char* name : {"vellgard.list", "manager.user", "vellgard.group"}) {
    EXPECT_EQ(count_lines_with(result.out, cannot_read + base.quoted(name)), 1u) << name;
  }
  for (const fs::path& file : {base / "hist" / "host_2.hist", base / "hist" / "host_3.hist",
                               base / "hostmove" / "fifo" / "hostmove.hist"}) {
    EXPECT_EQ(count_lines_with(result.out, cannot_read + quoted(file)), 1u) << file;
  }
  EXPECT_EQ(count_lines_with(result.out, "3個のファイルが見つかり、1件の履歴"), 1u) << result.out;
  EXPECT_EQ(count_lines_with(result.out, "2個のファイルが見つかり、1件の履歴"), 1u) << result.out;
  EXPECT_EQ(base.rows("select count(*) from detection_log"), Lines{"1"});
  EXPECT_EQ(base.rows("select count(*) from hostmove"), Lines{"1"});
}

// A file whose reading fails ends there, reported, with the lines read so far
// counted.
TEST(faults, a_list_whose_read_fails_is_reported) {
  const base_folder base;
  fs::create_symlink("/proc/self/mem", base / "vellgard.list");
  EXPECT_EQ(testing::step_lines(base.run().out, "登録済みVellgard2"),
            (Lines{"登録済みVellgard2 一覧の取り込みを開始します: " + base.quoted("vellgard.list"),
                   cannot_read + base.quoted("vellgard.list"),
                   "登録済みVellgard2 一覧の取り込みが完了しました。0件取り込みました。"}));
}

}  // namespace
}  // namespace rovev
