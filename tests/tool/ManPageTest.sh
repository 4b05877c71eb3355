#!/usr/bin/env bash
# The man page renders without a warning and describes every command the tool lists.
#   ManPageTest.sh TOOL PAGE
set -uo pipefail
tool=$1
page=$2
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "man warns:"; echo "$warnings"; exit 1; }
status=0
for command in $("$tool" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]*\) .*/\1/p'); do
  grep -q "^\.BI $command " "$page" || { echo "the page lacks the command '$command'"; status=1; }
done
exit $status
