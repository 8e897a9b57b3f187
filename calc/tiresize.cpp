#include "calc/tiresize.h"

#include <array>
#include <cmath>
#include <numbers>

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"
#include "calc/shiftchart.h"
#include "calc/tirediameter.h"
#include "numtext/asciitext.h"
#include "numtext/numtext.h"

namespace {

// Exact, unlike the 0.03937 of ComputeTireDiameter, whose one-decimal result the tire field and saved files have
// always received: a size read here is compared with measured diameters and revolutions per mile.
constexpr double kInchesPerMile = 63360.0;
constexpr double kWholePerPercent = 0.01;
constexpr double kSidewalls = 2.0;
// A flotation size states the diameter itself; beyond what the tire field takes it is a typing error.
constexpr double kMaxFlotationInches = GetGearValueInfo(GearValue::TireOD).fMax;

// Markings that may follow a size besides load and speed indices: reinforced, light truck, commercial (the
// C of 195/70R15C), run-flat, mud and snow. A word before any word it starts.
constexpr std::array<std::string_view, 7> kTailWords{"XL", "RFT", "RF", "SL", "LT", "C", "M+S"};

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsLetter(char ch)
{
    return ch >= 'A' && ch <= 'Z';
}

// A cursor over the upper-cased text. A Take that fails ends the attempt, except where a part is optional.
class CSizeReader
{
public:
    explicit CSizeReader(std::string_view text) : m_strText(AsciiUpper(text)) {}

    void SkipBlanks()
    {
        while (m_nAt < m_strText.size() && (m_strText[m_nAt] == ' ' || m_strText[m_nAt] == '\t'))
            ++m_nAt;
    }

    bool AtEnd()
    {
        SkipBlanks();
        return m_nAt == m_strText.size();
    }

    bool Take(std::string_view word)
    {
        if (std::string_view(m_strText).substr(m_nAt).starts_with(word)) {
            m_nAt += word.size();
            return true;
        }
        return false;
    }

    // A separator between two parts, with blanks allowed around it.
    bool TakeSeparator(std::string_view separator)
    {
        const std::size_t nStart = m_nAt;
        SkipBlanks();
        if (Take(separator)) {
            SkipBlanks();
            return true;
        }
        m_nAt = nStart;
        return false;
    }

    std::string_view TakeDigits(std::size_t nMin, std::size_t nMax)
    {
        std::size_t nEnd = m_nAt;
        while (nEnd < m_strText.size() && IsDigit(m_strText[nEnd]))
            ++nEnd;
        if (nEnd - m_nAt < nMin || nEnd - m_nAt > nMax)
            return {};
        const std::string_view digits = std::string_view(m_strText).substr(m_nAt, nEnd - m_nAt);
        m_nAt = nEnd;
        return digits;
    }

    // Up to four digits, and with bFraction a decimal part (12.50, 16.5).
    std::optional<double> TakeNumber(bool bFraction)
    {
        const std::size_t nStart = m_nAt;
        if (TakeDigits(1, 4).empty())
            return std::nullopt;
        if (bFraction && Take(".") && TakeDigits(1, 3).empty()) {
            m_nAt = nStart;
            return std::nullopt;
        }
        return ParseFloatText(std::string_view(m_strText).substr(nStart, m_nAt - nStart));
    }

    // Radial (R, or ZR and the like with the old speed letter), bias (-, D) or belted (B).
    bool TakeConstruction()
    {
        SkipBlanks();
        const bool bTaken = Take("-") || Take("R") || Take("D") || Take("B") || Take("ZR") || Take("VR") ||
                            Take("HR") || Take("WR") || Take("YR");
        SkipBlanks();
        return bTaken;
    }

    // Load indices and speed symbols (91W, 123/120S, (97Y)) and markings, read to the end and ignored.
    bool TakeTail()
    {
        while (!AtEnd()) {
            const bool bParenthesised = Take("(");
            bool bRead = false;
            for (const std::string_view word : kTailWords) {
                if ((bRead = Take(word)))
                    break;
            }
            if (!bRead && !TakeDigits(2, 3).empty()) {
                if (Take("/") && TakeDigits(2, 3).empty())
                    return false;
                bRead = true;
                TakeSpeedSymbol();
            } else if (!bRead && bParenthesised) {
                bRead = TakeSpeedSymbol();
            }
            if (!bRead || (bParenthesised && !Take(")")))
                return false;
        }
        return true;
    }

private:
    // A letter, or A1 to A8.
    bool TakeSpeedSymbol()
    {
        if (m_nAt >= m_strText.size() || !IsLetter(m_strText[m_nAt]))
            return false;
        ++m_nAt;
        if (m_strText[m_nAt - 1] == 'A' && m_nAt < m_strText.size() && IsDigit(m_strText[m_nAt]))
            ++m_nAt;
        return true;
    }

    std::string m_strText;
    std::size_t m_nAt = 0;
};

TireSize MakeSize(TireNotation notation, double inches, double sidewallMm)
{
    return {notation, inches, inches * kMillimetresPerInch, kInchesPerMile / (std::numbers::pi * inches), sidewallMm};
}

// Section width in millimetres / aspect ratio in percent, construction, rim diameter in inches.
std::optional<TireSize> ReadMetric(CSizeReader& reader, TireNotation notation)
{
    reader.SkipBlanks(); // after a prefix
    const std::optional<double> width = reader.TakeNumber(false);
    if (!width || !reader.TakeSeparator("/"))
        return std::nullopt;
    const std::optional<double> aspect = reader.TakeNumber(false);
    if (!aspect || !reader.TakeConstruction())
        return std::nullopt;
    const std::optional<double> rim = reader.TakeNumber(true);
    if (!rim || !reader.TakeTail())
        return std::nullopt;
    if (*width <= 0 || *width > TireSizeRanges::kWidthMax || *aspect <= 0 || *aspect > TireSizeRanges::kAspectMax ||
        *rim <= 0 || *rim > TireSizeRanges::kRimMax)
        return std::nullopt;
    const double sidewallMm = *width * (*aspect * kWholePerPercent);
    return MakeSize(notation, sidewallMm * kSidewalls / kMillimetresPerInch + *rim, sidewallMm);
}

// Outside diameter x section width, construction, rim: all in inches.
std::optional<TireSize> ReadFlotation(CSizeReader& reader)
{
    const std::optional<double> diameter = reader.TakeNumber(true);
    if (!diameter || !reader.TakeSeparator("X"))
        return std::nullopt;
    const std::optional<double> width = reader.TakeNumber(true);
    if (!width || !reader.TakeConstruction())
        return std::nullopt;
    const std::optional<double> rim = reader.TakeNumber(true);
    if (!rim || !reader.TakeTail())
        return std::nullopt;
    if (*width <= 0 || *rim <= 0 || *rim >= *diameter || *diameter > kMaxFlotationInches)
        return std::nullopt;
    return MakeSize(TireNotation::Flotation, *diameter, (*diameter - *rim) / kSidewalls * kMillimetresPerInch);
}

// ISO 5775 (ETRTO): tire width - bead seat diameter, millimetres, nothing after.
std::optional<TireSize> ReadIsoBicycle(CSizeReader& reader)
{
    const std::optional<double> width = reader.TakeNumber(false);
    if (!width || !reader.TakeSeparator("-"))
        return std::nullopt;
    const std::string_view beadSeat = reader.TakeDigits(3, 3);
    if (beadSeat.empty() || !reader.AtEnd() || *width <= 0)
        return std::nullopt;
    const double beadSeatMillimetres = ParseFloatText(beadSeat).value_or(0);
    if (beadSeatMillimetres <= 0)
        return std::nullopt;
    return MakeSize(TireNotation::IsoBicycle, (beadSeatMillimetres + kSidewalls * *width) / kMillimetresPerInch,
                    *width);
}

std::optional<TireSize> ReadSize(std::string_view text)
{
    CSizeReader reader(text);
    if (reader.AtEnd())
        return std::nullopt;
    if (reader.Take("LT"))
        return ReadMetric(reader, TireNotation::LtMetric);
    if (reader.Take("P") || reader.Take("ST") || reader.Take("T"))
        return ReadMetric(reader, TireNotation::Metric);
    // Without a prefix the separator after the first number tells the notations apart; each tries a copy.
    for (auto* pRead : {+[](CSizeReader& attempt) { return ReadMetric(attempt, TireNotation::Metric); }, &ReadFlotation,
                        &ReadIsoBicycle}) {
        CSizeReader attempt = reader;
        if (std::optional<TireSize> size = pRead(attempt))
            return size;
    }
    return std::nullopt;
}

} // namespace

std::optional<TireSize> ParseTireSize(std::string_view text)
{
    return ReadSize(text);
}

std::string FormatTireFieldText(double inches)
{
    return CrtFormat("%.2f", {inches + 0.0});
}

std::string FormatRatioFieldText(double ratio)
{
    std::string text = CrtFormat("%.3f", {ratio + 0.0});
    text.erase(text.find_last_not_of('0') + 1);
    if (text.ends_with('.'))
        text.pop_back();
    return text;
}

TireSizeTexts FormatTireSizeTexts(const TireSize& size)
{
    return {CrtFormat("%.2f in", {size.inches}), CrtFormat("%.0f mm", {size.millimetres}),
            CrtFormat("%.0f/mile", {size.revsPerMile})};
}

std::optional<double> ComputeCalibratedTireDiameter(double revsPerMile)
{
    if (!std::isfinite(revsPerMile) || revsPerMile <= 0)
        return std::nullopt;
    // The calculator's speed is proportional to diameter x 3.124; a real tire covers 63360 / revs inches a turn.
    const double inches = kInchesPerMile / (double{kCircumferenceFactor} * revsPerMile);
    if (!std::isfinite(inches))
        return std::nullopt;
    return inches;
}
