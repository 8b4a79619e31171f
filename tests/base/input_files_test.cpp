// What the importers rely on from input_files, held alike for the file
// system and for the in-memory files that stand in for it in tests.
#include "base/input_files.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <map>

#include "support/memory_files.hpp"
#include "support/temp_folder.hpp"

namespace rovev {

namespace fs = boost::filesystem;

// The same tree in the file system.
class disk_tree {
 public:
  fs::path root() const { return folder_.path(); }
  void add_file(const fs::path& file, const std::string& bytes) {
    testing::write_file(root() / file, bytes);
  }
  // Opens, and its first read fails (EIO).
  void add_unreadable(const fs::path& file) { fs::create_symlink("/proc/self/mem", root() / file); }
  // A folder below the root holding one entry whose own path is longer than
  // PATH_MAX, so that its status cannot be had.
  fs::path add_unstatable(const std::string& entry) {
    fs::path folder = root();
    while (folder.string().size() + 1 + entry.size() < PATH_MAX) folder /= entry;
    fs::create_directories(folder);
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ::mkdirat(descriptor, entry.c_str(), 0700);
    ::close(descriptor);
    return folder;
  }
  disk_files files;

 private:
  testing::temp_folder folder_;
};

// And in memory.
class memory_tree {
 public:
  fs::path root() const { return "/memory"; }
  void add_file(const fs::path& file, const std::string& bytes) { files.add(root() / file, bytes); }
  void add_unreadable(const fs::path& file) { files.add(root() / file, "bytes", true, 0); }
  fs::path add_unstatable(const std::string& entry) {
    files.fail_status(root() / "deep" / entry, ENAMETOOLONG);
    return root() / "deep";
  }
  testing::memory_files files;
};

namespace {

template <class Tree>
class input_files_contract : public ::testing::Test {
 protected:
  std::string read_all(const fs::path& file, bool& read_failed) {
    const std::unique_ptr<input_stream> bytes = tree.files.open(file);
    EXPECT_NE(bytes, nullptr) << file;
    if (!bytes) return "";
    std::string read;
    for (int byte; (byte = bytes->sbumpc()) != std::char_traits<char>::eof();) read += char(byte);
    read_failed = bytes->read_failed();
    return read;
  }

  Tree tree;
};

using trees = ::testing::Types<disk_tree, memory_tree>;
TYPED_TEST_SUITE(input_files_contract, trees);

TYPED_TEST(input_files_contract, tells_files_from_folders_and_reads_them) {
  auto& tree = this->tree;
  tree.add_file("a/b.txt", "bytes");
  tree.add_file("a/c/d", "x");
  const auto file = tree.files.stat(tree.root() / "a" / "b.txt");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->type, input_files::kind::regular);
  EXPECT_EQ(file->size, 5u);
  const auto folder = tree.files.stat(tree.root() / "a");
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->type, input_files::kind::folder);
  EXPECT_FALSE(tree.files.stat(tree.root() / "missing").has_value());

  bool read_failed = true;
  EXPECT_EQ(this->read_all(tree.root() / "a" / "b.txt", read_failed), "bytes");
  EXPECT_FALSE(read_failed);
  EXPECT_EQ(tree.files.open(tree.root() / "a"), nullptr);
  EXPECT_EQ(tree.files.open(tree.root() / "missing"), nullptr);

  const input_files::listing listed = tree.files.list(tree.root() / "a");
  EXPECT_FALSE(listed.failure.has_value());
  std::map<std::string, bool> entries;
  for (const auto& entry : listed.entries) {
    EXPECT_FALSE(entry.status_error) << entry.name;
    entries[entry.name.string()] = entry.is_folder;
  }
  EXPECT_EQ(entries, (std::map<std::string, bool>{{"b.txt", false}, {"c", true}}));
}

TYPED_TEST(input_files_contract, says_what_it_cannot_read) {
  auto& tree = this->tree;
  tree.add_file("file", "x");
  tree.add_unreadable("unreadable");
  bool read_failed = false;
  EXPECT_EQ(this->read_all(tree.root() / "unreadable", read_failed), "");
  EXPECT_TRUE(read_failed);

  for (const auto& [name, error] : {std::pair{"missing", ENOENT}, std::pair{"file", ENOTDIR}}) {
    const fs::path folder = tree.root() / name;
    const input_files::listing listed = tree.files.list(folder);
    ASSERT_TRUE(listed.failure.has_value()) << name;
    EXPECT_EQ(listed.failure->code().value(), error);
    EXPECT_EQ(listed.failure->path1(), folder);
    EXPECT_EQ(std::string(listed.failure->what())
                  .rfind("boost::filesystem::directory_iterator::construct: ", 0),
              0u)
        << listed.failure->what();
    EXPECT_TRUE(listed.entries.empty());
  }

  const std::string entry(200, 'e');
  const fs::path folder = tree.add_unstatable(entry);
  const input_files::listing listed = tree.files.list(folder);
  ASSERT_EQ(listed.entries.size(), 1u);
  EXPECT_EQ(listed.entries[0].name, entry);
  EXPECT_EQ(listed.entries[0].status_error.value(), ENAMETOOLONG);
  EXPECT_FALSE(tree.files.stat(folder / entry).has_value());
}

}  // namespace
}  // namespace rovev
