#!/usr/bin/env bash
# The command-line contract of tickvane-cli, checked on the demo sample.
set -u
cli=${TICKVANE_CLI:?}
demo=${1:?demo directory}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_exit() { # expected-code description command...
    local want=$1 what=$2; shift 2
    "$@" >/dev/null 2>&1; local got=$?
    [ "$got" -eq "$want" ] || fail "$what: exit $got, wanted $want"
}

listing=$("$cli" list "$demo/MASTER") || fail "list exits non-zero"
first=$(printf '%s\n' "$listing" | head -n 1)
[ "$first" = "$(printf '0\tACME\tACME INDUSTRIES')" ] || fail "first list line: '$first'"
printf '%s\n' "$listing" | grep -q "$(printf '^26\tBRK\tBRACKEN HOLDNG A$')" || fail "BRK A is listed as BRK"

out=$("$cli" quotes "$demo" ACME) || fail "quotes exits non-zero"
[ "$(printf '%s\n' "$out" | head -n 1)" = "date,time,open,high,low,close,volume,oi" ] || fail "header line"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 801 ] || fail "800 rows by default"
printf '%s\n' "$out" | sed -n 2p | grep -Eq '^[0-9]{4}-[0-9]{2}-[0-9]{2},00:00:00,([^,]+,){5}[^,]+$' \
    || fail "row format: $(printf '%s\n' "$out" | sed -n 2p)"
[ "$("$cli" quotes "$demo" acme --all | wc -l)" -eq 3201 ] || fail "--all gives every record"
[ "$("$cli" quotes "$demo" "brk a" --start 5 --count 3 | wc -l)" -eq 4 ] || fail "--start/--count"
[ "$("$cli" quotes "$demo" DEMOSML --count -1 | wc -l)" -eq 2001 ] || fail "subdirectory lookup"

err=$("$cli" quotes "$demo" NOSUCH 2>&1 >/dev/null)
[ "$err" = "tickvane-cli: File Not Found (-8)" ] || fail "missing symbol message: '$err'"
expect_exit 1 "missing symbol" "$cli" quotes "$demo" NOSUCH
expect_exit 1 "record not found" "$cli" quotes "$demo" WLLW --start 12 --count 1
expect_exit 2 "no command" "$cli"
expect_exit 2 "unknown command" "$cli" frobnicate
expect_exit 2 "missing symbol argument" "$cli" quotes "$demo"
expect_exit 2 "bad count" "$cli" quotes "$demo" ACME --count many
expect_exit 2 "unknown option" "$cli" quotes "$demo" ACME --colour
expect_exit 2 "list without path" "$cli" list

# A damaged MASTER (an entry without a symbol) is refused unless --repair is given.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$demo/MASTER" "$scratch/MASTER"
printf '                ' | dd of="$scratch/MASTER" bs=1 seek=$((53 * 2 + 36)) conv=notrunc 2>/dev/null
before=$(md5sum < "$scratch/MASTER")
err=$("$cli" list "$scratch/MASTER" 2>&1 >/dev/null)
[ $? -eq 1 ] && [ "$err" = "tickvane-cli: File read failed" ] || fail "damaged master refused: '$err'"
[ "$(md5sum < "$scratch/MASTER")" = "$before" ] || fail "refusal left the master unchanged"
line=$("$cli" list --repair "$scratch/MASTER" | sed -n 2p)
[ "$line" = "$(printf '1\tBRASSON MINING\tBRASSON MINING')" ] || fail "repaired entry: '$line'"
[ ! -e "$scratch/MASTER.bak" ] || fail "work file left behind"
expect_exit 1 "not a MASTER" "$cli" list "$demo/F1.DAT"

# render: a trace of the drawing, or an image through the export module.
trace=$("$cli" render "$demo/MASTER" -o -)
[ "$(printf '%s\n' "$trace" | head -n 1)" = "fill 0 0 800 600 #000000" ] || fail "trace starts with the background"
printf '%s\n' "$trace" | grep -q '^text [0-9]* 597 center-top #00FFFF "ACME"$\|^text [0-9]* 597 right-top #00FFFF "ACME"$' \
    || fail "trace has the title"
"$cli" render "$demo/MASTER" --symbol WLLW --size 655x420 --print --no-volume --ma1 2 \
    -o "$scratch/chart.trace" || fail "render to a trace file"
[ "$(head -n 1 "$scratch/chart.trace")" = "fill 0 0 655 420 #FFFFFF" ] || fail "printed trace"
grep -q '^line 5 4 605 4 #000000 0$' "$scratch/chart.trace" || fail "no volume pane when asked"
if [ -e "$(dirname "$cli")/libtickvane-imageexport.so" ]; then
    "$cli" render "$demo/MASTER" --index 3 -o "$scratch/chart.png" || fail "render a PNG"
    [ "$(head -c 8 "$scratch/chart.png" | od -An -tx1 | tr -d ' ')" = "89504e470d0a1a0a" ] || fail "PNG signature"
    "$cli" render "$demo/MASTER" -o "$scratch/chart.svg" && grep -q '<svg' "$scratch/chart.svg" || fail "render an SVG"
    "$cli" render "$demo/MASTER" -o "$scratch/chart.pdf" && [ "$(head -c 4 "$scratch/chart.pdf")" = "%PDF" ] || fail "render a PDF"
fi
# render --end: the record at the right edge, counted from the first record of the file.
[ "$("$cli" render "$demo/MASTER" --end 3199 -o -)" = "$trace" ] || fail "--end of the newest record"
"$cli" render "$demo/MASTER" --end 5 -o - | grep -q '^text 63 597 left-top #FFFFFF "940110"$' \
    || fail "--end 5 ends the chart with the sixth record"
err=$("$cli" render "$demo/MASTER" --end 3200 -o - 2>&1 >/dev/null)
[ $? -eq 1 ] && [ "$err" = "tickvane-cli: there is no record 3200: the security holds 3200 records (0 to 3199)" ] \
    || fail "--end past the last record: '$err'"
expect_exit 2 "--end below 0" "$cli" render "$demo/MASTER" --end -1 -o -
# render's chart options: given at their defaults they draw the specified chart; each one changes it.
[ "$("$cli" render "$demo/MASTER" --style bars --period stored -o -)" = "$trace" ] || fail "default chart options"
for flags in "--style ohlc" "--style line" "--log" "--grid" "--period weekly"; do
    [ "$("$cli" render "$demo/MASTER" $flags -o -)" != "$trace" ] || fail "$flags changes nothing"
done
"$cli" render "$demo/MASTER" --style candles --bar-space 6 -o - | grep -q '^fill .* #00FFFF$' \
    || fail "candles fill falling bodies in the close tick colour"
"$cli" render "$demo/MASTER" --hide-bad-data --log -o - | grep -q '^text 7 597 left-top' || fail "--hide-bad-data"
# --end counts the bars built: 148 months of ACME.
"$cli" render "$demo/MASTER" --period monthly --end 147 -o - | grep -q '"060407"$' || fail "--end of the last month"
err=$("$cli" render "$demo/MASTER" --period monthly --end 148 -o - 2>&1 >/dev/null)
[ $? -eq 1 ] && [ "$err" = "tickvane-cli: there is no bar 148: the chart of the security has 148 bars (0 to 147)" ] \
    || fail "--end past the last bar: '$err'"
expect_exit 2 "render with an unknown style" "$cli" render "$demo/MASTER" --style bogus -o -
expect_exit 2 "render with an unknown period" "$cli" render "$demo/MASTER" --period hourly -o -
expect_exit 2 "render with --style and no name" "$cli" render "$demo/MASTER" -o - --style
err=$("$cli" render "$demo/MASTER" --symbol NOSUCH -o - 2>&1 >/dev/null)
[ "$err" = "tickvane-cli: Failure in SearchSetSymbolIndex" ] || fail "render of a missing symbol: '$err'"
expect_exit 1 "no such entry" "$cli" render "$demo/MASTER" --index 200 -o -
expect_exit 2 "render without output" "$cli" render "$demo/MASTER"
expect_exit 2 "render to an unknown format" "$cli" render "$demo/MASTER" -o chart.bmp
expect_exit 2 "render with a bad size" "$cli" render "$demo/MASTER" --size 0x10 -o -
expect_exit 2 "render with a bad bar space" "$cli" render "$demo/MASTER" --bar-space 11 -o -
expect_exit 2 "render with bad colours" "$cli" render "$demo/MASTER" --colors 0123456789 -o -
# render --drawings: the entries of the folder and symbol rendered; a file it cannot use fails and
# stays where it is.
folder=$(cd "$demo" && pwd)
cat >"$scratch/drawings.json" <<EOF
{"version": 1, "securities": [
  {"folder": "$folder", "symbol": "ACME", "drawings": [
    {"type": "hline", "points": [{"date": "2006-04-07", "time": "", "price": 7}],
     "color": "#123456", "width": 1, "style": "dashed"},
    {"type": "spiral", "points": []}]},
  {"folder": "$folder", "symbol": "WLLW", "drawings": [
    {"type": "hline", "points": [{"date": "2006-04-07", "price": 5.5}], "color": "#654321"}]}]}
EOF
drawn=$("$cli" render "$demo/MASTER" --drawings "$scratch/drawings.json" -o - 2>"$scratch/err") \
    || fail "render --drawings"
grep -q '^line 5 [0-9]* 750 [0-9]* #123456 0 dashed$' <<<"$drawn" || fail "--drawings draws the level"
grep -q '^text 752 [0-9]* left-baseline #123456 "7.00"$' <<<"$drawn" || fail "the level's price"
grep -q '#654321' <<<"$drawn" && fail "--drawings draws another symbol's drawings"
grep -q '"spiral"' "$scratch/err" || fail "an unknown type is named: $(cat "$scratch/err")"
printf '{"version": 1, "securities": [' >"$scratch/damaged.json"
expect_exit 1 "render with a damaged drawings file" \
    "$cli" render "$demo/MASTER" --drawings "$scratch/damaged.json" -o -
[ -f "$scratch/damaged.json" ] || fail "render moved a damaged drawings file"
expect_exit 1 "render with a missing drawings file" \
    "$cli" render "$demo/MASTER" --drawings "$scratch/none.json" -o -

[ "$failures" -eq 0 ] && echo "cli contract: all checks passed"
exit "$failures"
