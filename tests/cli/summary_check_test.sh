#!/usr/bin/env bash
# tickvane-cli summary and check: the summary's figures against the rows export writes, the
# check's findings in planted faults and, when they are present, in the real quote folders, each
# of whose known oddities must be found under its code, and nothing more.
set -u
cli=${TICKVANE_CLI:?}
demo=${1:?demo directory}
real=${2:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$demo" "$scratch/demo"
demo=$scratch/demo

# --- summary
sum=$("$cli" summary "$demo") || fail "summary of the demo exits non-zero"
[ "$(printf '%s\n' "$sum" | head -n 1)" = "symbol,name,first_date,last_date,records,last_close,change_pct,last_volume" ] \
    || fail "summary header"
[ "$(printf '%s\n' "$sum" | tail -n +2 | wc -l)" -eq "$("$cli" list "$demo" | grep -vc '<DIR>')" ] \
    || fail "one line per security of the folder"
[ "$("$cli" summary "$demo/MASTER")" = "$sum" ] || fail "summary through MASTER"
rows=$("$cli" export "$demo" --symbols ACME | tail -n +2)
first=$(printf '%s\n' "$rows" | head -n 1); last=$(printf '%s\n' "$rows" | tail -n 1)
before=$(printf '%s\n' "$rows" | tail -n 2 | head -n 1)
change=$(awk -F, -v a="$(echo "$before" | cut -d, -f8)" -v b="$(echo "$last" | cut -d, -f8)" \
    'BEGIN { printf "%.2f", (b - a) / a * 100 }')
want="ACME,ACME INDUSTRIES,$(echo "$first" | cut -d, -f3),$(echo "$last" | cut -d, -f3),$(printf '%s\n' "$rows" | wc -l),$(echo "$last" | cut -d, -f8),$change,$(echo "$last" | cut -d, -f9)"
[ "$(printf '%s\n' "$sum" | grep '^ACME,')" = "$want" ] || fail "ACME's figures: want $want"

rm "$demo/F2.DAT"
err=$("$cli" summary "$demo" 2>&1 >"$scratch/sum.csv"); code=$?
[ "$code" -eq 1 ] && printf '%s' "$err" | grep -q 'BRSN .*F2.DAT is missing' || fail "a missing file: $code '$err'"
grep -q '^BRSN,BRASSON MINING,,,,,,$' "$scratch/sum.csv" || fail "a missing file's figures are empty"
"$cli" summary >/dev/null 2>&1; [ $? -eq 2 ] || fail "summary without a folder is bad usage"

# --- check
cp -r "$1" "$scratch/sound"
"$cli" check "$scratch/sound" >"$scratch/found.txt"; code=$?
[ "$code" -eq 0 ] && [ ! -s "$scratch/found.txt" ] || fail "the demo is sound: $code $(head -n 3 "$scratch/found.txt")"
cp "$scratch/sound/F1.DAT" "$scratch/sound/F99.DAT"
out=$("$cli" check "$scratch/sound/MASTER"); code=$?
[ "$code" -eq 1 ] && [ "$out" = "$(printf 'warning\tF99.DAT\tprice-file-unlisted\tno index file of the folder lists F99')" ] \
    || fail "an unlisted file: $code '$out'"
out=$("$cli" check "$demo"); code=$?
[ "$code" -eq 1 ] && printf '%s\n' "$out" | grep -q "^error	F2.DAT	price-file-missing	MASTER lists it for BRSN" \
    || fail "a missing file: $code"
"$cli" check >/dev/null 2>&1; [ $? -eq 2 ] || fail "check without a folder is bad usage"
"$cli" check "$demo" extra >/dev/null 2>&1; [ $? -eq 2 ] || fail "check with two folders is bad usage"

if [ -n "$real" ] && [ -d "$real" ]; then
    # level and code of each finding, counted, for each folder: the oddities its samples are
    # known for, and no others.
    expect() {
        local folder=$1 want=$2 got
        got=$("$cli" check "$real/$folder" | cut -f1,3 | sort | uniq -c | awk '{print $1, $2, $3}' | tr '\n' ';')
        [ "$got" = "$want" ] || fail "check $folder: got '$got', want '$want'"
    }
    atem=rudimeier-atem/test
    # broken XMASTER, EMASTER of other files and dates, index dates past the rows and a day early,
    # 18 rows with an open of 0
    expect $atem/msdir_bbfinance "1 error index-damaged;1 warning emaster-disagrees;4 warning first-date-disagrees;40 warning last-date-stale;18 warning price-not-positive;"
    # index dates past the rows in all files but one; the 13 empty series are sound
    expect $atem/msdir_equis_a "2832 warning last-date-stale;"
    expect $atem/msdir_equis_b "4 warning last-date-stale;"
    expect $atem/msdir_stooq "1 warning last-date-stale;"
    # the complete sets: opens of 0 (514 rows) and lows of 0, opens outside high and low
    expect okomarov-metastockread/sampleData "92 warning open-outside-range;549 warning price-not-positive;"
    [ "$("$cli" check "$real/okomarov-metastockread/sampleData" | grep -c 'the open is 0$')" -eq 514 ] \
        || fail "the opens of 0 of sampleData"
    expect okomarov-metastockread/sampleData/Intraday ""
    # an EMASTER and XMASTER of another folder: 420 of its 422 series have no file
    expect gityoav-metastock2pd/data "420 error price-file-missing;1 warning emaster-disagrees;"
    "$cli" summary "$real/$atem/msdir_equis_b" | grep -q '^\.N225,' || fail "summary of an XMASTER folder"
else
    echo "SKIPPED: the real quote folders are absent (${real:-not given})"
fi

[ "$failures" -eq 0 ] && echo "cli summary and check: all checks passed"
exit "$failures"
