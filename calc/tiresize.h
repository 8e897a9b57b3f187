#pragma once

// A tire's outside diameter from the size moulded on its sidewall, in any of the common notations, and the
// tire field value that calibrates the calculator's speeds to a tire's revolutions per mile. Both give the
// text that the calculator's tire field receives.

#include <optional>
#include <string>
#include <string_view>

enum class TireNotation
{
    Metric,     // P225/70R15, 225/70R15, 225/70-15, 205/55ZR16 91W
    LtMetric,   // LT265/75R16 123/120S
    Flotation,  // 33x12.50R15, 33X12.50-15LT: diameter x width, inches
    IsoBicycle, // 37-622: width - bead seat diameter, millimetres
};

struct TireSize
{
    TireNotation notation = TireNotation::Metric;
    double inches = 0;      // outside diameter
    double millimetres = 0; // the same diameter
    double revsPerMile = 0; // of a perfectly round tire: 63360 / (pi x inches)
    double sidewallMm = 0;  // from the rim to the tread
};

// What to tell of a text that is no size.
inline constexpr std::string_view kTireSizeHint = "Use a size like P225/70R15, LT265/75R16, 33x12.50R15 or 37-622.";

// Any case, blanks between the parts and around; load and speed indices after the size are read and ignored.
// Nothing for a text that is no size.
std::optional<TireSize> ParseTireSize(std::string_view text);

// The text written into the calculator's tire field: "%.2f".
std::string FormatTireFieldText(double inches);
// A rear-end ratio as a user types one: to three decimals without the zeros after the last digit, "3.744", "3.73".
std::string FormatRatioFieldText(double ratio);

// A size's figures as the workbench shows them: "27.40 in", "696 mm", "736/mile".
struct TireSizeTexts
{
    std::string strInches;
    std::string strMillimetres;
    std::string strRevsPerMile;
};
TireSizeTexts FormatTireSizeTexts(const TireSize& size);

// The tire field value that makes the calculator's speeds exact for a tire turning revsPerMile times a mile
// (the maker's figure or a measured one), offsetting kCircumferenceFactor: 63360 / (3.124 x revs). Nothing for
// a count that is not a positive finite number.
std::optional<double> ComputeCalibratedTireDiameter(double revsPerMile);

// What 3.124 means, for the workbench panel and the reports.
inline constexpr std::string_view kCircumferenceNote =
    "Speeds use 3.124 for pi, as files from this calculator always have (0.56% under a true circle). Enter the "
    "tire's revs per mile to match a GPS.";
