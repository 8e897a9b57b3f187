#include "calc/tirecompare.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calc/shiftchart.h"
#include "numtext/numtext.h"

namespace {

constexpr double kMillimetresPerMile = 1'609'344.0;
constexpr double kMillimetresPerKm = 1'000'000.0;

} // namespace

TireFigures FiguresOf(const TireSize& size)
{
    TireFigures figures = FiguresOfDiameter(size.inches);
    figures.sidewallMm = size.sidewallMm;
    return figures;
}

std::optional<TireFigures> ParseTire(std::string_view text)
{
    if (const std::optional<TireSize> size = ParseTireSize(text))
        return FiguresOf(*size);
    const std::optional<double> inches = ParseFloatText(text);
    if (!inches || !(*inches > 0.0 && *inches <= 100.0))
        return std::nullopt;
    return FiguresOfDiameter(*inches);
}

TireFigures FiguresOfDiameter(double inches)
{
    TireFigures figures;
    figures.inches = inches;
    figures.millimetres = inches * kMillimetresPerInch;
    figures.circumferenceMm = std::numbers::pi * figures.millimetres;
    figures.revsPerMile = kMillimetresPerMile / figures.circumferenceMm;
    figures.revsPerKm = kMillimetresPerKm / figures.circumferenceMm;
    return figures;
}

TireComparison CompareTires(const TireFigures& first, const TireFigures& second)
{
    TireComparison comparison{first, second};
    comparison.diameterDifferencePercent = (second.inches - first.inches) / first.inches * 100.0;
    comparison.bWithinGuideline = std::fabs(comparison.diameterDifferencePercent) <= kTireGuidelinePercent;
    return comparison;
}

std::string DescribeTireDifference(const TireComparison& comparison)
{
    const std::string strDifference = "Diameter " + CrtFormat("%+.1f%%", {comparison.diameterDifferencePercent + 0.0});
    if (comparison.bWithinGuideline)
        return strDifference + ", within the usual \u00b13%.";
    return strDifference + ", beyond the usual \u00b13%: the speedometer and the gearing change noticeably.";
}

std::optional<double> ComputeRestoringRearEnd(const GearSettings& now, const GearSettings& setupB)
{
    if (now.m_fTireOD == 0.0F || setupB.m_fTireOD == 0.0F || setupB.m_fRearEnd == 0.0F)
        return std::nullopt;
    const double ratio = double{setupB.m_fRearEnd} * double{now.m_fTireOD} / double{setupB.m_fTireOD};
    return std::isfinite(ratio) ? std::optional(ratio) : std::nullopt;
}

std::vector<AxleRatio> SoldRatios(const std::vector<AxleRatioList>& lists)
{
    std::vector<AxleRatio> sold;
    for (const AxleRatioList& list : lists) {
        for (const double ratio : list.ratios)
            sold.push_back({list.strAxle, ratio});
    }
    return sold;
}

std::vector<RearEndChoice> NearestRearEnds(const GearSettings& now, const GearSettings& setupB,
                                           std::optional<CruiseSpeed> cruise, const std::vector<AxleRatio>& sold,
                                           std::size_t nEach)
{
    const std::optional<double> target = ComputeRestoringRearEnd(now, setupB);
    if (!target)
        return {};
    std::vector<RearEndChoice> choices;
    for (const AxleRatio& axle : sold) {
        const auto it = std::find_if(choices.begin(), choices.end(),
                                     [&](const RearEndChoice& choice) { return choice.ratio == axle.ratio; });
        if (it != choices.end())
            it->axles.push_back(axle.strAxle);
        else
            choices.push_back({axle.ratio, {axle.strAxle}, {}, {}});
    }
    std::sort(choices.begin(), choices.end(),
              [](const RearEndChoice& a, const RearEndChoice& b) { return a.ratio < b.ratio; });
    const auto firstAbove =
        std::lower_bound(choices.begin(), choices.end(), *target,
                         [](const RearEndChoice& choice, double ratio) { return choice.ratio < ratio; });
    const auto nBelow = static_cast<std::size_t>(firstAbove - choices.begin());
    const std::size_t nFrom = nBelow - std::min(nBelow, nEach);
    const std::size_t nTo = std::min(choices.size(), nBelow + nEach);
    std::vector<RearEndChoice> nearest(choices.begin() + static_cast<std::ptrdiff_t>(nFrom),
                                       choices.begin() + static_cast<std::ptrdiff_t>(nTo));
    // The top forward gear: the last one fitted.
    const auto top =
        std::find_if(kForwardGears.rbegin(), kForwardGears.rend(), [&](GearValue gear) { return now[gear] != 0.0F; });
    for (RearEndChoice& choice : nearest) {
        GearSettings regeared = now;
        regeared.m_fRearEnd = static_cast<float>(choice.ratio);
        choice.speedometerAt60 = MakeFigure(ComputeSpeedometerReading(regeared, setupB), FigureKind::Speed);
        if (cruise && top != kForwardGears.rend())
            choice.rpmAtCruise = MakeFigure(ComputeRpmAtSpeed(regeared, *top, cruise->Mph()), FigureKind::Rpm);
        else
            choice.rpmAtCruise = MakeFigure(std::nullopt, FigureKind::Rpm);
    }
    return nearest;
}

std::optional<TireSwap> ComputeTireSwap(const GearSettings& now, const GearSettings& setupB,
                                        std::optional<CruiseSpeed> cruise, const std::vector<AxleRatio>& sold)
{
    if (!(now.m_fTireOD > 0 && setupB.m_fTireOD > 0))
        return std::nullopt;
    return TireSwap{CompareTires(FiguresOfDiameter(setupB.m_fTireOD), FiguresOfDiameter(now.m_fTireOD)),
                    ComputeRestoringRearEnd(now, setupB), NearestRearEnds(now, setupB, cruise, sold)};
}
