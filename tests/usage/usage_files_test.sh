#!/usr/bin/env bash
# The manual pages and the shell completion that the build makes from the usage tables: the pages
# render without a warning and name every option that --help names; the bash completion loads
# and offers each command's options and the values of --style, --period and --format; the zsh
# completion loads through compinit where zsh is installed.
set -u
cli=${TICKVANE_CLI:?}
made=$(cd "${1:?folder of the made files}" && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The options --help gives for each command: "command option option ...".
help_options() {
    "$cli" --help | awk '/^[a-z]+: / { sub(":", "", $1); command = $1; next }
                         /^  -/ && command != "" { options[command] = options[command] " " $1 }
                         END { for (c in options) print c options[c] }' | sort
}
help_options >"$scratch/help"
[ "$(wc -l <"$scratch/help")" -eq 5 ] || fail "--help names the options of five commands"

if command -v man >/dev/null; then
    for page in "$made"/*.1; do
        LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >"$scratch/page" 2>"$scratch/warnings"
        [ -s "$scratch/warnings" ] && fail "$(basename "$page"): $(head -3 "$scratch/warnings")"
        grep -q '^SYNOPSIS' "$scratch/page" || fail "$(basename "$page") has no synopsis"
    done
    LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$made/tickvane-cli.1" 2>/dev/null >"$scratch/page"
    while read -r command options; do
        for option in $options; do
            grep -q -- "^ *$option\b" "$scratch/page" || fail "the manual page lacks $command $option"
        done
    done <"$scratch/help"
else
    echo "SKIPPED: man is not installed"
fi

# Completion as bash gives it: the words offered for the command line "$@" with an empty last word.
offered() {
    bash -c 'source "$1"; shift
             COMP_WORDS=(tickvane-cli "$@"); COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))
             _tickvane_cli; printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' \
        _ "$made/tickvane-cli.bash" "$@"
}
bash -c 'source "$1"; complete -p tickvane-cli' _ "$made/tickvane-cli.bash" >/dev/null ||
    fail "bash completion does not load"
[ "$(offered '')" = "--help check export list quotes render studies summary " ] || fail "commands: $(offered '')"
[ "$(offered render --style '')" = "bars candles line ohlc " ] || fail "--style: $(offered render --style '')"
[ "$(offered studies --period '')" = "daily monthly stored weekly " ] || fail "--period"
[ "$(offered export --format '')" = "csv sqlite " ] || fail "--format: $(offered export --format '')"
while read -r command options; do
    want=$(printf '%s\n' $options | sort | tr '\n' ' ')
    [ "$(offered "$command" -)" = "$want" ] || fail "bash offers for $command: $(offered "$command" -)"
done <"$scratch/help"

if command -v zsh >/dev/null; then
    zsh -n "$made/_tickvane-cli" || fail "zsh completion: syntax"
    got=$(cd "$scratch" && HOME=$scratch zsh -f -c \
        'fpath=("$1" $fpath); autoload -Uz compinit; compinit -u -d "$HOME/.zcompdump"
         print -r -- $_comps[tickvane-cli]' _ "$made")
    [ "$got" = "_tickvane-cli" ] || fail "zsh compinit does not find the completion: '$got'"
else
    echo "SKIPPED: zsh is not installed"
fi

[ "$failures" -eq 0 ] && echo "usage files: all checks passed"
exit "$failures"
