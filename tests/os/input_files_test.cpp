// What the importers rely on from input_files, held alike for the file
// system and for the in-memory files that stand in for it in tests.
#include "os/disk_files.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <map>
#include <memory>
#include <vector>

#include "os/error_text.hpp"
#include "support/memory_files.hpp"
#include "support/platform.hpp"
#include "support/temp_folder.hpp"

namespace rovev {

namespace fs = boost::filesystem;

// The same tree in the file system...
struct disk_tree {
  fs::path root() const { return folder.path(); }
  void add(const fs::path& file, const std::string& bytes) {
    testing::write_file(root() / file, bytes);
  }
  void add_link(const fs::path& link, const fs::path& target) {
    fs::create_directories((root() / link).parent_path());
    fs::create_symlink(root() / target, root() / link);
  }
  // Opens, and its first read fails.
  void add_unreadable(const fs::path& file) {
    held.push_back(testing::make_unreadable(root() / file));
  }
  // A folder holding one folder whose own path is longer than the system takes.
  fs::path add_unstatable(const std::string& entry) {
    return testing::make_too_deep(root(), entry);
  }
  testing::temp_folder folder;
  std::vector<std::shared_ptr<void>> held;
  disk_files files;
};

// ...and in memory.
struct memory_tree {
  fs::path root() const { return "/memory"; }
  void add(const fs::path& file, const std::string& bytes) { files.add(root() / file, bytes); }
  void add_link(const fs::path& link, const fs::path& target) {
    files.add_link(root() / link, root() / target);
  }
  void add_unreadable(const fs::path& file) { files.add(root() / file, "bytes", true, 0); }
  fs::path add_unstatable(const std::string& entry) {
    files.add(root() / "deep" / entry / "x", "");
    files.fail_status(root() / "deep" / entry, ENAMETOOLONG);
    return root() / "deep";
  }
  testing::memory_files files;
};

namespace {

// Bytes of every value, across a few reads' worth.
std::string bytes_of_every_value() {
  std::string bytes(3 * 64 * 1024 + 7, '\0');
  for (std::size_t at = 0; at < bytes.size(); ++at) bytes[at] = static_cast<char>(at * 7 % 251);
  return bytes;
}

template <class Tree>
class input_files_contract : public ::testing::Test {
 protected:
  // The bytes read, and whether the reading ended on a failure.
  std::pair<std::string, bool> read(const fs::path& file) {
    const std::unique_ptr<input_stream> bytes = tree.files.open(tree.root() / file);
    if (!bytes) return {"(no file)", false};
    std::string read;
    for (int byte; (byte = bytes->sbumpc()) != std::char_traits<char>::eof();) read += char(byte);
    return {read, bytes->read_failed()};
  }
  std::optional<input_files::kind> kind(const fs::path& file) {
    const auto status = tree.files.stat(tree.root() / file);
    return status ? std::optional(status->type) : std::nullopt;
  }

  Tree tree;
};

using trees = ::testing::Types<disk_tree, memory_tree>;
TYPED_TEST_SUITE(input_files_contract, trees);

TYPED_TEST(input_files_contract, tells_files_from_folders_and_reads_them) {
  this->tree.add("a/b.txt", "bytes");
  this->tree.add("a/c/d", "x");
  EXPECT_EQ(this->kind("a/b.txt"), input_files::kind::regular);
  EXPECT_EQ(this->tree.files.stat(this->tree.root() / "a" / "b.txt")->size, 5u);
  EXPECT_EQ(this->kind("a"), input_files::kind::folder);
  EXPECT_EQ(this->kind("missing"), std::nullopt);
  EXPECT_EQ(this->read("a/b.txt"), std::pair(std::string("bytes"), false));
  EXPECT_EQ(this->read("a").first, "(no file)");
  EXPECT_EQ(this->read("missing").first, "(no file)");
  const input_files::listing listed = this->tree.files.list(this->tree.root() / "a");
  EXPECT_FALSE(listed.failure.has_value());
  std::map<std::string, bool> entries;
  for (const auto& entry : listed.entries) {
    EXPECT_FALSE(entry.status_error) << entry.name;
    entries[entry.name.string()] = entry.is_folder;
  }
  EXPECT_EQ(entries, (std::map<std::string, bool>{{"b.txt", false}, {"c", true}}));
}

// The order of a listing is the file system's own: tests sort it. A link is
// listed as what it is itself, and followed by stat and open.
TYPED_TEST(input_files_contract, follows_links) {
  auto& tree = this->tree;
  const std::string big = bytes_of_every_value();
  tree.add("a/big", big);
  tree.add("a/sub/x", "");
  tree.add_link("l/to_file", "a/big");
  tree.add_link("l/to_folder", "a/sub");
  tree.add_link("l/dangling", "missing");
  tree.add_link("l/loop", "l/loop");
  std::map<std::string, bool> entries;
  for (const auto& entry : tree.files.list(tree.root() / "l").entries) {
    EXPECT_FALSE(entry.status_error) << entry.name;
    entries[entry.name.string()] = entry.is_folder;
  }
  EXPECT_EQ(entries,
            (std::map<std::string, bool>{
                {"dangling", false}, {"loop", false}, {"to_file", false}, {"to_folder", false}}));
  EXPECT_EQ(this->kind("l/to_file"), input_files::kind::regular);
  EXPECT_EQ(this->kind("l/to_folder"), input_files::kind::folder);
  EXPECT_EQ(this->kind("l/dangling"), std::nullopt);
  EXPECT_EQ(this->kind("l/loop"), std::nullopt);
  EXPECT_EQ(this->read("l/to_file"), std::pair(big, false));
  EXPECT_EQ(this->read("l/dangling").first, "(no file)");
}

// A read goes on across the bytes read ahead, whether taken one by one or in
// place.
TYPED_TEST(input_files_contract, reads_past_what_it_reads_ahead) {
  auto& tree = this->tree;
  const std::string big = bytes_of_every_value();
  tree.add("a/big", big);
  EXPECT_EQ(this->read("a/big"), std::pair(big, false));
  const std::unique_ptr<input_stream> bytes = tree.files.open(tree.root() / "a" / "big");
  std::string in_place;
  for (std::string_view ahead; !(ahead = bytes->ahead()).empty();) {
    const std::size_t taken = std::min<std::size_t>(ahead.size(), 1000);
    in_place.append(ahead.substr(0, taken));
    bytes->take(taken);
    EXPECT_EQ(bytes->position(), in_place.size());
  }
  EXPECT_EQ(in_place, big);
}

TYPED_TEST(input_files_contract, says_which_read_failed) {
  this->tree.add_unreadable("unreadable");
  EXPECT_EQ(this->read("unreadable"), std::pair(std::string(), true));
}

TYPED_TEST(input_files_contract, says_what_it_cannot_list) {
  auto& tree = this->tree;
  tree.add("file", "x");
  for (const auto& [name, error] : {std::pair{"missing", ENOENT}, std::pair{"file", ENOTDIR}}) {
    const input_files::listing listed = tree.files.list(tree.root() / name);
    ASSERT_TRUE(listed.failure.has_value()) << name;
    EXPECT_EQ(listed.failure->error.value(), error);
    EXPECT_EQ(listed.failure->text(),
              "boost::filesystem::directory_iterator::construct: " +
                  error_text(boost::system::error_code(error, boost::system::generic_category())) +
                  ": \"" + (tree.root() / name).string() + '"');
    EXPECT_TRUE(listed.entries.empty());
  }
}

// A folder whose own path is too long to be asked anything is still told
// a folder by the listing of the folder that holds it.
TYPED_TEST(input_files_contract, tells_a_folder_it_cannot_ask) {
  auto& tree = this->tree;
  const std::string entry(200, 'e');
  const fs::path folder = tree.add_unstatable(entry);
  const input_files::listing listed = tree.files.list(folder);
  // The listing tells a folder without asking it anything.
  ASSERT_EQ(listed.entries.size(), 1u);
  EXPECT_EQ(listed.entries[0].name, entry);
  EXPECT_TRUE(listed.entries[0].is_folder);
  EXPECT_FALSE(listed.entries[0].status_error);
  EXPECT_FALSE(tree.files.stat(folder / entry).has_value());
}

}  // namespace
}  // namespace rovev
