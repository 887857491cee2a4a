#!/usr/bin/env bash
# The Debian package made from a built tree holds everything zwmap installs, and each file
# passes the check the desktop itself would make of it: the desktop entry, the AppStream
# metainfo, the man page, the session file type (found by name and by content) and the icons;
# the packaged binary runs and tells the project's version. Any tool that fails fails this.
#   test_package.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1
cmake=$(dirname "$cpack")/cmake
build=$2
version=$3
id=io.github.zwmap.zwmap

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for tool in "$cpack" "$cmake" dpkg dpkg-deb desktop-file-validate appstreamcli man xmllint \
    update-mime-database gio file; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done
[ -f "$build/CPackConfig.cmake" ] || fail "$build is not a configured build tree"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The package, from what this tree has already built. cpack by itself would first bring the
# whole tree up to date; here `cmake --install` puts the files in place (what a plain install
# gives) and cpack packs them, with the tree's own package settings.
DESTDIR=$tmp/stage "$cmake" --install "$build" --prefix /usr --strip >"$tmp/install.log" 2>&1 || {
    cat "$tmp/install.log" >&2
    fail "cmake --install failed"
}
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" \
    -D CPACK_INSTALL_CMAKE_PROJECTS= -D "CPACK_INSTALLED_DIRECTORIES=$tmp/stage;." \
    >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log" >&2
    fail "cpack could not make the package"
fi
deb=$tmp/out/zwmap_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack wrote: $(ls "$tmp/out")"

# The control fields.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = zwmap ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Section)" = math ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb cannot read the package's control"
[ "$(field Description | grep -c .)" -ge 2 ] || fail "no summary and long description"
[ -z "$(field Description | awk 'length > 80')" ] || fail "the description has lines over 80"
# The libraries come from the binary (dpkg-shlibdeps), the platform plugin from the list.
[[ $(field Recommends) == *qt6-translations-l10n* ]] ||
    fail "Recommends lacks qt6-translations-l10n (Qt's own German): '$(field Recommends)'"
depends=$(field Depends)
for needed in libc6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# Every file, under /usr.
dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./||' >"$tmp/contents"
files=(
    usr/bin/zwmap
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/mime/packages/$id.xml"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
    "usr/share/icons/hicolor/48x48/apps/$id.png"
    "usr/share/icons/hicolor/128x128/apps/$id.png"
    usr/share/man/man1/zwmap.1
)
for f in "${files[@]}"; do
    grep -qxF "$f" "$tmp/contents" || fail "the package lacks $f"
done
if grep -v '^usr/' "$tmp/contents" | grep -v '^$' >&2; then
    fail "the package puts the files above outside /usr"
fi

root=$tmp/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack the package"
share=$root/usr/share

# The desktop entry: valid without even a hint, opening a session given to it, with the icon.
desktop=$share/applications/$id.desktop
desktop-file-validate "$desktop" >"$tmp/dfv" 2>&1 || true
if [ -s "$tmp/dfv" ]; then
    cat "$tmp/dfv" >&2
    fail "desktop-file-validate objects to the desktop entry"
fi
for line in "Exec=zwmap %f" "Icon=$id" "MimeType=application/x-zwmap-session;"; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks the line $line"
done

# The metainfo: valid, naming the same id, the desktop entry and this version.
metainfo=$share/metainfo/$id.metainfo.xml
if ! appstreamcli validate --no-net "$metainfo" >"$tmp/as" 2>&1; then
    cat "$tmp/as" >&2
    fail "appstreamcli validate rejects the metainfo"
fi
xpath() { xmllint --xpath "$1" "$2" 2>/dev/null || true; }
[ "$(xpath 'string(/component/id)' "$metainfo")" = "$id" ] || fail "the metainfo's id is not $id"
[ "$(xpath 'string(/component/launchable)' "$metainfo")" = "$id.desktop" ] ||
    fail "the metainfo does not launch $id.desktop"
[ "$(xpath 'string(/component/releases/release[1]/@version)' "$metainfo")" = "$version" ] ||
    fail "the metainfo's latest release is not $version"
[ "$(xpath 'string(/component/provides/binary)' "$metainfo")" = zwmap ] ||
    fail "the metainfo does not provide the binary zwmap"

# The man page renders without a warning and has the hand-written sections.
page=$share/man/man1/zwmap.1
MANWIDTH=80 man --warnings -l "$page" >"$tmp/man.txt" 2>"$tmp/man.err" ||
    fail "man cannot render the page"
if [ -s "$tmp/man.err" ]; then
    cat "$tmp/man.err" >&2
    fail "man warns about the page"
fi
for heading in NAME SYNOPSIS OPTIONS "SESSION FILES" "KEYS AND MOUSE" FILES; do
    grep -qx "$heading" "$tmp/man.txt" || fail "the man page has no section $heading"
done
grep -q -- '--export' "$tmp/man.txt" || fail "the man page lacks the options from --help"

# The file type: well-formed, taken by the desktop's database, which then tells a session by
# its name and, without the name, by its first line; other JSON stays what it was.
mime=$share/mime/packages/$id.xml
xmllint --noout "$mime" || fail "the file type's XML is not well-formed"
mkdir -p "$tmp/data/mime/packages"
cp "$mime" "$tmp/data/mime/packages/"
update-mime-database "$tmp/data/mime" >/dev/null 2>"$tmp/umd.err" || {
    cat "$tmp/umd.err" >&2
    fail "update-mime-database rejects the file type"
}
# Laid out as zwmap writes a session (the unit tests check that it does).
printf '{\n "format": "zwmap-session",\n "version": 1\n}\n' >"$tmp/saved.zwmap"
cp "$tmp/saved.zwmap" "$tmp/saved-without-suffix"
printf '{\n "format": "something-else",\n "version": 1\n}\n' >"$tmp/other"
typeof() {
    XDG_DATA_HOME=$tmp/home XDG_DATA_DIRS=$tmp/data:/usr/share \
        gio info --attributes=standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
}
for f in saved.zwmap saved-without-suffix; do
    [ "$(typeof "$tmp/$f")" = application/x-zwmap-session ] ||
        fail "$f is taken for $(typeof "$tmp/$f"), not a session"
done
[ "$(typeof "$tmp/other")" != application/x-zwmap-session ] || fail "any JSON is taken for a session"

# The icons: the drawing and the two sizes made from it.
xmllint --noout "$share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon is not well-formed"
for n in 48 128; do
    file "$share/icons/hicolor/${n}x$n/apps/$id.png" | grep -q "PNG image data, $n x $n," ||
        fail "the ${n}x$n icon is not a $n by $n PNG"
done

# The packaged binary runs and tells the project's version.
said=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/zwmap" --version) || fail "the packaged zwmap does not run"
[ "$said" = "zwmap $version" ] || fail "the packaged zwmap says '$said', not 'zwmap $version'"
echo "package.deb: $(basename "$deb") holds ${#files[@]} files, all valid"
