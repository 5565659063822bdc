#!/usr/bin/env bash
# The start step of "./setup.sh run", without installing or building: with no
# display it says so in one line that names the headless start and exits
# non-zero; with one it starts the built editor in its build folder, the
# arguments passed on (relative paths from where the script was called).
# Usage: test_run_start.sh <path of setup.sh>
set -uo pipefail
setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A stand-in editor in a build folder of its own: it writes where it runs and
# what it was given.
build="$scratch/build"
mkdir -p "$build/src/app" "$scratch/caller"
cat >"$build/src/app/quorvandelix" <<'STUB'
#!/usr/bin/env bash
{ pwd; printf '%s\n' "$@"; } >"$(dirname "$0")/started"
STUB
chmod +x "$build/src/app/quorvandelix"

# Runs the start step from the caller folder; the environment is cleared of
# every display variable, then given the assignments in $1.
run_start() {
  local assignments=$1
  shift
  (cd "$scratch/caller" &&
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $assignments \
      SETUP_SKIP_BUILD=1 BUILD_DIR="$build" "$setup" run "$@")
}

# No display, whatever else is set: one line, the headless start named,
# a non-zero exit, the editor not started.
for assignments in "" "XDG_SESSION_TYPE=x11" "DISPLAY= WAYLAND_DISPLAY="; do
  rm -f "$build/src/app/started"
  output=$(run_start "$assignments" list.dat 2>&1)
  status=$?
  [ "$status" -ne 0 ] || fail "[$assignments] exit status 0 without a display"
  [ "$(printf '%s\n' "$output" | wc -l)" -eq 1 ] || fail "[$assignments] not one line: $output"
  case "$output" in
    *QT_QPA_PLATFORM=offscreen*) ;;
    *) fail "[$assignments] the headless start is not named: $output" ;;
  esac
  [ ! -e "$build/src/app/started" ] || fail "[$assignments] the editor started without a display"
done

# A display (or a platform chosen): the editor starts in its build folder
# with the arguments, a relative path made absolute from the caller's folder.
for assignments in "DISPLAY=:0" "WAYLAND_DISPLAY=wayland-0" "QT_QPA_PLATFORM=offscreen"; do
  rm -f "$build/src/app/started"
  output=$(run_start "$assignments" list.dat /abs/other.dat 2>&1)
  status=$?
  [ "$status" -eq 0 ] || fail "[$assignments] exit status $status: $output"
  expected=$(printf '%s\n' "$build/src/app" "$scratch/caller/list.dat" /abs/other.dat)
  started=$(cat "$build/src/app/started" 2>/dev/null)
  [ "$started" = "$expected" ] || fail "[$assignments] started as <$started>, not <$expected>"
done

# A display but no editor built: a message and a non-zero exit.
mv "$build/src/app/quorvandelix" "$scratch/editor"
output=$(run_start "DISPLAY=:0" 2>&1)
status=$?
[ "$status" -ne 0 ] || fail "exit status 0 without an editor"
case "$output" in
  *"was not built"*) ;;
  *) fail "no message without an editor: $output" ;;
esac

[ "$failures" -eq 0 ] && echo "all start-step cases pass"
exit "$failures"
