#pragma once

// What the calculator's workbench holds besides the record: the cruise speed, the tire size and revolutions per
// mile typed into it, setup B with its shift chart, and what each of its fields' texts lacks. Its fields are
// judged here, never with a prompt; the calculator shows what this says and keeps nothing between runs.

#include <optional>
#include <string>
#include <string_view>

#include "calc/gearreport.h"
#include "calc/gearsettings.h"
#include "calc/shiftchart.h"
#include "calc/tiresize.h"

class CWorkbench
{
public:
    // Each takes a field's text as it stands; an empty field is simply not in use and has no problem.
    void SetCruiseText(std::string_view text);
    void SetTireSizeText(std::string_view text);
    void SetRevsPerMileText(std::string_view text);
    void SetRedlineText(std::string_view text);
    // Metric users read km/h and millimetres first, and a cruise speed typed without a unit is in km/h.
    void SetUnits(Units units);
    Units GetUnits() const { return m_units; }
    // Marks the tire size or the revs per mile as wanted but unreadable: a Use button pressed over its text.
    void InsistOnTireSize();
    void InsistOnRevsPerMile();
    // The tire field was given the typed size's diameter, or the value fitted to the typed revs per mile.
    void NoteTireFromSize(double inches);
    void NoteTireFromRevsPerMile(double inches);
    // Which tire value the record holds and where it came from, in one sentence (in millimetres for metric users,
    // "Tire 696.0 mm, ..."): "Tire 27.40 in, from the size
    // 225/70R15.", "Tire 21.93 in, fitted to 925 revs per mile: speeds match a GPS.", "Tire 26.40 in, as typed."
    std::string TireSource(const GearSettings& settings) const;
    // The same, with what 3.124 means where it matters: wherever the tire is not fitted to revs per mile.
    std::string TireLine(const GearSettings& settings) const;

    const std::optional<CruiseSpeed>& Cruise() const { return m_cruise; }
    const std::optional<double>& Redline() const { return m_redline; }
    const std::optional<TireSize>& TypedTireSize() const { return m_tireSize; }
    // The tire field value that calibrates the speeds to the revs per mile typed.
    std::optional<double> CalibratedTireDiameter() const;

    const std::string& CruiseProblem() const { return m_strCruiseProblem; }
    const std::string& TireSizeProblem() const { return m_strTireSizeProblem; }
    const std::string& RevsProblem() const { return m_strRevsProblem; }
    const std::string& RedlineProblem() const { return m_strRedlineProblem; }
    // Every problem there is, in the order of the fields, one sentence each.
    std::string Problems() const;

    // strSource says where B came from: "held", a file's name.
    void SetSetupB(const GearSettings& setupB, std::string_view strSource);
    void ClearSetupB();
    const std::optional<GearSettings>& SetupB() const { return m_setupB; }
    // B's gears and teeth, drawn dashed on the current chart; null without B.
    const ShiftChart* SetupBChart() const { return m_setupBChart ? &*m_setupBChart : nullptr; }
    // "No setup B held." or "B (held): 1500 RPM, rear-end 3.53, tire 26.4 in" (the tire in mm for metric users).
    std::string SetupBStatus() const;

    // The figures of a record with this workbench's cruise speed and setup B.
    GearReport Report(const GearSettings& settings) const;

private:
    bool HoldsWrittenTire(const GearSettings& settings) const;

    std::optional<CruiseSpeed> m_cruise;
    std::string m_strCruise; // as typed, read again when the units change
    std::optional<double> m_redline;
    Units m_units = Units::Us;
    std::optional<TireSize> m_tireSize;
    std::string m_strTireSize; // as typed, without the blanks around it
    std::optional<double> m_revsPerMile;
    // What the last Use button wrote into the tire field, while the field still holds it.
    std::string m_strTireSource;
    std::optional<double> m_tireWritten;
    bool m_bFitted = false;
    std::optional<GearSettings> m_setupB;
    std::optional<ShiftChart> m_setupBChart;
    std::string m_strSetupBSource;
    std::string m_strCruiseProblem, m_strTireSizeProblem, m_strRevsProblem, m_strRedlineProblem;
};
