#pragma once

// The vehicle file (.rgvehicle): everything the Performance window holds, as one JSON object (RFC 8259, UTF-8) whose
// keys scripts rely on (ratiograph(1), VEHICLE FILE); and a torque curve imported from a CSV file. Both are read
// with the bounds of Load (a regular file, at most 1 MiB) and all or nothing: a bad file gives one message and no
// value. The vehicle file is written through WriteFileAtomically, as a save is.

#include <string>
#include <string_view>

#include "calc/performance.h"
#include "settingsfile/atomicfile.h"
#include "settingsfile/boundedfile.h"

inline constexpr std::string_view kVehicleFileExtension = ".rgvehicle";
inline constexpr std::string_view kVehicleFileFormat = "ratiograph-vehicle";
inline constexpr int kVehicleFileVersion = 1;

// The whole file, two-space indents, LF line ends: the values in the units they were entered in, whole numbers
// without a fraction. A vehicle that ValidateVehicle faults is written as it is (and read back refused).
std::string FormatVehicleFile(const Vehicle& vehicle);
FileWriteResult SaveVehicleFile(const std::string& strPath, const Vehicle& vehicle);

// strName names the file in the message: "car.rgvehicle:3:14: syntax error ...", "car.rgvehicle: engine.torque.
// points[2][0]: RPM must rise from point to point". Keys not in the format are ignored.
ReadOutcome<Vehicle> ParseVehicleFile(std::string_view strName, std::string_view bytes);
ReadOutcome<Vehicle> ReadVehicleFile(const std::string& strPath);

// A header of rpm and one of torque_nm, torque_lbft, power_kw, power_hp or power_ps (any case), then a point per
// line; blank lines and lines starting with # are skipped, a spreadsheet's byte order mark too. Messages are
// "FILE:LINE: reason", or "FILE: reason" for the curve as a whole.
ReadOutcome<TorqueCurve> ParseTorqueCsv(std::string_view strName, std::string_view bytes);
ReadOutcome<TorqueCurve> ReadTorqueCsv(const std::string& strPath);
