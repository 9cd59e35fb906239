#!/usr/bin/env bash
# The Debian package, one step per call:
#   build    configures the game alone with GoogleTest and Google Benchmark
#            hidden, as on a machine without them, builds it and runs cpack;
#   contents checks the package's files, control fields, menu entry, AppStream
#            metadata, manual page and copyright file;
#   lintian  runs lintian on it (skipped where lintian is missing): no errors;
#   install  as root, installs it with apt, starts the installed game and
#            purges it again, leaving nothing behind (skipped when not root).
set -euo pipefail
: "${LUMO_SOURCE_DIR:?}" "${LUMO_PACKAGE_DIR:?}" "${LUMO_VERSION:?}"
STEP=${1:?build, contents, lintian or install}
SCRATCH=$(mktemp -d /tmp/lumo-package-XXXXXX)
trap 'rm -rf "$SCRATCH"' EXIT

fail() {
    echo "FAIL (package $STEP): $*" >&2
    exit 1
}

skip() {
    echo "SKIP (package $STEP): $*"
    exit 0
}

the_package() {
    local found=("$LUMO_PACKAGE_DIR"/lumo_"$LUMO_VERSION"_*.deb)
    [[ -f ${found[0]} ]] || fail "no lumo_${LUMO_VERSION}_*.deb in $LUMO_PACKAGE_DIR"
    echo "${found[0]}"
}

# Runs an installed launcher with --version in a scratch home, when the program
# has that option: it must print the project's version and start no window.
check_version_option() {
    local launcher=$1 program=$2 out
    if ! grep -aq -- "--version" "$program"; then
        echo "SKIP (package $STEP): the program has no --version option yet; $launcher not started"
        return
    fi
    out=$(env -u DISPLAY HOME="$SCRATCH/home" timeout 20 "$launcher" --version 2>&1) ||
        fail "$launcher --version failed: $out"
    [[ $out == *"$LUMO_VERSION"* ]] || fail "$launcher --version printed '$out', not the version $LUMO_VERSION"
}

build() {
    cmake -S "$LUMO_SOURCE_DIR" -B "$LUMO_PACKAGE_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMO_TESTS=OFF \
        -DCMAKE_DISABLE_FIND_PACKAGE_GTest=TRUE -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=TRUE \
        >"$SCRATCH/configure.log" 2>&1 || fail "configure without the test libraries failed: $(tail -5 "$SCRATCH/configure.log")"
    cmake --build "$LUMO_PACKAGE_DIR" -j2 --target lumo >"$SCRATCH/build.log" 2>&1 ||
        fail "building the game alone failed: $(tail -20 "$SCRATCH/build.log")"
    rm -f "$LUMO_PACKAGE_DIR"/lumo_*.deb
    (cd "$LUMO_PACKAGE_DIR" && cpack -G DEB) >"$SCRATCH/cpack.log" 2>&1 || fail "cpack failed: $(tail -20 "$SCRATCH/cpack.log")"
    echo "PASS: configured without GoogleTest and Google Benchmark, built the game, made $(basename "$(the_package)")"
}

contents() {
    local deb root field value lib owner size metainfo copyright
    deb=$(the_package)
    root="$SCRATCH/root"
    dpkg-deb -x "$deb" "$root"

    # Every file, and nothing else: the pictures as in the repository.
    (cd "$LUMO_SOURCE_DIR" && find Data -type f | sed 's|^|usr/share/games/lumo/|'
     cat <<EOF
usr/games/lumo
usr/lib/games/lumo/lumo
usr/share/games/lumo/01.txt
usr/share/games/lumo/02.txt
usr/share/games/lumo/03.txt
usr/share/applications/lumo.desktop
usr/share/icons/hicolor/48x48/apps/lumo.png
usr/share/icons/hicolor/64x64/apps/lumo.png
usr/share/icons/hicolor/128x128/apps/lumo.png
usr/share/icons/hicolor/256x256/apps/lumo.png
usr/share/icons/hicolor/scalable/apps/lumo.svg
usr/share/metainfo/org.example.lumo.metainfo.xml
usr/share/man/man6/lumo.6.gz
usr/share/doc/lumo/copyright
usr/share/doc/lumo/changelog.gz
EOF
    ) | sort >"$SCRATCH/expected"
    (cd "$root" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$SCRATCH/found"
    diff -u "$SCRATCH/expected" "$SCRATCH/found" >"$SCRATCH/files.diff" ||
        fail "the package's files differ from the expected list (- missing, + unexpected):
$(grep '^[-+][^-+]' "$SCRATCH/files.diff")"
    for file in 01.txt 02.txt 03.txt Data/Imagens/Menu/LMBanner.png; do
        cmp -s "$root/usr/share/games/lumo/$file" "$LUMO_SOURCE_DIR/$file" || fail "$file is not the shipped one"
    done
    for file in usr/games/lumo usr/lib/games/lumo/lumo; do
        [[ -x $root/$file ]] || fail "$file is not executable"
    done
    [[ $(stat -c %a "$root/usr/share/doc/lumo/copyright") == 644 ]] || fail "the copyright file is not mode 644"
    for size in 48 64 128 256; do
        value=$(identify -format '%m %wx%h' "$root/usr/share/icons/hicolor/${size}x$size/apps/lumo.png" 2>&1)
        [[ $value == "PNG ${size}x$size" ]] || fail "the ${size} pixel icon is '$value'"
    done
    grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/lumo.svg" || fail "the scalable icon is no SVG"

    # Control fields.
    for field in "Package lumo" "Version $LUMO_VERSION" "Section games" "Priority optional"; do
        value=$(dpkg-deb -f "$deb" "${field% *}")
        [[ $value == "${field#* }" ]] || fail "${field% *} is '$value', not '${field#* }'"
    done
    [[ $(dpkg-deb -f "$deb" Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "no maintainer name and address"
    [[ $(dpkg-deb -f "$deb" Description | wc -l) -ge 4 ]] || fail "the description has no long part"
    # Depends names the package of every library the program needs.
    dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$SCRATCH/depends"
    grep -qx libc6 "$SCRATCH/depends" || fail "Depends has no libc6: $(dpkg-deb -f "$deb" Depends)"
    ldd "$root/usr/lib/games/lumo/lumo" | awk '$2 == "=>" {print $1, $3}' >"$SCRATCH/ldd"
    for lib in $(readelf -d "$root/usr/lib/games/lumo/lumo" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        value=$(awk -v l="$lib" '$1 == l {print $2}' "$SCRATCH/ldd")
        [[ -n $value ]] || fail "the program's library $lib is not found: $(cat "$SCRATCH/ldd")"
        owner=$( (dpkg -S "$value" || dpkg -S "$(readlink -f "$value")") 2>/dev/null | head -1 | cut -d: -f1) || true
        [[ -n $owner ]] || continue  # a library from no package cannot be named
        grep -qx "$owner" "$SCRATCH/depends" || fail "Depends does not name $owner, the package of $lib: $(dpkg-deb -f "$deb" Depends)"
    done

    # Menu entry and software centre: valid, and telling the same story.
    desktop-file-validate "$root/usr/share/applications/lumo.desktop" >"$SCRATCH/desktop.log" 2>&1 ||
        fail "the menu entry is not valid: $(cat "$SCRATCH/desktop.log")"
    grep -qx 'Icon=lumo' "$root/usr/share/applications/lumo.desktop" || fail "the menu entry's icon is not lumo"
    metainfo="$root/usr/share/metainfo/org.example.lumo.metainfo.xml"
    appstreamcli validate --no-net "$metainfo" >"$SCRATCH/appstream.log" 2>&1 ||
        fail "the AppStream metadata is not valid: $(cat "$SCRATCH/appstream.log")"
    value=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1)
    [[ $value == "<release version=\"$LUMO_VERSION\"" ]] || fail "the newest AppStream release is $value, not $LUMO_VERSION"
    grep -q '<launchable type="desktop-id">lumo.desktop</launchable>' "$metainfo" || fail "the AppStream metadata does not launch lumo.desktop"
    value=$(sed -n 's/^Categories=//p' "$root/usr/share/applications/lumo.desktop")
    [[ $(grep -o '<category>[^<]*' "$metainfo" | sed 's/<category>//' | tr '\n' ';') == "$value" ]] ||
        fail "the AppStream categories are not the menu entry's $value"

    # The manual page renders without a warning, and names the version.
    LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$root/usr/share/man/man6/lumo.6.gz" >"$SCRATCH/man.out" 2>"$SCRATCH/man.log" ||
        fail "man could not render the manual page: $(cat "$SCRATCH/man.log")"
    [[ ! -s $SCRATCH/man.log ]] || fail "the manual page renders with warnings: $(cat "$SCRATCH/man.log")"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/usr/share/man/man6/lumo.6.gz" 2>/dev/null >"$SCRATCH/man.txt"
    grep -q "Lumo $LUMO_VERSION" "$SCRATCH/man.txt" || fail "the manual page does not name version $LUMO_VERSION"
    gzip -t "$root/usr/share/man/man6/lumo.6.gz" || fail "the manual page is not gzipped"

    value=$(zcat "$root/usr/share/doc/lumo/changelog.gz" | head -1)
    [[ $value == "lumo ($LUMO_VERSION) "* ]] || fail "the changelog's newest entry is '$value', not version $LUMO_VERSION"

    # Machine-readable copyright naming the game's and the fonts' licences.
    copyright="$root/usr/share/doc/lumo/copyright"
    head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "the copyright file is not in Debian's machine-readable format"
    for value in Expat CC-BY-4.0 OFL-1.1 Bitstream-Vera; do
        grep -qx "License: $value" "$copyright" || fail "the copyright file has no $value licence text"
    done
    # Each licence named on a Files paragraph has its text in a paragraph of its own.
    awk '/^Files:/ {f = 1} /^$/ {f = 0} f && /^License:/ {print $2}' "$copyright" | sort -u >"$SCRATCH/named"
    while read -r value; do
        [[ $(grep -cx "License: $value" "$copyright") -ge 2 ]] || fail "the licence $value has no text of its own"
    done <"$SCRATCH/named"

    # The launcher runs the program from the package's own layout.
    check_version_option "$root/usr/games/lumo" "$root/usr/lib/games/lumo/lumo"
    echo "PASS: files, control fields and Depends, menu entry, AppStream metadata, manual page, copyright"
}

run_lintian() {
    local deb
    command -v lintian >/dev/null || skip "lintian is not installed"
    deb=$(the_package)
    lintian --fail-on error --display-info "$deb" >"$SCRATCH/lintian.log" 2>&1 ||
        fail "lintian reports errors or could not run: $(cat "$SCRATCH/lintian.log")"
    cat "$SCRATCH/lintian.log"
    echo "PASS: lintian reports no errors"
}

install_and_purge() {
    local deb file
    [[ $(id -u) -eq 0 ]] || skip "not root: the package is not installed into this machine"
    if dpkg-query -W -f='${Status}' lumo 2>/dev/null | grep -q ' installed$'; then
        skip "a lumo package is installed on this machine already; it is left alone"
    fi
    deb=$(the_package)
    cp "$deb" "$SCRATCH/"  # a folder apt's own user can read
    chmod 755 "$SCRATCH"
    trap 'apt-get purge -y -qq lumo >/dev/null 2>&1 || true; rm -rf "$SCRATCH"' EXIT
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 \
        "$SCRATCH/$(basename "$deb")" >"$SCRATCH/install.log" 2>&1 || fail "apt could not install it: $(tail -5 "$SCRATCH/install.log")"
    [[ -x /usr/games/lumo && -x /usr/lib/games/lumo/lumo ]] || fail "no /usr/games/lumo and /usr/lib/games/lumo/lumo after installing"
    dpkg -L lumo >"$SCRATCH/installed"
    check_version_option /usr/games/lumo /usr/lib/games/lumo/lumo

    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=300 lumo >"$SCRATCH/purge.log" 2>&1 ||
        fail "apt could not purge it: $(tail -5 "$SCRATCH/purge.log")"
    ! dpkg-query -W lumo >/dev/null 2>&1 || fail "dpkg still knows lumo after the purge: $(dpkg-query -W lumo)"
    while read -r file; do
        if [[ -f $file || -L $file ]]; then fail "$file is left after the purge"; fi
    done <"$SCRATCH/installed"
    for file in /usr/games/lumo /usr/lib/games/lumo /usr/share/games/lumo /usr/share/doc/lumo; do
        [[ ! -e $file ]] || fail "$file is left after the purge"
    done
    echo "PASS: installed with apt, started /usr/games/lumo, purged without a trace"
}

case $STEP in
    build) build ;;
    contents) contents ;;
    lintian) run_lintian ;;
    install) install_and_purge ;;
    *) fail "no step $STEP" ;;
esac
