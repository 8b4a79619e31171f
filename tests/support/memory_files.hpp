#pragma once

#include <boost/filesystem/path.hpp>
#include <map>
#include <string>
#include <utility>

#include "base/input_files.hpp"

namespace rovev::testing {

// Input files held in memory, for an importer to read instead of the disk.
// A file that does not open still has its size.
class memory_files final : public input_files {
 public:
  void add(const boost::filesystem::path& file, std::string bytes, bool opens = true) {
    files_[file] = {std::move(bytes), opens};
  }

  std::optional<status> stat(const boost::filesystem::path& file) override {
    const auto found = files_.find(file);
    if (found == files_.end()) return std::nullopt;
    return status{kind::regular, found->second.bytes.size()};
  }

  std::unique_ptr<input_stream> open(const boost::filesystem::path& file) override {
    const auto found = files_.find(file);
    if (found == files_.end() || !found->second.opens) return nullptr;
    return std::make_unique<stream>(found->second.bytes);
  }

 private:
  struct stream final : input_stream {
    explicit stream(std::string held) : bytes(std::move(held)) {
      setg(bytes.data(), bytes.data(), bytes.data() + bytes.size());
    }
    bool read_failed() const override { return false; }
    std::string bytes;
  };
  struct file {
    std::string bytes;
    bool opens;
  };
  std::map<boost::filesystem::path, file> files_;
};

}  // namespace rovev::testing
