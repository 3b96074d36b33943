#!/bin/sh
# Builds the libFuzzer targets with clang (build-fuzz) and runs each one for
# SECONDS (default 30), all at once.
#
#   tools/fuzz.sh [SECONDS] [--runs N] [--keep]
#
# SECONDS 0 runs until N executions (--runs) per target. FUZZ_BUILD names
# the build folder (default build-fuzz), so a long run can go on beside it.
# New inputs go to build-fuzz/corpus/<target>, seeded from the kept corpus in
# tests/fuzz/corpus/<target> and the shipped data/*.dat. A crash is copied
# into the kept corpus (so ctest replays it from then on) and fails the run.
# --keep also merges the inputs that reached new code into the kept corpus;
# the statistics of each run are in build-fuzz/logs/<target>.log.
# VELMORA_WERROR=ON (as the test command sets it) makes warnings errors.
# Ctrl-C stops every target; each reports what it ran, and the exit status
# is 130 unless a target crashed.
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-30}
if [ $# -gt 0 ]; then shift; fi
RUNS=-1
KEEP=""
while [ $# -gt 0 ]; do
    case $1 in
    --runs) RUNS=$2; shift ;;
    --keep) KEEP=--keep ;;
    *) echo "usage: tools/fuzz.sh [SECONDS] [--runs N] [--keep]" >&2; exit 2 ;;
    esac
    shift
done
TARGETS="scenario_items cp932 slot read_record comfort_settings story_map slot_import picture"
B=${FUZZ_BUILD:-build-fuzz}

CC=clang-14 CXX=clang++-14 cmake -S . -B $B -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_FUZZ=ON -DVELMORA_QT=OFF -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF \
    -DVELMORA_WERROR="${VELMORA_WERROR:-OFF}" >/dev/null
cmake --build $B --target $(for t in $TARGETS; do printf 'fuzz_%s ' $t; done)

mkdir -p $B/logs $B/seeds
for f in data/*.dat; do [ -e "$f" ] && cp "$f" $B/seeds/; done

pids=""
for t in $TARGETS; do
    mkdir -p $B/corpus/$t $B/artifacts/$t
    seeds=tests/fuzz/corpus/$t
    max_len=1024
    case $t in
    scenario_items|cp932) seeds="$seeds $B/seeds" ;;
    slot|slot_import) max_len=2048 ;;
    picture) max_len=8192 ;;
    story_map) max_len=8192 ;;
    esac
    # shellcheck disable=SC2086
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
        $B/fuzz_$t $B/corpus/$t $seeds -max_total_time="$SECONDS_EACH" -runs="$RUNS" \
        -timeout=10 -rss_limit_mb=2048 -max_len=$max_len -print_final_stats=1 \
        -artifact_prefix=$B/artifacts/$t/ >$B/logs/$t.log 2>&1 &
    pids="$pids $!"
done

# libFuzzer leaves with this status when it is interrupted.
INTERRUPTED=72
stopped=0
trap 'stopped=1' INT TERM

runs() {
    grep -E '^stat::number_of_executed_units' $B/logs/$1.log | awk '{print $2}'
}

status=0
set -- $TARGETS
for pid in $pids; do
    t=$1
    shift
    rc=0
    wait "$pid" || rc=$?
    # A signal to this script ends the wait, not the target: wait again.
    while [ $rc -gt 128 ] && kill -0 "$pid" 2>/dev/null; do
        rc=0
        wait "$pid" || rc=$?
    done
    if [ $rc -eq 0 ]; then
        echo "fuzz_$t: $(runs $t) runs," \
            "$(grep -E '^#[0-9]+[[:space:]]+DONE' $B/logs/$t.log | grep -oE 'cov: [0-9]+ ft: [0-9]+')"
    elif [ $rc -eq $INTERRUPTED ] || [ $stopped -eq 1 ]; then
        echo "fuzz_$t: stopped after $(runs $t) runs"
        [ $status -ne 0 ] || status=130
    else
        echo "fuzz_$t FAILED; see $B/logs/$t.log" >&2
        tail -30 $B/logs/$t.log >&2
        status=1
    fi
    for a in $B/artifacts/$t/*; do
        [ -e "$a" ] || continue
        cp "$a" tests/fuzz/corpus/$t/ && echo "kept $a in tests/fuzz/corpus/$t/" >&2
        status=1
    done
    if [ -n "$KEEP" ]; then
        $B/fuzz_$t -merge=1 tests/fuzz/corpus/$t $B/corpus/$t >>$B/logs/$t.log 2>&1
    fi
done
exit $status
