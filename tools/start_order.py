#!/usr/bin/env python3
"""Writes src/app/start_order.txt: the code sections of the functions the program runs from
its start to the first paint of its window, in the order they first run. The link places
them side by side (bw_order_start_code in CMakeLists.txt), so the start maps few code pages.

Usage: tools/start_order.py BUILD_DIR
Runs BUILD_DIR/bench/shell/start_process under callgrind on the start benchmark's data
(startup_bench with BW_KEEP_BENCH_DATA). A list left behind by changed code only places
less well; the program works the same with any list.
"""

import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run_functions(build, tmp):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", BW_KEEP_BENCH_DATA="1")
    out = subprocess.run([os.path.join(build, "bench/shell/startup_bench"),
                          "--benchmark_filter=none"], env=env, capture_output=True,
                         text=True, check=True).stdout
    data = re.search(r"data kept in (\S+)", out).group(1)
    profile = os.path.join(tmp, "callgrind.out")
    subprocess.run(["valgrind", "--tool=callgrind", "--demangle=no",
                    "--callgrind-out-file=" + profile,
                    os.path.join(build, "bench/shell/start_process"),
                    os.path.join(data, "data"), os.path.join(data, "settings")],
                   env=env, capture_output=True, check=True)
    subprocess.run(["rm", "-rf", data], check=True)
    # Callgrind names each object and function once, then by number alone.
    objects, functions, current, names = {}, {}, None, []
    for line in open(profile, errors="replace"):
        m = re.match(r"(c?ob|c?fn)=\((\d+)\)(?: (.*))?$", line.rstrip("\n"))
        if not m:
            continue
        kind, number, name = m.groups()
        table = objects if kind.endswith("ob") else functions
        if name:
            table[number] = name
        if kind == "ob":
            current = objects.get(number, "")
        elif kind == "fn" and current.endswith("/start_process"):
            names.append(functions.get(number, ""))
    return names


def sections(names):
    # Static initialisers and main sit in .text.startup.*: all of it runs at the start.
    out, seen = [".text.startup.*"], set()
    for name in names:
        if not name.startswith("_Z") or "static_initialization" in name:
            continue
        # A constructor's or destructor's two names share one body.
        for variant in (name, name.replace("C1E", "C2E", 1), name.replace("C2E", "C1E", 1),
                        name.replace("D1E", "D2E", 1), name.replace("D2E", "D1E", 1)):
            if variant not in seen:
                seen.add(variant)
                out.append(".text." + variant)
    return out


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory() as tmp:
        names = run_functions(os.path.abspath(sys.argv[1]), tmp)
    with open(os.path.join(ROOT, "src/app/start_order.txt"), "w") as f:
        f.write("\n".join(sections(names)) + "\n")


if __name__ == "__main__":
    main()
