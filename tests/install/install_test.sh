#!/usr/bin/env bash
# Installs the build with DESTDIR into a temporary folder and checks the
# installed tree: the files, the programs finding their data there, the
# desktop entry, the AppStream file, the manual pages and the completion.
# Usage: install_test.sh BUILD_DIR
set -uo pipefail
build=$1
id=io.github.kelmaron.Kelmaron
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=/opt/kelmaron-test
root=$tmp/root$prefix
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

if ! DESTDIR=$tmp/root "${CMAKE_COMMAND:-cmake}" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi

for f in bin/kelmaron bin/kelmaron-cli \
         share/kelmaron/messier.kat share/kelmaron/sternbld.dat share/kelmaron/kelmar.hlp \
         share/kelmaron/sterne1.var share/kelmaron/sterne2.var share/kelmaron/Objekte/Pluto.kpl \
         share/kelmaron/Objekte/Halley.kom \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/64x64/apps/$id.png \
         share/man/man1/kelmaron.1.gz share/man/man1/kelmaron-cli.1.gz \
         share/bash-completion/completions/kelmaron-cli share/doc/kelmaron/copyright share/doc/kelmaron/changelog.gz; do
  [ -s "$root/$f" ] && pass "$f" || fail "$f missing or empty"
done
for f in bin/kelmaron bin/kelmaron-cli; do
  [ -x "$root/$f" ] || fail "$f not executable"
done

# The PNG icon is 64 x 64: width and height are the big-endian words at 16 and 20.
if [ -s "$root/share/icons/hicolor/64x64/apps/$id.png" ]; then
  size=$(od -An -tu1 -j16 -N8 "$root/share/icons/hicolor/64x64/apps/$id.png" | tr -s ' ')
  [ "$size" = " 0 0 0 64 0 0 0 64" ] && pass "icon 64x64" || fail "icon size bytes:$size"
fi

# The installed tool, run from the install's bin path with a clean
# environment, finds its data in ../share/kelmaron.
cli=$root/bin/kelmaron-cli
run() { (cd "$tmp" && env -i PATH="$root/bin:/usr/bin:/bin" HOME="$tmp" QT_QPA_PLATFORM=offscreen "$@"); }
if out=$(run kelmaron-cli position --date 1.1.2026 --object Mond 2>"$tmp/err"); then
  grep -q "Mond" <<<"$out" && pass "position Mond" || fail "position Mond printed: $out"
else
  fail "position Mond: $(cat "$tmp/err")"
fi
if out=$(run kelmaron-cli position --date 1.1.2026 --object Messier --messier 42 2>"$tmp/err"); then
  grep -q "M *42" <<<"$out" && pass "position M 42" || fail "position M 42 printed: $out"
else
  fail "position M 42: $(cat "$tmp/err")"
fi
if run kelmaron-cli render --view himmel --date 1.1.2026 --width 400 --height 320 --out "$tmp/himmel.png" 2>"$tmp/err" \
   && [ -s "$tmp/himmel.png" ]; then
  pass "render himmel"
else
  fail "render himmel: $(cat "$tmp/err")"
fi
# Without the installed data the same call must fail: the data came from the install.
mv "$root/share/kelmaron" "$root/share/kelmaron.away"
if run kelmaron-cli position --date 1.1.2026 --object Messier --messier 42 >/dev/null 2>&1; then
  fail "position M 42 succeeded without share/kelmaron"
else
  pass "position M 42 fails without share/kelmaron"
fi
mv "$root/share/kelmaron.away" "$root/share/kelmaron"

if command -v desktop-file-validate >/dev/null; then
  # Hints (several main categories) are no errors; anything else is.
  msgs=$(desktop-file-validate "$root/share/applications/$id.desktop" 2>&1 | grep -v ": hint: ")
  [ -z "$msgs" ] && pass "desktop-file-validate" || fail "desktop-file-validate: $msgs"
else
  echo "skipped: desktop-file-validate not installed"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >"$tmp/as.log" 2>&1 \
    && pass "appstreamcli validate" || { cat "$tmp/as.log"; fail "appstreamcli validate"; }
else
  echo "skipped: appstreamcli not installed"
fi
if command -v man >/dev/null; then
  for page in kelmaron kelmaron-cli; do
    warn=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/share/man/man1/$page.1.gz" 2>/dev/null)
    [ -z "$warn" ] && grep -q "BEZEICHNUNG" <<<"$text" && pass "man $page" || fail "man $page: $warn"
  done
  # Every sub-command of the tool is described in its manual page.
  cli_text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$root/share/man/man1/kelmaron-cli.1.gz" 2>/dev/null)
  for c in position utm geo render phase eclipse photo ephemeris search; do
    grep -q "^   $c\$" <<<"$cli_text" || fail "kelmaron-cli(1) has no section $c"
  done
else
  echo "skipped: man not installed"
fi

# The completion offers the sub-commands and their options and values.
if [ -r /usr/share/bash-completion/bash_completion ]; then
  complete_words() {
    bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"; shift
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
      COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
      _kelmaron_cli kelmaron-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      ((${#COMPREPLY[@]} == 0)) || printf "%s\n" "${COMPREPLY[@]}"' _ "$root/share/bash-completion/completions/kelmaron-cli" "$@"
  }
  expect_completion() {
    local want=$1; shift
    local got
    got=$(complete_words "$@" | sort | tr '\n' ' ')
    [ "$got" = "$want" ] && pass "completion $*" || fail "completion $*: got '$got', want '$want'"
  }
  expect_completion "eclipse ephemeris " kelmaron-cli e
  expect_completion "MESZ MEZ " kelmaron-cli position --zone ME
  expect_completion "--track-labels --track-length --track-step " kelmaron-cli render --track
  expect_completion "--max-years " kelmaron-cli search --max
  expect_completion "suedpolar system " kelmaron-cli render --view s
  expect_completion "0 0.25 0.5 0.75 " kelmaron-cli phase --kind ""
  expect_completion "" kelmaron-cli utm --zone
else
  echo "skipped: bash-completion not installed"
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
