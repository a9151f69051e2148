#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what arrives: the program, the manual, the
# manual page (which man can show) and the completion script.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*"; exit 1; }
[ -x "$prefix/bin/tovik" ] || fail "bin/tovik is missing"
for path in share/doc/tovik/help.txt share/man/man1/tovik.1 share/bash-completion/completions/tovik; do
  [ -f "$prefix/$path" ] || fail "$path is missing"
done
[ "$("$prefix/bin/tovik" --version)" = "Tovik 1.0.0.6" ] || fail "the installed program's --version"
if command -v man >/dev/null; then
  page=$(MANPAGER=cat MANWIDTH=80 man -l "$prefix/share/man/man1/tovik.1" 2>/dev/null)
  grep -q "calculator" <<<"$page" || fail "man does not show the page"
  grep -q -- "--version" <<<"$page" || fail "the page lacks its options"
else
  echo "man is not installed: the page was only checked to be in place"
fi
echo ok
