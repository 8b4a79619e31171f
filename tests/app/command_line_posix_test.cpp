// The built zov_iziver under the locales of a POSIX system.
#include <gtest/gtest.h>
#include <locale.h>

#include <boost/filesystem/operations.hpp>

#include "os/charset_converter.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"

namespace rovev {
namespace {

using testing::run_tool;

struct locale_case {
  const char* name;
  const char* locale;
  const char* charset;  // null: a locale that cannot be loaded and names no set
  bool installed;       // by scripts/install-deps; the others are on no machine
};

class japanese_locale : public ::testing::TestWithParam<locale_case> {};

// Under a Shift_JIS or EUC-JP locale every line is the UTF-8 run's line in
// that character set, on both streams, also where the locale cannot be
// loaded but its name tells the set; where it tells none, the lines are
// UTF-8 and one more line says so.
TEST_P(japanese_locale, writes_the_utf8_lines_in_its_character_set) {
  const locale_t japanese = ::newlocale(LC_CTYPE_MASK, GetParam().locale, nullptr);
  if (GetParam().installed && japanese == nullptr) {
    GTEST_SKIP() << GetParam().locale << " is not on this machine: scripts/install-deps makes it";
  }
  if (japanese != nullptr) ::freelocale(japanese);
  const testing::base_folder base;
  base.write_list("vellgard.list", {"本社,10.0.0.1,1,,10.0.0.0,", "列不足,10.0.0.2"});
  std::string damaged = sample::encode_detection_record({});
  damaged.back() = 'x';
  testing::write_file(base / "hist" / "host_1.hist", damaged);
  const boost::filesystem::path pristine = base / "pristine.db";
  boost::filesystem::copy_file(base.database(), pristine);
  const auto utf8 = base.run();
  boost::filesystem::copy_file(pristine, base.database(),
                               boost::filesystem::copy_options::overwrite_existing);
  testing::tool_options options;
  options.environment = {std::string("LC_CTYPE=") + GetParam().locale};
  const auto local = run_tool({"--path", base.path().string()}, options);
  if (GetParam().charset == nullptr) {
    EXPECT_EQ(local.out, utf8.out);
    EXPECT_EQ(local.err, "ロケールを読み込めないため、UTF-8で出力します\n" + utf8.err);
    return;
  }
  ASSERT_NE(local.out, utf8.out);
  charset_converter to_utf8("UTF-8", GetParam().charset);
  std::string out;
  std::string err;
  ASSERT_TRUE(to_utf8.convert(local.out, out));
  ASSERT_TRUE(to_utf8.convert(local.err, err));
  EXPECT_EQ(out, utf8.out);
  EXPECT_EQ(err, utf8.err);
  EXPECT_EQ(local.status, utf8.status);
}

INSTANTIATE_TEST_SUITE_P(
    locales, japanese_locale,
    ::testing::Values(locale_case{"shift_jis", "ja_JP.SJIS", "SHIFT_JIS", true},
                      locale_case{"euc_jp", "ja_JP.eucJP", "EUC-JP", true},
                      locale_case{"shift_jis_not_loaded", "xx_YY.SJIS", "SHIFT_JIS", false},
                      locale_case{"no_set_named", "xx_YY", nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rovev
