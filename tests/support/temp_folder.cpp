#include "support/temp_folder.hpp"

#include <boost/filesystem/operations.hpp>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace rovev::testing {

temp_folder::temp_folder(std::string_view name_suffix) {
  namespace fs = boost::filesystem;
  path_ = fs::temp_directory_path() / fs::unique_path("zov-%%%%-%%%%-%%%%");
  path_ += std::string(name_suffix);
  fs::create_directories(path_);
}

temp_folder::~temp_folder() {
  boost::system::error_code ignored;
  boost::filesystem::remove_all(path_, ignored);
}

void write_file(const boost::filesystem::path& file, std::string_view bytes) {
  boost::filesystem::create_directories(file.parent_path());
  std::ofstream stream(file.string(), std::ios::binary | std::ios::trunc);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream) throw std::runtime_error("cannot write " + file.string());
}

std::string read_file(const boost::filesystem::path& file) {
  std::ifstream stream(file.string(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

}  // namespace rovev::testing
