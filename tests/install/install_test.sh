#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what arrives: the program, the manual, the
# manual page (which man can show), the completion script and the plotting module, which the
# installed program finds on its own; without the module, graph says so and the program goes on.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*"; exit 1; }
[ -x "$prefix/bin/tovik" ] || fail "bin/tovik is missing"
for path in lib/tovik/tovik_plot.so share/doc/tovik/help.txt share/man/man1/tovik.1 share/bash-completion/completions/tovik; do
  [ -f "$prefix/$path" ] || fail "$path is missing"
done
[ "$("$prefix/bin/tovik" --version)" = "Tovik 1.0.0.6" ] || fail "the installed program's --version"
graph() { (cd "$prefix" && printf 'graph x x(0,1,1)\n1+1\nbreak\n' | env -u DISPLAY HOME="$prefix" "$1"); }
grep -q "^GRAPH | No display: the picture was saved to Tovik-graph.png.$" <<<"$(graph "$prefix/bin/tovik")" ||
  fail "the installed program made no picture"
[ -f "$prefix/Tovik-graph.png" ] || fail "no Tovik-graph.png"
mkdir -p "$prefix/alone/bin" && cp "$prefix/bin/tovik" "$prefix/alone/bin/"
alone=$(graph "$prefix/alone/bin/tovik")
grep -q "^GRAPH | No picture could be made: $prefix/alone/bin/../lib/tovik/tovik_plot.so: cannot open" <<<"$alone" ||
  fail "no message without the plotting module: $alone"
grep -q "VALUE | 2" <<<"$alone" || fail "the program did not go on without the plotting module"
if command -v man >/dev/null; then
  page=$(MANPAGER=cat MANWIDTH=80 man -l "$prefix/share/man/man1/tovik.1" 2>/dev/null)
  grep -q "calculator" <<<"$page" || fail "man does not show the page"
  grep -q -- "--version" <<<"$page" || fail "the page lacks its options"
else
  echo "man is not installed: the page was only checked to be in place"
fi
echo ok
