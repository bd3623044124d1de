#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks what a user would get:
# the files an installation needs, the libraries it depends on, and no lintian errors.
# Exits 77 (skipped) when the Debian package tools are not installed.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build_dir" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/ostrel_*.deb)
echo "built $(basename "$deb")"

fail=0
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for want in ./usr/bin/ostrel ./usr/share/applications/ostrel.desktop \
    ./usr/share/metainfo/org.ostrel.Ostrel.metainfo.xml \
    ./usr/share/icons/hicolor/16x16/apps/ostrel.png ./usr/share/icons/hicolor/48x48/apps/ostrel.png \
    ./usr/share/icons/hicolor/256x256/apps/ostrel.png ./usr/share/icons/hicolor/scalable/apps/ostrel.svg \
    ./usr/share/man/man1/ostrel.1.gz ./usr/share/man/ru/man1/ostrel.1.gz \
    ./usr/share/doc/ostrel/copyright ./usr/share/doc/ostrel/changelog.gz \
    ./usr/include/ostrel/plugin_interface.h ./usr/lib/ostrel/Plugins/sort_lines.so \
    ./usr/lib/ostrel/libostrel_sound.so ./usr/lib/ostrel/libostrel_cipher.so \
    ./usr/share/ostrel/Languages/English.lng ./usr/share/ostrel/Syntax/ ./usr/share/ostrel/Templates/; do
  grep -qxF "$want" <<<"$files" || { echo "missing from the package: $want"; fail=1; }
done
# Nothing of the build tree's own: tests, benchmarks, test plug-ins.
if grep -E 'ostrel_tests|ostrel_bench|test_plugins|test_filter' <<<"$files"; then
  echo "the package holds files of the build tree"; fail=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
# The key sound's module brings the multimedia library in.
for lib in libqt6widgets6 libqt6multimedia6 libqscintilla2-qt6 libsodium23 libssl3 libc6; do
  grep -q "$lib" <<<"$depends" || { echo "no dependency on $lib: $depends"; fail=1; }
done

if command -v lintian >/dev/null; then
  # Errors only: informational tags are a matter of taste.
  report=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null || true)
  if grep -E '^E: ' <<<"$report"; then echo "lintian reports errors"; fail=1; fi
else
  echo "lintian is not installed: its check is left out"
fi
exit $fail
