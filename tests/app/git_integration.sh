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
# The README's driver line; the arguments are options put before the files.
setup_driver() {
  git config merge.quillmere.name "Quillmere XML merge"
  git config merge.quillmere.driver \
    "'$quillmere' -silent -merge $* -base %O -left %A -right %B -basetitle %P -lefttitle %P -righttitle %P -result %A"
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

echo "== merge driver with conflict markers"
# A string whose start tag spans two lines; $1 names the file, then the
# title, the greeting's translatable and comment values and the discard text.
greeting_file() {
  cat >"$1" <<EOF
<?xml version="1.0" encoding="utf-8"?>
<resources>
    <string name="title">$2</string>
    <string name="greeting" translatable="$3"
            comment="$4">Hello</string>
    <string name="save">Save</string>
    <string name="discard">$5</string>
</resources>
EOF
}
# Ours changes the title and the comment, theirs the neighbouring
# translatable value, the comment and the discard text: only the comment
# conflicts, and only its line is marked.
marked_expected="$work/marked-expected.xml"
cat >"$marked_expected" <<'EOF'
<?xml version="1.0" encoding="utf-8"?>
<resources>
    <string name="title">Captain log</string>
    <string name="greeting" translatable="false"
<<<<<<< strings.xml
            comment="shown first">Hello</string>
||||||| strings.xml
            comment="shown at start">Hello</string>
=======
            comment="shown on start-up">Hello</string>
>>>>>>> strings.xml
    <string name="save">Save</string>
    <string name="discard">Throw away</string>
</resources>
EOF
resolved_expected="$work/resolved-expected.xml"
greeting_file "$resolved_expected" "Captain log" false "shown on start-up" "Throw away"

git init -q "$work/markers"
cd "$work/markers"
greeting_file strings.xml Logbook true "shown at start" Discard
git add strings.xml
git commit -qm base
git checkout -qb theirs
greeting_file strings.xml Logbook false "shown on start-up" "Throw away"
git commit -qam theirs
git checkout -q main
greeting_file strings.xml "Captain log" true "shown first" Discard
git commit -qam ours
setup_driver -markers -markersize %L
check "a branch merge with one conflicting value fails" \
  bash -c '! git merge -q --no-edit theirs >"$0/markers-merge.out" 2>&1' "$work"
check "and leaves the path unmerged" bash -c '[[ -n $(git diff --name-only --diff-filter=U) ]]'
cp strings.xml "$work/quillmere-marked.xml"
check "the file holds every clean change, the conflict marked on its line" \
  cmp -s strings.xml "$marked_expected"
check "git diff shows the marked range" bash -c 'git diff | grep -q "^[ +]*<<<<<<< strings.xml"'

# A line merge of the same three files marks the neighbouring lines too.
git show :1:strings.xml >"$work/base.xml"
git show :2:strings.xml >"$work/ours.xml"
git show :3:strings.xml >"$work/theirs.xml"
git merge-file -p --diff3 "$work/ours.xml" "$work/base.xml" "$work/theirs.xml" \
  >"$work/line-marked.xml" || true
# The number of lines from the first marker to the last.
marked_lines() { awk '/^<<<<<<</ && !f { f = NR } /^>>>>>>>/ { l = NR } END { print l - f + 1 }' "$1"; }
check "a line merge marks more lines" \
  test "$(marked_lines "$work/line-marked.xml")" -gt "$(marked_lines "$work/quillmere-marked.xml")"

# Resolved by hand in favour of theirs.
awk '/^<<<<<<< |^\|\|\|\|\|\|\| / { skip = 1; next } /^=======$/ { skip = 0; next }
     /^>>>>>>> / { next } !skip' "$work/quillmere-marked.xml" >strings.xml
git add strings.xml
check "the merge resolved by hand can be committed" git commit -qm merged
check "and the committed file is the resolution" \
  bash -c 'git show HEAD:strings.xml | cmp -s - "$0"' "$resolved_expected"

make_repository "$work/markers-clean" "$neighbours_ours" "$neighbours_theirs"
setup_driver -markers -markersize %L
check "a merge without conflicts is not affected by -markers" git merge -q --no-edit theirs
check "the merged file holds both changes" cmp -s strings.xml "$neighbours_merged"

# QUILLMERE_SHOW_MARKED=1 prints both marked files.
if [[ -n ${QUILLMERE_SHOW_MARKED:-} ]]; then
  echo "-- quillmere -markers:"
  cat "$work/quillmere-marked.xml"
  echo "-- git merge-file --diff3:"
  cat "$work/line-marked.xml"
fi

echo "$failures failed"
[[ $failures -eq 0 ]]
