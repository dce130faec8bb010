#!/usr/bin/env python3
"""Compile benchmark: times ZorCompile on generated equipments of two sizes
against the I/O floor (reading the source and writing as many bytes as the
compile writes) and prints the ratio and the peak memory.

Usage: compile_bench.py [path/to/ZorCompile] (default: build/compiler/ZorCompile)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RUNS = 5


def run_timed(args, cwd):
    """Best wall time of RUNS runs."""
    best = None
    for _ in range(RUNS):
        start = time.perf_counter()
        subprocess.run(args, cwd=cwd, stdout=subprocess.DEVNULL, check=False)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


def written_bytes(cwd, stem):
    names = [stem + ext for ext in (".fil", ".h", ".bas", ".vb", ".cs")]
    names += ["ENG_ID.CSV", "ZorEdit.log", "AAZZ"]
    names += [n for n in os.listdir(cwd) if n.endswith("_TMP")]
    return sum(os.path.getsize(os.path.join(cwd, n)) for n in names if os.path.exists(os.path.join(cwd, n)))


def bench(compiler, blocks):
    work = tempfile.mkdtemp(prefix="zor_bench_")
    try:
        source = os.path.join(work, "equipment.txt")
        subprocess.run([sys.executable, os.path.join(HERE, "gen_equipment.py"), source,
                        "--blocks", str(blocks)], check=True)
        size = os.path.getsize(source)
        compile_time = run_timed([compiler, "equipment.txt"], work)
        out = written_bytes(work, "equipment")
        with open(os.path.join(work, "zor_conf.end")) as f:
            marker = f.read()
        floor_time = run_timed(
            ["/bin/sh", "-c", f"cat equipment.txt > /dev/null && head -c {out} /dev/zero > floor.out"], work)
        return size, out, compile_time, floor_time, marker
    finally:
        shutil.rmtree(work, ignore_errors=True)


def peak_memory_kb(compiler, blocks):
    """Peak RSS of a single compile, measured in a fresh child."""
    work = tempfile.mkdtemp(prefix="zor_bench_mem_")
    try:
        source = os.path.join(work, "equipment.txt")
        subprocess.run([sys.executable, os.path.join(HERE, "gen_equipment.py"), source,
                        "--blocks", str(blocks)], check=True)
        code = ("import resource,subprocess,sys;"
                "subprocess.run([sys.argv[1],'equipment.txt'],stdout=subprocess.DEVNULL);"
                "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
        result = subprocess.run([sys.executable, "-c", code, compiler], cwd=work,
                                capture_output=True, text=True, check=True)
        return int(result.stdout.strip())
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    root = os.path.dirname(HERE)
    compiler = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                               os.path.join(root, "build", "compiler", "ZorCompile"))
    print(f"ZorCompile: {compiler}  (best of {RUNS} runs each)")
    print(f"{'blocks/kind':>11} {'source MB':>9} {'written MB':>10} {'compile s':>9} "
          f"{'I/O floor s':>11} {'ratio':>6} {'peak MB':>8} {'marker':>6}")
    rows = []
    for blocks in (4096, 8192):
        size, out, compile_time, floor_time, marker = bench(compiler, blocks)
        peak = peak_memory_kb(compiler, blocks)
        ratio = compile_time / floor_time
        rows.append((blocks, compile_time))
        print(f"{blocks:>11} {size / 1e6:>9.1f} {out / 1e6:>10.1f} {compile_time:>9.3f} "
              f"{floor_time:>11.3f} {ratio:>6.1f} {peak / 1024:>8.1f} {marker:>6}")
    (b1, t1), (b2, t2) = rows
    print(f"growth: {b2 // b1}x the blocks took {t2 / t1:.2f}x the time (linear is {b2 / b1:.1f}x)")
    print("targets: ratio <= 10; the maximum equipment far below the editor's 5 s compile watch")


if __name__ == "__main__":
    main()
