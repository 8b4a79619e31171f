#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/system/error_code.hpp>
#include <cstdint>
#include <memory>
#include <optional>
#include <streambuf>
#include <string_view>
#include <vector>

#include "os/file_system_failure.hpp"

namespace rovev {

// An input opened for reading: its bytes, up to the end of the file or to a
// read that failed.
class input_stream : public std::streambuf {
 public:
  // Set when a read failed; the stream ends there as at the end of the file.
  virtual bool read_failed() const = 0;
  // The size of the file as it was opened.
  virtual std::uintmax_t size() const = 0;

  // The bytes read ahead and not taken yet, for a search that runs over
  // them in place; empty only at the end.
  std::string_view ahead() {
    if (gptr() == egptr() && underflow() == traits_type::eof()) return {};
    return {gptr(), static_cast<std::size_t>(egptr() - gptr())};
  }
  // Takes that many of them, as read.
  void take(std::size_t count) { setg(eback(), gptr() + count, egptr()); }

  // How many bytes have been taken from the start.
  std::uintmax_t position() const {
    return delivered_ - static_cast<std::uintmax_t>(egptr() - gptr());
  }

 protected:
  // The next bytes of the input, for underflow to hand out.
  void deliver(char* begin, char* end) {
    setg(begin, begin, end);
    delivered_ += static_cast<std::uintmax_t>(end - begin);
  }

 private:
  std::uintmax_t delivered_ = 0;
};

// How the importers reach the folders they list and the files they read:
// the file system (disk_files) or, in tests, files held in memory.
class input_files {
 public:
  enum class kind { folder, regular, other };
  struct status {
    kind type;
    std::uintmax_t size;  // of a regular file
  };

  // One entry of a folder and what it is itself, links not followed: as the
  // listing tells it, so that nothing is asked of a name that no step takes.
  struct entry {
    boost::filesystem::path name;
    bool is_folder;
    // Set when the listing does not tell what it is and asking failed.
    boost::system::error_code status_error;
  };
  // The entries of a folder, in the order the file system gives them, and
  // the error that ended the listing, if one did.
  struct listing {
    std::vector<entry> entries;
    std::optional<file_system_failure> failure;
  };

  virtual ~input_files() = default;

  // What the name stands for, links followed; nothing when that cannot be
  // had (a missing file, a link loop).
  virtual std::optional<status> stat(const boost::filesystem::path& file) = 0;

  // The regular file opened for reading; null when it is missing, will not
  // open or is no regular file.
  virtual std::unique_ptr<input_stream> open(const boost::filesystem::path& file) = 0;

  // The folder's entries, read whole, so that no folder stays open.
  virtual listing list(const boost::filesystem::path& folder) = 0;
};

}  // namespace rovev
