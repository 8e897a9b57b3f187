#!/usr/bin/env bash
# Measures what the tests catch. Applies one deliberate one-line fault at a time to the product code, rebuilds the
# test build in build/mutate and runs the suite. A fault is caught when some test fails. Takes a while (a rebuild
# and a suite run per fault), so CI does not run it; run it after changing tests.
#
# By default the faults are the list below, each chosen to break something a user would see (a wrong constant, an
# off-by-one, a swapped order, a dropped check, a wrong format); keep it current when code moves.
# With --random, tools/mutants.py draws the faults itself, seeded, from every line of every product folder and
# every operator that applies there, so the suite is also judged by faults nobody chose. A fault that does not
# compile is counted apart: the figure to quote is the share caught among those that compile. The run's lines also
# go to build/mutate/random-SEED.txt. A survivor from which the optimising compiler makes the same object file as
# from the unchanged source is equivalent and counted apart too; any other survivor may still be equivalent (no test
# could tell it): a person decides.
#
# Usage: tools/mutate.sh [SUBSTRING]   the listed faults (only those whose description contains SUBSTRING)
#        tools/mutate.sh --random [--seed N] [--count K] [--list]
#                                      K drawn faults (default 60, seed 1; the first K of a seed are the same for
#                                      any larger K); --list prints them without building
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/tools/setup.sh"
ratiograph_install_missing "${ratiograph_need_packages[@]}" python3

usage() { sed -n 's/^# Usage: /usage: /p; s/^#        /       /p' "${BASH_SOURCE[0]}"; }
mode=listed filter="" seed=1 count=60 bListOnly=false bOptions=false
while (($#)); do
    case $1 in
    --random) mode=random ;;
    --seed | --count)
        [[ ${2:-} =~ ^[0-9]+$ ]] || { usage >&2 && exit 2; }
        if [[ $1 == --seed ]]; then seed=$2; else count=$2; fi
        bOptions=true
        shift
        ;;
    --list) bListOnly=true bOptions=true ;;
    -h | --help) usage && exit 0 ;;
    -*) usage >&2 && exit 2 ;;
    *) filter=$1 ;;
    esac
    shift
done
if [[ $mode == random && -n $filter ]] || [[ $mode == listed && $bOptions == true ]]; then
    usage >&2
    exit 2
fi

# Each fault, one per line: file @@ the exact text it replaces (found exactly once) @@ the faulty text @@ what it
# breaks. Texts are literal.
faults=$(cat <<'FAULTS'
numtext/numtext.cpp @@ if (nDigits < 3) @@ if (nDigits < 2) @@ exponents with two digits instead of three
numtext/numtext.cpp @@ (text[at] == ' ' || text[at] == '\t') @@ (text[at] == ' ') @@ tabs are not blanks
numtext/numtext.cpp @@ if (number.value == 0 && chFirst != '0') @@ if (number.value == 0 && chFirst == '.') @@ -0 accepted as zero
numtext/numtext.cpp @@ text[at] == 'd' || text[at] == 'D' @@ text[at] == 'D' @@ lower-case d exponent refused
numtext/numtext.cpp @@ std::min(magnitude, nLimit - 1) @@ std::min(magnitude, nLimit) @@ strtol overflow not clamped
numtext/numtext.cpp @@ 0x1.ffffffp127 @@ 0x1.fffffep127 @@ narrowing saturates one step too early
numtext/numtext.cpp @@ if (SkipBlanks(text, start + number.nConsumed) != text.size()) @@ if (SkipBlanks(text, start + number.nConsumed) > text.size()) @@ trailing garbage accepted
calc/roadspeed.h @@ kCircumferenceFactor = 3.124F @@ kCircumferenceFactor = 3.14159F @@ pi instead of 3.124
calc/roadspeed.cpp @@ double{fRatio} / double{settings.m_fRearEnd} @@ double{fRatio} * double{settings.m_fRearEnd} @@ rear-end multiplies
calc/roadspeed.cpp @@ {*speed + 0.0} @@ {*speed} @@ a zero reverse speed shows -0.0
calc/roadspeed.cpp @@ || settings.m_fTireOD == 0.0F @@ || false @@ a tire of 0 gives a speed
calc/roadspeed.cpp @@ kReverseSign = -1.0F @@ kReverseSign = 1.0F @@ reverse speeds positive
calc/tirediameter.cpp @@ kSidewalls = 2.0 @@ kSidewalls = 1.0 @@ one sidewall
calc/tirediameter.cpp @@ kInchesPerMillimetre = 0.03937F @@ kInchesPerMillimetre = 0.0394F @@ millimetres rounded
calc/gearsettings.h @@ kRpmStep = 100.0 @@ kRpmStep = 10.0 @@ Gas and Brake step by 10
calc/gearsettings.h @@ &GearSettings::m_fTireOD, 0.0F, 100.0F @@ &GearSettings::m_fTireOD, 0.0F, 50.0F @@ tire range ends at 50
calc/gearsettings.h @@ {GearValue::Gear2, "2.0"} @@ {GearValue::Gear2, "2"} @@ sample second gear written as 2
calc/gearsettings.h @@ {GearValue::Rpm, "0"}, @@ {GearValue::Gear6, "0"}, @@ Clear leaves RPM
calc/shiftchart.cpp @@ rpm * nextRatio / ratio @@ rpm * ratio / nextRatio @@ shift drop inverted
settingsfile/settingsfile.cpp @@ value == GearValue::Rpm ? "%-5.0f\n" @@ value == GearValue::Rpm ? "%5.0f\n" @@ RPM line right-aligned
settingsfile/settingsfile.cpp @@ "Third    %4.2g %s\n" @@ "Third    %4.3g %s\n" @@ third report row with three digits
settingsfile/settingsfile.cpp @@ out += '\r'; @@ ; @@ LF line ends
settingsfile/settingsfile.cpp @@ text.back() == '\r' @@ text.back() == '\n' @@ CR kept at line ends
settingsfile/settingsfile.cpp @@ text.find('\0') @@ text.find('\x01') @@ NUL does not end a line
settingsfile/settingsfile.h @@ GearValue::Reverse, GearValue::Rpm,   GearValue::RearEnd @@ GearValue::Reverse, GearValue::RearEnd, GearValue::Rpm @@ RPM and rear-end lines swapped
settingsfile/settingsfile.cpp @@ return nLineEnds >= kSettingsFileOrder.size(); @@ return nLineEnds >= kSettingsFileOrder.size() - 1; @@ reader stops one line end early
settingsfile/boundedfile.cpp @@ if (nHave > limits.nBudget) @@ if (nHave > limits.nBudget + 1) @@ read budget one byte late
calc/shiftchart.h @@ kKilometresPerMile = 1.609344 @@ kKilometresPerMile = 1.6 @@ km/h factor rounded
calc/tiresize.cpp @@ kMillimetresPerInch = 25.4; @@ kMillimetresPerInch = 25.0; @@ tire sizes with 25 mm to the inch
calc/tiresize.cpp @@ kInchesPerMile / (double{kCircumferenceFactor} * revsPerMile) @@ kInchesPerMile / (std::numbers::pi * revsPerMile) @@ calibration with pi
calc/gearreport.cpp @@ (double{setupB.m_fTireOD} / double{current.m_fTireOD}) @@ (double{current.m_fTireOD} / double{setupB.m_fTireOD}) @@ speedometer tire ratio inverted
calc/gearreport.cpp @@ (*now - *before) / *before @@ (*now - *before) / *now @@ difference to B relative to the current setup
numtext/fieldrule.h @@ constexpr std::size_t kFieldChars = 31; @@ constexpr std::size_t kFieldChars = 32; @@ fields judged on 32 characters
ui/exchange/formexchange.cpp @@ if (text.size() <= kCompareChars && @@ if (false && @@ unchanged texts rewritten
ui/exchange/formexchange.cpp @@ platform::SelectAllText(m_hLastControl); @@ ; @@ failed field not selected
numtext/fieldrule.h @@ return minimum <= value && value <= maximum; @@ return minimum <= value && value < maximum; @@ range maximum excluded
numtext/fieldrule.cpp @@ return CrtFormat("%.*g", {6, double{value}}); @@ return CrtFormat("%.*g", {7, double{value}}); @@ loading pass with seven digits
numtext/fieldrule.cpp @@ == '1' ? text1 : text2 @@ == '2' ? text1 : text2 @@ range bounds swapped in prompts
ui/exchange/prompts.cpp @@ nType |= MB_ICONEXCLAMATION; @@ nType |= MB_ICONASTERISK; @@ prompts with the wrong icon
ui/exchange/wnd.cpp @@ m_hWnd == g_hLockoutWnd @@ m_hWnd != g_hLockoutWnd @@ lock-out inverted
ui/exchange/wnd.cpp @@ ~CLockoutScope() { g_hLockoutWnd = m_hSaved; } @@ ~CLockoutScope() { g_hLockoutWnd = nullptr; } @@ nested lock-out not restored
ui/exchange/dialog.cpp @@ if (ExchangeData(true)) @@ if (ExchangeData(true) || true) @@ OK closes over a bad field
ui/exchange/winapp.cpp @@ find_last_of("\\/:") @@ find_last_of("/") @@ app name keeps a Windows directory
numtext/fieldrule.cpp @@ ParseFloatText(text.substr(0, kFieldChars)) @@ ParseFloatText(text) @@ a file's line judged beyond 31 characters
ui/exchange/dialog.cpp @@ return platform::GetLastActivePopup(pApp->m_pMainWnd->m_hWnd); @@ return pApp->m_pMainWnd->m_hWnd; @@ a dialog over a dialog owned by the main window
ui/gearcalcdlg.cpp @@ if (step < 0 && rpm < double{kRpmMin}) @@ if (rpm < double{kRpmMin}) @@ Gas clamps at 0 too
ui/gearcalcdlg.cpp @@ CrtFormat("%-5.1f", {double{m_settings.m_fTireOD}}) @@ CrtFormat("%-5.2f", {double{m_settings.m_fTireOD}}) @@ tire written with two decimals
ui/gearcalcdlg.cpp @@ &m_editSpeed1, &m_editSpeed2 @@ &m_editSpeed2, &m_editSpeed1 @@ first two displays swapped
ui/gearcalcdlg.cpp @@ {IDC_GAS, BN_CLICKED, &CGearCalcDlg::OnGas} @@ {IDC_GAS, BN_CLICKED, &CGearCalcDlg::OnBrake} @@ Gas brakes
ui/tiresizedlg.cpp @@ constexpr std::size_t kResultChars = 19; @@ constexpr std::size_t kResultChars = 2; @@ tire result read cut short
ui/tiresizedlg.cpp @@ if (!ExchangeData(true)) @@ if (!ExchangeData(true) && false) @@ tire OK closes over a bad field
report/reportformat.cpp @@ if (nDot == std::string_view::npos || nDot == 0) @@ if (nDot == std::string_view::npos) @@ a hidden file's dot read as an extension
app/commandline.cpp @@ value = args[++i]; @@ value = args[i + 1]; @@ an option's argument read as an operand too
app/commandline.cpp @@ if (commandLine.format != ReportFormat::Svg && commandLine.format != ReportFormat::Png) @@ if (false) @@ --size taken with any format
app/commandline.cpp @@ int nError = bArrived ? 0 : errno; @@ int nError = 0; @@ a write error told without its reason
app/reportcommand.cpp @@ if (!values.problems.empty()) @@ if (false) @@ a refused value told but reported on
platform/boxes.cpp @@ return strPath + (strPath.ends_with('.') ? "" : ".") + options.filters[nFilter].strExtension; @@ return strPath; @@ an export name without extension kept as typed
platform/document.cpp @@ if (!(fit < 1.0 / scale)) @@ if (true) @@ a long page runs off the sheet
ui/reportactions.cpp @@ if (format == ReportFormat::Png || format == ReportFormat::Svg) { @@ if (format == ReportFormat::Png) { @@ an SVG export asks no size
platform/plotwidget.cpp @@ .normalized().adjusted(-3, -3, 3, 3) @@ .normalized() @@ chart repaint leaves a moved line's edge behind
platform/plotwidget.cpp @@ area |= Reach(*label); @@ area |= QRect(); @@ chart repaint leaves a moved label behind
platform/plotwidget.cpp @@ bResettle = moved[i] && IsSettled(i); @@ bResettle = false; @@ chart repaint keeps a moved guide in the settled picture
platform/plotwidget.cpp @@ (within && !within->intersects(Reach(*segment))) @@ (within && !within->contains(Reach(*segment))) @@ chart repaint skips a line that crosses its edge
platform/dialogwindow.cpp @@ framed.moveCenter(pOwnerWindow->frameGeometry().center()); @@ framed.moveCenter(pOwnerWindow->geometry().center()); @@ dialogs centred on the owner's area without its frame
platform/dialogwindow.cpp @@ framed.moveRight(std::min(framed.right(), area.right())); @@ ; @@ the widened calculator runs off the screen's right edge
platform/dialogwindow.cpp @@ if (m_bFramed && geometry().topLeft() != m_placed) @@ if (false) @@ a window the user moved snaps back to the centre
platform/dialogwindow.cpp @@ pButton->isCheckable() ? &QPushButton::toggled : &QPushButton::clicked @@ &QPushButton::clicked @@ a screen reader's toggle leaves the workbench closed
calc/calculatorvehicle.cpp @@ gearbox.reverse = -TypedNumber(settings.m_fReverse); @@ gearbox.reverse = TypedNumber(settings.m_fReverse); @@ reverse from the calculator not as makers print it
calc/calculatorvehicle.cpp @@ if (settings.m_fRpm > 0) @@ if (true) @@ an RPM of 0 taken as the redline
platform/performance/performancewindow.cpp @@ if (preset.gearbox.finalDrives.empty()) @@ if (false) @@ a preset keeps the final drive of one picked on the way
platform/performance/performancewindow.cpp @@ torqueCells.try_emplace({nIndex, problem.field == VehicleField::TorqueRpm ? 0 : 1}, text); @@ torqueCells.try_emplace({nIndex, 1}, text); @@ a point's RPM problem shown beside its torque
platform/performance/performancewindow.cpp @@ m_pSave->setEnabled(m_model.has_value()); @@ m_pSave->setEnabled(true); @@ Save offered for a vehicle the program could not read back
platform/performance/performanceview.cpp @@ return unit == SpeedUnit::MilesPerHour ? kmh / kKilometresPerMile : kmh; @@ return kmh; @@ MPH shown as km/h
FAULTS
)

build="$top/build/mutate"
if [[ $mode == random ]]; then
    drawn=$(python3 "$top/tools/mutants.py" draw "$top" "$seed" "$count")
    if $bListOnly; then
        awk -F'\t' '/^#/ { print; next } { printf "%s:%s  %s  %s → %s\n", $1, $2, $4, $5, $6 }' <<<"$drawn"
        exit 0
    fi
fi

# A fault in the tree is undone however the run ends: finished, failed or interrupted.
mutant_file="" mutant_backup=""
restore_mutant() {
    [[ -n $mutant_file ]] || return 0
    cp "$mutant_backup" "$top/$mutant_file" && rm -f "$mutant_backup" && touch "$top/$mutant_file"
    mutant_file=""
}
save_for_mutant() {
    mutant_backup=$(mktemp)
    cp "$top/$1" "$mutant_backup"
    mutant_file=$1
}
trap restore_mutant EXIT
trap 'restore_mutant; exit 130' INT
trap 'restore_mutant; exit 143' TERM
tree_before=$(git -C "$top" status --porcelain)

# Warnings as errors, as CI builds: a fault the compiler refuses there can never land, so it counts as not built.
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRATIOGRAPH_WERROR=ON -DRATIOGRAPH_BENCHMARKS=OFF \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# Returns 0 when every test passed, 1 when one failed, 2 when the build failed, 3 when a test ran out of time.
run_suite() {
    cmake --build "$build" >/dev/null 2>&1 || return 2
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j "$(nproc)" --timeout 120 -E InstallIntoAPrefix \
        >"$build/suite.log" 2>&1) && return 0
    grep -q '\*\*\*Timeout' "$build/suite.log" && return 3
    return 1
}
if ! run_suite </dev/null; then
    echo "the suite does not pass without a fault; fix that first (see $build/suite.log)" >&2
    exit 1
fi

# Between faults the tree is as it was before the run; when something else changed it, the outcomes would not be
# this code's, so the run stops.
check_tree() {
    if [[ $(git -C "$top" status --porcelain) != "$tree_before" ]]; then
        echo "the working tree is not as it was before the run; stopping:" >&2
        git -C "$top" status --short >&2
        exit 1
    fi
}

# A survivor from which the optimising compiler makes the very object file it makes from the unchanged source cannot
# be told apart by any test (trivial compiler equivalence): it is counted apart, as a fault that does not build is.
# Prints the checksum of FILE's object at -O2, nothing for a file not compiled on its own (a header).
optimised_object() {
    local command
    command=$(python3 - "$build/compile_commands.json" "$top/$1" "$build/optimised.o" <<'EOF'
import json, shlex, sys
for entry in json.load(open(sys.argv[1])):
    if entry["file"] == sys.argv[2]:
        args, kept = shlex.split(entry["command"]), []
        while args:
            arg = args.pop(0)
            if arg in ("-o", "-MT", "-MF"):
                args.pop(0)
            elif arg not in ("-MD", "-g", "-Werror") and not arg.startswith("-O"):
                kept.append(arg)
        print("cd %s && %s -O2 -g0 -o %s" % (shlex.quote(entry["directory"]), shlex.join(kept), sys.argv[3]))
EOF
    )
    [[ -n $command ]] && bash -c "$command" >/dev/null 2>&1 && sha256sum <"$build/optimised.o"
}
declare -A unchanged_objects=()

if [[ $mode == random ]]; then
    results="$build/random-$seed.txt"
    echo "tools/mutate.sh --random --seed $seed --count $count at $(git -C "$top" rev-parse --short HEAD):" \
        "$(head -n 1 <<<"$drawn" | cut -c 3-)" | tee "$results"
    total=$(($(wc -l <<<"$drawn") - 1))
    n=0 compiled=0 caught=0 timedout=0 unbuilt=0 equivalent=0 survivors=()
    while IFS=$'\t' read -r -u 3 file line column operator before after; do
        n=$((n + 1))
        save_for_mutant "$file"
        if ! python3 "$top/tools/mutants.py" apply "$top" "$file" "$line" "$column" "$before" "$after" >/dev/null
        then
            echo "$file:$line: the drawn fault does not apply; did the file change during the run?" >&2
            exit 1
        fi
        changed=$(diff "$mutant_backup" "$top/$file" | sed -n 's/^< */    - /p; s/^> */    + /p' || true)
        started=$SECONDS
        outcome=0
        run_suite </dev/null || outcome=$?
        mutant_object=""
        if [[ $outcome == 0 ]]; then
            mutant_object=$(optimised_object "$file") || mutant_object=""
        fi
        restore_mutant
        check_tree
        if [[ -n $mutant_object ]]; then
            if [[ ! -v unchanged_objects[$file] ]]; then
                unchanged_objects[$file]=$(optimised_object "$file") || unchanged_objects[$file]=""
            fi
            if [[ $mutant_object == "${unchanged_objects[$file]}" ]]; then
                outcome=4
            fi
        fi
        case $outcome in
        0) verdict=SURVIVED compiled=$((compiled + 1)) survivors+=("$file:$line $operator"$'\n'"$changed") ;;
        4) verdict="same code" equivalent=$((equivalent + 1)) ;;
        1) verdict=caught compiled=$((compiled + 1)) caught=$((caught + 1)) ;;
        2) verdict="no build" unbuilt=$((unbuilt + 1)) ;;
        *) verdict="timed out" compiled=$((compiled + 1)) caught=$((caught + 1)) timedout=$((timedout + 1)) ;;
        esac
        printf '[%d/%d] %-9s %s:%s  %s  %s → %s  (%d s)\n' "$n" "$total" "$verdict" "$file" "$line" "$operator" \
            "$before" "$after" $((SECONDS - started)) | tee -a "$results"
        [[ $verdict == SURVIVED ]] && tee -a "$results" <<<"$changed"
    done 3< <(tail -n +2 <<<"$drawn")
    cmake --build "$build" >/dev/null 2>&1
    percent=$(awk -v c="$caught" -v n="$compiled" 'BEGIN { printf "%.1f", n ? 100 * c / n : 0 }')
    {
        echo "compiled $compiled of $n; $unbuilt did not build (the compiler caught them, counted apart);" \
            "$equivalent made the same optimised code as the unchanged source (counted apart)"
        echo "caught $caught/$compiled among those that compile ($percent %), $timedout of them by a test timing out"
        for survivor in "${survivors[@]}"; do
            echo "  survived: $survivor"
        done
    } | tee -a "$results"
    exit 0
fi

caught=0 total=0 survivors=()
while IFS= read -r -u 3 fault; do
    description=${fault##* @@ }
    [[ -n $filter && $description != *"$filter"* ]] && continue
    file=${fault%% @@ *}
    total=$((total + 1))
    save_for_mutant "$file"
    if ! python3 - "$top/$file" "$fault" <<'EOF'; then
import sys
path, fault = sys.argv[1], sys.argv[2]
_, before, faulty, _ = fault.split(' @@ ')
text = open(path).read()
if text.count(before) != 1:
    sys.exit(1)
open(path, 'w').write(text.replace(before, faulty))
EOF
        echo "STALE     $description ($file: the text is not there exactly once)"
        survivors+=("$description (stale)")
        restore_mutant
        continue
    fi
    outcome=0
    run_suite </dev/null || outcome=$?
    restore_mutant
    check_tree
    case $outcome in
    1) caught=$((caught + 1)) && echo "caught    $description" ;;
    2) caught=$((caught + 1)) && echo "caught    $description (does not build)" ;;
    3) caught=$((caught + 1)) && echo "caught    $description (a test timed out)" ;;
    *) survivors+=("$description") && echo "SURVIVED  $description" ;;
    esac
done 3<<<"$faults"
cmake --build "$build" >/dev/null 2>&1
echo "caught $caught/$total"
for survivor in "${survivors[@]}"; do
    echo "  survived: $survivor"
done
