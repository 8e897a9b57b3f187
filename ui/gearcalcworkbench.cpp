// The calculator's workbench panel: the handlers of its controls and the figures it shows.

#include <string>

#include "calc/gearreport.h"
#include "calc/tiresize.h"
#include "numtext/numtext.h"
#include "settingsfile/settingsfile.h"
#include "ui/exchange/formexchange.h"
#include "ui/gearcalcdlg.h"
#include "ui/reportactions.h"
#include "ui/settingsvalues.h"

namespace {

constexpr std::string_view kCruiseProblem = "Cruise speed: use a speed like 70, 70 mph or 110 km/h.";
constexpr std::string_view kRevsProblem = "Revs per mile: use a number above 0, like 925.";

// A field's problem is shown once its text is there: an empty field is simply not in use.
std::string ProblemUnless(bool bFine, std::string_view text, std::string_view problem)
{
    return bFine || text.find_first_not_of(" \t") == std::string_view::npos ? std::string() : std::string(problem);
}

std::optional<double> ParseRevsPerMile(std::string_view text)
{
    const std::optional<double> revs = ParseFloatText(text);
    return revs && ComputeCalibratedTireDiameter(*revs) ? revs : std::nullopt;
}

std::string SetupText(const GearSettings& settings)
{
    return CrtFormat("%.0f RPM, rear-end %g, tire %g",
                     {double{settings.m_fRpm} + 0.0, double{settings.m_fRearEnd}, double{settings.m_fTireOD}});
}

} // namespace

void CGearCalcDlg::OnWorkbench()
{
    m_bWorkbench = platform::IsButtonChecked(GetDlgItem(IDC_WORKBENCH));
    if (m_bWorkbench)
        UpdateWorkbench();
    platform::ShowDialogExtension(m_hWnd, m_bWorkbench);
}

GearReport CGearCalcDlg::CurrentReport() const
{
    return BuildGearReport(m_settings, m_cruiseMph, m_setupB);
}

void CGearCalcDlg::UpdateWorkbench()
{
    const GearReport report = CurrentReport();
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        const GearReportRow& row = report.rows[i];
        const int nRow = static_cast<int>(i);
        SetTextIfChanged(GetDlgItem(IDC_KMH1 + nRow), row.kmh.Text());
        if (row.gear == GearValue::Reverse)
            continue;
        SetTextIfChanged(GetDlgItem(IDC_CRUISE_RPM1 + nRow), m_cruiseMph ? row.rpmAtCruise.Text() : "");
        SetTextIfChanged(GetDlgItem(IDC_DIFF_B1 + nRow), m_setupB ? row.differenceToB.Text() : "");
    }
    // A gear with no upshift (not fitted, or the top one) shows N/A.
    std::array<std::string, 5> drops;
    drops.fill("N/A");
    for (const ShiftDrop& drop : report.shiftDrops) {
        if (drop.nFromGear >= 1 && drop.nFromGear <= 5)
            drops[static_cast<std::size_t>(drop.nFromGear - 1)] = drop.rpmAfter.Text() + " (-" + drop.drop.Text() + ")";
    }
    for (std::size_t i = 0; i < drops.size(); ++i)
        SetTextIfChanged(GetDlgItem(IDC_SHIFT_DROP1 + static_cast<int>(i)), drops[i]);
    SetTextIfChanged(GetDlgItem(IDC_SPEEDOMETER), m_setupB ? report.speedometerAt60.Text() : "");
}

void CGearCalcDlg::ShowWorkbenchMessages()
{
    std::string text;
    for (const std::string* pProblem : {&m_strCruiseProblem, &m_strTireSizeProblem, &m_strRevsProblem}) {
        if (!pProblem->empty())
            text += (text.empty() ? "" : " ") + *pProblem;
    }
    SetDlgItemText(IDC_WORKBENCH_MESSAGE, text);
}

void CGearCalcDlg::OnChangeCruiseSpeed()
{
    const std::string text = GetDlgItemText(IDC_CRUISE_SPEED);
    m_cruiseMph = ParseCruiseSpeed(text);
    m_strCruiseProblem = ProblemUnless(m_cruiseMph.has_value(), text, kCruiseProblem);
    platform::SetFieldError(GetDlgItem(IDC_CRUISE_SPEED), m_strCruiseProblem);
    ShowWorkbenchMessages();
    UpdateWorkbench();
}

void CGearCalcDlg::OnChangeTireSize()
{
    const std::string text = GetDlgItemText(IDC_TIRE_SIZE);
    const TireSizeParse parse = ParseTireSize(text);
    m_strTireSizeProblem = ProblemUnless(parse.size.has_value(), text, parse.strMessage);
    platform::SetFieldError(GetDlgItem(IDC_TIRE_SIZE), m_strTireSizeProblem);
    SetTextIfChanged(GetDlgItem(IDC_TIRE_SIZE_INCHES), parse.size ? CrtFormat("%.2f in", {parse.size->inches}) : "");
    SetTextIfChanged(GetDlgItem(IDC_TIRE_SIZE_MM), parse.size ? CrtFormat("%.0f mm", {parse.size->millimetres}) : "");
    SetTextIfChanged(GetDlgItem(IDC_TIRE_SIZE_REVS),
                     parse.size ? CrtFormat("%.0f/mile", {parse.size->revsPerMile}) : "");
    ShowWorkbenchMessages();
}

void CGearCalcDlg::OnChangeRevsPerMile()
{
    const std::string text = GetDlgItemText(IDC_REVS_PER_MILE);
    m_strRevsProblem = ProblemUnless(ParseRevsPerMile(text).has_value(), text, kRevsProblem);
    platform::SetFieldError(GetDlgItem(IDC_REVS_PER_MILE), m_strRevsProblem);
    ShowWorkbenchMessages();
}

void CGearCalcDlg::OnUseTireSize()
{
    const TireSizeParse parse = ParseTireSize(GetDlgItemText(IDC_TIRE_SIZE));
    if (!parse.size) {
        m_strTireSizeProblem = parse.strMessage;
        platform::SetFieldError(GetDlgItem(IDC_TIRE_SIZE), m_strTireSizeProblem);
        ShowWorkbenchMessages();
        return;
    }
    // A write like any other: the field's change recalculates, prompts and all.
    SetDlgItemText(IDC_TIRE_OD, FormatTireFieldText(parse.size->inches));
}

void CGearCalcDlg::OnUseRevsPerMile()
{
    const std::optional<double> revs = ParseRevsPerMile(GetDlgItemText(IDC_REVS_PER_MILE));
    if (!revs) {
        m_strRevsProblem = std::string(kRevsProblem);
        platform::SetFieldError(GetDlgItem(IDC_REVS_PER_MILE), m_strRevsProblem);
        ShowWorkbenchMessages();
        return;
    }
    SetDlgItemText(IDC_TIRE_OD, FormatTireFieldText(*ComputeCalibratedTireDiameter(*revs)));
}

void CGearCalcDlg::SetSetupB(std::optional<GearSettings> setupB, std::string_view source)
{
    m_setupB = std::move(setupB);
    m_setupBChart = m_setupB ? std::optional(ComputeShiftChart(*m_setupB)) : std::nullopt;
    SetDlgItemText(IDC_B_STATUS, m_setupB ? "B (" + std::string(source) + "): " + SetupText(*m_setupB)
                                          : std::string("No setup B held."));
    ShowFigures();
}

void CGearCalcDlg::OnHoldB()
{
    SetSetupB(m_settings, "held");
}

void CGearCalcDlg::OnLoadB()
{
    const std::optional<std::string> path = platform::GetOpenFileName(m_hWnd, SettingsFileOptions(kSettingsFilter));
    if (!path)
        return;
    const SettingsFileLines file = ReadSettingsFile(*path);
    if (file.status != SettingsReadStatus::Read) {
        platform::MessageBox(m_hWnd, SettingsReadMessage(file.status), "ERROR", MB_OK);
        return;
    }
    const SettingsValues values = JudgeSettingsLines(file.lines);
    if (!values.problems.empty()) {
        const SettingsProblem& first = values.problems.front();
        platform::MessageBox(
            m_hWnd, "Line " + std::to_string(first.nLine) + ": " + first.strPrompt + " Setup B was not loaded.",
            "ERROR", MB_OK);
        return;
    }
    const std::size_t nSlash = path->find_last_of('/');
    SetSetupB(values.settings, nSlash == std::string::npos ? *path : path->substr(nSlash + 1));
}

void CGearCalcDlg::OnClearB()
{
    SetSetupB(std::nullopt, {});
}

ValueTexts CGearCalcDlg::FieldTexts() const
{
    ValueTexts texts;
    for (const GearValueInfo& info : kGearExchangeOrder)
        texts[static_cast<std::size_t>(info.value)] = GetDlgItemText(GearValueControlId(info.value));
    return texts;
}

void CGearCalcDlg::OnPrint()
{
    PrintGearReport(this, CurrentReport(), FieldTexts());
}

void CGearCalcDlg::OnExport()
{
    ExportGearReport(this, CurrentReport(), FieldTexts());
}
