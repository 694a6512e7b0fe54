#!/usr/bin/env bash
# tickvane-cli export and the opening of folders, on the demo sample and, when they are present,
# on the real quote folders (whose expected outputs give the row counts).
set -u
cli=${TICKVANE_CLI:?}
demo=${1:?demo directory}
real=${2:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rows() { tail -n +2 | wc -l; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$demo" "$scratch/demo"
demo=$scratch/demo

out=$("$cli" export "$demo") || fail "export of the demo exits non-zero"
[ "$(printf '%s\n' "$out" | head -n 1)" = "symbol,name,date,time,open,high,low,close,volume,oi" ] || fail "header"
[ "$(printf '%s\n' "$out" | grep -c '^ACME,')" -eq 3200 ] || fail "every record, not the newest 800"
[ "$(printf '%s\n' "$out" | grep -c '^DEMOSML,')" -eq 2000 ] || fail "the subdirectory's securities"
[ "$(printf '%s\n' "$out" | grep -c '^BRK,BRACKEN HOLDNG A,')" -eq 700 ] || fail "symbols as listed"
# The same values as quotes --all, the time left empty where the file stores none.
diff <(printf '%s\n' "$out" | grep '^ACME,' | cut -d, -f3,5-) \
     <("$cli" quotes "$demo" ACME --all | tail -n +2 | cut -d, -f1,3-) >/dev/null || fail "values as quotes prints them"
printf '%s\n' "$out" | grep -q '^ACME,ACME INDUSTRIES,[0-9-]*,,[0-9.]*,' || fail "row layout"

[ "$("$cli" export "$demo/xmaster")" = "$out" ] || fail "an XMASTER path exports its folder"
[ "$("$cli" list "$demo")" = "$("$cli" list "$demo/MASTER")" ] || fail "list of a folder"

err=$("$cli" export "$demo" --symbols acme,NOSUCH 2>&1 >"$scratch/some.csv"); code=$?
[ "$code" -eq 1 ] && printf '%s' "$err" | grep -q NOSUCH || fail "an unknown symbol is reported: $code '$err'"
[ "$(rows < "$scratch/some.csv")" -eq 3200 ] || fail "--symbols picks the securities"

"$cli" export "$demo" -o "$scratch/all.csv" || fail "export -o"
[ "$(cat "$scratch/all.csv")" = "$out" ] || fail "-o writes what stdout gets"
[ -z "$(find "$scratch" -name '*partial*')" ] || fail "a temporary file is left"
"$cli" export "$demo" -o "$scratch/missing/all.csv" 2>/dev/null && fail "-o into a missing folder"

# A name that CSV must quote; a security without its price file is skipped and reported.
printf 'A,B "C"' | dd of="$demo/MASTER" bs=1 seek=$((53 + 7)) conv=notrunc 2>/dev/null
rm "$demo/F2.DAT"
err=$("$cli" export "$demo" 2>&1 >"$scratch/broken.csv"); code=$?
[ "$code" -eq 1 ] && printf '%s' "$err" | grep -q '^tickvane-cli: skipped BRSN .*F2.DAT is missing$' \
    || fail "a missing price file: $code '$err'"
grep -q '^ACME,"A,B ""C""DUSTRIES",' "$scratch/broken.csv" || fail "quoted name"
[ "$(rows < "$scratch/broken.csv")" -eq $(( $(printf '%s\n' "$out" | rows) - 2400 )) ] || fail "the rest exported"

# Anything but a regular file in the place of MASTER fails at once.
mkdir "$scratch/fifo" && mkfifo "$scratch/fifo/MASTER"
timeout 10 "$cli" list "$scratch/fifo/MASTER" 2>/dev/null; code=$?
[ "$code" -eq 1 ] || fail "a FIFO for MASTER: exit $code"
timeout 10 "$cli" export "$scratch/fifo" >/dev/null 2>&1; code=$?
[ "$code" -eq 1 ] || fail "export of a FIFO MASTER: exit $code"

if [ -n "$real" ] && [ -d "$real" ]; then
    atem=$real/rudimeier-atem/test
    expected=$atem/expected
    for pair in msdir_bbfinance:bbfinance.01 msdir_equis_b:odds.01 msdir_stooq:stooq.02; do
        folder=${pair%%:*}
        want=$(rows < "$expected/${pair#*:}.stdout")
        got=$("$cli" export "$atem/$folder" 2>/dev/null | rows)
        [ "$got" -eq "$want" ] || fail "$folder: $got rows, the expected output has $want"
    done
    [ "$("$cli" export "$real/okomarov-metastockread/sampleData/Intraday" | rows)" -eq 64885 ] \
        || fail "the intraday sample's rows"
    # master + F1.dat and xmaster + F548.mwd are all the data files that folder has.
    [ "$("$cli" export "$real/gityoav-metastock2pd/data" 2>/dev/null | rows)" -eq $((62 + 251)) ] \
        || fail "the rows of the mixed folder"
    [ "$("$cli" quotes "$atem/msdir_equis_b" .n225 | rows)" -eq 2 ] || fail "quotes of an XMASTER security"
    "$cli" export "$atem/msdir_stooq" | sed -n 2p | grep -q '^2HR.DE,H&R,2013-11-15,09:05:00,8.585,8.65,8.585,8.65,1713,$' \
        || fail "intraday row of stooq"
else
    echo "SKIPPED: the real quote folders are absent (${real:-not given})"
fi

[ "$failures" -eq 0 ] && echo "cli export: all checks passed"
exit "$failures"
