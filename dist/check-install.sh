#!/usr/bin/env bash
# Checks an installation the way the desktop and Debian tools see it:
#   check-install.sh BUILD_DIR APP_ID
# installs the build into a staging folder, validates the desktop entry,
# metainfo, mime package and icons, checks that a design file is recognised,
# that the manual page renders cleanly and agrees with --help and --version,
# then builds the Debian package, checks its contents and runs lintian on it.
set -euo pipefail
build="$1"
id="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
umask 022
export LC_ALL=C.UTF-8

fail() {
    echo "install check: $*" >&2
    exit 1
}
step() {
    echo "-- $*"
}

stage="$work/stage"
share="$stage/usr/share"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
nacreform="$stage/usr/bin/nacreform"
manpage="$share/man/man1/nacreform.1.gz"

expected=(
    usr/bin/nacreform
    "usr/share/applications/$id.desktop"
    "usr/share/mime/packages/$id.xml"
    "usr/share/metainfo/$id.metainfo.xml"
    usr/share/man/man1/nacreform.1.gz
    usr/share/doc/nacreform/copyright
    usr/share/doc/nacreform/changelog.gz
    usr/lib/systemd/system/nacreform-server.service
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
    usr/share/icons/hicolor/scalable/mimetypes/application-x-nacreform-design.svg
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png"
               "usr/share/icons/hicolor/${size}x$size/mimetypes/application-x-nacreform-design.png")
done

step "staged files"
for file in "${expected[@]}"; do
    [ -f "$stage/$file" ] || fail "not installed: $file"
done
for png in "$share"/icons/hicolor/*x*/*/*.png; do
    side="$(basename "$(dirname "$(dirname "$png")")")"
    size="$(od -An -tu1 -j16 -N8 "$png" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }')"
    [ "$size" = "$side" ] || fail "$png is $size pixels, not $side"
done

step "front-end modules"
for module in editor server; do
    compgen -G "$stage/usr/lib*/nacreform/nacreform-$module.so" >/dev/null \
        || compgen -G "$stage/usr/lib/*/nacreform/nacreform-$module.so" >/dev/null \
        || fail "not installed: the $module module"
done
# The server's module answers a command line it cannot use (exit code 2);
# one it could not load would give 1.
status=0
"$nacreform" --serve >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "the staged program does not load its server module (exit code $status)"

step "desktop-file-validate"
desktop-file-validate "$share/applications/$id.desktop"
step "appstreamcli validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
step "xmllint"
xmllint --noout "$share/mime/packages/$id.xml" "$share/metainfo/$id.metainfo.xml" \
    "$share"/icons/hicolor/scalable/*/*.svg

step "systemd unit"
unit="$stage/usr/lib/systemd/system/nacreform-server.service"
grep -qx 'ExecStart=/usr/bin/nacreform --serve 127.0.0.1:8080 --cache-size 64M' "$unit" \
    || fail "the unit does not start the server on 127.0.0.1:8080"
for setting in DynamicUser=yes ProtectSystem=strict NoNewPrivileges=yes; do
    grep -qx "$setting" "$unit" || fail "the unit lacks $setting"
done
grep -q '^MemoryMax=' "$unit" || fail "the unit has no MemoryMax="
# Verified where it can find the staged program; any remark (an unknown key,
# a missing program) fails.
sed "s|^ExecStart=/usr/bin/nacreform|ExecStart=$nacreform|" "$unit" >"$work/nacreform-server.service"
remarks="$(systemd-analyze verify --man=no "$work/nacreform-server.service" 2>&1)" \
    || fail "systemd-analyze verify failed: $remarks"
[ -z "$remarks" ] || fail "systemd-analyze verify: $remarks"

step "design file type"
XDG_DATA_DIRS="$share:/usr/share" update-mime-database "$share/mime"
"$nacreform" --save "$work/sample.nfd" >/dev/null
cp "$work/sample.nfd" "$work/sample-without-extension"
for sample in sample.nfd sample-without-extension; do
    type="$(XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$share:/usr/share" GIO_USE_VFS=local \
        gio info -a standard::content-type "$work/$sample" | sed -n 's/^ *standard::content-type: //p')"
    [ "$type" = application/x-nacreform-design ] || fail "$sample is recognised as '$type'"
done

step "manual page"
warnings="$(MANWIDTH=80 man --warnings -l "$manpage" 2>&1 >/dev/null)"
[ -z "$warnings" ] || fail "man reports: $warnings"

# "SIGNATURE<tab>DESCRIPTION" of every option, from lines where a signature
# starts at column indent and its description follows two spaces later or on
# the next lines.
option_pairs() {
    awk -v indent="$1" '
        function flush() { if (signature != "") print signature "\t" description; signature = "" }
        {
            gsub(/\xe2\x88\x92|\xe2\x80\x90/, "-")
            gsub(/\xe2\x80\x99/, "\047")
            text = substr($0, indent + 1)
            if (substr($0, 1, indent) ~ /^ *$/ && text ~ /^-/) {
                flush()
                gap = index(text, "  ")
                signature = gap ? substr(text, 1, gap - 1) : text
                description = gap ? substr(text, gap) : ""
            } else if (signature != "" && $0 ~ /^ +[^ ]/) {
                description = description " " $0
            } else {
                flush()
            }
            gsub(/ +/, " ", description)
            sub(/^ /, "", description)
        }
        END { flush() }'
}
help_options="$("$nacreform" --help | sed -n '/^Options:/,$p' | option_pairs 2)"
man_options="$(MANWIDTH=1000 man -l "$manpage" 2>/dev/null | col -bx \
    | sed -n '/^OPTIONS/,/^[A-Z]/p' | option_pairs 7)"
[ -n "$help_options" ] || fail "--help lists no options"
[ "$help_options" = "$man_options" ] \
    || fail "--help and the manual page differ:"$'\n'"$(diff <(echo "$help_options") <(echo "$man_options"))"
read -r _ version date < <("$nacreform" --version)
date="${date#(}"
date="${date%)}"
header="$(zcat "$manpage" | grep '^\.TH ')"
[ "$header" = ".TH NACREFORM 1 \"$date\" \"Nacreform $version\" \"User Commands\"" ] \
    || fail "--version says $version of $date, the manual page: $header"

step "Debian package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
debs=("$work"/package/nacreform_*.deb)
deb="${debs[0]}"
[ -f "$deb" ] || fail "cpack made no package"
contents="$(dpkg-deb -c "$deb" | awk '{ print $6 }')"
for file in "${expected[@]}"; do
    grep -qx "\./$file" <<<"$contents" || fail "not in the package: $file"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6widgets6 libmicrohttpd12 qt6-qpa-plugins qt6-image-formats-plugins fonts-noto-cjk; do
    grep -q "\b$package\b" <<<"$depends" || fail "the package does not depend on $package: $depends"
done
dpkg-deb -x "$deb" "$work/unpacked"
[ "$("$work/unpacked/usr/bin/nacreform" --version)" = "$("$nacreform" --version)" ] \
    || fail "the packaged program lost its version record"
step "lintian $(basename "$deb")"
lintian --fail-on error --allow-root "$deb"
echo "install check passed"
