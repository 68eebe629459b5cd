#!/usr/bin/env bash
# The installer under Wine, as a user meets it: a quiet install; the files, the Start menu
# shortcut, the installed-programs entry and the .mve association; the version shown everywhere;
# the installed tool and editor running, the editor with its program folder locked (as Program
# Files is for an ordinary user) keeping its settings in the local application data folder; and
# an uninstall that leaves nothing of the program behind.
#   install.sh SOURCE_DIR SESSION_DIR MSI
set -uo pipefail
source_dir=$1
session=$(realpath -m "$2")
msi=$(realpath "$3")
eval "$("$source_dir/cmake/wine-session.sh" "$session" env)"
mkdir -p "$HOME"
export LC_ALL=ja_JP.UTF-8

work=$(mktemp -d)
drive_c="$WINEPREFIX/drive_c"
program_dir="$drive_c/Program Files/Miravo"
program_win='C:\Program Files\Miravo'
locked=""
unlock() {
  if [[ -n $locked ]]; then
    chattr -i "$program_dir" 2>/dev/null
    chmod u+w "$program_dir"
    locked=""
  fi
}
trap 'unlock; rm -rf "$work"' EXIT

failures=0
expect() { # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
# A Windows program with its output in $work/out: a pipe held open by a Wine background process
# would keep this script waiting.
win() { # timeout, program, arguments...
  local limit=$1
  shift
  timeout -k 5 "$limit" wine "$@" </dev/null >"$work/out" 2>&1
}
out_has() { tr -d '\r' <"$work/out" | grep -qiF -- "$1"; }
reg_has() { # key, text
  win 60 reg query "$1" /s && out_has "$2"
}
msi_property() { msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' -v k="$1" '$1 == k {print $2}'; }

product_code=$(msi_property ProductCode)
product_version=$(msi_property ProductVersion)
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product_code"
echo "package: $(basename "$msi"), $(stat -c %s "$msi") bytes, version $product_version, $product_code"

# A run cut short before may have left its installation.
win 300 msiexec /x "$product_code" /qn

# --- install
expect "msiexec /i /qn succeeds" win 300 msiexec /i "$(winepath -w "$msi" 2>/dev/null)" /qn
for file in Miravo.exe MVSound.mvx MiravoAssociator.exe MiravoRun.exe MiravoHelp.chm mvtool.exe \
  sample/sample.mve; do
  expect "installed $file" test -s "$program_dir/$file"
done
# Wine puts a per-machine Start menu entry into the user's menu; Windows into the common one.
shortcuts() { find "$drive_c/ProgramData" "$drive_c/users" -name Miravo.lnk 2>/dev/null; }
shortcut=$(shortcuts | head -n 1)
expect "Start menu shortcut" test -n "$shortcut"
[[ -n $shortcut ]] && expect "the shortcut starts the installed editor" \
  grep -aq 'Miravo.exe' "$shortcut"
expect "installed-programs entry: name" reg_has "$uninstall_key" "Miravo"
expect "installed-programs entry: version" out_has "$product_version"
expect "installed-programs entry: publisher" out_has "Publisher"
# The list shows the product icon that the installer keeps in its own folder.
icon_win="C:\\windows\\Installer\\$product_code\\Miravo.ico"
expect "installed-programs entry: icon" reg_has 'HKCR\Installer\Products' "ProductIcon    REG_SZ    $icon_win"
expect "installed-programs icon file" test -s "$drive_c/windows/Installer/$product_code/Miravo.ico"
expect ".mve is a Miravo novel file" reg_has 'HKCR\.mve' "Miravo_mve"
expect ".mve opens with the installed editor" \
  reg_has 'HKCR\Miravo_mve\Shell\open\command' "$program_win\\Miravo.exe\" \"%1\""
expect ".mve's icon is the editor's second" reg_has 'HKCR\Miravo_mve\DefaultIcon' "Miravo.exe,1"

# --- one version: the package's and the programs' version blocks
for program in Miravo.exe MiravoAssociator.exe; do
  file_version=$(strings -el "$program_dir/$program" | grep -A1 -x FileVersion | tail -n 1)
  expect "$program's version $file_version is the package's $product_version" \
    test "$file_version" = "$product_version.0"
done

# --- the installed programs run
expect "installed mvtool reads the installed sample" \
  win 60 "$program_win\\mvtool.exe" info "$program_win\\sample\\sample.mve"

# The editor with a read-only program folder: settings left there are the starting settings, and
# what it writes goes to the local application data folder.
win 30 cmd /c echo %LOCALAPPDATA%
local_dir="$(winepath -u "$(tr -d '\r\n' <"$work/out")" 2>/dev/null)/Miravo"
rm -rf "$local_dir"
sample_win="$program_win\\sample\\sample.mve"
printf '[Version]\r\nSavedVersion=970\r\n[RecentFiles]\r\n1=%s\r\n' "$sample_win" \
  >"$program_dir/MiravoEditor.ini"
before=$(ls -A "$program_dir")
chmod a-w "$program_dir"
# Root writes through file modes: the immutable flag stops it too.
if chattr +i "$program_dir" 2>/dev/null || ((EUID != 0)); then
  locked=1
  log="$work/editor.log"
  setsid wine "$program_win\\Miravo.exe" </dev/null >"$log" 2>&1 &
  editor=$!
  for _ in $(seq 60); do
    [[ -f $local_dir/MiravoEditor.ini ]] && break
    sleep 1
  done
  expect "the starting settings are copied to the local folder" test -f "$local_dir/MiravoEditor.ini"
  sleep 8 # the main window shows and reads them
  expect "the editor runs" kill -0 "$editor"
  # For a look at the installed editor: the test's working folder in the build tree.
  import -display "$DISPLAY" -window root "$PWD/installed-editor.png" 2>/dev/null
  win 30 taskkill /im Miravo.exe # asks the windows to close, as the user would
  for _ in $(seq 30); do
    kill -0 "$editor" 2>/dev/null || break
    sleep 1
  done
  if kill -0 "$editor" 2>/dev/null; then
    fail_close=1
    win 30 taskkill /f /im Miravo.exe
  fi
  expect "the editor closes when asked" test -z "${fail_close:-}"
  settings=$(iconv -f UTF-16 -t UTF-8 "$local_dir/MiravoEditor.ini" 2>/dev/null | tr -d '\r')
  expect "the editor wrote its settings to the local folder" \
    test "$(head -c 2 "$local_dir/MiravoEditor.ini" | od -An -tx1 | tr -d ' ')" = fffe
  expect "the settings kept the recent file read from the program folder" \
    grep -qF "1=$sample_win" <<<"$settings"
  expect "nothing new in the read-only program folder" test "$(ls -A "$program_dir")" = "$before"
  unlock
else
  echo "FAILED: cannot make the program folder read-only (chattr)"
  failures=$((failures + 1))
fi
rm -f "$program_dir/MiravoEditor.ini" # the user's file, which no uninstall removes
rm -rf "$local_dir"

# --- uninstall
expect "msiexec /x /qn succeeds" win 300 msiexec /x "$(winepath -w "$msi" 2>/dev/null)" /qn
expect "no program folder left" test ! -e "$program_dir"
expect "no shortcut left" test -z "$(shortcuts)"
expect "no installer icon left" test ! -e "$drive_c/windows/Installer/$product_code"
expect "no installed-programs entry left" test "$(win 60 reg query "$uninstall_key"; echo $?)" != 0
expect "no .mve entry left" test "$(win 60 reg query 'HKCR\.mve'; echo $?)" != 0
expect "no Software\\Miravo key left" test "$(win 60 reg query 'HKLM\Software\Miravo'; echo $?)" != 0
expect "no Miravo_mve entry left" test "$(win 60 reg query 'HKCR\Miravo_mve'; echo $?)" != 0

echo "$failures failed"
((failures == 0))
