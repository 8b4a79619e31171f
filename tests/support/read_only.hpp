#pragma once

#include <boost/filesystem/path.hpp>

namespace rovev::testing {

// Makes a file or a folder read-only for whoever runs the test, root
// included, until it goes: the immutable flag for root, the write
// permissions for anyone else (on Windows a file's read-only attribute, and
// no folder). A folder so made takes no new entry; the files in it can still
// be written.
class read_only {
 public:
  explicit read_only(boost::filesystem::path path);
  ~read_only();
  read_only(const read_only&) = delete;
  read_only& operator=(const read_only&) = delete;

  // False when the file system allows neither (the test should skip).
  bool made() const { return how_ != how::not_made; }

 private:
  enum class how { not_made, immutable_flag, permissions };
  boost::filesystem::path path_;
  how how_ = how::not_made;
  unsigned mode_ = 0;  // the permissions it had
};

}  // namespace rovev::testing
