#!/usr/bin/env bash
# Kills an import into a 100 000-record data set at random moments and checks after each
# kill that nothing was lost: data1.dat is the complete old file or the complete new one,
# and data1.bak a complete earlier one. Not part of CI (it takes minutes):
#
#     scripts/crash-trials.sh [TRIALS]        (default 200; needs the build of scripts/test.sh)
#
# Prints how many trials ended with the old file, how many with the new one, and every
# trial that found anything else; exit status 1 when there was one.
set -euo pipefail
cd "$(dirname "$0")/.."

trials="${1:-200}"
cli="$PWD/build/src/cli/orvanek-cli"
[ -x "$cli" ] || { echo "build first: scripts/test.sh" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
echo "== making the data set in $work"
"$cli" make-demo "$work/made" --from 1996 --to 2345 >/dev/null
cp "$work/made/data1.dat" "$work/old.dat"
# An earlier complete file for data1.bak: the old one without its last record.
head -c $(( $(stat -c %s "$work/old.dat") - 1314 )) "$work/old.dat" >"$work/bak.dat"
printf 'O;15.06.2345;1200;Jan Novák;Praha;1;1;1;0;0;0;0;\nG;Axx;1;0;10;50\n' >"$work/one.txt"

reset() {
    rm -rf "$work/set"
    mkdir "$work/set"
    cp "$work/old.dat" "$work/set/data1.dat"
    cp "$work/bak.dat" "$work/set/data1.bak"
    cp "$work/made/pristroj.dat" "$work/set/"
}

# The file a finished import writes, and how long an import takes.
reset
start=$(date +%s%N)
"$cli" -d "$work/set" import "$work/one.txt" >/dev/null
duration_ms=$(( ($(date +%s%N) - start) / 1000000 ))
cp "$work/set/data1.dat" "$work/new.dat"
echo "== an import takes about $duration_ms ms; killing at random moments within it"

old=0 new=0 bad=0 leftovers=0
for trial in $(seq 1 "$trials"); do
    reset
    "$cli" -d "$work/set" import "$work/one.txt" >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v max="$duration_ms" -v seed="$trial$RANDOM" \
        'BEGIN { srand(seed); printf "%.3f", rand() * max / 1000 }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true

    if cmp -s "$work/set/data1.dat" "$work/old.dat"; then
        state=old
    elif cmp -s "$work/set/data1.dat" "$work/new.dat"; then
        state=new
    else
        state=torn
    fi
    if cmp -s "$work/set/data1.bak" "$work/bak.dat" || cmp -s "$work/set/data1.bak" "$work/old.dat"; then
        backup=ok
    else
        backup=lost
    fi
    strays=$(find "$work/set" -maxdepth 1 -name 'data1.dat.orvanek-*' -o -maxdepth 1 -name 'data1.bak.new' | wc -l)
    leftovers=$(( leftovers + (strays > 0 ? 1 : 0) ))
    case "$state/$backup" in
        old/ok) old=$((old + 1)) ;;
        new/ok) new=$((new + 1)) ;;
        *) bad=$((bad + 1)); echo "trial $trial: data1.dat $state, data1.bak $backup" ;;
    esac
    # The next start that takes the lock clears what the kill left.
    if [ "$strays" -gt 0 ]; then
        "$cli" -d "$work/set" import /dev/null >/dev/null 2>&1 || true
        if [ "$(find "$work/set" -maxdepth 1 -name 'data1.dat.orvanek-*' -o -maxdepth 1 -name 'data1.bak.new' | wc -l)" -gt 0 ]; then
            echo "trial $trial: a leftover survived the next start"
            bad=$((bad + 1))
        fi
    fi
done
echo "== $trials trials: $old old file, $new new file, $bad faults; $leftovers kills left a temporary file (removed at the next start)"
[ "$bad" -eq 0 ]
