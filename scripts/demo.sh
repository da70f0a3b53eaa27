# Sourced by run.sh: the demonstration base directory demo/, the exchange
# file seen from Linux, the host's part of each road, and the walk through
# every command with the sample family.
#
# run.sh sets before sourcing:
#   root       the repository
#   build      the x64 build directory (lindmorh.exe, tools/)
#   scripted   1: demo_driver.exe answers the dialogs; 0: the person does
# and exports WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES and DISPLAY.
# shellcheck shell=bash disable=SC2154

demo=$root/demo
docs=$demo/documents
ini=$demo/LINDMORY.INI
shots=$root/out
wine=/usr/lib/wine/wine64
demo_status=0

# ---- paths ----------------------------------------------------------------

# A Linux path as the Windows programs see it: drive Z: is the Linux root.
winpath() {
  local p=$1
  printf 'Z:%s' "${p//\//\\}"
}

# A Windows path as the Linux path Wine maps it to (drives Z: and C:).
unixpath() {
  local p=$1 rest=${1:2}
  rest=${rest//\\//}
  case ${p:0:2} in
    [Zz]:) printf '%s' "$rest" ;;
    [Cc]:) printf '%s' "$WINEPREFIX/drive_c$rest" ;;
    *) printf '%s' "$p" ;;
  esac
}

# The file whose name matches the last part of PATH in any letter case
# (Windows programs see names that way); fails when there is none.
existing() {
  local dir base found
  dir=$(dirname -- "$1")
  base=$(basename -- "$1")
  [ -d "$dir" ] || return 1
  found=$(find "$dir" -maxdepth 1 -type f -iname "$(printf '%s' "$base" | sed 's/[][*?\\]/\\&/g')" -print -quit)
  [ -n "$found" ] && printf '%s' "$found"
}

# ---- the exchange file ----------------------------------------------------

# The value of KEY in section [Export]; nothing when it is missing.
ini_get() {
  [ -f "$ini" ] || return 0
  KEY=$1 awk '
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { s = tolower($0); gsub(/[ \t]/, "", s); inexport = (s == "[export]"); next }
    inexport {
      i = index($0, "=")
      if (!i) next
      k = substr($0, 1, i - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
      if (tolower(k) != tolower(ENVIRON["KEY"])) next
      v = substr($0, i + 1); gsub(/^[ \t]+|[ \t]+$/, "", v)
      print v; exit
    }' "$ini"
}

# Sets KEY to VALUE in section [Export], as the host does before a command.
ini_set() {
  [ -f "$ini" ] || printf '[Export]\r\n' >"$ini"
  KEY=$1 VALUE=$2 awk -v ORS='\r\n' '
    BEGIN { key = tolower(ENVIRON["KEY"]); line = ENVIRON["KEY"] "=" ENVIRON["VALUE"] }
    { sub(/\r$/, "") }
    /^[ \t]*\[/ {
      if (inexport && !done) { print line; done = 1 }
      s = tolower($0); gsub(/[ \t]/, "", s); inexport = (s == "[export]"); if (inexport) seen = 1
      print; next
    }
    inexport && index($0, "=") {
      k = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
      if (tolower(k) == key) { if (!done) print line; done = 1; next }
    }
    { print }
    END { if (!done) { if (!seen) print "[Export]"; print line } }' "$ini" >"$ini.new" && mv "$ini.new" "$ini"
  echo "  host: $1=$2"
}

ini_show() {
  echo "  LINDMORY.INI:"
  if [ -f "$ini" ]; then
    tr -d '\r' <"$ini" | sed -e '/^$/d' -e 's/^/    /'
  else
    echo "    (none)"
  fi
}

# ---- set-up ---------------------------------------------------------------

# Lays out demo/: lindmorh.exe and marker.exe (the program command 7 starts),
# the sample documents in demo/documents and an exchange file. "fresh"
# starts from nothing; otherwise what is there is kept and only the
# programs are renewed.
demo_prepare() {
  if [ "${1:-}" = fresh ]; then rm -rf "$demo"; fi
  mkdir -p "$docs" "$shots"
  cp "$build/lindmorh.exe" "$build/tools/marker.exe" "$demo/"
  local f
  for f in "$root"/samples/*; do
    [ -e "$docs/$(basename "$f")" ] || cp "$f" "$docs/"
  done
  # The host creates the exchange file before it starts lindmorh.
  [ -f "$ini" ] || printf '[Export]\r\n' >"$ini"
}

# ---- running one command --------------------------------------------------

# run_command SHOTS HINT COMMAND-STRING [ANSWER...]
# Starts lindmorh in demo/ with the command string. Scripted, demo_driver
# gives the answers and saves pictures in out/SHOTS; otherwise HINT tells
# the person what to do. Prints the exchange file afterwards.
run_command() {
  local tag=$1 hint=$2 command=$3 rc
  shift 3
  echo "  command string: $command"
  if [ "$scripted" = 1 ] || [ "$hint" = driver ]; then
    rm -rf "${shots:?}/$tag"
    mkdir -p "$shots/$tag"
    [ $# -gt 0 ] || set -- none
    "$wine" "$build/tools/demo_driver.exe" "$(winpath "$shots/$tag")" "$@" -- \
      "$(winpath "$demo/lindmorh.exe")" "$command" 2>&1 | grep -v 'Read access denied for device'
    rc=${PIPESTATUS[0]}
  else
    [ -z "$hint" ] || echo "  >>> on your display: $hint"
    ( cd "$demo" && "$wine" "$(winpath "$demo/lindmorh.exe")" "$command" ) 2>&1 |
      grep -v 'Read access denied for device'
    rc=${PIPESTATUS[0]}
    echo "  lindmorh ended, exit code $rc"
  fi
  ini_show
  return "$rc"
}

# check DESCRIPTION TEST...: runs the test and reports it.
check() {
  local what=$1
  shift
  if "$@"; then
    echo "  ok: $what"
  else
    echo "  NOT AS EXPECTED: $what"
    demo_status=1
  fi
}

same_content() { local a b; a=$(existing "$1") && b=$(existing "$2") && cmp -s "$a" "$b"; }
no_file() { ! existing "$1" >/dev/null; }
has_file() { existing "$1" >/dev/null; }

# ---- the host's part --------------------------------------------------------

# What the host does with a reply: after an open of a native document it
# makes the work file its active document (MyActiveFname) and remembers
# the long name (LongFnameLMY); after a GEDCOM export was given a work
# path, it writes the export there (here: the sample GEDCOM file).
host_after() {
  local code=$1 reply work long
  reply=$(ini_get LongFnameGED)
  [[ $reply == *"|"* ]] || return 0
  work=${reply%%|*}
  long=${reply#*|}
  case $code in
    1 | 2)
      if [[ ${work^^} == *.LMY ]]; then
        ini_set MyActiveFname "$work"
        ini_set LongFnameLMY "$long"
      else
        echo "  host: imports the GEDCOM work file $work"
      fi
      ;;
    4)
      cp "$root/samples/Smith family.ged" "$(unixpath "$work")"
      echo "  host: wrote its GEDCOM export to $work"
      ;;
  esac
}

# The command code of a command string as lindmorh reads it: hexadecimal
# digits before the first "_"; 0 when there are none.
command_code() {
  local digits=${1%%_*}
  digits=${digits//[[:space:]]/}
  [[ $digits =~ ^[0-9A-Fa-f]{1,4}$ ]] || { echo 0; return; }
  echo $((16#$digits))
}

# ---- ./run.sh COMMAND-STRING --------------------------------------------------

demo_one() {
  local command=$1 code answers=() tag
  code=$(command_code "$command")
  demo_prepare keep
  tag=command-$(printf '%s' "${command%%_*}" | tr -c 'A-Za-z0-9' '_')
  echo "=== lindmorh $command"
  case $code in
    1) answers=("open:$(winpath "$docs/Smith family.lmy")") ;;
    2) answers=("open:$(winpath "$docs/Smith family.ged")") ;;
    3)
      answers=("save:$(winpath "$docs/Smith family copy.lmy")")
      # The dialog asks before it replaces a file.
      if has_file "$docs/Smith family copy.lmy"; then answers+=(yes); fi
      ;;
    4) answers=("save:$(winpath "$docs/Smith export.ged")") ;;
    5 | 6) answers=(yes) ;;
    7) [[ $command == *_?* ]] && answers=(window) ;;
  esac
  if [ "$code" = 3 ] || [ "$code" = 5 ]; then
    local active
    active=$(ini_get MyActiveFname)
    if [ -z "$active" ] || ! has_file "$demo/${active%.*}.LMY"; then
      echo "  note: MyActiveFname names no work file in demo/ (./run.sh 1 opens one); the copy will fail"
    fi
  fi
  run_command "$tag" "answer the dialog or box, if one shows" "$command" "${answers[@]}"
  local rc=$?
  host_after "$code"
  return "$rc"
}

# ---- ./run.sh ---------------------------------------------------------------

step() { echo; echo "=== Step $1"; }

# Runs a step's command; a scripted run that went wrong counts as a failure.
step_command() {
  run_command "$@" || { [ "$scripted" = 0 ] || demo_status=1; }
}

demo_walkthrough() {
  demo_prepare fresh
  local lmy="$docs/Smith family.lmy" copy="$docs/Smith family copy.lmy" ged="$docs/Smith export.ged"
  local work reply long
  echo "Base directory: $demo (lindmorh.exe, LINDMORY.INI, work files)"
  echo "Documents:      $docs"
  [ "$scripted" = 1 ] && echo "Pictures:       $shots"

  step "1: open a Lindmory document (command 1)"
  step_command 01-open "in the Open dialog, go into 'documents' and open 'Smith family.lmy'" \
    1 "open:$(winpath "$lmy")"
  reply=$(ini_get LongFnameGED)
  if [[ $reply != *"|"* ]]; then
    echo "Nothing was opened, so the walk-through ends here."
    return 1
  fi
  work=$demo/${reply%%|*}
  long=$(unixpath "${reply#*|}")
  check "work file ${reply%%|*} staged with the document's content" same_content "$work" "$long"
  host_after 1

  step "2: save the document (command 5, answer Yes)"
  echo "  host: the user adds a note in Lindmory; the host writes it to the work file"
  sed -i 's/^END$/NOTE I1 | Railway clerk at York station, 1920-1961\nEND/' "$(existing "$work")"
  cp "$(existing "$work")" "$demo/.expected"
  step_command 02-save "answer Yes to 'Verify save?'" 5 yes
  check "the document now holds the note" same_content "$long" "$demo/.expected"
  check "the work file is gone" no_file "$work"
  rm -f "$demo/.expected"

  step "3: open it again and save it under a new name (commands 1 and 3)"
  step_command 03-open-again "open 'documents/Smith family.lmy' again" 1 "open:$(winpath "$lmy")"
  reply=$(ini_get LongFnameGED)
  work=$demo/${reply%%|*}
  host_after 1
  step_command 04-save-as "in the Save As dialog, save as 'documents/Smith family copy.lmy'" \
    3 "save:$(winpath "$copy")"
  long=$(unixpath "$(ini_get LongFnameLMY)")
  check "LongFnameLMY names the new document" has_file "$long"
  check "the new document has the content" same_content "$long" "$lmy"
  check "the work file is gone" no_file "$work"

  step "4: export GEDCOM (command 4)"
  step_command 05-export "in the Save As dialog, save as 'documents/Smith export.ged'" \
    4 "save:$(winpath "$ged")"
  reply=$(ini_get LongFnameGED)
  if [[ $reply != *"|"* ]]; then
    echo "No export target was chosen; skipping the copy of the export."
  else
    host_after 4
    work=$(unixpath "${reply%%|*}")
    long=$(unixpath "${reply#*|}")

    step "5: copy the export to its name (command 6, answer Yes)"
    step_command 06-copy-export "answer Yes to 'Verify save?'" 6 yes
    check "the export is in place" same_content "$long" "$root/samples/Smith family.ged"
    check "the work file is gone" no_file "$work"
    check "the reply is empty again" test -z "$(ini_get LongFnameGED)"
  fi

  step "6: open a GEDCOM file (command 2)"
  step_command 07-open-gedcom "in the Open dialog, open 'documents/Smith family.ged'" \
    2 "open:$(winpath "$docs/Smith family.ged")"
  reply=$(ini_get LongFnameGED)
  check "a .GED work file was staged" same_content "$demo/${reply%%|*}" "$docs/Smith family.ged"
  if [[ $reply == *"|"* ]]; then
    local stem=${reply%%.*}
    echo "  (the empty ${stem,,}.lmy beside it, made first, keeps those eight digits reserved)"
    host_after 2
  fi

  step "7: report the Windows version (command 8)"
  step_command 08-version "nothing to answer" 8
  check "dwMajorVersion and dwPlatformId recorded" \
    test -n "$(ini_get dwMajorVersion)" -a -n "$(ini_get dwPlatformId)"

  step "8: start a program once the host's window has closed (command 7)"
  local launched="$demo/launched.txt"
  rm -f "$launched"
  echo "  a window titled like the command line stands for the host; the program is marker.exe,"
  echo "  which writes \"launched\" into launched.txt"
  step_command 09-launch driver "7_$(winpath "$demo/marker.exe") $(winpath "$launched")" window
  check "marker.exe ran after the window closed" grep -q launched "$launched"

  echo
  if [ "$demo_status" = 0 ]; then echo "=== Every step did what it should."; else echo "=== Some steps did not do what they should (see above)."; fi
  echo "Files in demo/: $(find "$demo" -maxdepth 1 -type f -printf '%f\n' | sort | paste -sd ' ')"
  echo "Documents:      $(find "$docs" -maxdepth 1 -type f -printf '%f\n' | sort | paste -sd ',' | sed 's/,/, /g')"
  return "$demo_status"
}
