#include "calc/workbench.h"

#include <cmath>

#include "numtext/numtext.h"

namespace {

constexpr std::string_view kCruiseProblem =
    "Cruise speed: use a speed like 70, 70 mph or 110 km/h, at most 500 mph or 800 km/h.";
constexpr std::string_view kRevsProblem = "Revs per mile: use a number above 0, like 925.";
constexpr std::string_view kRedlineProblem = "Redline: use an engine speed like 6500, at most 30000 RPM.";

// A field's problem is told once its text is there: an empty field is simply not in use.
std::string ProblemUnless(bool bFine, std::string_view text, std::string_view problem)
{
    return bFine || text.find_first_not_of(" \t") == std::string_view::npos ? std::string() : std::string(problem);
}

} // namespace

void CWorkbench::SetCruiseText(std::string_view text)
{
    m_strCruise = text;
    m_cruise = ParseCruiseSpeed(text, m_units == Units::Metric ? CruiseSpeed::Unit::Kmh : CruiseSpeed::Unit::Mph);
    m_strCruiseProblem = ProblemUnless(m_cruise.has_value(), text, kCruiseProblem);
}

void CWorkbench::SetRedlineText(std::string_view text)
{
    m_redline = ParseRedline(text);
    m_strRedlineProblem = ProblemUnless(m_redline.has_value(), text, kRedlineProblem);
}

void CWorkbench::SetUnits(Units units)
{
    m_units = units;
    SetCruiseText(std::string(m_strCruise));
}

void CWorkbench::SetTireSizeText(std::string_view text)
{
    m_tireSize = ParseTireSize(text);
    m_strTireSize = std::string(text.substr(std::min(text.find_first_not_of(" \t"), text.size())));
    m_strTireSize.erase(m_strTireSize.find_last_not_of(" \t") + 1);
    m_strTireSizeProblem = ProblemUnless(m_tireSize.has_value(), text, kTireSizeHint);
}

void CWorkbench::SetRevsPerMileText(std::string_view text)
{
    m_revsPerMile = ParseFloatText(text);
    if (m_revsPerMile && !ComputeCalibratedTireDiameter(*m_revsPerMile))
        m_revsPerMile.reset();
    m_strRevsProblem = ProblemUnless(m_revsPerMile.has_value(), text, kRevsProblem);
}

void CWorkbench::InsistOnTireSize()
{
    if (!m_tireSize)
        m_strTireSizeProblem = kTireSizeHint;
}

void CWorkbench::InsistOnRevsPerMile()
{
    if (!m_revsPerMile)
        m_strRevsProblem = kRevsProblem;
}

void CWorkbench::NoteTireFromSize(double inches)
{
    m_strTireSource = ", from the size " + m_strTireSize + ".";
    m_tireWritten = inches;
    m_bFitted = false;
}

void CWorkbench::NoteTireFromRevsPerMile(double inches)
{
    m_strTireSource =
        ", fitted to " + CrtFormat("%g", {m_revsPerMile.value_or(0)}) + " revs per mile: speeds match a GPS.";
    m_tireWritten = inches;
    m_bFitted = true;
}

bool CWorkbench::HoldsWrittenTire(const GearSettings& settings) const
{
    // The field holds what was written, to its two decimals, until the user types something else.
    return m_tireWritten && std::fabs(double{settings.m_fTireOD} - *m_tireWritten) < 0.006;
}

std::string CWorkbench::TireSource(const GearSettings& settings) const
{
    const std::string strTire = "Tire " + TireText(settings.m_fTireOD, m_units);
    return strTire + (HoldsWrittenTire(settings) ? m_strTireSource : ", as typed.");
}

std::string CWorkbench::TireLine(const GearSettings& settings) const
{
    if (HoldsWrittenTire(settings) && m_bFitted)
        return TireSource(settings);
    return TireSource(settings) + " " + std::string(kCircumferenceNote);
}

std::optional<double> CWorkbench::CalibratedTireDiameter() const
{
    return m_revsPerMile ? ComputeCalibratedTireDiameter(*m_revsPerMile) : std::nullopt;
}

std::string CWorkbench::Problems() const
{
    std::string text;
    for (const std::string* pProblem :
         {&m_strCruiseProblem, &m_strTireSizeProblem, &m_strRevsProblem, &m_strRedlineProblem}) {
        if (!pProblem->empty())
            text += (text.empty() ? "" : " ") + *pProblem;
    }
    return text;
}

void CWorkbench::SetSetupB(const GearSettings& setupB, std::string_view strSource)
{
    m_setupB = setupB;
    m_setupBChart = ComputeShiftGears(setupB);
    m_strSetupBSource = strSource;
}

void CWorkbench::ClearSetupB()
{
    m_setupB.reset();
    m_setupBChart.reset();
    m_strSetupBSource.clear();
}

std::string CWorkbench::SetupBStatus() const
{
    if (!m_setupB)
        return "No setup B held.";
    return "B (" + m_strSetupBSource + "): " + DescribeSetup(*m_setupB, m_units);
}

GearReport CWorkbench::Report(const GearSettings& settings) const
{
    GearReport report = BuildGearReport(settings, m_cruise, m_setupB, m_redline);
    report.units = m_units;
    report.strTireSource = TireSource(settings);
    return report;
}
