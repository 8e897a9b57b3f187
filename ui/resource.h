#pragma once

// Resource ids of the program: dialog templates, the icon and every control the code addresses.

// Dialog templates.
inline constexpr int IDD_GEARCALC_DIALOG = 102;
inline constexpr int IDD_EXPLAIN = 129;
inline constexpr int IDD_NOTICE = 131;
inline constexpr int IDD_TIRE_DIAMETER = 132;
inline constexpr int IDD_CHART_SIZE = 140;

// The application icon.
inline constexpr int IDR_MAINFRAME = 128;

// Labels that the code never addresses.
inline constexpr int IDC_STATIC = -1;

// The calculator. The ids are not in gear order: second gear is 1001, first gear 1002.
inline constexpr int IDC_RPM = 1000;
inline constexpr int IDC_GEAR2 = 1001;
inline constexpr int IDC_GEAR1 = 1002;
inline constexpr int IDC_REAR_END = 1003;
inline constexpr int IDC_TIRE_OD = 1004;
inline constexpr int IDC_GEAR3 = 1005;
inline constexpr int IDC_GEAR4 = 1006;
inline constexpr int IDC_GEAR5 = 1007;
inline constexpr int IDC_GEAR6 = 1008;
inline constexpr int IDC_SPEED1 = 1009;
inline constexpr int IDC_SPEED2 = 1010;
inline constexpr int IDC_SPEED3 = 1011;
inline constexpr int IDC_SPEED4 = 1012;
inline constexpr int IDC_SPEED5 = 1013;
inline constexpr int IDC_SPEED6 = 1014;
inline constexpr int IDC_REVERSE = 1015;
inline constexpr int IDC_SPEED_REV = 1016;
inline constexpr int IDC_SAMPLE = 1017;
inline constexpr int IDC_CLEAR = 1018;
inline constexpr int IDC_HUH = 1019;
inline constexpr int IDC_LOAD = 1020;
inline constexpr int IDC_GAS = 1021;
inline constexpr int IDC_BRAKE = 1022;
inline constexpr int IDC_CALC_DIAMETER = 1023;
inline constexpr int IDC_SAVE = 1024;
inline constexpr int IDC_SHIFT_CHART = 1025;
inline constexpr int IDC_WORKBENCH = 1026;

// The calculator's workbench panel. Each per-gear column runs from 1st gear on; km/h has Reverse after 6th.
inline constexpr int IDC_KMH1 = 1100;        // to 1106: 1st to 6th, Reverse
inline constexpr int IDC_CRUISE_RPM1 = 1110; // to 1115
inline constexpr int IDC_DIFF_B1 = 1120;     // to 1125
inline constexpr int IDC_SHIFT_DROP1 = 1130; // to 1134: the upshifts from 1st to 5th
inline constexpr int IDC_CRUISE_SPEED = 1140;
inline constexpr int IDC_TIRE_SIZE = 1141;
inline constexpr int IDC_TIRE_SIZE_INCHES = 1142;
inline constexpr int IDC_TIRE_SIZE_MM = 1143;
inline constexpr int IDC_TIRE_SIZE_REVS = 1144;
inline constexpr int IDC_USE_TIRE_SIZE = 1145;
inline constexpr int IDC_REVS_PER_MILE = 1146;
inline constexpr int IDC_USE_REVS = 1147;
inline constexpr int IDC_HOLD_B = 1148;
inline constexpr int IDC_LOAD_B = 1149;
inline constexpr int IDC_CLEAR_B = 1150;
inline constexpr int IDC_B_STATUS = 1151;
inline constexpr int IDC_SPEEDOMETER = 1152;
inline constexpr int IDC_WORKBENCH_MESSAGE = 1153;
inline constexpr int IDC_PRINT = 1154;
inline constexpr int IDC_EXPORT = 1155;
inline constexpr int IDC_PERFORMANCE = 1156;
inline constexpr int IDC_TIRES = 1157;
inline constexpr int IDC_REDLINE = 1158;
inline constexpr int IDC_METRIC = 1159;
inline constexpr int IDC_REDLINE_HEADER = 1160;
inline constexpr int IDC_REDLINE_SPEED1 = 1161; // to 1166

// Commands that come from no control.
inline constexpr int ID_LOAD_STARTUP_FILE = 0x8001;
inline constexpr int ID_PRINT = 0x8002;  // Ctrl+P
inline constexpr int ID_EXPORT = 0x8003; // Ctrl+E

// The tire diameter dialog.
inline constexpr int IDC_TIRE_ASPECT = 1001;
inline constexpr int IDC_TIRE_RIM = 1003;
inline constexpr int IDC_TIRE_RESULT = 1004;
inline constexpr int IDC_SAMPLE_TIRE = 1017;
inline constexpr int IDC_TIRE_WIDTH = 1024;

// The chart image size dialog of Export.
inline constexpr int IDC_CHART_WIDTH = 1001;
inline constexpr int IDC_CHART_HEIGHT = 1002;
