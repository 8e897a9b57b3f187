#include "settingsfile/jsonfields.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "numtext/numtext.h"

namespace {

constexpr double kLargestWholeDouble = 0x1p53;

[[noreturn]] void Fail(const std::string& strKey, std::string strReason)
{
    throw JsonValueError{strKey, std::move(strReason)};
}

std::vector<double> ReadNumbers(const Json& value, const std::string& strKey)
{
    std::vector<double> numbers;
    const Json& array = RequireArray(value, strKey);
    for (std::size_t i = 0; i < array.size(); ++i)
        numbers.push_back(ReadNumber(array[i], IndexKey(strKey, i)));
    return numbers;
}

OrderedJson JsonNumbers(const std::vector<double>& values)
{
    OrderedJson array = OrderedJson::array();
    for (const double value : values)
        array.push_back(JsonNumber(value));
    return array;
}

} // namespace

std::string ChildKey(const std::string& strKey, std::string_view strName)
{
    return strKey.empty() ? std::string(strName) : strKey + "." + std::string(strName);
}

std::string IndexKey(const std::string& strKey, std::size_t nIndex)
{
    return strKey + CrtFormat("[%ld]", {static_cast<long>(nIndex)});
}

const Json* FindMember(const Json& object, std::string_view strName)
{
    const auto member = object.find(strName);
    return member == object.end() || member->is_null() ? nullptr : &*member;
}

const Json& RequireMember(const Json& object, std::string_view strName, const std::string& strObjectKey)
{
    const Json* pMember = FindMember(object, strName);
    if (pMember == nullptr)
        Fail(ChildKey(strObjectKey, strName), "missing");
    return *pMember;
}

std::size_t RequireOneOf(const Json& object, std::span<const std::string_view> names, const std::string& strObjectKey)
{
    std::size_t nFound = 0;
    int nPresent = 0;
    std::string strNames;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (FindMember(object, names[i]) != nullptr) {
            nFound = i;
            ++nPresent;
        }
        strNames += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + std::string(names[i]);
    }
    if (nPresent != 1)
        Fail(strObjectKey, "give one of " + strNames);
    return nFound;
}

const Json& RequireObject(const Json& value, const std::string& strKey)
{
    if (!value.is_object())
        Fail(strKey, "must be an object");
    return value;
}

const Json& RequireArray(const Json& value, const std::string& strKey)
{
    if (!value.is_array())
        Fail(strKey, "must be an array");
    return value;
}

double ReadNumber(const Json& value, const std::string& strKey)
{
    if (!value.is_number())
        Fail(strKey, "must be a number");
    return value.get<double>();
}

std::string ReadString(const Json& value, const std::string& strKey)
{
    if (!value.is_string())
        Fail(strKey, "must be a text");
    return value.get<std::string>();
}

void RequireFormat(const Json& object, std::string_view strFormat, int nVersion, std::string_view strWhat)
{
    const Json* pFormat = FindMember(object, "format");
    if (pFormat == nullptr || !pFormat->is_string() || pFormat->get<std::string>() != strFormat)
        Fail("format", CrtFormat("must be \"%s\": this is no %s", {strFormat, strWhat}));
    const Json& version = RequireMember(object, "version", "");
    if (!version.is_number_integer())
        Fail("version", "must be a whole number");
    if (version != nVersion)
        Fail("version", CrtFormat("version %s is not known; this program reads version %d",
                                  {std::string_view(version.dump()), nVersion}));
}

Gearbox ReadGearbox(const Json& object, const std::string& strKey, bool bNeedFinalDrive)
{
    Gearbox gearbox;
    gearbox.forward = ReadNumbers(RequireMember(object, "forward", strKey), ChildKey(strKey, "forward"));
    if (const Json* pReverse = FindMember(object, "reverse"))
        gearbox.reverse = ReadNumber(*pReverse, ChildKey(strKey, "reverse"));
    if (const Json* pFinalDrive = FindMember(object, "finalDrive")) {
        const std::string strFinalKey = ChildKey(strKey, "finalDrive");
        gearbox.finalDrives = pFinalDrive->is_array() ? ReadNumbers(*pFinalDrive, strFinalKey)
                                                      : std::vector{ReadNumber(*pFinalDrive, strFinalKey)};
    }
    const std::vector<VehicleProblem> problems = ValidateGearbox(gearbox, bNeedFinalDrive);
    if (!problems.empty())
        Fail(GearboxProblemKey(problems.front(), gearbox, strKey), problems.front().strReason);
    return gearbox;
}

void WriteGearbox(OrderedJson& object, const Gearbox& gearbox)
{
    object["forward"] = JsonNumbers(gearbox.forward);
    if (gearbox.reverse)
        object["reverse"] = JsonNumber(*gearbox.reverse);
    if (gearbox.finalDrives.size() == 1)
        object["finalDrive"] = JsonNumber(gearbox.finalDrives.front());
    else if (!gearbox.finalDrives.empty())
        object["finalDrive"] = JsonNumbers(gearbox.finalDrives);
}

std::string GearboxProblemKey(const VehicleProblem& problem, const Gearbox& gearbox, const std::string& strKey)
{
    const bool bIndexed =
        problem.nIndex >= 0 && !(problem.field == VehicleField::FinalDrive && gearbox.finalDrives.size() == 1);
    const std::string strName = problem.field == VehicleField::Forward   ? "forward"
                                : problem.field == VehicleField::Reverse ? "reverse"
                                                                         : "finalDrive";
    const std::string strChild = ChildKey(strKey, strName);
    return bIndexed ? IndexKey(strChild, static_cast<std::size_t>(problem.nIndex)) : strChild;
}

OrderedJson JsonNumber(double value)
{
    if (std::trunc(value) == value && std::fabs(value) < kLargestWholeDouble)
        return static_cast<std::int64_t>(value);
    return value;
}

std::string JsonErrorMessage(std::string_view strName, std::string_view bytes, const Json::exception& error,
                             int nFirstLine)
{
    // "[json.exception.parse_error.101] parse error at line 1, column 5: syntax error ...": the reason follows the
    // first ": " of a parse error, the "] " of any other.
    std::string_view reason = error.what();
    reason.remove_prefix(std::min(reason.size(), reason.find("] ") + 2));
    const auto* pParseError = dynamic_cast<const Json::parse_error*>(&error);
    if (pParseError == nullptr)
        return std::string(strName) + ": " + std::string(reason);
    reason.remove_prefix(std::min(reason.size(), reason.find(": ") + 2));
    const std::size_t nAt = std::min<std::size_t>(pParseError->byte == 0 ? 0 : pParseError->byte - 1, bytes.size());
    const std::string_view before = bytes.substr(0, nAt);
    const std::size_t nLineStart = before.rfind('\n') + 1; // 0 when there is none
    const int nLine = nFirstLine + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    return CrtFormat("%s:%d:%ld: ", {strName, nLine, static_cast<long>(nAt - nLineStart + 1)}) + std::string(reason);
}

std::string ParseJsonLines(std::string_view strName, std::string_view bytes, const JsonLinesHeader& header,
                           const std::function<void(const Json&)>& readEntry)
{
    bool bHeader = false;
    for (int nLine = 1; !bytes.empty(); ++nLine) {
        const std::size_t nEnd = std::min(bytes.find('\n'), bytes.size());
        const std::string_view line = bytes.substr(0, nEnd);
        bytes.remove_prefix(std::min(nEnd + 1, bytes.size()));
        const std::size_t nStart = line.find_first_not_of(" \t\r");
        if (nStart == std::string_view::npos || line[nStart] == '#')
            continue;
        try {
            const Json json = Json::parse(line.begin(), line.end());
            if (bHeader) {
                readEntry(json);
                continue;
            }
            if (!json.is_object())
                throw JsonValueError{"", "this is no " + std::string(header.strWhat) +
                                             ": its first line holds no JSON object"};
            RequireFormat(json, header.strFormat, header.nVersion, header.strWhat);
            bHeader = true;
        } catch (const Json::exception& error) {
            return JsonErrorMessage(strName, line, error, nLine);
        } catch (const JsonValueError& error) {
            return CrtFormat("%s:%d: ", {strName, nLine}) + (error.strKey.empty() ? "" : error.strKey + ": ") +
                   error.strReason;
        }
    }
    if (!bHeader)
        return std::string(strName) + ": this is no " + std::string(header.strWhat) + ": it is empty";
    return {};
}
