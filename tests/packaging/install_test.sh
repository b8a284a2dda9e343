#!/bin/sh
# install_test.sh BUILD_DIR WITH_GUI VERSION
# `cmake --install` into a fresh prefix yields every file of the install, the installed
# programs run, and the desktop entries, metainfo and MIME package pass their validators (each
# check skipped when its tool is not installed).
set -u
build=$1
with_gui=$2
version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}
skip() {
    echo "$1 is not installed: $2 skipped"
}

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    echo "FAIL: cmake --install failed (is everything built?)"
    exit 1
fi
rm -f "$prefix.log"

expected="bin/moldrin-batch bin/quellon-batch
share/man/man1/moldrin-batch.1.gz share/man/man1/quellon-batch.1.gz"
if [ "$with_gui" = ON ]; then
    expected="$expected bin/moldrin bin/quellon
share/applications/org.moldrin.Moldrin.desktop share/applications/org.moldrin.Quellon.desktop
share/mime/packages/moldrin.xml share/metainfo/org.moldrin.Moldrin.metainfo.xml
share/icons/hicolor/scalable/apps/moldrin.svg share/icons/hicolor/scalable/apps/quellon.svg"
    for size in 16 32 48 64 128 256; do
        expected="$expected share/icons/hicolor/${size}x${size}/apps/moldrin.png"
        expected="$expected share/icons/hicolor/${size}x${size}/apps/quellon.png"
    done
fi
for file in $expected; do
    [ -s "$prefix/$file" ] || fail "$file was not installed"
done
for program in moldrin-batch quellon-batch; do
    [ -x "$prefix/bin/$program" ] || continue
    [ "$("$prefix/bin/$program" --version)" = "$program $version" ] ||
        fail "the installed $program does not say its version"
done
if [ -x "$prefix/bin/moldrin" ]; then
    [ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/moldrin" --version)" = "moldrin $version" ] ||
        fail "the installed moldrin does not say its version"
fi

if [ "$with_gui" = ON ]; then
    # Each PNG is a picture of its size.
    if command -v file >/dev/null 2>&1; then
        for size in 16 32 48 64 128 256; do
            for icon in moldrin quellon; do
                png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
                file -b "$png" | grep -q "PNG image data, $size x $size," ||
                    fail "$icon.png of ${size}x${size} is $(file -b "$png")"
            done
        done
    else
        skip file "the icon size check"
    fi

    grep -q '^Exec=moldrin %f$' "$prefix/share/applications/org.moldrin.Moldrin.desktop" ||
        fail "the editor's entry does not take a file"
    grep -q '^MimeType=.*model/x-mdl;' "$prefix/share/applications/org.moldrin.Moldrin.desktop" ||
        fail "the editor's entry does not name the MDL type"
    grep -q '^MimeType=.*model/x-mdx;' "$prefix/share/applications/org.moldrin.Moldrin.desktop" ||
        fail "the editor's entry does not name the MDX type"

    if command -v desktop-file-validate >/dev/null 2>&1; then
        for entry in "$prefix"/share/applications/*.desktop; do
            desktop-file-validate "$entry" || fail "desktop-file-validate refuses $(basename "$entry")"
        done
    else
        skip desktop-file-validate "the desktop entry check"
    fi

    if command -v appstreamcli >/dev/null 2>&1; then
        appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml >"$prefix/appstream.log" 2>&1 ||
            fail "appstreamcli refuses the metainfo: $(cat "$prefix/appstream.log")"
    else
        skip appstreamcli "the metainfo check"
    fi

    # Built into a database of its own, the MIME package maps both names and the MDX magic.
    if command -v update-mime-database >/dev/null 2>&1; then
        mime="$prefix/share/mime"
        if update-mime-database "$mime" >"$prefix/mime.log" 2>&1; then
            grep -q ':model/x-mdl:\*\.mdl' "$mime/globs2" || fail "*.mdl is not model/x-mdl"
            grep -q ':model/x-mdx:\*\.mdx' "$mime/globs2" || fail "*.mdx is not model/x-mdx"
            grep -q 'MDLX' "$mime/magic" || fail "the MDLX magic is missing"
            [ -f "$mime/model/x-mdx.xml" ] || fail "model/x-mdx has no compiled entry"
        else
            fail "update-mime-database refuses the MIME package: $(cat "$prefix/mime.log")"
        fi
    else
        skip update-mime-database "the MIME package check"
    fi
fi

[ "$failed" -eq 0 ] || exit 1
echo "the install holds all $(echo "$expected" | wc -w) files"
