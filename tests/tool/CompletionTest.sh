#!/usr/bin/env bash
# The bash completion sourced as bash-completion does, completing command lines of the tool.
#   CompletionTest.sh TOOL COMPLETION_SCRIPT EXAMPLES_DIR
set -uo pipefail
tool=$1
examples=$3
# shellcheck source=/dev/null
source /usr/share/bash-completion/bash_completion
# shellcheck source=/dev/null
source "$2"
[ "$(complete -p comparam)" = "complete -F _comparam comparam" ] || { echo "comparam has no completion"; exit 1; }

failures=0
# expect "WORDS BEFORE THE CURSOR" "WORD AT THE CURSOR" "EXPECTED COMPLETIONS"
expect() {
  read -ra COMP_WORDS <<<"$tool $1"
  COMP_WORDS+=("$2")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _comparam 2>/dev/null
  local got="${COMPREPLY[*]}"
  if [ "$got" != "$3" ]; then
    echo "'comparam $1 $2': got '$got', expected '$3'"
    failures=$((failures + 1))
  fi
}

expect "" "sh" "show"
expect "" "" "interfaces show check diff set vocabulary selftest help"
expect "" "--ver" "--verbose --version"
expect "help" "ch" "check"
expect "show" "--fo" "--format="
expect "show" "--format=" "table json print"
expect "check" "--format=j" "json junit"
expect "set $examples/uds-on-can.xml" "--" "--help --in-place --output= --verbose"
expect "show $examples/j1939-and-29bit.xml" "" "CAN_29 J1939_1"
expect "set $examples/uds-on-can.xml" "CA" "CAN_1"
expect "check $examples/uds-on-can.xml" "CA" "CAN_1"
expect "vocabulary" "P2Ex" "P2ExClient P2ExServer"
expect "show" "$examples/j1939" "$examples/j1939-and-29bit.xml"
exit $((failures != 0))
