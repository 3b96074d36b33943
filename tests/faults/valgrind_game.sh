#!/bin/sh
# A short whole game under valgrind's memcheck: a new game, a few places,
# a save, a load, the music and portrait settings, and the quit command.
# Any memory error or definite leak fails it.
#
#   valgrind_game.sh VELMORA_TTY DRIVE_TTY_PY DATA_DIR
set -eu
TTY=$1
DRIVE=$2
DATA=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in "$DATA"/*.dat; do [ -e "$f" ] && cp "$f" "$work/"; done

python3 "$DRIVE" --wrap "valgrind --quiet --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite --show-leak-kinds=definite --log-file=$work/valgrind.log" \
    "$TTY" "$work" no no yes 公園 no no 防波堤 yes no 弁当屋 no no セーブ file1 yes \
    BGM no 画像処理 yes ロード file1 yes アパート no no 終了 yes >"$work/trace" || status=$?
cat "$work/valgrind.log"
if [ "${status:-0}" != 0 ]; then
    echo "FAIL: valgrind reported errors (exit ${status})"
    exit 1
fi
grep -q "^MSG file1 をロードしました。" "$work/trace" || { echo "FAIL: the game did not get through"; tail -5 "$work/trace"; exit 1; }
tail -1 "$work/trace" | grep -qx END || { echo "FAIL: no END"; exit 1; }
echo "ok: $(grep -c '' "$work/trace") trace lines under memcheck, no error, no definite leak"
