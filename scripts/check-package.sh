#!/usr/bin/env bash
# Checks a built package (scripts/package.sh): its file list, its dependencies, stripped programs,
# and the desktop entry and software-centre entry it ships (desktop-file-validate, appstreamcli).
# Run as root where apt can install it from what is already on the machine, it also installs the
# package, runs the installed programs (vornik-cli must load the canvas module from /usr/lib) and
# removes it with `apt-get remove`, checking that no file is left behind. It skips that part, with
# a note, when it would fetch or change any other package or when vornik is installed already.
#
#   scripts/check-package.sh build-package/vornik_*.deb
set -euo pipefail
deb="$(realpath "$1")"
fail() {
    echo "check-package: FAILED: $*" >&2
    exit 1
}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The file list: each expected file exactly once, nothing else.
mapfile -t files < <(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#' | grep -v '/$' | sort)
expected=(
    /usr/bin/vornik
    /usr/bin/vornik-cli
    '/usr/lib/*-linux-gnu*/vornik/vornik_headless_canvas.so'
    /usr/share/applications/vornik.desktop
    /usr/share/doc/vornik/changelog.gz
    /usr/share/doc/vornik/copyright
    /usr/share/icons/hicolor/scalable/apps/vornik.svg
    /usr/share/man/man1/vornik.1.gz
    /usr/share/man/man1/vornik-cli.1.gz
    '/usr/share/metainfo/*.metainfo.xml'
    /usr/share/vornik/HELP.htm
)
for pattern in "${expected[@]}"; do
    n=0
    for f in "${files[@]}"; do
        # shellcheck disable=SC2053  # the pattern is a glob on purpose
        [[ $f == $pattern ]] && n=$((n + 1))
    done
    [ "$n" = 1 ] || fail "$pattern is in the package $n times"
done
for f in "${files[@]}"; do
    known=no
    for pattern in "${expected[@]}"; do
        # shellcheck disable=SC2053
        [[ $f == $pattern ]] && known=yes
    done
    [ "$known" = yes ] || fail "unexpected file in the package: $f"
done
echo "check-package: ${#files[@]} files as expected"

# Dependencies: what the programs use without linking to it, and the libraries dpkg-shlibdeps found.
depends="$(dpkg-deb -f "$deb" Depends)"
mapfile -t names < <(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for need in qt6-translations-l10n fonts-liberation xdg-utils \
    libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libjpeg62-turbo libc6 libstdc++6; do
    printf '%s\n' "${names[@]}" | grep -qx "$need" || fail "Depends lacks $need: $depends"
done
echo "check-package: Depends: $depends"

dpkg-deb -x "$deb" "$work/root"
for program in "$work"/root/usr/bin/* "$work"/root/usr/lib/*/vornik/*.so; do
    if readelf -S --wide "$program" | grep -qE ' \.(symtab|debug_info) '; then
        fail "$program is not stripped"
    fi
done

# Built with the hardening flags: read-only relocations bound at start, the stack protector and
# the checked (_FORTIFY_SOURCE) forms of the C library's functions.
for program in "$work"/root/usr/bin/* "$work"/root/usr/lib/*/vornik/*.so; do
    grep -q 'GNU_RELRO' <<<"$(readelf -lW "$program")" || fail "$program has no RELRO segment"
    grep -qE 'BIND_NOW|FLAGS.*NOW' <<<"$(readelf -dW "$program")" || fail "$program is not linked with -z now"
    symbols="$(readelf --dyn-syms -W "$program")"
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program has no stack protector"
    checked="$(grep -oE ' __[a-z0-9_]+_chk\b' <<<"$symbols" | grep -v '__stack_chk_fail' || true)"
    [ -n "$checked" ] || fail "$program calls no checked (_FORTIFY_SOURCE) C library function"
done
echo "check-package: programs built with RELRO, BIND_NOW, stack protector and FORTIFY"

# Debian's package checker: no error and no warning. Two information tags stay:
# binary-has-unneeded-section (the .comment section that cpack's strip keeps: it
# holds the compiler's name, nothing of the user's) and
# package-contains-documentation-outside-usr-share-doc (/usr/share/vornik/HELP.htm is the help
# page the program opens itself, so it lives with the program's data).
lintian_out="$(lintian --display-info --fail-on error,warning "$deb" 2>&1)" ||
    fail "lintian: $lintian_out"
if grep -E '^[EW]: ' <<<"$lintian_out"; then
    fail "lintian reports errors or warnings"
fi
if grep -q 'hardening-' <<<"$lintian_out"; then
    fail "lintian: $lintian_out"
fi
echo "check-package: lintian: no errors, no warnings${lintian_out:+; information: }$(grep -oE '^I: [^ ]+ [^ ]+' <<<"$lintian_out" | awk '{print $3}' | sort -u | tr '\n' ' ')"

# The validators from Debian, on the files as shipped.
desktop_out="$(desktop-file-validate "$work/root/usr/share/applications/vornik.desktop" 2>&1)" ||
    fail "desktop-file-validate: $desktop_out"
[ -z "$desktop_out" ] || fail "desktop-file-validate: $desktop_out"
appstreamcli validate-tree --no-net --explain "$work/root" || fail "appstreamcli validate-tree"
echo "check-package: desktop entry and metainfo valid"

# Install, use and remove, only where that cannot disturb the machine.
skip() {
    echo "check-package: install test skipped: $*"
    exit 0
}
[ "$(id -u)" = 0 ] || skip "not root"
if dpkg-query -W -f='${db:Status-Status}' vornik 2>/dev/null | grep -qv '^not-installed$'; then
    skip "a vornik package is on this machine already"
fi
plan="$(apt-get install --simulate --no-install-recommends "$deb" 2>&1)" || skip "apt cannot plan it: $plan"
others="$(grep -E '^(Inst|Remv|Conf|Purg) ' <<<"$plan" | awk '$2 != "vornik"' || true)"
[ -z "$others" ] || skip "it would change other packages: $others"

mapfile -t before < <(find /usr/bin /usr/lib /usr/share/applications /usr/share/doc /usr/share/icons/hicolor \
    /usr/share/man/man1 /usr/share/metainfo /usr/share -maxdepth 1 2>/dev/null | sort -u)
removed=no
cleanup() {
    [ "$removed" = yes ] || apt-get remove -y -o DPkg::Lock::Timeout=300 vornik >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=300 "$deb" >"$work/install.log" 2>&1 ||
    fail "apt-get install: $(cat "$work/install.log")"
for program in vornik vornik-cli; do
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY "/usr/bin/$program" --version)" || fail "installed $program --version"
    [[ $out == "$program "* ]] || fail "installed $program --version printed: $out"
done
LD_DEBUG=files /usr/bin/vornik-cli --r1 10 --r2 10 --r3 10 --diagram normal:U --out "$work/d.png" \
    >/dev/null 2>"$work/ld.log" || fail "installed vornik-cli could not draw: $(tail -3 "$work/ld.log")"
module="$(grep -oE 'file=[^ ]*vornik_headless_canvas\.so' "$work/ld.log" | head -1 | cut -d= -f2)"
[[ -n $module && $(realpath "$module") == /usr/lib/*/vornik/vornik_headless_canvas.so ]] ||
    fail "installed vornik-cli loaded the canvas module from '${module}', not from /usr/lib"
[ -s "$work/d.png" ] || fail "installed vornik-cli wrote no picture"

apt-get remove -y -o DPkg::Lock::Timeout=300 vornik >"$work/remove.log" 2>&1 ||
    fail "apt-get remove: $(cat "$work/remove.log")"
removed=yes
for f in "${files[@]}" /usr/share/vornik /usr/share/doc/vornik /usr/lib/*-linux-gnu*/vornik; do
    [ ! -e "$f" ] || fail "left behind after apt-get remove: $f"
done
mapfile -t after < <(find /usr/bin /usr/lib /usr/share/applications /usr/share/doc /usr/share/icons/hicolor \
    /usr/share/man/man1 /usr/share/metainfo /usr/share -maxdepth 1 2>/dev/null | sort -u)
new="$(comm -13 <(printf '%s\n' "${before[@]}") <(printf '%s\n' "${after[@]}"))"
[ -z "$new" ] || fail "new files after install and remove: $new"
status="$(dpkg-query -W -f='${db:Status-Status}' vornik 2>/dev/null || echo not-installed)"
[ "$status" = not-installed ] || fail "after apt-get remove the package is '$status'"
echo "check-package: installed with apt-get, programs ran, removed without leftovers"
