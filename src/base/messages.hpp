#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Every line the program writes, as a UTF-8 template filled printf-style:
// %u a count or a line number, %s a path in its quoted form, a file's plain
// path or an error's text. The error lines take their prefix from
// error_line, so none of them spells it out.
namespace rovev::messages {

// A template and the number of values it takes, which the report checks
// against its call when the program is built.
template <std::size_t Arity>
struct message {
  std::string_view text;
};

// A message in one role among a step's lines, made by the role's name
// (start_line{messages::user_list_start}): where a step names several
// messages of one arity, two of them cannot trade places unseen.
template <class Role, std::size_t Arity>
struct line_in_role {
  constexpr explicit line_in_role(message<Arity> text) : text(text) {}
  message<Arity> text;
};
using start_line = line_in_role<struct start_role, 1>;  // %s: the input, quoted
template <std::size_t Arity>
using finish_line = line_in_role<struct finish_role, Arity>;  // %u: what was imported
template <std::size_t Arity>
using progress_line = line_in_role<struct progress_role, Arity>;
using bad_record_line = line_in_role<struct bad_record_role, 1>;
using bad_number_line = line_in_role<struct bad_number_role, 1>;

// The text of a lack of memory, in the line that stops the run for it.
inline constexpr std::string_view out_of_memory = "out of memory";

// The text of a field that is no number, in the lines that report one.
inline constexpr std::string_view not_a_number =
    "bad lexical cast: source type value could not be interpreted as target";

// "    [Error]: " and the message.
inline std::string error_line(std::string_view message) {
  std::string line("    [Error]: ");
  line += message;
  return line;
}

// The catalogue: each message with its name, the number of values it takes
// and its template. MESSAGE is applied to every entry, so the declarations
// below and anything else that needs every message come from this one list.
// clang-format off
#define ROVEV_MESSAGES(MESSAGE) \
  /* Command line and driver. */ \
  MESSAGE(version_banner, 5, "zov_iziver  Version: %s (%s %s)  build with(%s, %s)") \
  MESSAGE(version_maker, 0, "Made by the zov_iziver team for the manager's database import.") \
  MESSAGE(folder_missing, 0, "取り込み元のフォルダを指定してください") \
  MESSAGE(locale_not_loaded, 0, "ロケールを読み込めないため、UTF-8で出力します") \
  MESSAGE(database_missing, 1, "vg.dbファイルを%sに置いてください") \
  MESSAGE(database_unopenable, 1, "データベースエラーです。vg.dbファイルを%sに置いてください") \
  MESSAGE(aborted_by_database, 1, "データベースエラーのため取り込みを中止しました  (what: %s)") \
  MESSAGE(aborted_unexpectedly, 1, "予期しないエラーのため取り込みを中止しました  (what: %s)") \
  MESSAGE(commit_failed, 1, "コミットに失敗しました  (what: %s)") \
  MESSAGE(run_unguarded, 0, "vg.dbをロックできないため、同時に実行された取り込みを防げません") \
  /* Shared by the lists and the record files. */ \
  MESSAGE(cannot_read_file, 1, "ファイル読み込みに失敗しました: %s") \
  /* The three lists; %u in an error line is the line number. */ \
  MESSAGE(appliance_list_start, 1, "登録済みVellgard2 一覧の取り込みを開始します: %s") \
  MESSAGE(appliance_list_finish, 1, "登録済みVellgard2 一覧の取り込みが完了しました。%u件取り込みました。") \
  MESSAGE(user_list_start, 1, "ユーザ一覧の取り込みを開始します: %s") \
  MESSAGE(user_list_finish, 1, "ユーザ一覧の取り込みが完了しました。%u件取り込みました。") \
  MESSAGE(group_list_start, 1, "グループ一覧の取り込みを開始します: %s") \
  MESSAGE(group_list_finish, 1, "グループ一覧の取り込みが完了しました。%u件取り込みました。") \
  MESSAGE(line_too_long, 1, "%u行目でエラーが発生しました  (Message: 行が長すぎます)") \
  MESSAGE(line_not_cp932, 1, "%u行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)") \
  MESSAGE(line_column_count, 1, "%u行目でエラーが発生しました  (Message: カラム数が一致しません)") \
  MESSAGE(line_store_failed, 2, "%u行目でエラーが発生しました  (Message: DBへの格納に失敗しました  what: %s)") \
  MESSAGE(line_bad_address, 2, "%u行目でエラーが発生しました  (Message: 無効なIPアドレスまたはMACアドレスです  what: %s)") \
  MESSAGE(line_bad_id, 2, "%u行目でエラーが発生しました  (Message: 無効なIDです  what: %s)") \
  MESSAGE(line_bad_user_id, 2, "%u行目でエラーが発生しました  (Message: 無効なユーザIDです  what: %s)") \
  MESSAGE(line_marked_as_error, 1, "%u行目でエラーが発生しました  (Message: エラー行です)") \
  /* The lists' progress lines on a terminal: the lines read so far and the */ \
  /* share of the file's bytes. A progress line has shorter forms after a */ \
  /* "|", for narrower terminals: the words give way first, then the */ \
  /* numbers, each whole with its unit. */ \
  MESSAGE(appliance_list_progress, 2, "登録済みVellgard2 一覧: %1$u行 (%2$u%%)|%1$u行 (%2$u%%)|%1$u行") \
  MESSAGE(user_list_progress, 2, "ユーザ一覧: %1$u行 (%2$u%%)|%1$u行 (%2$u%%)|%1$u行") \
  MESSAGE(group_list_progress, 2, "グループ一覧: %1$u行 (%2$u%%)|%1$u行 (%2$u%%)|%1$u行") \
  /* Registered PC files and the two histories. */ \
  MESSAGE(pcs_start, 1, "登録済みPCの取り込みを開始します  (dir: %s)") \
  MESSAGE(pcs_finish, 2, "登録済みPCの取り込みが完了しました。%u個のファイルを取り込み、%u件のPCを登録しました。") \
  MESSAGE(detection_start, 1, "検知履歴の取り込みを開始しました: %s") \
  MESSAGE(detection_finish, 2, "検知履歴の取り込みが完了しました。%u個のファイルが見つかり、%u件の履歴を取り込みました。") \
  MESSAGE(movement_start, 1, "移動履歴の取り込みを開始しました: %s") \
  MESSAGE(movement_finish, 2, "移動履歴の取り込みが完了しました。%u個のファイルが見つかり、%u件の履歴を取り込みました。") \
  MESSAGE(store_failed, 1, "DBへの格納に失敗しました  (what: %s)") \
  MESSAGE(file_system_error, 1, "ファイルシステムエラーです  (what: %s)") \
  MESSAGE(bad_address, 1, "無効なIPアドレスまたはMACアドレスです  (what: %s)") \
  MESSAGE(detection_bad_record, 1, "無効なレコードが含まれています  (file: %s)") \
  MESSAGE(movement_bad_number, 1, "IDの変換に失敗しました  (what: %s)") \
  MESSAGE(movement_bad_record, 1, "フォーマットエラーです  (file: %s)") \
  MESSAGE(damaged_record, 0, "無効なレコードです") \
  /* Their progress lines on a terminal: the files and the rows so far, and */ \
  /* the share of the file being read. The step's name goes first, then */ \
  /* the numbers one by one, the rows last. */ \
  MESSAGE(pcs_progress, 3, "登録済みPC: %1$u個のファイル、%2$u件 (%3$u%%)|%1$u個のファイル、%2$u件 (%3$u%%)|%2$u件 (%3$u%%)|%2$u件") \
  MESSAGE(detection_progress, 3, "検知履歴: %1$u個のファイル、%2$u件 (%3$u%%)|%1$u個のファイル、%2$u件 (%3$u%%)|%2$u件 (%3$u%%)|%2$u件") \
  MESSAGE(movement_progress, 3, "移動履歴: %1$u個のファイル、%2$u件 (%3$u%%)|%1$u個のファイル、%2$u件 (%3$u%%)|%2$u件 (%3$u%%)|%2$u件")
// clang-format on

#define ROVEV_DECLARE_MESSAGE(name, arity, text) inline constexpr message<arity> name{text};
ROVEV_MESSAGES(ROVEV_DECLARE_MESSAGE)
#undef ROVEV_DECLARE_MESSAGE

}  // namespace rovev::messages
