#!/usr/bin/env bash
# With the shipped attributes and configuration, git diff shows the macros of two committed
# versions of a real workbook as text: the changed lines, with the procedure or the module in
# each hunk header. Runs in a temporary repository, away from the user's git settings.
# Arguments: the contrib/git folder, the folder of the dualis program, the workbook versions.
set -euo pipefail
contrib=$(cd "$1" && pwd)
program=$(cd "$2" && pwd)
versions=$3
if ! command -v git >/dev/null; then
    echo "Skipped: git is not installed (scripts/install-deps.sh installs it)."
    exit 77
fi
old=$versions/2025-04-27-6795118/wbs-template.xlsm
new=$versions/2025-04-27-b8c6339/wbs-template.xlsm
if [[ ! -f $old || ! -f $new ]]; then
    echo "Skipped: the real workbook versions are not there: $versions"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=$work/gitconfig PATH=$program:$PATH
# The textconv cache is kept as git notes, which are commits of their own.
export GIT_AUTHOR_NAME=t GIT_AUTHOR_EMAIL=t@t GIT_COMMITTER_NAME=t GIT_COMMITTER_EMAIL=t@t
git config --global include.path "$contrib/vb.gitconfig"
cd "$work" && git init -q repo && cd repo
cp "$contrib/gitattributes" .gitattributes
commit() { git add . && git commit -qm "$1"; }
cp "$old" wbs-template.xlsm && commit one
cp "$new" wbs-template.xlsm && commit two

diff=$(git diff HEAD~1 HEAD -- wbs-template.xlsm)
fail() { printf 'FAIL: %s\n%s\n' "$1" "$diff"; exit 1; }
grep -q '^Binary files' <<<"$diff" && fail "git saw binary files"
grep -qF -- '-Public Const APP_VERSION As String = "0.1.2"' <<<"$diff" || fail "the old line is missing"
grep -qF -- '+Public Const APP_VERSION As String = "0.1.1"' <<<"$diff" || fail "the new line is missing"
headers=$(grep '^@@' <<<"$diff" | sed 's/^@@ [^@]* @@ //')
# The constant stands before cfg's first procedure: its hunk is headed by the module's line.
grep -qxF "'=== cfg.bas ===" <<<"$headers" || fail "no hunk is headed by the module's line"
grep -qE '^(Public |Private )?(Sub|Function) ' <<<"$headers" || fail "no hunk names its procedure"
# The log shows the same, as git log -p does for any text.
log=$(git log -p -1 -- wbs-template.xlsm)
grep -qF '+Public Const APP_VERSION' <<<"$log" || fail "git log -p"
echo "git diff shows the workbook's macros as text"
