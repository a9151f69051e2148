#!/usr/bin/env bash
# Builds the Debian package from the build, checks what it holds and where, then extracts it and
# runs the extracted program. Skipped (77) without the Debian packaging tools.
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v $tool >/dev/null || { echo "$tool is missing: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not build the package"; }
version=$("$build/tovik" --version | cut -d' ' -f2)
deb=$work/tovik_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$work")"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tovik ./usr/lib/tovik/tovik_plot.so ./usr/share/doc/tovik/help.txt ./usr/share/man/man1/tovik.1 \
            ./usr/share/bash-completion/completions/tovik; do
  grep -q " $path\$" <<<"$contents" || fail "$path is not in the package: $contents"
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libcairo2 libx11-6 libedit2; do
  grep -q "$package" <<<"$depends" || fail "the dependencies lack $package: $depends"
done
dpkg-deb -x "$deb" "$work/root"
[ "$("$work/root/usr/bin/tovik" --version)" = "Tovik $version" ] || fail "--version"
[ "$(cd "$work" && "$work/root/usr/bin/tovik" -e 'ffH+1')" = 256 ] || fail "tovik -e 'ffH+1'"
bash -n "$work/root/usr/share/bash-completion/completions/tovik" || fail "the completion script"
echo "ok: $(basename "$deb"), depends on $depends"
