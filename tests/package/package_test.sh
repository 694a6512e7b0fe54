#!/usr/bin/env bash
# The Debian package as scripts/package.sh makes it: lintian finds no error in it (its warnings are
# shown); it holds exactly the files below, where the desktop looks for them; unpacked into a
# scratch root, its desktop entry, AppStream metadata and MIME type validate, its programs run
# (tickvane-cli finding its image export module in the library folder), its manual pages read, and
# GIO, through which file managers look, takes a MASTER for its MIME type and opens it with Tickvane.
set -u
source=${1:?source directory}
demo=$source/samples/demo
for tool in dpkg-deb dpkg-shlibdeps lintian desktop-file-validate update-desktop-database \
    appstreamcli update-mime-database gio man; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$source/scripts/package.sh" >"$scratch/package.log" 2>&1 || { cat "$scratch/package.log"; exit 1; }
deb=$(tail -n 1 "$scratch/package.log")
echo "package: $deb"

# Lintian: errors fail the test, warnings are only shown. (It warns when run as root.)
lintian --tag-display-limit 0 "$deb" >"$scratch/lintian" 2>/dev/null
cat "$scratch/lintian"
grep -q '^E: ' "$scratch/lintian" && fail "lintian reports errors"

# The files, where the desktop, man and the shells look for them.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)
want=$(cat <<EOF2 | sort
./usr/bin/tickvane
./usr/bin/tickvane-cli
./usr/lib/$multiarch/tickvane/libtickvane-imageexport.so
./usr/share/applications/tickvane.desktop
./usr/share/bash-completion/completions/tickvane-cli
./usr/share/doc/tickvane/changelog.gz
./usr/share/doc/tickvane/copyright
$(for size in 16 22 24 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/tickvane.png"; done)
./usr/share/icons/hicolor/scalable/apps/tickvane.svg
./usr/share/man/man1/tickvane-cli.1.gz
./usr/share/man/man1/tickvane.1.gz
./usr/share/metainfo/example.tickvane.Tickvane.metainfo.xml
./usr/share/mime/packages/tickvane.xml
./usr/share/zsh/vendor-completions/_tickvane-cli
EOF2
)
got=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
[ "$got" = "$want" ] || fail "the files: $(diff <(echo "$want") <(echo "$got"))"

# Dependencies computed from the binaries.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6svg6 libqt6printsupport6 libsqlite3-0 libc6; do
    [[ $depends == *"$library "* ]] || fail "Depends lacks $library: $depends"
done

root=$scratch/root
dpkg -x "$deb" "$root" || fail "dpkg -x"
share=$root/usr/share
desktop-file-validate "$share/applications/tickvane.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/example.tickvane.Tickvane.metainfo.xml" \
    >"$scratch/appstream" 2>&1 || { cat "$scratch/appstream"; fail "appstreamcli validate"; }
grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\" date=\"[0-9-]*\"" \
    "$share/metainfo/example.tickvane.Tickvane.metainfo.xml" || fail "the metadata's release"
for shot in $(grep -o 'screenshots/[a-z]*\.png' "$share/metainfo/example.tickvane.Tickvane.metainfo.xml"); do
    [ -f "$source/res/$shot" ] || fail "the screenshot $shot is not in res/"
done

# The MIME type: MASTER, EMASTER and XMASTER by name in any case, XMASTER by its first bytes under
# any name; the desktop entry opens it.
update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database"
update-desktop-database "$share/applications" || fail "update-desktop-database"
type=application/x-metastock-index
desktop() {
    PATH=$root/usr/bin:$PATH XDG_DATA_DIRS=$share:/usr/share XDG_DATA_HOME=$scratch/none \
        XDG_CONFIG_HOME=$scratch/none "$@"
}
mkdir "$scratch/folder"
for name in MASTER master Emaster XMASTER; do cp "$demo/MASTER" "$scratch/folder/$name"; done
printf '\x5d\xfe\x58\x4d' | dd of="$scratch/folder/XMASTER" conv=notrunc 2>/dev/null
cp "$scratch/folder/XMASTER" "$scratch/folder/index.bin"
for name in MASTER master Emaster XMASTER index.bin; do
    got=$(desktop gio info -a standard::content-type "$scratch/folder/$name" | awk '/content-type/ { print $2 }')
    [ "$got" = "$type" ] || fail "$name is taken for $got"
done
desktop gio mime "$type" | grep -q "^Default application for .*: tickvane.desktop$" ||
    fail "no default application for $type: $(desktop gio mime "$type")"

# The programs as installed.
cli=$root/usr/bin/tickvane-cli
"$cli" list "$demo" >/dev/null || fail "tickvane-cli list"
"$cli" render "$demo/MASTER" --size 200x150 -o "$scratch/chart.png" 2>"$scratch/render" ||
    fail "tickvane-cli render finds no image export: $(cat "$scratch/render")"
[ -s "$scratch/chart.png" ] || fail "no chart drawn"
"$cli" export "$demo" --format sqlite -o "$scratch/demo.db" || fail "tickvane-cli export --format sqlite"
"$root/usr/bin/tickvane" --version | grep -q "^tickvane $(dpkg-deb -f "$deb" Version)$" ||
    fail "tickvane --version"
for page in tickvane tickvane-cli; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>"$scratch/man" |
        grep -q '^SYNOPSIS' || fail "man $page"
    [ -s "$scratch/man" ] && fail "man $page warns: $(head -3 "$scratch/man")"
done
bash -c 'source "$1"; complete -p tickvane-cli' _ "$share/bash-completion/completions/tickvane-cli" \
    >/dev/null || fail "the bash completion"

[ "$failures" -eq 0 ] && echo "package: all checks passed"
exit "$failures"
