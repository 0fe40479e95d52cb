#!/usr/bin/env bash
# The setup program and its uninstaller, as a user meets them, in a fresh
# Wine prefix and an X display of their own:
# - what a setup must refuse leaves nothing behind and says why in its exit
#   code: a folder path too long for Tarvok, a folder without write access,
#   a full drive, a second setup while one runs, an older version over a
#   newer one;
# - a silent install puts every file, the shortcuts, the uninstall entry and
#   the "Start with Windows" choice in place, and Tarvok started from there
#   calculates in notepad; its options window shows the same choice;
# - a silent upgrade while Tarvok runs and notepad holds the hook library
#   ends Tarvok, moves the library in use aside, replaces every file, keeps
#   the settings and starts Tarvok again;
# - a silent uninstall while Tarvok runs leaves only the settings and the
#   log, and with /RemoveSettings nothing at all;
# - x64 only: over the x86 package, the x64 setup takes its folder, removes
#   tarvok64.exe and keeps one uninstall entry, the settings, log.txt and
#   "Start with Windows"; run into another folder while Tarvok runs, it
#   removes the old copy but for log.txt, moves "Start with Windows" and
#   starts Tarvok from the new folder; its uninstaller then removes everything.
#   bash 30-setup.sh <bin dir> <work dir>
source "$(dirname "$0")/lib.sh"
# The x86 package's setup and everything it installs are 32-bit.
[ "$E2E_PACKAGE" = x86 ] && e2e_needs_32_bit_programs

[ -f "$E2E_BIN/tarvok-probe.exe" ] || skip "tarvok-probe.exe is not built yet"
# Its own prefix (an installation must start from nothing) and its own
# display: e2e_cleanup ends both.
unset DISPLAY
export WINEPREFIX=$E2E_WORK_ROOT/setup-wineprefix
rm -rf "$WINEPREFIX" "$E2E_WORK"
mkdir -p "$E2E_WORK" "$E2E_SCREENS"
mounts=()
setup_cleanup() {
  local status=$? mount
  for mount in "${mounts[@]}"; do umount -l "$mount" 2>/dev/null; done
  (exit $status)
  e2e_cleanup
}
trap setup_cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

case $E2E_PACKAGE in  # dist.sh packs both builds: this one and the other
  x64) export TARVOK_BUILD64=$E2E_BIN/..; [ -n "$E2E_HELPER_BIN" ] && export TARVOK_BUILD32=$E2E_HELPER_BIN/.. ;;
  x86) export TARVOK_BUILD32=$E2E_BIN/.. ;;
esac
"$E2E_SOURCE/scripts/dist.sh" "$E2E_WORK/dist" >"$E2E_WORK/dist.out" 2>&1 ||
  fail "dist.sh could not build the setup programs: $(tail -n 5 "$E2E_WORK/dist.out")"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$E2E_BIN/../CMakeCache.txt")
setup_exe=$E2E_WORK/dist/Tarvok-$version-$E2E_PACKAGE-setup.exe
package=$E2E_WORK/dist/$E2E_PACKAGE
mapfile -t shipped < <(cd "$package" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)

e2e_environment
fill_user_clipboard
windows_path() { wine cmd /c echo "$1" </dev/null 2>/dev/null | tr -d '\r'; }
programs_win=$(windows_path '%LOCALAPPDATA%')\\Programs
start_menu=$(winepath -u "$(windows_path '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs")
temp_unix=$(winepath -u "$(windows_path '%TEMP%')")

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvok'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
SETTINGS_KEY='HKCU\Software\Quorvane\Tarvok\2.0'

# ---- helpers ------------------------------------------------------------------

# Runs a setup or uninstaller (blocking) and checks its exit code.
expect_exit() {  # expect_exit <code> <what> <program> [args...]
  local code=$1 what=$2 status
  shift 2
  wine "$@" </dev/null >>"$E2E_WORK/setup.out" 2>&1
  status=$?
  [ "$status" = "$code" ] || fail "$what: exit code $status, expected $code"
  log "$what: exit code $status"
}

# The values of a key as "name|data" lines (absent key: nothing).
reg_dump() {
  wine reg query "$1" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n 's/^    \([^ ]*\)    REG_[A-Z_]*    \{0,1\}\(.*\)$/\1|\2/p' | LC_ALL=C sort
}
reg_value() { reg_dump "$1" | sed -n "s/^$2|//p"; }
key_exists() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
run_value() { reg_value "$RUN_KEY" Tarvok; }
run_value_is() { [ "$(run_value)" = "$1" ]; }
run_value_absent() { ! reg_dump "$RUN_KEY" | grep -q '^Tarvok|'; }
run_value_present() { ! run_value_absent; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Nothing of Tarvok in that folder or elsewhere.
expect_nothing_installed() {  # expect_nothing_installed <what> <unix folder>
  key_exists "$UNINSTALL_KEY" && fail "$1: an uninstall entry is there"
  [ -e "$2" ] && fail "$1: the folder $2 is there"
  [ -e "$start_menu/Tarvok" ] && fail "$1: the shortcuts are there"
  return 0
}

# The installed files are exactly the shipped ones and the uninstaller (and
# the log, which is the user's).
expect_installed_files() {  # expect_installed_files <unix folder>
  local folder=$1 file listing
  listing=$(cd "$folder" && find . -type f ! -name log.txt | sed 's|^\./||' | LC_ALL=C sort)
  [ "$listing" = "$(printf '%s\n' "${shipped[@]}" uninstall.exe | LC_ALL=C sort)" ] ||
    fail "installed files differ from the shipped ones: $(tr '\n' ' ' <<<"$listing")"
  for file in "${shipped[@]}"; do
    cmp -s "$package/$file" "$folder/$file" || fail "$file differs from the shipped one"
  done
}

expect_uninstall_entry() {  # expect_uninstall_entry <windows folder>
  local folder=$1 expected
  expected=$(LC_ALL=C sort <<EOF
DisplayIcon|"$folder\\tarvok.exe"
DisplayName|Tarvok
DisplayVersion|$version
InstallLocation|"$folder"
NoModify|0x1
NoRepair|0x1
Publisher|Quorvane
QuietUninstallString|"$folder\\uninstall.exe" /S
UninstallString|"$folder\\uninstall.exe"
EOF
)
  local entry; entry=$(reg_dump "$UNINSTALL_KEY")
  [ "$(grep -v '^EstimatedSize|' <<<"$entry")" = "$expected" ] || fail "uninstall entry: $(tr '\n' ' ' <<<"$entry")"
  local size; size=$(sed -n 's/^EstimatedSize|//p' <<<"$entry")
  [ $((size)) -ge $(($(stat -c %s "$package/tarvok.exe") / 1024)) ] || fail "EstimatedSize $size KiB is too small"
}

expect_one_uninstall_entry() {
  [ "$(wine reg query "${UNINSTALL_KEY%\\*}" /s </dev/null 2>/dev/null | grep -c 'DisplayName *REG_SZ *Tarvok')" = 1 ] ||
    fail "more than one uninstall entry of Tarvok"
}

expect_shortcuts() {
  [ -f "$start_menu/Tarvok/Tarvok.lnk" ] || fail "no Start Menu shortcut"
  [ -f "$start_menu/Tarvok/Uninstall Tarvok.lnk" ] || fail "no uninstall shortcut"
}

# The folder holds exactly these names (nothing else, no moved-aside file).
folder_holds() {  # folder_holds <unix folder> <names...>
  local folder=$1
  shift
  [ "$(cd "$folder" 2>/dev/null && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)" = "$(printf '%s\n' "$@" | LC_ALL=C sort)" ]
}

tarvok_window_alive() { probe wait-window TMainForm 0 >/dev/null 2>&1; }

# A drive letter for a small file system of its own (needs root).
make_drive() {  # make_drive <letter> <mount options>
  local point=$E2E_WORK/drive-$1
  mkdir -p "$point"
  mount -t tmpfs -o "$2" tmpfs "$point" 2>/dev/null || return 1
  mounts+=("$point")
  ln -sfn "$point" "$WINEPREFIX/dosdevices/$1:"
}

# Wine leaves the uninstaller's work to a copy of it: wait for its end state.
uninstall_done() {  # uninstall_done <unix folder> <names left...>
  ! key_exists "$UNINSTALL_KEY" || return 1
  local folder=$1
  shift
  if [ $# -eq 0 ]; then [ ! -e "$folder" ]; else folder_holds "$folder" "$@"; fi
}

# ---- what a setup refuses -----------------------------------------------------

long_folder() {  # a folder path of exactly <n> characters on C:
  local n=$1 name
  name=$(printf 'L%.0s' $(seq $((n - 10))))
  printf 'C:\\%s\\Tarvok' "$name"
}
expect_exit 5 "a folder of 187 characters" "$setup_exe" /S "/D=$(long_folder 187)"
[ -e "$(dirname "$(winepath -u "$(long_folder 187)")")" ] && fail "the folder of 187 characters was created"
expect_exit 6 "a folder below a file" "$setup_exe" /S '/D=C:\windows\win.ini\Tarvok'
if make_drive r ro,size=1m; then
  expect_exit 6 "a read-only drive" "$setup_exe" /S '/D=R:\Tarvok'
else
  log "no tmpfs mount here: the read-only drive is not tried"
fi
if make_drive s size=64k; then
  expect_exit 7 "a drive of 64 KiB" "$setup_exe" /S '/D=S:\Tarvok'
  folder_holds "$E2E_WORK/drive-s" || fail "the full drive was written to"
else
  log "no tmpfs mount here: the full drive is not tried"
fi

start_program setup-ui "$setup_exe"
ui_pid=$started_pid
probe wait-visible "Tarvok $version Setup" $((E2E_START_LIMIT * 1000)) || fail "the interactive setup did not show"
expect_exit 3 "a second setup while one runs" "$setup_exe" /S
kill "$ui_pid" && wait "$ui_pid" 2>/dev/null

wine reg add "$UNINSTALL_KEY" /v DisplayVersion /d 99.0 /f </dev/null >/dev/null 2>&1
expect_exit 4 "an older setup over version 99.0" "$setup_exe" /S
wine reg delete "$UNINSTALL_KEY" /f </dev/null >/dev/null 2>&1
expect_nothing_installed "the refused setups" "$(winepath -u "$programs_win\\Tarvok")"

# ---- silent install -----------------------------------------------------------

install_win=$programs_win\\Tarvok
install=$(winepath -u "$install_win")
E2E_APP=$install   # where the hook library writes log.txt, for expect_log_tail
expect_exit 0 "a silent install" "$setup_exe" /S /StartWithWindows=1
expect_installed_files "$install"
expect_uninstall_entry "$install_win"
expect_shortcuts
run_value_is "\"$install_win\\tarvok.exe\"" || fail "Run value after the install: $(run_value)"

start_program tarvok "$install_win\\tarvok.exe"
tarvok_pid=$started_pid
wait_until $E2E_START_LIMIT "the installed tarvok.exe to fill the settings block" block_is_filled

# The options window shows the installer's choice: one click on the box
# and OK remove the Run value (it was ticked), one more writes it again.
toggle_start_with_windows() {
  open_options_window
  click_rect "$(probe child-rect TMainForm Button 'Start with Windows')"
  click_rect "$(probe child-rect TMainForm Button OK)"
  probe wait-hidden TMainForm $((E2E_RESULT_LIMIT * 1000)) || fail "OK did not close the options window"
}
toggle_start_with_windows
wait_until $E2E_RESULT_LIMIT "the Run value to go with the ticked box" run_value_absent
toggle_start_with_windows
wait_until $E2E_RESULT_LIMIT "the Run value to come back" run_value_present
# No window manager keeps the options window above notepad: the clicks come
# first.
start_notepad
fill_user_clipboard
calculate_in "$NOTEPAD" '2*3' '6.00'
settings_before=$(reg_dump "$SETTINGS_KEY")

# ---- silent upgrade while Tarvok runs and notepad holds the hook library -----

hook_before=$(block_field KeyboardHook)
inode_before=$(stat -c %i "$install/$E2E_HOOK_LIBRARY")
start=$(now_ms)
expect_exit 0 "a silent upgrade while Tarvok runs" "$setup_exe" /S
measure "upgrade_ms=$(($(now_ms) - start))"
wait_until $E2E_RESULT_LIMIT "the running tarvok.exe to have ended" not_alive "$tarvok_pid"
wait_until $E2E_START_LIMIT "the upgraded Tarvok to start again" block_is_filled
[ "$(block_field KeyboardHook)" != "$hook_before" ] || fail "the hooks are the old copy's"
[ "$(stat -c %i "$install/$E2E_HOOK_LIBRARY")" != "$inode_before" ] || fail "$E2E_HOOK_LIBRARY was not replaced"
ls "$temp_unix/Tarvok-replaced/"* >/dev/null 2>&1 || fail "the $E2E_HOOK_LIBRARY in use was not moved aside"
expect_installed_files "$install"
[ "$(reg_dump "$SETTINGS_KEY")" = "$settings_before" ] || fail "the settings changed: $(reg_dump "$SETTINGS_KEY" | tr '\n' ' ')"
run_value_is "\"$install_win\\tarvok.exe\"" || fail "Run value after the upgrade: $(run_value)"
focus "$NOTEPAD"
press Return
calculate_in "$NOTEPAD" '3*3' '9.00'
expect_quiet "$NOTEPAD" "$(probe text "$NOTEPAD" | tr -d '\r')"   # one paste, not one per library

# ---- silent uninstall while Tarvok runs, settings kept -----------------------

# As "Installed apps" runs it: the quoted program, then its arguments.
quiet_uninstall=$(reg_value "$UNINSTALL_KEY" QuietUninstallString)
uninstaller=$(sed -n 's/^"\([^"]*\)".*/\1/p' <<<"$quiet_uninstall")
wine "$uninstaller" $(sed 's/^"[^"]*" *//' <<<"$quiet_uninstall") </dev/null >>"$E2E_WORK/setup.out" 2>&1 ||
  fail "the uninstaller did not start"
wait_until 60 "the uninstaller to leave only log.txt" uninstall_done "$install" log.txt
tarvok_window_alive && fail "Tarvok still runs after the uninstall"
not probe mapping-dump || fail "the settings block is still there"
[ -e "$start_menu/Tarvok" ] && fail "the shortcuts are still there"
run_value_absent || fail "the Run value is still there: $(run_value)"
[ "$(reg_dump "$SETTINGS_KEY")" = "$settings_before" ] || fail "the settings were not kept"
[ "$(grep -c '=' "$install/log.txt")" = 2 ] || fail "log.txt lost lines: $(cat "$install/log.txt")"

# ---- x64 only: over an installation of the x86 package ------------------------

if [ "$E2E_PACKAGE" = x64 ]; then
  # As the x86 setup leaves it (none runs where no 32-bit program does), in a
  # folder the x64 setup finds only through the entry's bare InstallLocation;
  # the settings and log.txt are the ones kept above.
  x86_win='C:\Tools\Tarvok x86'
  x86=$(winepath -u "$x86_win")
  mkdir -p "$x86" && cp -r "$E2E_WORK/dist/x86/." "$x86/"
  cp "$E2E_WORK/dist/Tarvok-$version-x86-setup.exe" "$x86/uninstall.exe"   # a 32-bit NSIS program
  mv "$install/log.txt" "$x86/" && rmdir "$install"
  reg_text() { sed 's/[\\"]/\\&/g' <<<"$1"; }
  { echo 'Windows Registry Editor Version 5.00'
    echo "[HKEY_CURRENT_USER${UNINSTALL_KEY#HKCU}]"
    printf '"%s"="%s"\n' DisplayName Tarvok DisplayVersion "$version" Publisher Quorvane \
      InstallLocation "$(reg_text "$x86_win")" DisplayIcon "$(reg_text "$x86_win\\tarvok.exe")" \
      UninstallString "$(reg_text "\"$x86_win\\uninstall.exe\"")" \
      QuietUninstallString "$(reg_text "\"$x86_win\\uninstall.exe\" /S")"
    printf '"%s"=dword:%08x\n' NoModify 1 NoRepair 1 EstimatedSize 2048
    echo "[HKEY_CURRENT_USER${RUN_KEY#HKCU}]"
    printf '"Tarvok"="%s"\n' "$(reg_text "\"$x86_win\\tarvok.exe\"")"
  } >"$E2E_WORK/x86.reg"
  wine reg import "$(winepath -w "$E2E_WORK/x86.reg")" </dev/null >/dev/null 2>&1 || fail "could not write the x86 package's entry"

  expect_exit 0 "the x64 setup over the x86 package" "$setup_exe" /S
  expect_installed_files "$x86"   # no tarvok64.exe
  expect_uninstall_entry "$x86_win"
  expect_one_uninstall_entry
  [ "$(reg_dump "$SETTINGS_KEY")" = "$settings_before" ] || fail "the settings changed over the x86 package"
  [ "$(grep -c '=' "$x86/log.txt")" = 2 ] || fail "log.txt lost lines over the x86 package"
  run_value_is "\"$x86_win\\tarvok.exe\"" || fail "Run value over the x86 package: $(run_value)"

  # Into another folder while Tarvok runs from the old one: the old copy
  # goes but for log.txt, and so does an uninstall shortcut a setup in
  # another language made; one copy starts after the next logon.
  start_program tarvok "$x86_win\\tarvok.exe"
  tarvok_pid=$started_pid
  wait_until $E2E_START_LIMIT "tarvok.exe in the old folder to fill the block" block_is_filled
  cp "$start_menu/Tarvok/Uninstall Tarvok.lnk" "$start_menu/Tarvok/Tarvok deinstallieren.lnk"
  folder_settings() { reg_dump "$SETTINGS_KEY" | grep -v -e '^Path|' -e '^GlobalPathlanguage|'; }
  settings_before=$(folder_settings)
  moved_win='C:\Programs\Tarvok'   # /D= is taken unquoted: no blanks
  moved=$(winepath -u "$moved_win")
  expect_exit 0 "the x64 setup into another folder while Tarvok runs" "$setup_exe" /S "/D=$moved_win"
  wait_until $E2E_RESULT_LIMIT "the running tarvok.exe to have ended" not_alive "$tarvok_pid"
  expect_installed_files "$moved"
  folder_holds "$x86" log.txt || fail "the old folder keeps more than log.txt: $(ls "$x86" | tr '\n' ' ')"
  expect_uninstall_entry "$moved_win"
  expect_one_uninstall_entry
  run_value_is "\"$moved_win\\tarvok.exe\"" || fail "Run value after the move: $(run_value)"
  folder_holds "$start_menu/Tarvok" Tarvok.lnk "Uninstall Tarvok.lnk" ||
    fail "Start Menu after the move: $(ls "$start_menu/Tarvok" | tr '\n' ' ')"
  moved_started() { block_is_filled && [ "$(probe reg-get Path | tr -d '\r')" = "$moved_win\\" ]; }
  wait_until $E2E_START_LIMIT "Tarvok to start again from the new folder" moved_started
  [ "$(folder_settings)" = "$settings_before" ] || fail "the settings changed with the move"
  wine "$moved_win\\uninstall.exe" /S /RemoveSettings </dev/null >>"$E2E_WORK/setup.out" 2>&1
  wait_until 60 "the uninstaller to remove the moved installation" uninstall_done "$moved"
fi

# ---- install to a folder of the longest length allowed, uninstall all ----------

install_win=$(long_folder 186)
install=$(winepath -u "$install_win")
expect_exit 0 "a silent install to a folder of 186 characters" "$setup_exe" /S /StartWithWindows=1 "/D=$install_win"
expect_installed_files "$install"
run_value_is "\"$install_win\\tarvok.exe\"" || fail "Run value for the long folder: $(run_value)"
start_program tarvok "$install_win\\tarvok.exe"
tarvok_pid=$started_pid
wait_until $E2E_START_LIMIT "tarvok.exe in the long folder to fill the block" block_is_filled
[ "$(probe reg-get Path | tr -d '\r')" = "$install_win\\" ] || fail "tarvok.exe refused the long folder: Path $(probe reg-get Path)"

start=$(now_ms)
wine "$install_win\\uninstall.exe" /S /RemoveSettings </dev/null >>"$E2E_WORK/setup.out" 2>&1
wait_until 60 "the uninstaller to remove everything" uninstall_done "$install"
measure "uninstall_ms=$(($(now_ms) - start))"
tarvok_window_alive && fail "Tarvok still runs after the uninstall"
key_exists 'HKCU\Software\Quorvane' && fail "the settings are still there"
run_value_absent || fail "the Run value is still there: $(run_value)"
expect_nothing_installed "the uninstall with /RemoveSettings" "$install"
