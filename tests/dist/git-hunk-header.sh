#!/usr/bin/env bash
# With the shipped attributes and pattern, git diff names in each hunk header the procedure
# that the change is in. Runs in a temporary repository, away from the user's git settings.
set -euo pipefail
contrib=$(cd "$1" && pwd)
if ! command -v git >/dev/null; then
    echo "Skipped: git is not installed (scripts/install-deps.sh installs it)."
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=$work/gitconfig
git config --global include.path "$contrib/vb.gitconfig"
cd "$work" && git init -q repo && cd repo
cp "$contrib/gitattributes" .gitattributes

# Procedures of every kind the pattern knows, each with a body long enough for a hunk of its
# own; "Declare Function" is a declaration, not a procedure, and must never head a hunk.
body() { for i in 1 2 3 4 5 6; do echo "    Total = Total + $i"; done; }
{
    echo 'Attribute VB_Name = "modOrders"'
    echo 'Private Declare Function GetTickCount Lib "kernel32" () As Long'
    echo 'Dim Total As Long'
    echo 'Public Sub SaveOrder(ByVal Id As Long)'; body; echo '    Total = 0 ''SAVE'; body
    echo 'End Sub'
    echo 'Private Static Function NextNumber() As Long'; body; echo '    Total = 0 ''NEXT'; body
    echo 'End Function'
    echo 'Friend Property Get OrderCount() As Long'; body; echo '    Total = 0 ''COUNT'; body
    echo 'End Property'
    echo 'Sub Form_Load()'; body; echo '    Total = 0 ''LOAD'; body
    echo 'End Sub'
} >modOrders.bas
git add . && git -c user.name=t -c user.email=t@t commit -qm one
sed -i 's/Total = 0 /Total = 1 /' modOrders.bas

headers=$(git diff -U2 modOrders.bas | grep '^@@' | sed 's/^@@ [^@]* @@ //')
expected='Public Sub SaveOrder(ByVal Id As Long)
Private Static Function NextNumber() As Long
Friend Property Get OrderCount() As Long
Sub Form_Load()'
if [[ $headers != "$expected" ]]; then
    printf 'FAIL: the hunk headers are\n%s\nexpected\n%s\n' "$headers" "$expected"
    exit 1
fi
