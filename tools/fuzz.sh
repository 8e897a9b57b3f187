#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in build/fuzz and
# runs each for the given number of seconds (default 60). Corpora grow in build/fuzz/corpus/<target> from one
# run to the next; an input that breaks a target is written to build/fuzz/crashes and stops the script.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/tools/setup.sh"
ratiograph_install_missing cmake ninja-build clang libclang-rt-14-dev

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: tools/fuzz.sh [seconds per target, default 60]" >&2
    exit 2
fi

build="$top/build/fuzz"
# Every library the fuzzers link is built here with the same sanitizers, and with coverage instrumentation
# (fuzzer-no-link) so that libFuzzer is guided by the code under test, not only by the harness.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
flags+=" -D_GLIBCXX_ASSERTIONS"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
    -DRATIOGRAPH_FUZZ=ON -DRATIOGRAPH_GUI=OFF -DRATIOGRAPH_TESTS=OFF -DRATIOGRAPH_BENCHMARKS=OFF >/dev/null
fuzzers=(settingslines_fuzz settingsread_fuzz commandline_fuzz numtext_fuzz vehiclefile_fuzz torquecsv_fuzz)
cmake --build "$build" --target "${fuzzers[@]}"

# Starting points: a settings file as the program writes it, files around the reader's budget (300 bytes),
# command lines (arguments split at NUL, the report modes among them), number texts of every shape, a vehicle file
# and the installed presets, torque curves in CSV.
seeds="$build/seeds"
for fuzzer in "${fuzzers[@]}"; do
    mkdir -p "$seeds/$fuzzer"
done
mkdir -p "$build/crashes"
printf '2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\n1500 \r\n3.53\r\n26.4\r\n\r\n\r\n\r\nCorvane Ratiograph Analysis Data:\r\n' \
    >"$seeds/settingslines_fuzz/sample"
printf '2.68\n2\n1.3\n1\n0.75\n0\n2.9\n1500 \n3.53\n26.4' >"$seeds/settingslines_fuzz/lf"
cp "$seeds/settingslines_fuzz/"* "$seeds/settingsread_fuzz/"
for length in 279 280 281; do # the tenth line end just inside, on and just past the budget's last byte
    { printf '1\n2\n3\n4\n5\n6\n7\n8\n9\n' && head -c "$length" /dev/zero | tr '\0' 7 && printf '\r\nreport\r\n'; } \
        >"$seeds/settingsread_fuzz/budget$length"
done
n=0
for args in 'car.kvr' '--help' '--version' '--' '--\0-odd.kvr' '-' 'a.kvr\0b.kvr' '--bogus' 'car.kvr\0--\0--help' \
    '--report\0car.kvr\0--format\0csv' '--export=chart.png\0--size\01200x800\0car.kvr' \
    '--report\0--cruise=110 km/h\0--compare\0b.kvr\0car.kvr' '--export\0out.pdf\0car.kvr'; do
    printf '%b' "$args" >"$seeds/commandline_fuzz/seed$((n++))"
done
n=0
for text in '2.68' '1500 ' ' -12' '1e-005' '1.23457e+006' '2.5D+1' '0.' '.5' '2147483648' '-0' \
    '1.7976931348623157e308' '4.9406564584124654e-324'; do
    printf '%s' "$text" >"$seeds/numtext_fuzz/seed$((n++))"
done

cat >"$seeds/vehiclefile_fuzz/sportscar" <<'JSON'
{"format": "ratiograph-vehicle", "version": 1, "name": "Sports car",
 "gearbox": {"forward": [4.714, 3.143, 2.106, 1.667, 1.285, 1.000, 0.839, 0.667], "reverse": -3.295, "finalDrive": 3.31},
 "tire": {"size": "225/45R17"},
 "engine": {"redlineRpm": 6500, "torque": {"unit": "kW", "points": [[1000, 32], [3500, 165], [6500, 250]]}},
 "road": {"massLb": 3838, "cdA": 0.87, "gradePercent": 4}}
JSON
cp "$top/data/presets.jsonl" "$seeds/vehiclefile_fuzz/presets"
printf 'rpm,torque_nm\n1000,306\n2020,385\n2990,439\n' >"$seeds/torquecsv_fuzz/nm"
printf '\xef\xbb\xbf# dyno\r\nRPM, power_hp\r\n\r\n1000, 43\r\n2000,109\r\n3000,184\r\n' >"$seeds/torquecsv_fuzz/hp"

for fuzzer in "${fuzzers[@]}"; do
    corpus="$build/corpus/$fuzzer"
    mkdir -p "$corpus"
    echo "== $fuzzer, ${seconds}s"
    "$build/fuzz/$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$fuzzer-" "$corpus" "$seeds/$fuzzer"
done
