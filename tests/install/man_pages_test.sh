#!/bin/sh
# The manual pages as man shows them, read as lintian reads them: each page
# built, its NAME line in the whatis index as "PROGRAM - what it is", and
# man (groff with every warning on) formatting it without a word on stderr.
# Usage: man_pages_test.sh MAN_DIR PAGE...
set -u
dir=$1
shift
failed=0
fail() {
  echo "$1: $2"
  failed=1
}
for page in "$@"; do
  file=$dir/$page
  if [ ! -s "$file" ]; then
    fail "$page" "not built (pandoc missing? tools/setup.sh installs it)"
    continue
  fi
  program=${page%.*}
  whatis=$(lexgrog "$file")
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
  lines=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null | wc -l)
  if ! echo "$whatis" | grep -q "\"$program - "; then
    fail "$page" "no whatis entry for $program: $whatis"
  elif [ -n "$warnings" ]; then
    fail "$page" "man warns: $warnings"
  elif [ "$lines" -le 20 ]; then
    fail "$page" "only $lines lines"
  else
    echo "$page: $lines lines, no warning"
  fi
done
exit $failed
