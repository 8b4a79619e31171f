#pragma once

#include <boost/filesystem/path.hpp>
#include <memory>
#include <vector>

#include "base/input_files.hpp"

namespace rovev {

// A regular file of the file system read through a buffer of its own.
class input_file final : public input_stream {
 public:
  // Null when the file is missing, unreadable or not a regular file. Anything
  // else (a folder, a FIFO, a socket, a device) is refused before it is
  // opened, and the open itself never waits.
  static std::unique_ptr<input_file> open(const boost::filesystem::path& file);

  // Takes an open descriptor of a regular file.
  explicit input_file(int descriptor);
  ~input_file() override;
  input_file(const input_file&) = delete;
  input_file& operator=(const input_file&) = delete;

  bool read_failed() const override { return read_failed_; }

 protected:
  int_type underflow() override;

 private:
  int descriptor_;
  bool read_failed_ = false;
  std::vector<char> buffer_;
};

}  // namespace rovev
