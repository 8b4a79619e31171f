#pragma once

#include <boost/filesystem/path.hpp>
#include <streambuf>
#include <vector>

namespace rovev {

// A regular file read through a buffer of its own, as a stream buffer.
// Anything else (a folder, a FIFO, a socket, a device) is refused before it
// is opened, and the open itself never waits: nothing blocks on a FIFO or
// reads a device.
class input_file final : public std::streambuf {
 public:
  input_file() = default;
  ~input_file() override;
  input_file(const input_file&) = delete;
  input_file& operator=(const input_file&) = delete;

  // False when the file is missing, unreadable or not a regular file.
  bool open(const boost::filesystem::path& file);

  // Set when a read failed; the stream ends there as at the end of the file.
  bool read_failed() const { return read_failed_; }

 protected:
  int_type underflow() override;

 private:
  int descriptor_ = -1;
  bool read_failed_ = false;
  std::vector<char> buffer_;
};

}  // namespace rovev
