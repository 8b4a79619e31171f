#!/usr/bin/env bash
# The README's guide for a live host, run as it is written there: its check,
# copy and restore on a rollback-journal and a WAL database around a run
# killed in the detection step, and the same commands on mistyped names.
#   guide_test.sh README TOOL MAKE_MANAGER_DATABASE MAKE_SAMPLE_FOLDER SCHEMA
set -euo pipefail
readme=$1 tool=$2 make_database=$3 make_sample=$4 schema=$5
if ! command -v sqlite3 > /dev/null; then
  echo "the sqlite3 shell is not on this machine: scripts/install-deps installs it"
  exit 77
fi
fail() { echo "guide: $*" >&2; exit 1; }

# A command of the guide: the line of the README's shell blocks that runs
# sqlite3 with the word, its comment cut.
guide() {
  awk -v word="$1" '/^```sh/ { block = 1; next } /^```/ { block = 0 }
    block && /^sqlite3 / && index($0, word) { sub(/ +#.*/, ""); print }' "$readme"
}
check=$(guide integrity_check) backup=$(guide "VACUUM INTO") restore=$(guide .restore)
[ -n "$check" ] && [ -n "$backup" ] && [ -n "$restore" ] || fail "a command is missing"
dump() { sqlite3 "file:$1?mode=ro" .dump; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for journal in delete wal; do
  base=$work/$journal
  mkdir "$base"
  "$make_database" "$schema" "$base/vg.db"
  "$make_sample" "$base"
  # A detection row takes a while, so that the run dies inside its step.
  sqlite3 "$base/vg.db" "PRAGMA journal_mode=$journal; create table spin(x);
    insert into spin with recursive n(x) as (select 1 union all select x + 1 from n
    where x < 3000) select x from n; create trigger slow after insert on detection_log
    begin select count(*) from spin a, spin b; end;" > /dev/null
  cd "$base"
  [ "$(sh -c "$check")" = ok ] || fail "$journal: the check before the run"
  sh -c "$backup"
  "$tool" --path . > out 2>&1 &
  run=$!
  until grep -q '検知履歴の取り込みを開始しました' out; do
    kill -0 $run 2> /dev/null || fail "$journal: the run ended before its detection step"
    sleep 0.01
  done
  sleep 0.1
  kill -KILL $run
  { wait $run; } 2> /dev/null || true
  sh -c "$restore"
  [ "$(sh -c "$check")" = ok ] || fail "$journal: the check after the restore"
  [ "$(dump vg.db)" = "$(dump vg.db.before)" ] || fail "$journal: vg.db is not the backup"
done

# Mistyped names fail: nothing is made, and vg.db stays as it was.
before=$(dump vg.db)
! sh -c "${restore//vg.db.before/vg.db.befor}" 2> /dev/null || fail "a mistyped backup restored"
[ "$(dump vg.db)" = "$before" ] && [ ! -e vg.db.befor ] || fail "a mistyped backup changed vg.db"
mkdir "$work/typo"
cd "$work/typo"
for command in "$check" "$backup"; do
  ! sh -c "${command//vg.db/vg.bd}" 2> /dev/null || fail "a mistyped name passed: $command"
done
[ -z "$(ls -A)" ] || fail "a mistyped name made $(ls -A)"
