#pragma once

#include <boost/filesystem/path.hpp>
#include <map>
#include <string>

#include "base/input_files.hpp"

namespace rovev::testing {

// Input files held in memory, for an importer to read instead of the disk.
class memory_files final : public input_files {
 public:
  // A regular file of these bytes; one that does not open still has its size.
  void add(const boost::filesystem::path& file, std::string bytes, bool opens = true);

  std::optional<status> stat(const boost::filesystem::path& file) override;
  std::unique_ptr<input_stream> open(const boost::filesystem::path& file) override;

 private:
  struct file {
    std::string bytes;
    bool opens;
  };
  std::map<boost::filesystem::path, file> files_;
};

}  // namespace rovev::testing
