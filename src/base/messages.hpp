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

// "    [Error]: " and the message.
inline std::string error_line(std::string_view message) {
  std::string line("    [Error]: ");
  line += message;
  return line;
}

// Command line and driver.
inline constexpr message<5> version_banner{"zov_iziver  Version: %s (%s %s)  build with(%s, %s)"};
inline constexpr message<0> version_maker{
    "Made by the zov_iziver team for the manager's database import."};
inline constexpr message<0> folder_missing{"取り込み元のフォルダを指定してください"};
inline constexpr message<1> database_missing{"vg.dbファイルを%sに置いてください"};
inline constexpr message<1> database_unopenable{
    "データベースエラーです。vg.dbファイルを%sに置いてください"};
inline constexpr message<1> aborted_by_database{
    "データベースエラーのため取り込みを中止しました  (what: %s)"};
inline constexpr message<1> aborted_unexpectedly{
    "予期しないエラーのため取り込みを中止しました  (what: %s)"};
inline constexpr message<1> commit_failed{"コミットに失敗しました  (what: %s)"};

// Shared by the lists and the record files.
inline constexpr message<1> cannot_read_file{"ファイル読み込みに失敗しました: %s"};

// The three lists; %u in an error line is the line number.
inline constexpr message<1> appliance_list_start{
    "登録済みVellgard2 一覧の取り込みを開始します: %s"};
inline constexpr message<1> appliance_list_finish{
    "登録済みVellgard2 一覧の取り込みが完了しました。%u件取り込みました。"};
inline constexpr message<1> user_list_start{"ユーザ一覧の取り込みを開始します: %s"};
inline constexpr message<1> user_list_finish{
    "ユーザ一覧の取り込みが完了しました。%u件取り込みました。"};
inline constexpr message<1> group_list_start{"グループ一覧の取り込みを開始します: %s"};
inline constexpr message<1> group_list_finish{
    "グループ一覧の取り込みが完了しました。%u件取り込みました。"};
// The progress lines of a terminal, short enough for 80 columns: the lines
// read so far and the share of the file's bytes.
inline constexpr message<2> appliance_list_progress{"登録済みVellgard2 一覧: %u行 (%u%%)"};
inline constexpr message<2> user_list_progress{"ユーザ一覧: %u行 (%u%%)"};
inline constexpr message<2> group_list_progress{"グループ一覧: %u行 (%u%%)"};
inline constexpr message<1> line_too_long{
    "%u行目でエラーが発生しました  (Message: 行が長すぎます)"};
inline constexpr message<1> line_not_cp932{
    "%u行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)"};
inline constexpr message<1> line_column_count{
    "%u行目でエラーが発生しました  (Message: カラム数が一致しません)"};
inline constexpr message<2> line_store_failed{
    "%u行目でエラーが発生しました  (Message: DBへの格納に失敗しました  what: %s)"};
inline constexpr message<2> line_bad_address{
    "%u行目でエラーが発生しました  (Message: 無効なIPアドレスまたはMACアドレスです  what: %s)"};
inline constexpr message<2> line_bad_id{
    "%u行目でエラーが発生しました  (Message: 無効なIDです  what: %s)"};
inline constexpr message<2> line_bad_user_id{
    "%u行目でエラーが発生しました  (Message: 無効なユーザIDです  what: %s)"};
inline constexpr message<1> line_marked_as_error{
    "%u行目でエラーが発生しました  (Message: エラー行です)"};

// Registered PC files and the two histories.
inline constexpr message<1> pcs_start{"登録済みPCの取り込みを開始します  (dir: %s)"};
inline constexpr message<2> pcs_finish{
    "登録済みPCの取り込みが完了しました。%u個のファイルを取り込み、%u件のPCを登録しました。"};
inline constexpr message<1> detection_start{"検知履歴の取り込みを開始しました: %s"};
inline constexpr message<2> detection_finish{
    "検知履歴の取り込みが完了しました。%u個のファイルが見つかり、%u件の履歴を取り込みました。"};
inline constexpr message<1> movement_start{"移動履歴の取り込みを開始しました: %s"};
inline constexpr message<2> movement_finish{
    "移動履歴の取り込みが完了しました。%u個のファイルが見つかり、%u件の履歴を取り込みました。"};
// The progress lines: the files and the rows so far, and the share of the
// bytes of the file being read.
inline constexpr message<3> pcs_progress{"登録済みPC: %u個のファイル、%u件 (%u%%)"};
inline constexpr message<3> detection_progress{"検知履歴: %u個のファイル、%u件 (%u%%)"};
inline constexpr message<3> movement_progress{"移動履歴: %u個のファイル、%u件 (%u%%)"};
inline constexpr message<1> store_failed{"DBへの格納に失敗しました  (what: %s)"};
inline constexpr message<1> file_system_error{"ファイルシステムエラーです  (what: %s)"};
inline constexpr message<1> bad_address{"無効なIPアドレスまたはMACアドレスです  (what: %s)"};
inline constexpr message<1> detection_bad_record{"無効なレコードが含まれています  (file: %s)"};
inline constexpr message<1> movement_bad_number{"IDの変換に失敗しました  (what: %s)"};
inline constexpr message<1> movement_bad_record{"フォーマットエラーです  (file: %s)"};
inline constexpr message<0> damaged_record{"無効なレコードです"};

}  // namespace rovev::messages
