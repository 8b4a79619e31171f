#pragma once

#include <boost/filesystem/path.hpp>
#include <cstdio>
#include <memory>
#include <string>

// What the test support asks of the operating system, one half per platform
// (platform_posix.cpp, platform_windows.cpp), as the tool's own seams.
namespace rovev::testing {

// What the tests' main sets up before any test, as the tool's main does
// where a test depends on it: on Windows, paths whose narrow text is UTF-8.
void set_up_test_process();

// Removes the file or the folder and everything below it, paths longer than
// the system's limit included.
void remove_tree(const boost::filesystem::path& path);

// This process's id, and whether the process of an id has ended.
long process_id();
bool has_gone(long process);

// The file opened by the C library in the mode given ("rb", "wb"), whatever
// characters its path holds; null when it will not open.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> open_file(const boost::filesystem::path& file,
                                                          const char* mode);

// A FIFO at the path; throws where the platform has none (Windows).
void make_fifo(const boost::filesystem::path& file);

// A file that opens, and whose first read fails, for as long as what is
// returned is held.
std::shared_ptr<void> make_unreadable(const boost::filesystem::path& file);

// Folders named entry below root, one inside the other, down to one whose
// own path is longer than the system takes, in one whose path is not: the
// folder returned.
boost::filesystem::path make_too_deep(const boost::filesystem::path& root,
                                      const std::string& entry);

}  // namespace rovev::testing
