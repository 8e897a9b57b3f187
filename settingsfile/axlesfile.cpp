#include "settingsfile/axlesfile.h"

#include "settingsfile/datafiles.h"
#include "settingsfile/jsonfields.h"

namespace {

constexpr double kLargestRearEnd = 50.0;

AxleRatioList ReadAxle(const Json& json)
{
    if (!json.is_object())
        throw JsonValueError{"", "an axle must be one JSON object"};
    AxleRatioList axle;
    axle.strAxle = ReadString(RequireMember(json, "axle", ""), "axle");
    if (axle.strAxle.empty())
        throw JsonValueError{"axle", "must not be empty"};
    const Json& ratios = RequireArray(RequireMember(json, "ratios", ""), "ratios");
    if (ratios.empty())
        throw JsonValueError{"ratios", "must list at least one ratio"};
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        const double ratio = ReadNumber(ratios[i], IndexKey("ratios", i));
        if (!(ratio > 0.0 && ratio <= kLargestRearEnd))
            throw JsonValueError{IndexKey("ratios", i), "must be above 0 and at most 50"};
        axle.ratios.push_back(ratio);
    }
    if (const Json* pSource = FindMember(json, "source"))
        axle.strSource = ReadString(*pSource, "source");
    return axle;
}

} // namespace

ReadOutcome<AxleLists> ParseAxlesFile(std::string_view strName, std::string_view bytes)
{
    AxleLists axles;
    std::string strError = ParseJsonLines(strName, bytes, {kAxlesFormat, kAxlesVersion, "axles file"},
                                          [&axles](const Json& json) { axles.push_back(ReadAxle(json)); });
    if (!strError.empty())
        return {std::nullopt, std::move(strError)};
    return {axles, {}};
}

ReadOutcome<AxleLists> ReadAxlesFile(const std::string& strPath)
{
    return ReadFileWith(strPath, &ParseAxlesFile);
}

ReadOutcome<AxleLists> LoadInstalledAxles()
{
    if (const std::optional<std::string> installed = FirstExisting(InstalledDataFiles(kAxlesFileName)))
        return ReadAxlesFile(*installed);
    return {std::nullopt, std::string(kAxlesFileName) + ": no installed axles file was found"};
}
