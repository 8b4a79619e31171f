#include "support/temp_folder.hpp"

#include "support/platform.hpp"

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace rovev::testing {

namespace {

// Each folder's name holds the process that made it: zov-PID-...
constexpr std::string_view name_prefix = "zov-";

// A run that was killed (a timeout, a crash) left its folders, some of them
// large; the next run removes those whose process has gone.
void remove_folders_of_gone_runs(const boost::filesystem::path& temp) {
  boost::system::error_code error;
  for (boost::filesystem::directory_iterator entry(temp, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.rfind(name_prefix, 0) != 0) continue;
    const long process = std::strtol(name.c_str() + name_prefix.size(), nullptr, 10);
    if (process > 0 && has_gone(process)) remove_tree(entry->path());
  }
}

}  // namespace

temp_folder::temp_folder(std::string_view name_suffix) {
  namespace fs = boost::filesystem;
  const fs::path temp = fs::temp_directory_path();
  static const bool swept = (remove_folders_of_gone_runs(temp), true);
  (void)swept;
  path_ = temp / (std::string(name_prefix) + std::to_string(process_id()) + "-" +
                  fs::unique_path("%%%%-%%%%-%%%%").string());
  path_ += std::string(name_suffix);
  fs::create_directories(path_);
}

temp_folder::~temp_folder() { remove_tree(path_); }

void write_file(const boost::filesystem::path& file, std::string_view bytes) {
  boost::filesystem::create_directories(file.parent_path());
  const auto stream = open_file(file, "wb");
  if (!stream || std::fwrite(bytes.data(), 1, bytes.size(), stream.get()) != bytes.size()) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

std::string read_file(const boost::filesystem::path& file) {
  std::string bytes;
  if (const auto stream = open_file(file, "rb")) {
    char chunk[64 * 1024];
    for (std::size_t count; (count = std::fread(chunk, 1, sizeof chunk, stream.get())) > 0;) {
      bytes.append(chunk, count);
    }
  }
  return bytes;
}

}  // namespace rovev::testing
