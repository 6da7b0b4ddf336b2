#!/usr/bin/env bash
# Runs quillmere as git's difftool, mergetool and merge driver in a repository
# made here, as the README describes them. Usage: git_integration.sh QUILLMERE
set -euo pipefail
quillmere=$(realpath "$1")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Git and quillmere keep their settings in the scratch folder only.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export QUILLMERE_FORMATS_DIR="$work/formats" GIT_CONFIG_NOSYSTEM=1
unset GIT_DIR GIT_WORK_TREE
mkdir -p "$HOME"
git config --global user.name "Quillmere Test"
git config --global user.email "test@quillmere.invalid"
git config --global init.defaultBranch main
git config --global difftool.quillmere.cmd \
  "'$quillmere' -silent -compare -left \"\$LOCAL\" -right \"\$REMOTE\" -lefttitle \"\$MERGED\" -righttitle \"\$MERGED\" -report -"
# The README's mergetool opens the window; here it runs silently, as a
# machine without a display does, with the same files and titles.
git config --global mergetool.quillmere.cmd \
  "'$quillmere' -silent -merge -base \"\$BASE\" -left \"\$LOCAL\" -right \"\$REMOTE\" -basetitle \"\$MERGED\" -lefttitle \"\$MERGED\" -righttitle \"\$MERGED\" -result \"\$MERGED\""
git config --global mergetool.quillmere.trustExitCode true
git config --global mergetool.keepBackup false

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

# One string per line; $1 names the file, then "name=text" pairs.
strings_file() {
  local file=$1
  shift
  {
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<resources>'
    for pair in "$@"; do
      echo "    <string name=\"${pair%%=*}\">${pair#*=}</string>"
    done
    echo '</resources>'
  } >"$file"
}

base=(title=Logbook greeting=Hello save=Save discard=Discard)

# A repository with strings.xml committed on main, then changed on the
# branches "ours" (from main) and "theirs" as given.
make_repository() {
  local folder=$1 ours=$2 theirs=$3
  git init -q "$folder"
  cd "$folder"
  strings_file strings.xml "${base[@]}"
  git add strings.xml
  git commit -qm base
  git checkout -qb theirs
  eval "strings_file strings.xml $theirs"
  git commit -qam theirs
  git checkout -q main
  eval "strings_file strings.xml $ours"
  git commit -qam ours
}

# Neighbouring lines changed on each side: a conflict for a line merge only.
neighbours_ours="title=Logbook greeting='Hello, skipper' save=Save discard=Discard"
neighbours_theirs="title=Logbook greeting=Hello save='Save now' discard=Discard"
neighbours_merged="$work/neighbours-merged.xml"
strings_file "$neighbours_merged" title=Logbook "greeting=Hello, skipper" "save=Save now" discard=Discard
# The same line changed differently on each side: a real conflict.
clash_ours="title=Logbook greeting=Ahoy save=Save discard=Discard"
clash_theirs="title=Logbook greeting=Howdy save=Save discard=Discard"

echo "== difftool"
make_repository "$work/diff" "$neighbours_ours" "$neighbours_theirs"
git difftool -y -t quillmere HEAD~1 HEAD -- strings.xml >"$work/difftool.out" 2>"$work/difftool.err"
check "difftool prints a two-way comparison report" grep -q "^Report: Two-way comparison" "$work/difftool.out"
check "difftool reports one difference and no conflict" \
  grep -qz $'Differences: 1\r\nConflicts: 0' "$work/difftool.out"

echo "== line merge of neighbouring changes conflicts"
make_repository "$work/lines" "$neighbours_ours" "$neighbours_theirs"
check "git merge stops with a conflict" bash -c '! git merge -q theirs >/dev/null 2>&1'

echo "== mergetool"
check "mergetool resolves neighbouring changes" \
  bash -c 'git mergetool -y -t quillmere strings.xml >"$0/mergetool.out" 2>&1' "$work"
check "the merged file holds both changes" cmp -s strings.xml "$neighbours_merged"
check "the merge can be committed" git commit -qm merged

make_repository "$work/clash-tool" "$clash_ours" "$clash_theirs"
git merge -q theirs >/dev/null 2>&1 || true
cp strings.xml "$work/clash-before.xml"
check "mergetool fails on a real conflict" \
  bash -c '! git mergetool -y -t quillmere strings.xml >"$0/mergetool-clash.out" 2>&1' "$work"
check "and leaves the file untouched" cmp -s strings.xml "$work/clash-before.xml"
check "and the path still unmerged" bash -c '[[ -n $(git diff --name-only --diff-filter=U) ]]'

echo "== merge driver"
setup_driver() {
  git config merge.quillmere.name "Quillmere XML merge"
  git config merge.quillmere.driver \
    "'$quillmere' -silent -merge -base %O -left %A -right %B -basetitle %P -lefttitle %P -righttitle %P -result %A"
  echo '*.xml merge=quillmere' >.gitattributes
}
make_repository "$work/driver" "$neighbours_ours" "$neighbours_theirs"
setup_driver
check "a branch merge with neighbouring changes completes" git merge -q --no-edit theirs
check "the merged file holds both changes" cmp -s strings.xml "$neighbours_merged"

make_repository "$work/clash-driver" "$clash_ours" "$clash_theirs"
setup_driver
check "a branch merge with a real conflict fails" bash -c '! git merge -q --no-edit theirs >/dev/null 2>&1'
check "and leaves the path unmerged" bash -c '[[ -n $(git diff --name-only --diff-filter=U) ]]'

echo "== titles choose the format specification"
# An Ant build file: <project> is the root of a Maven POM as well. Only the
# title tells the tools' temporary files apart; the choice is never asked.
build_file() {
  local file=$1 compile=$2 test=$3
  {
    echo '<project name="logbook" default="test">'
    echo "    <target name=\"compile\" depends=\"$compile\"/>"
    echo "    <target name=\"test\" depends=\"$test\"/>"
    echo '</project>'
  } >"$file"
}
make_build_repository() {
  local folder=$1
  git init -q "$folder"
  cd "$folder"
  mkdir -p "tools dir"
  build_file "tools dir/build.xml" init compile
  git add "tools dir/build.xml"
  git commit -qm base
  git checkout -qb theirs
  build_file "tools dir/build.xml" init "compile,jar"
  git commit -qam theirs
  git checkout -q main
  build_file "tools dir/build.xml" "init,clean" compile
  git commit -qam ours
}
build_file "$work/build-merged.xml" "init,clean" "compile,jar"
asked="Several format specifications"

make_build_repository "$work/build-driver"
setup_driver
check "the driver merges the build file" \
  bash -c 'git merge -q --no-edit theirs >"$0/build-driver.out" 2>&1' "$work"
check "with its title's specification" bash -c '! grep -q "$1" "$0/build-driver.out"' "$work" "$asked"
check "the merged build file holds both changes" cmp -s "tools dir/build.xml" "$work/build-merged.xml"

make_build_repository "$work/build-tool"
git merge -q theirs >/dev/null 2>&1 || true
check "mergetool merges the build file" \
  bash -c 'git mergetool -y -t quillmere "tools dir/build.xml" >"$0/build-tool.out" 2>&1' "$work"
check "with its title's specification" bash -c '! grep -q "$1" "$0/build-tool.out"' "$work" "$asked"
check "the merged build file holds both changes" cmp -s "tools dir/build.xml" "$work/build-merged.xml"

echo "$failures failed"
[[ $failures -eq 0 ]]
