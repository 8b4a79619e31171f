#pragma once

// Error texts shared by the lists; %u is the line number, %s the error's text.
namespace rovev::list_messages {

constexpr const char* column_count =
    "%u行目でエラーが発生しました  (Message: カラム数が一致しません)";
constexpr const char* store_failed =
    "%u行目でエラーが発生しました  (Message: DBへの格納に失敗しました  what: %s)";

}  // namespace rovev::list_messages
