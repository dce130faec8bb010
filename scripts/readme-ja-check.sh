#!/usr/bin/env bash
# Fails when README.ja.md does not follow README.md: every heading of the
# English README must have its Japanese counterpart (the pairs below), in the
# same order, and the two must link to each other. A new README section gets
# its row here and its section in README.ja.md. README and README_JA name
# other files (for testing the check itself).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
en="${README:-$root/README.md}"
ja="${README_JA:-$root/README.ja.md}"

# English heading <TAB> Japanese heading, in README order.
pairs='
# ZorGem configuration toolset	# ZorGem 設定ツールセット
## Install	## インストール
## Building by hand	## 手動でのビルド
## Windows	## Windows
## The sample equipment	## サンプル装置
## Running the compiler	## コンパイラの実行
## zoredit	## zoredit
## Checking an equipment: ZorInspect check	## 装置の検査: ZorInspect check
## The GEM reference: ZorInspect export	## GEM リファレンス: ZorInspect export
## What changed: ZorInspect diff	## 変更点の一覧: ZorInspect diff
## ZorGemSim	## ZorGemSim
## Benchmarks	## ベンチマーク
## Running the editor	## エディタの実行
### Screenshots	### スクリーンショット
'

python3 - "$en" "$ja" "$pairs" "$0" <<'EOF'
import sys

en_path, ja_path, pairs_text, script = sys.argv[1:5]
pairs = [line.split("\t") for line in pairs_text.splitlines() if line.strip()]
japanese = dict(pairs)
english_of = {ja: en for en, ja in pairs}


def headings(path):
    """Lines starting with '#', outside fenced code (indented code never does)."""
    fenced = False
    found = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith(("```", "~~~")):
                fenced = not fenced
            elif not fenced and line.startswith("#") and line.lstrip("#").startswith(" "):
                found.append(line)
    return found


problems = []
en_headings = headings(en_path)
ja_headings = headings(ja_path)
for heading in en_headings:
    if heading not in japanese:
        problems.append(f"README.md heading '{heading}' has no Japanese counterpart in the "
                        f"table of {script}: add its row and its section in README.ja.md")
# Walk both lists together and name the first heading out of step (once
# the table knows every English heading).
expected = [japanese[h] for h in en_headings] if not problems else []
for index in range(max(len(expected), len(ja_headings)) if not problems else 0):
    want = expected[index] if index < len(expected) else None
    got = ja_headings[index] if index < len(ja_headings) else None
    if want == got:
        continue
    if want is None:
        problems.append(f"README.ja.md heading '{got}' has no counterpart in README.md "
                        f"(or comes after the last one)")
    elif want not in ja_headings:
        problems.append(f"README.md heading '{english_of[want]}' has no counterpart in "
                        f"README.ja.md: expected '{want}' as its heading number {index + 1}")
    else:
        problems.append(f"README.ja.md heading number {index + 1} is '{got}' where README.md "
                        f"has '{english_of[want]}' (expected '{want}'): the order differs")
    break
for heading in japanese:
    if heading not in en_headings:
        problems.append(f"{script} pairs '{heading}', which README.md no longer has: "
                        f"remove or rename its row")
with open(en_path, encoding="utf-8") as f:
    if "(README.ja.md)" not in f.read():
        problems.append("README.md does not link to README.ja.md")
with open(ja_path, encoding="utf-8") as f:
    if "(README.md)" not in f.read():
        problems.append("README.ja.md does not link back to README.md")
for problem in problems:
    print(f"readme-ja-check: {problem}", file=sys.stderr)
sys.exit(1 if problems else 0)
EOF
