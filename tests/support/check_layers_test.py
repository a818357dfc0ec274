#!/usr/bin/env python3
"""The layering checker on small trees: it passes a tree whose includes point down and fails
one with an upward include and one with a sideways include on the same floor."""
import os
import subprocess
import sys
import tempfile

checker = sys.argv[1]


def run(files):
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)
        return subprocess.run([sys.executable, checker, root], capture_output=True, text=True)


down = {
    "src/store/A.cpp": '#include "common/Database.h"\n#include "store/B.h"\n',
    "src/records/ui/W.cpp": '#include "printing/P.h"\n#include "records/H.h"\n',
    "tests/shell/T.cpp": '#include "store/A.h"\n#include "TestSupport.h"\n',
}
cases = [
    ("down", down, 0, ""),
    ("up", {**down, "src/store/C.cpp": '#include "shell/MainWindow.h"\n'}, 1, "src/store/C.cpp:1"),
    ("sideways", {**down, "src/filling/F.cpp": '#include "library/T.h"\n'}, 1, "filling includes library"),
    ("ui above its base", {**down, "src/records/R.cpp": '#include "records/ui/W.h"\n'}, 1, "records includes records/ui"),
]
failed = 0
for name, files, code, expected in cases:
    r = run(files)
    if r.returncode != code or expected not in r.stdout:
        print(f"FAIL {name}: exit {r.returncode}, output:\n{r.stdout}{r.stderr}")
        failed += 1
print(f"{len(cases) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
