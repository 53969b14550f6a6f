#!/usr/bin/env bash
# Installs this build into a temporary prefix and checks what a school's machine receives: the
# program and its sound module, the desktop entry, the icons and the AppStream metadata, valid
# for desktop-file-validate and appstreamcli. Then builds the Debian package from the same
# binaries with cpack and checks its files and its dependencies.
#
#   check_install.sh BUILD_DIR LIBDIR VERSION
set -euo pipefail
build="$1" libdir="$2" version="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
ok() { echo "ok: $*"; }

id=fr.tivane.Tivane
sizes=(16 24 32 48 64 128 256)
files=(bin/tivane "$libdir/tivane/libtivane_sound.so" "share/applications/$id.desktop"
       "share/metainfo/$id.metainfo.xml" share/icons/hicolor/scalable/apps/tivane.svg)
for size in "${sizes[@]}"; do files+=("share/icons/hicolor/${size}x${size}/apps/tivane.png"); done

# --- cmake --install ---------------------------------------------------------------------------
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
for f in "${files[@]}"; do [ -f "$prefix/$f" ] || fail "not installed: $f"; done
ok "${#files[@]} files installed"

[ "$("$prefix/bin/tivane" --version)" = "Tivane $version" ] || fail "the installed program does not start"
if ldd "$prefix/$libdir/tivane/libtivane_sound.so" | grep -q "not found"; then fail "the sound module lacks a library"; fi
ok "the installed program runs; its sound module's libraries are all found"

for size in "${sizes[@]}"; do
    got=$(identify -format '%wx%h %[channels]' "$prefix/share/icons/hicolor/${size}x${size}/apps/tivane.png")
    [ "$got" = "${size}x${size} srgba" ] || fail "icon ${size}x${size} is $got"
done
grep -q 'viewBox="0 0 256 256"' "$prefix/share/icons/hicolor/scalable/apps/tivane.svg" || fail "the SVG icon has no viewBox"
ok "icons at ${sizes[*]} pixels and scalable"

entry="$prefix/share/applications/$id.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate"
for line in 'Name=Tivane' 'Exec=tivane' 'Icon=tivane' 'Type=Application'; do
    grep -qx "$line" "$entry" || fail "the desktop entry lacks $line"
done
categories=$(sed -n 's/^Categories=//p' "$entry")
for c in Education Game KidsGame; do [[ ";$categories" == *";$c;"* ]] || fail "category $c missing"; done
grep -q '^Comment=.*école' "$entry" || fail "the desktop entry has no French comment"
ok "desktop entry valid"

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
for want in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" '<binary>tivane</binary>' \
            '<content_rating type="oars-1.1"' '<screenshot type="default">' "<release version=\"$version\""; do
    grep -qF "$want" "$metainfo" || fail "the metainfo lacks $want"
done
ok "AppStream metainfo valid"

# --- cpack -G DEB, from the same build --------------------------------------------------------
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/deb/tivane_"$version"_*.deb)
[ -f "${debs[0]}" ] || fail "no package tivane_${version}_*.deb"
deb="${debs[0]}"
dpkg-deb --contents "$deb" | awk '{ print $NF }' > "$work/contents"
for f in "${files[@]}"; do grep -qx "./usr/$f" "$work/contents" || fail "the package lacks /usr/$f"; done
ok "package $(basename "$deb") holds the ${#files[@]} files"

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6multimedia6 \
               qt6-translations-l10n qt6-image-formats-plugins fonts-liberation; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package"
done
ok "dependencies computed from the libraries, and the run-time ones"
