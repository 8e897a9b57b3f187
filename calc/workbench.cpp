#include "calc/workbench.h"

#include "numtext/numtext.h"

namespace {

constexpr std::string_view kCruiseProblem = "Cruise speed: use a speed like 70, 70 mph or 110 km/h.";
constexpr std::string_view kRevsProblem = "Revs per mile: use a number above 0, like 925.";

// A field's problem is told once its text is there: an empty field is simply not in use.
std::string ProblemUnless(bool bFine, std::string_view text, std::string_view problem)
{
    return bFine || text.find_first_not_of(" \t") == std::string_view::npos ? std::string() : std::string(problem);
}

} // namespace

void CWorkbench::SetCruiseText(std::string_view text)
{
    m_cruiseMph = ParseCruiseSpeed(text);
    m_strCruiseProblem = ProblemUnless(m_cruiseMph.has_value(), text, kCruiseProblem);
}

void CWorkbench::SetTireSizeText(std::string_view text)
{
    m_tireSize = ParseTireSize(text);
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

std::optional<double> CWorkbench::CalibratedTireDiameter() const
{
    return m_revsPerMile ? ComputeCalibratedTireDiameter(*m_revsPerMile) : std::nullopt;
}

std::string CWorkbench::Problems() const
{
    std::string text;
    for (const std::string* pProblem : {&m_strCruiseProblem, &m_strTireSizeProblem, &m_strRevsProblem}) {
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
    return "B (" + m_strSetupBSource + "): " + DescribeSetup(*m_setupB);
}

GearReport CWorkbench::Report(const GearSettings& settings) const
{
    return BuildGearReport(settings, m_cruiseMph, m_setupB);
}
