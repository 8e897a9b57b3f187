#pragma once

// What the vehicle file and the presets file share: JSON values read with the key path of each in messages
// ("gearbox.forward[2]"), the gearbox object, numbers written as people write them, a syntax error's line and
// column. For this folder's own files only: it shows nlohmann-json, which the folder keeps to itself.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "calc/performance.h"

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// Thrown by the readers below: the value at fault and why.
struct JsonValueError
{
    std::string strKey; // "gearbox.forward[2]"; empty for the whole document
    std::string strReason;
};

std::string ChildKey(const std::string& strKey, std::string_view strName);
std::string IndexKey(const std::string& strKey, std::size_t nIndex);

// The member, or nothing when it is absent or null. object must be an object.
const Json* FindMember(const Json& object, std::string_view strName);
const Json& RequireMember(const Json& object, std::string_view strName, const std::string& strObjectKey);
// The one member of names present, by its index in names; names joined in the reason when none or several are.
std::size_t RequireOneOf(const Json& object, std::span<const std::string_view> names, const std::string& strObjectKey);
const Json& RequireObject(const Json& value, const std::string& strKey);
const Json& RequireArray(const Json& value, const std::string& strKey);
double ReadNumber(const Json& value, const std::string& strKey);
std::string ReadString(const Json& value, const std::string& strKey);
// "format" and "version" of a file's object: strFormat and nVersion, or what is wrong with them.
void RequireFormat(const Json& object, std::string_view strFormat, int nVersion, std::string_view strWhat);

// "forward", "reverse" (optional) and "finalDrive" (optional: a number, or one per forward gear) of an object at
// strKey; a problem ValidateGearbox finds is thrown with the key it is about.
Gearbox ReadGearbox(const Json& object, const std::string& strKey, bool bNeedFinalDrive);
void WriteGearbox(OrderedJson& object, const Gearbox& gearbox);
// The key of a gearbox problem below strKey: "forward[2]", "finalDrive".
std::string GearboxProblemKey(const VehicleProblem& problem, const Gearbox& gearbox, const std::string& strKey);

// A whole number without a fraction ("6500", not "6500.0"), anything else as the shortest text that reads back.
OrderedJson JsonNumber(double value);

// "NAME:LINE:COLUMN: reason" for an error of nlohmann's parser over bytes (a byte position counted from 1), lines
// counted from nFirstLine; "NAME: reason" for an error without a position (a number too large).
// The header of a JSON Lines file of this folder, and what the file is called in a message ("presets file").
struct JsonLinesHeader
{
    std::string_view strFormat;
    int nVersion = 0;
    std::string_view strWhat;
};

// A JSON Lines file: blank lines and lines starting with # skipped, the header object on the first other line,
// then one entry per line handed to readEntry (which throws JsonValueError). The first fault as "FILE:LINE: key:
// reason" or "FILE:LINE:COLUMN: reason"; empty when the whole file was read.
std::string ParseJsonLines(std::string_view strName, std::string_view bytes, const JsonLinesHeader& header,
                           const std::function<void(const Json&)>& readEntry);

std::string JsonErrorMessage(std::string_view strName, std::string_view bytes, const Json::exception& error,
                             int nFirstLine = 1);
