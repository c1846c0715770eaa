#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them on the simulated platform: five
# repetitions of each, medians reported, then a table of times, time per device,
# allocations and platform calls, and the ratios that show linear growth.
# Arguments go to the benchmark program (e.g. --benchmark_filter=BuildList).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

out=build/bench
# -O2: at -O3 GCC 12 reports a false -Wrestrict in the simulated platform, and
# warnings are errors.
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DQUORVIN_TESTS=OFF >/dev/null
cmake --build "$out" --target quorvin_bench >/dev/null

"$out/bench/quorvin_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$out/bench.json" --benchmark_out_format=json "$@" >"$out/bench.txt" 2>"$out/bench.err"

python3 - "$out/bench.json" <<'EOF'
import json, sys

data = json.load(open(sys.argv[1]))
medians = {b["run_name"]: b for b in data["benchmarks"] if b.get("aggregate_name") == "median"}
skip = {"bytes", "allocs", "calls", "per_device", "devices", "listed", "peak_bytes", "rows",
        "clipboard_calls", "iterations", "real_time", "cpu_time", "repetitions", "threads",
        "repetition_index", "family_index", "per_family_instance_index", "run_name", "run_type",
        "aggregate_name", "aggregate_unit", "time_unit", "name"}
scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}

def ns(value):
    for unit, size in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if value >= size:
            return f"{value / size:.3g} {unit}"
    return f"{value:.3g} ns"

def size(value):
    for unit, factor in (("MiB", 1 << 20), ("KiB", 1 << 10)):
        if value >= factor:
            return f"{value / factor:.3g} {unit}"
    return f"{value:.0f} B"

def time_of(b, kind="cpu_time"):
    return b[kind] * scale[b["time_unit"]]

# CPU time is the measure to compare: other programs compile on these machines and
# stretch the real time of whatever they interrupt.
rows = [("benchmark", "real", "cpu", "cpu/device", "alloc/op", "allocs/op", "calls", "peak")]
for name, b in medians.items():
    rows.append((name.replace("BM_", ""), ns(time_of(b, "real_time")), ns(time_of(b)),
                 ns(b["per_device"] * 1e9) if "per_device" in b else "",
                 size(b.get("bytes", 0)), f'{b.get("allocs", 0):.0f}', f'{b.get("calls", 0):.0f}',
                 size(b["peak_bytes"]) if "peak_bytes" in b else ""))
widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
for i, r in enumerate(rows):
    print("  ".join(c.ljust(w) if j == 0 else c.rjust(w) for j, (c, w) in enumerate(zip(r, widths))))
    if i == 0:
        print("  ".join("-" * w for w in widths))

print("\nplatform calls of one operation, by name")
for name, b in medians.items():
    calls = {k: v for k, v in b.items() if k not in skip and isinstance(v, (int, float))}
    print(f'  {name.replace("BM_", "")}: ' + ", ".join(f"{k} {v:.0f}" for k, v in sorted(calls.items())))

print("\ngrowth (median CPU time per device, 10,000 against 100 devices; linear is 1.0, allowed 1.5)")
for mode in ("normal", "mice_only", "all_devices"):
    small, large = medians.get(f"BM_BuildList/{mode}/100"), medians.get(f"BM_BuildList/{mode}/10000")
    if small and large:
        ratio = large["per_device"] / small["per_device"]
        verdict = "ok" if ratio <= 1.5 else "OVER"
        print(f"  list, {mode}: {ratio:.2f} {verdict}")
for kind in ("plain", "process_parent"):
    small, large = medians.get(f"BM_PaintGrid/{kind}/100"), medians.get(f"BM_PaintGrid/{kind}/10000")
    if small and large:
        print(f"  paint of 30 rows, {kind}: {time_of(large) / time_of(small):.2f} (the same 30 rows in a list about 90 times longer)")
load = data["context"].get("load_avg", [])
print("\nload average at the start: " + " ".join(f"{x:.1f}" for x in load))
EOF
grep -h "max resident" "$out/bench.err" || true
