#!/usr/bin/env bash
# tickvane-cli studies and render --study, on the demo sample.
set -u
cli=${TICKVANE_CLI:?}
demo=${1:?demo directory}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$cli" studies "$demo" acme --study sma:3 --study bbands:20,2 --study obv) || fail "studies exits non-zero"
[ "$(printf '%s\n' "$out" | head -n 1)" = 'date,time,sma(3),"bbands(20,2).upper","bbands(20,2).middle","bbands(20,2).lower",obv' ] \
    || fail "header: $(printf '%s\n' "$out" | head -n 1)"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 3201 ] || fail "one line per bar of the whole history"
quotes=$("$cli" quotes "$demo" ACME --all)
# Bar 2 (the third): sma(3) is the mean of the first three closes, as quotes prints them.
want=$(printf '%s\n' "$quotes" | sed -n 2,4p | cut -d, -f6 | awk '{ s += $1 } END { printf "%.6f", s / 3 }')
got=$(printf '%s\n' "$out" | sed -n 4p | cut -d, -f3)
[ "$(awk -v g="$got" 'BEGIN { printf "%.6f", g }')" = "$want" ] || fail "sma(3) of bar 2: $got, not $want"
[ "$(printf '%s\n' "$out" | sed -n 3p | cut -d, -f1-3)" = "$(printf '%s\n' "$quotes" | sed -n 3p | cut -d, -f1),," ] \
    || fail "no sma(3) before bar 2, dates as export writes them"
# Built bars: one line a week.
weeks=$("$cli" studies "$demo" ACME --study rsi:14 --period weekly | wc -l)
[ "$weeks" -gt 600 ] && [ "$weeks" -lt 700 ] || fail "weekly bars: $weeks lines"

for spec in nosuch:3 sma sma:0 sma:10,2 bbands:20; do
    err=$("$cli" studies "$demo" ACME --study "$spec" 2>&1 >/dev/null); code=$?
    [ "$code" -eq 2 ] && printf '%s' "$err" | head -n 1 | grep -qF -- "--study $spec:" \
        || fail "bad spec $spec: exit $code '$(printf '%s' "$err" | head -n 1)'"
done
# A security without volumes (EVRG stores high, low and close) has no obv.
err=$("$cli" studies "$demo" EVRG --study obv 2>&1 >/dev/null); code=$?
[ "$code" -eq 1 ] && [ "$err" = "tickvane-cli: obv needs volumes, and EVRG stores none" ] \
    || fail "obv without volume: $code '$err'"
err=$("$cli" studies "$demo" NOSUCH --study obv 2>&1 >/dev/null); [ $? -eq 1 ] || fail "unknown symbol: '$err'"

# render draws the studies: their panes and legends.
trace=$("$cli" render "$demo/MASTER" --study rsi:14 --study sma:50 -o -) || fail "render --study"
printf '%s\n' "$trace" | grep -q '"rsi(14)  [0-9.]*"' || fail "the rsi legend"
printf '%s\n' "$trace" | grep -q '"sma(50)  [0-9.]*"' || fail "the sma legend"
[ "$trace" != "$("$cli" render "$demo/MASTER" -o -)" ] || fail "studies change the chart"
"$cli" render "$demo/MASTER" --study frob -o - >/dev/null 2>&1; [ $? -eq 2 ] || fail "render --study frob"

[ "$failures" -eq 0 ] && echo "cli studies: all checks passed"
exit "$failures"
