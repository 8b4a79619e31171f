#pragma once

#include <string>
#include <vector>

#include "support/manager_database.hpp"
#include "support/temp_folder.hpp"
#include "support/tool_run.hpp"

namespace rovev::testing {

// A base folder with a fresh vg.db, and the tool run on it.
class base_folder {
 public:
  base_folder() { create_manager_database(database()); }

  boost::filesystem::path path() const { return folder_.path(); }
  boost::filesystem::path operator/(const std::string& name) const { return folder_ / name; }
  boost::filesystem::path database() const { return folder_ / "vg.db"; }

  // Writes a list file in CP932 from UTF-8 lines, each ended by CR LF.
  void write_list(const std::string& name, const std::vector<std::string>& lines) const;

  tool_result run() const { return run_tool({"--path", path().string()}); }
  std::vector<std::string> rows(const std::string& sql) const { return query(database(), sql); }

  // The quoted form of a file in the folder, as the tool prints it.
  std::string quoted(const std::string& name) const;

 private:
  temp_folder folder_;
};

// One good line or record for every step, in the folder.
void write_one_of_each(const boost::filesystem::path& base);

// The tables that write_one_of_each fills, but users, which holds the
// administrator from the start.
inline constexpr const char* filled_tables[] = {"vg_list",       "groups",    "user_groups",
                                                "group_vg_list", "host_flag", "allow_list",
                                                "detection_log", "hostmove"};

// The beginning of the line of an input that cannot be read.
inline const std::string cannot_read = "    [Error]: ファイル読み込みに失敗しました: ";

std::size_t count_lines_with(const std::string& out, const std::string& text);

// The lines of one step: from the line that begins with start_text up to
// and including its finish line (the next line that is no error line).
std::vector<std::string> step_lines(const std::string& out, const std::string& start_text);

}  // namespace rovev::testing
