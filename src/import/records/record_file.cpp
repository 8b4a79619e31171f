#include "import/records/record_file.hpp"

#include "app/console.hpp"

namespace rovev {

bool open_record_file(const boost::filesystem::path& file, std::ifstream& stream) {
  stream.open(file.string(), std::ios::binary);
  if (stream.is_open()) return true;
  console::out("    [Error]: ファイル読み込みに失敗しました: %s", console::quoted(file));
  return false;
}

}  // namespace rovev
