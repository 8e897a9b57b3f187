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
    // Marks the tire size or the revs per mile as wanted but unreadable: a Use button pressed over its text.
    void InsistOnTireSize();
    void InsistOnRevsPerMile();

    const std::optional<double>& CruiseMph() const { return m_cruiseMph; }
    const std::optional<TireSize>& TypedTireSize() const { return m_tireSize; }
    // The tire field value that calibrates the speeds to the revs per mile typed.
    std::optional<double> CalibratedTireDiameter() const;

    const std::string& CruiseProblem() const { return m_strCruiseProblem; }
    const std::string& TireSizeProblem() const { return m_strTireSizeProblem; }
    const std::string& RevsProblem() const { return m_strRevsProblem; }
    // Every problem there is, in the order of the fields, one sentence each.
    std::string Problems() const;

    // strSource says where B came from: "held", a file's name.
    void SetSetupB(const GearSettings& setupB, std::string_view strSource);
    void ClearSetupB();
    const std::optional<GearSettings>& SetupB() const { return m_setupB; }
    // B's gears and teeth, drawn dashed on the current chart; null without B.
    const ShiftChart* SetupBChart() const { return m_setupBChart ? &*m_setupBChart : nullptr; }
    // "No setup B held." or "B (held): 1500 RPM, rear-end 3.53, tire 26.4 in".
    std::string SetupBStatus() const;

    // The figures of a record with this workbench's cruise speed and setup B.
    GearReport Report(const GearSettings& settings) const;

private:
    std::optional<double> m_cruiseMph;
    std::optional<TireSize> m_tireSize;
    std::optional<double> m_revsPerMile;
    std::optional<GearSettings> m_setupB;
    std::optional<ShiftChart> m_setupBChart;
    std::string m_strSetupBSource;
    std::string m_strCruiseProblem, m_strTireSizeProblem, m_strRevsProblem;
};
