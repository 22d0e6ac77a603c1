#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# package-test.sh STEP BUILD_DIR SOURCE_DIR [GUI [PYTHON INTERPRETER]]
#   build    packs the build with cpack into BUILD_DIR/package-test and unpacks the package
#            into a scratch root there with dpkg -x (no installation on the machine)
#   run      checks the package's contents and runs the unpacked programs from the scratch root
#   lintian  runs lintian on the package; errors fail, warnings are printed
# GUI is ON when the desktop application is part of the build; PYTHON is ON when the Python
# module is, and INTERPRETER the interpreter it is built for.
set -euo pipefail
step=$1
build=$2
source=$3
gui=${4:-ON}
python=${5:-OFF}
interpreter=${6:-python3}
work=$build/package-test
root=$work/root

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

package() {
  local debs=("$work"/cpack/*.deb)
  [[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one package in $work/cpack"
  printf '%s' "${debs[0]}"
}

case $step in
  build)
    rm -rf "$work"
    mkdir -p "$work/cpack" "$root"
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" >cpack.log 2>&1) ||
      { cat "$work/cpack.log"; fail "cpack"; }
    dpkg -x "$(package)" "$root"
    ;;

  run)
    deb=$(package)
    want=(usr/bin/kalibra usr/bin/kalibra-catalog usr/share/vostra-kalibra/Kalibra.bxm
      usr/share/man/man1/kalibra.1.gz usr/share/man/man1/kalibra-catalog.1.gz
      usr/share/bash-completion/completions/kalibra
      usr/share/doc/vostra-kalibra/copyright usr/share/doc/vostra-kalibra/changelog.gz)
    if [[ $gui == ON ]]; then
      want+=(usr/bin/vostra-kalibra usr/share/man/man1/vostra-kalibra.1.gz
        usr/share/applications/vostra-kalibra.desktop
        usr/share/icons/hicolor/scalable/apps/vostra-kalibra.svg
        usr/share/metainfo/vostra-kalibra.metainfo.xml)
    fi
    for f in "${want[@]}"; do
      [[ -f $root/$f ]] || fail "the package lacks /$f"
    done
    [[ ! -e $root/usr/bin/Kalibra.bxm ]] || fail "the catalog is installed among the programs"

    # The dependencies are computed, not written by hand: Qt's core library must be among them.
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    [[ $depends == *libqt6core6* && $depends == *libc6* ]] || fail "dependencies not computed"

    # The manual pages are the programs' own --help.
    # (Whole outputs are read before they are searched: grep -q leaves a pipe early, and the
    # writer's broken pipe would fail the step under pipefail.)
    page=$(zcat "$root/usr/share/man/man1/kalibra.1.gz")
    grep -q 'fit every automatic distribution' <<<"$page" ||
      fail "kalibra.1 does not hold the program's help"
    page=$(zcat "$root/usr/share/man/man1/kalibra-catalog.1.gz")
    grep -q 'unpack' <<<"$page" || fail "kalibra-catalog.1 does not hold the program's help"

    # The unpacked programs run from a directory without a catalog, with settings of their own,
    # and find the catalog in ../share/vostra-kalibra.
    scratch=$work/cwd
    rm -rf "$scratch"
    mkdir -p "$scratch/config"
    cp "$source/data/shell-accidents.dat" "$scratch/"
    export XDG_CONFIG_HOME=$scratch/config LC_ALL=C.UTF-8
    cd "$scratch"
    catalog=$("$root/usr/bin/kalibra" list --format json | grep '"catalog"') ||
      fail "the unpacked kalibra cannot list its catalog"
    [[ $catalog == *"\"$root/usr/share/vostra-kalibra/Kalibra.bxm\""* ]] ||
      fail "the unpacked kalibra reads another catalog: $catalog"

    "$root/usr/bin/kalibra" auto shell-accidents.dat --format json >installed.json ||
      fail "kalibra auto from the package ended with $?"
    grep -q '"chiSquare": [0-9]' installed.json || fail "kalibra auto from the package fitted nothing"
    grep -q '"statusMessage": "OK"' installed.json || fail "no distribution fitted"
    # The same fit as the build tree's program, which reads the catalog beside it.
    "$build/app/kalibra/kalibra" auto shell-accidents.dat --format json >built.json
    cmp -s installed.json built.json ||
      { diff installed.json built.json | head -20; fail "the package fits otherwise than the build"; }

    "$root/usr/bin/kalibra-catalog" unpack "$root/usr/share/vostra-kalibra/Kalibra.bxm" \
      >catalog.xml || fail "kalibra-catalog cannot unpack the catalog"
    grep -q '<Bezeichnung_E>Poisson</Bezeichnung_E>' catalog.xml ||
      fail "kalibra-catalog unpacks another catalog"
    if [[ $gui == ON ]]; then
      version=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/vostra-kalibra" --version) ||
        fail "the unpacked vostra-kalibra does not start"
      number=$("$root/usr/bin/kalibra" --version)
      [[ $version == *" ${number#kalibra }" ]] || fail "vostra-kalibra --version printed: $version"
    fi
    if [[ $python == ON ]]; then
      module=$root/usr/lib/python3/dist-packages/vostra_kalibra
      for f in __init__.py __init__.pyi py.typed Kalibra.bxm; do
        [[ -f $module/$f ]] || fail "the package lacks the module's $f"
      done
      compgen -G "$module/_engine*.so" >/dev/null || fail "the package lacks the compiled module"
      [[ $depends == *python3-numpy* && $depends == *"python3 (>="* ]] ||
        fail "the package does not depend on Python and numpy: $depends"
      # Imported from the unpacked tree, from a folder without a catalog: it finds its own and
      # fits as the unpacked kalibra does.
      PYTHONPATH=$root/usr/lib/python3/dist-packages "$interpreter" -c '
import json, sys, vostra_kalibra as vk
assert vk.__file__.startswith(sys.argv[1]), vk.__file__
rows = vk.auto("shell-accidents.dat", sort=None)
cli = json.load(open("installed.json"))["distributions"]
assert [(r.index, r.chi2, r.p) for r in rows] == [(d["index"], d["chiSquare"], d["p"]) for d in cli]
' "$root" || fail "the unpacked Python module does not fit as the unpacked kalibra"
    fi
    echo "package $deb: contents, dependencies and programs as expected"
    ;;

  lintian)
    lintian --version >/dev/null 2>&1 || fail "lintian is not installed (tools/install-deps.sh)"
    deb=$(package)
    # Errors fail the test; warnings and the rest are shown for the log.
    lintian --fail-on error --tag-display-limit 0 --display-info "$deb"
    ;;

  *) fail "unknown step $step" ;;
esac
