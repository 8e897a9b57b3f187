#include "ui/templates.h"

#include <array>

#include "calc/tiresize.h"
#include "platform/dialogtemplate.h"
#include "platform/window.h"
#include "ui/icons/icondata.h"
#include "ui/resource.h"
#include "version.h"

namespace {

constexpr unsigned kEdit = CS_TABSTOP;
constexpr unsigned kDisplay = CS_TABSTOP | CS_READONLY;
constexpr unsigned kButton = CS_TABSTOP;
constexpr unsigned kDefaultButton = CS_TABSTOP | CS_DEFAULT;

constexpr ControlTemplate kGearCalcControls[] = {
    {IDC_RPM, ControlKind::Edit, "", 15, 30, 54, 14, kEdit, "Engine RPM"},
    {IDC_GEAR1, ControlKind::Edit, "", 85, 30, 54, 14, kEdit, "1st gear ratio"},
    {IDC_GEAR2, ControlKind::Edit, "", 85, 46, 54, 14, kEdit, "2nd gear ratio"},
    {IDC_GEAR3, ControlKind::Edit, "", 85, 62, 54, 14, kEdit, "3rd gear ratio"},
    {IDC_GEAR4, ControlKind::Edit, "", 85, 78, 54, 14, kEdit, "4th gear ratio"},
    {IDC_GEAR5, ControlKind::Edit, "", 85, 94, 54, 14, kEdit, "5th gear ratio"},
    {IDC_GEAR6, ControlKind::Edit, "", 85, 110, 54, 14, kEdit, "6th gear ratio"},
    {IDC_REVERSE, ControlKind::Edit, "", 86, 129, 54, 14, kEdit, "Reverse gear ratio"},
    {IDC_REAR_END, ControlKind::Edit, "", 156, 30, 54, 14, kEdit, "Rear-end gear ratio"},
    {IDC_TIRE_OD, ControlKind::Edit, "", 223, 30, 54, 14, kEdit, "Tire outside diameter in inches"},
    {IDC_BRAKE, ControlKind::PushButton, "&Brake", 16, 47, 29, 17, kButton},
    {IDC_GAS, ControlKind::PushButton, "&Gas", 50, 46, 19, 37, kButton},
    {IDC_SAMPLE, ControlKind::PushButton, "Sam&ple Settings", 7, 172, 57, 14, kButton},
    {IDC_CLEAR, ControlKind::PushButton, "&Clear Settings", 67, 172, 57, 14, kButton},
    {IDC_HUH, ControlKind::PushButton, "&Huh?", 127, 172, 57, 14, kButton},
    {IDOK, ControlKind::PushButton, "Cl&ose", 316, 172, 50, 14, kDefaultButton},
    {IDC_STATIC, ControlKind::Label, "&Engine RPM", 16, 15, 56, 11, CS_NONE, {}, IDC_RPM},
    {IDC_STATIC, ControlKind::Label, "Transmission Gear", 85, 15, 58, 12},
    {IDC_STATIC, ControlKind::Label, "&1st", 72, 33, 12, 8, CS_NONE, {}, IDC_GEAR1},
    {IDC_STATIC, ControlKind::Label, "&2nd", 71, 49, 13, 8, CS_NONE, {}, IDC_GEAR2},
    {IDC_STATIC, ControlKind::Label, "&3rd", 72, 65, 12, 8, CS_NONE, {}, IDC_GEAR3},
    {IDC_STATIC, ControlKind::Label, "&4th", 72, 81, 12, 8, CS_NONE, {}, IDC_GEAR4},
    {IDC_STATIC, ControlKind::Label, "&5th", 72, 97, 12, 8, CS_NONE, {}, IDC_GEAR5},
    {IDC_STATIC, ControlKind::Label, "&6th", 73, 113, 11, 8, CS_NONE, {}, IDC_GEAR6},
    {IDC_STATIC, ControlKind::Label, "&Reverse", 44, 132, 39, 9, CS_RIGHT, {}, IDC_REVERSE},
    {IDC_STATIC, ControlKind::Label, "Re&ar-end Gear", 155, 15, 60, 11, CS_NONE, {}, IDC_REAR_END},
    {IDC_STATIC, ControlKind::Label, "OD &Tire (inches)", 224, 14, 57, 15, CS_NONE, {}, IDC_TIRE_OD},
    {IDC_STATIC, ControlKind::Label, "&MPH", 294, 15, 37, 12, CS_NONE, {}, IDC_SPEED1},
    {IDC_SPEED1, ControlKind::Edit, "", 293, 30, 54, 14, kDisplay, "1st gear speed in MPH"},
    {IDC_SPEED2, ControlKind::Edit, "", 293, 47, 54, 14, kDisplay, "2nd gear speed in MPH"},
    {IDC_SPEED3, ControlKind::Edit, "", 293, 63, 54, 14, kDisplay, "3rd gear speed in MPH"},
    {IDC_SPEED4, ControlKind::Edit, "", 293, 79, 54, 14, kDisplay, "4th gear speed in MPH"},
    {IDC_SPEED5, ControlKind::Edit, "", 293, 95, 54, 14, kDisplay, "5th gear speed in MPH"},
    {IDC_SPEED6, ControlKind::Edit, "", 293, 111, 54, 14, kDisplay, "6th gear speed in MPH"},
    {IDC_SPEED_REV, ControlKind::Edit, "", 293, 129, 54, 14, kDisplay, "Reverse speed in MPH"},
    {IDC_CALC_DIAMETER, ControlKind::PushButton, "Calc &Diameter", 223, 46, 54, 11, kButton},
    {IDC_LOAD, ControlKind::PushButton, "&Load", 187, 172, 57, 14, kButton},
    {IDC_SAVE, ControlKind::PushButton, "&Save", 247, 172, 57, 14, kButton},
    // The free middle of the dialog: right of the gears, left of the speeds, below Calc Diameter.
    {IDC_SHIFT_CHART, ControlKind::Plot, "", 146, 62, 140, 104, CS_NONE, "Shift chart"},
    // Below the speeds, above Close: opens the workbench at the right.
    {IDC_WORKBENCH, ControlKind::PushButton, "&Workbench", 316, 151, 50, 14, kButton | CS_TOGGLE},

    // The workbench: its inputs in a column at the right, its figures in columns beside the speeds they extend.
    {IDC_STATIC, ControlKind::Label, "Cr&uise speed", 558, 8, 46, 10, CS_NONE, {}, IDC_CRUISE_SPEED},
    {IDC_CRUISE_SPEED, ControlKind::Edit, "", 606, 5, 56, 14, kEdit, "Cruise speed"},
    {IDC_STATIC, ControlKind::Label, "T&ire size", 558, 22, 104, 9, CS_NONE, {}, IDC_TIRE_SIZE},
    // Wide enough for the longest sizes: LT265/75R16 123/120S.
    {IDC_TIRE_SIZE, ControlKind::Edit, "", 558, 31, 104, 14, kEdit, "Tire size"},
    {IDC_USE_TIRE_SIZE, ControlKind::PushButton, "Use tire si&ze", 558, 63, 104, 13, kButton},
    {IDC_STATIC, ControlKind::Label, "Re&vs per mile", 558, 83, 46, 10, CS_NONE, {}, IDC_REVS_PER_MILE},
    {IDC_REVS_PER_MILE, ControlKind::Edit, "", 606, 80, 56, 14, kEdit, "Revs per mile"},
    // The letters of these buttons' names are all taken by the controls before them, so their texts are their own
    // words, each with a free letter; screen readers and scripts know them by their names.
    {IDC_USE_REVS, ControlKind::PushButton, "Ad&just to revs", 558, 96, 104, 13, kButton, "Use revs per mile"},
    {IDC_STATIC, ControlKind::Label, "Setup B", 558, 112, 104, 9},
    {IDC_HOLD_B, ControlKind::PushButton, "&Keep", 558, 121, 34, 14, kButton, "Hold as B"},
    {IDC_LOAD_B, ControlKind::PushButton, "&File...", 593, 121, 34, 14, kButton, "Load B"},
    {IDC_CLEAR_B, ControlKind::PushButton, "Empt&y", 628, 121, 34, 14, kButton, "Clear B"},
    // Ctrl+P prints; the letter N is the Performance button's.
    {IDC_PRINT, ControlKind::PushButton, "Print", 558, 172, 50, 14, kButton, "Print (Ctrl+P)"},
    {IDC_EXPORT, ControlKind::PushButton, "E&xport", 612, 172, 50, 14, kButton},
    {IDC_B_STATUS, ControlKind::Label, "", 558, 137, 104, 18},
    {IDC_STATIC, ControlKind::Label, "km/h", 378, 15, 30, 10},
    {IDC_STATIC, ControlKind::Label, "RPM at cruise", 409, 13, 30, 17},
    {IDC_STATIC, ControlKind::Label, "vs B", 440, 15, 30, 10},
    {IDC_STATIC, ControlKind::Label, "After upshift", 502, 13, 50, 17},
    {IDC_KMH1 + 0, ControlKind::Edit, "", 378, 30, 30, 14, kDisplay, "1st gear speed in km/h"},
    {IDC_CRUISE_RPM1 + 0, ControlKind::Edit, "", 409, 30, 30, 14, kDisplay, "1st gear RPM at cruise speed"},
    {IDC_DIFF_B1 + 0, ControlKind::Edit, "", 440, 30, 30, 14, kDisplay, "1st gear difference to B"},
    {IDC_SHIFT_DROP1 + 0, ControlKind::Edit, "", 502, 30, 50, 14, kDisplay, "RPM after shift from 1st"},
    {IDC_KMH1 + 1, ControlKind::Edit, "", 378, 47, 30, 14, kDisplay, "2nd gear speed in km/h"},
    {IDC_CRUISE_RPM1 + 1, ControlKind::Edit, "", 409, 47, 30, 14, kDisplay, "2nd gear RPM at cruise speed"},
    {IDC_DIFF_B1 + 1, ControlKind::Edit, "", 440, 47, 30, 14, kDisplay, "2nd gear difference to B"},
    {IDC_SHIFT_DROP1 + 1, ControlKind::Edit, "", 502, 47, 50, 14, kDisplay, "RPM after shift from 2nd"},
    {IDC_KMH1 + 2, ControlKind::Edit, "", 378, 63, 30, 14, kDisplay, "3rd gear speed in km/h"},
    {IDC_CRUISE_RPM1 + 2, ControlKind::Edit, "", 409, 63, 30, 14, kDisplay, "3rd gear RPM at cruise speed"},
    {IDC_DIFF_B1 + 2, ControlKind::Edit, "", 440, 63, 30, 14, kDisplay, "3rd gear difference to B"},
    {IDC_SHIFT_DROP1 + 2, ControlKind::Edit, "", 502, 63, 50, 14, kDisplay, "RPM after shift from 3rd"},
    {IDC_KMH1 + 3, ControlKind::Edit, "", 378, 79, 30, 14, kDisplay, "4th gear speed in km/h"},
    {IDC_CRUISE_RPM1 + 3, ControlKind::Edit, "", 409, 79, 30, 14, kDisplay, "4th gear RPM at cruise speed"},
    {IDC_DIFF_B1 + 3, ControlKind::Edit, "", 440, 79, 30, 14, kDisplay, "4th gear difference to B"},
    {IDC_SHIFT_DROP1 + 3, ControlKind::Edit, "", 502, 79, 50, 14, kDisplay, "RPM after shift from 4th"},
    {IDC_KMH1 + 4, ControlKind::Edit, "", 378, 95, 30, 14, kDisplay, "5th gear speed in km/h"},
    {IDC_CRUISE_RPM1 + 4, ControlKind::Edit, "", 409, 95, 30, 14, kDisplay, "5th gear RPM at cruise speed"},
    {IDC_DIFF_B1 + 4, ControlKind::Edit, "", 440, 95, 30, 14, kDisplay, "5th gear difference to B"},
    {IDC_SHIFT_DROP1 + 4, ControlKind::Edit, "", 502, 95, 50, 14, kDisplay, "RPM after shift from 5th"},
    {IDC_KMH1 + 5, ControlKind::Edit, "", 378, 111, 30, 14, kDisplay, "6th gear speed in km/h"},
    {IDC_CRUISE_RPM1 + 5, ControlKind::Edit, "", 409, 111, 30, 14, kDisplay, "6th gear RPM at cruise speed"},
    {IDC_DIFF_B1 + 5, ControlKind::Edit, "", 440, 111, 30, 14, kDisplay, "6th gear difference to B"},
    {IDC_KMH1 + 6, ControlKind::Edit, "", 378, 129, 30, 14, kDisplay, "Reverse speed in km/h"},
    {IDC_STATIC, ControlKind::Label, "Speedometer at a true 60 MPH:", 409, 127, 92, 17, CS_RIGHT},
    {IDC_SPEEDOMETER, ControlKind::Edit, "", 502, 129, 50, 14, kDisplay, "Speedometer reading at a true 60 MPH"},
    {IDC_TIRE_SIZE_INCHES, ControlKind::Edit, "", 558, 47, 34, 14, kDisplay, "Tire size diameter in inches"},
    {IDC_TIRE_SIZE_MM, ControlKind::Edit, "", 593, 47, 34, 14, kDisplay, "Tire size diameter in millimetres"},
    {IDC_TIRE_SIZE_REVS, ControlKind::Edit, "", 628, 47, 34, 14, kDisplay, "Tire size revs per mile"},
    // What a field of the panel lacks, or else which tire value is in use and where it came from.
    {IDC_WORKBENCH_MESSAGE, ControlKind::Label, "", 378, 147, 174, 43},
    // Under setup B, over Print and Export.
    {IDC_PERFORMANCE, ControlKind::PushButton, "Performa&nce", 558, 157, 52, 13, kButton},
    // Every letter is taken by now: these take the keys of the characters the texts show anyway.
    {IDC_TIRES, ControlKind::PushButton, "Tire swap&...", 610, 157, 52, 13, kButton, "Tire comparison"},
    {IDC_STATIC, ControlKind::Label, "Red&-line RPM", 476, 2, 42, 9, CS_RIGHT, {}, IDC_REDLINE},
    {IDC_REDLINE, ControlKind::Edit, "", 520, 0, 32, 12, kEdit, "Redline RPM"},
    {IDC_REDLINE_HEADER, ControlKind::Label, "MPH at redline", 471, 13, 30, 17},
    {IDC_REDLINE_SPEED1 + 0, ControlKind::Edit, "", 471, 30, 30, 14, kDisplay, "1st gear speed at redline"},
    {IDC_REDLINE_SPEED1 + 1, ControlKind::Edit, "", 471, 47, 30, 14, kDisplay, "2nd gear speed at redline"},
    {IDC_REDLINE_SPEED1 + 2, ControlKind::Edit, "", 471, 63, 30, 14, kDisplay, "3rd gear speed at redline"},
    {IDC_REDLINE_SPEED1 + 3, ControlKind::Edit, "", 471, 79, 30, 14, kDisplay, "4th gear speed at redline"},
    {IDC_REDLINE_SPEED1 + 4, ControlKind::Edit, "", 471, 95, 30, 14, kDisplay, "5th gear speed at redline"},
    {IDC_REDLINE_SPEED1 + 5, ControlKind::Edit, "", 471, 111, 30, 14, kDisplay, "6th gear speed at redline"},
    // Above the columns whose units it chooses.
    {IDC_METRIC, ControlKind::PushButton, "Metric units (km&/h, mm)", 378, 0, 94, 12, kButton | CS_TOGGLE},
};

constexpr ControlTemplate kTireDiameterControls[] = {
    {IDOK, ControlKind::PushButton, "&OK", 60, 84, 50, 14, kDefaultButton},
    {IDCANCEL, ControlKind::PushButton, "&Cancel", 117, 84, 50, 14, kButton},
    {IDC_TIRE_WIDTH, ControlKind::Edit, "", 70, 20, 33, 15, kEdit, "Tire width in millimetres"},
    {IDC_STATIC, ControlKind::Label, "&P", 62, 23, 8, 11, CS_NONE, {}, IDC_TIRE_WIDTH},
    {IDC_STATIC, ControlKind::Label, "&/", 106, 23, 8, 11, CS_NONE, {}, IDC_TIRE_ASPECT},
    {IDC_TIRE_ASPECT, ControlKind::Edit, "", 114, 21, 19, 15, kEdit, "Aspect ratio in percent"},
    {IDC_STATIC, ControlKind::Label, "&R", 136, 23, 8, 9, CS_NONE, {}, IDC_TIRE_RIM},
    {IDC_TIRE_RIM, ControlKind::Edit, "", 146, 20, 19, 15, kEdit, "Rim diameter in inches"},
    {IDC_STATIC, ControlKind::Label, "Tire &Diameter in Inches:", 60, 41, 77, 13, CS_NONE, {}, IDC_TIRE_RESULT},
    {IDC_TIRE_RESULT, ControlKind::Edit, "", 139, 40, 27, 13, kDisplay, "Tire diameter in inches"},
    {IDC_SAMPLE_TIRE, ControlKind::PushButton, "&Sample Tire", 90, 62, 49, 13, kButton},
};

constexpr ControlTemplate kNoticeControls[] = {
    {IDOK, ControlKind::PushButton, "&OK", 59, 68, 50, 14, kDefaultButton},
    {IDC_STATIC, ControlKind::Label, "Freeware.   Please distribute!", 18, 44, 105, 10},
    {IDC_STATIC, ControlKind::Label, kNoticeVersionLine, 17, 33, 117, 10},
    {IDC_STATIC, ControlKind::Label, "A gearing calculator for hobbyists", 17, 20, 130, 13},
    {IDC_STATIC, ControlKind::Label, "Corvane Ratiograph", 7, 7, 155, 10},
    {IDC_STATIC, ControlKind::Icon, "", 17, 63, 20, 20, CS_NONE, {}, 0, IDR_MAINFRAME},
};

constexpr ControlTemplate kExplainControls[] = {
    {IDOK, ControlKind::PushButton, "&OK, sure, spoil the dream...", 157, 205, 99, 14, kDefaultButton},
    {IDC_STATIC, ControlKind::Label, "Who and Why:", 17, 13, 60, 10, CS_VCENTER},
    {IDC_STATIC, ControlKind::Label,
     "A car hobbyist wrote this calculator for the evenings spent wondering what another gear set would do. "
     "If you like it, send an e-mail and say so; it is the only payment asked.",
     26, 25, 350, 19},
    {IDC_STATIC, ControlKind::Label, kLegalNotice, 58, 46, 184, 9},
    {IDC_STATIC, ControlKind::Label, "Manual: man ratiograph", 57, 58, 139, 13, CS_SUNKEN},
    {IDC_STATIC, ControlKind::Label, kExplainVersionLine, 261, 46, 81, 9},
    {IDC_STATIC, ControlKind::Label, "Whatever:", 19, 82, 67, 13},
    {IDC_STATIC, ControlKind::Label,
     "Before you bolt huge tires onto the family car and head for the salt flats to chase a land speed record, "
     "consider a few things:",
     27, 94, 378, 19},
    {IDC_STATIC, ControlKind::Label,
     "1. Horsepower is finite. The faster the car goes, the more power it takes, wind resistance above all, "
     "and the engine has to pull whatever gearing you choose.",
     50, 121, 326, 17},
    {IDC_STATIC, ControlKind::Label,
     "2. Torque is finite too, and smaller than you think. With much larger tires, first gear may be worth "
     "82 MPH at the red line, if the engine can ever get it there.",
     49, 140, 326, 25},
    {IDC_STATIC, ControlKind::Label,
     "3. An aggressive rear-end ratio (4.55, say) on an everyday car means frequent breakage of axles, "
     "ring and pinion gears and universal joints.",
     49, 170, 329, 25},
};

constexpr ControlTemplate kChartSizeControls[] = {
    {IDC_STATIC, ControlKind::Label, "&Width (pixels):", 7, 10, 64, 9, CS_NONE, {}, IDC_CHART_WIDTH},
    {IDC_CHART_WIDTH, ControlKind::Edit, "", 74, 7, 44, 14, kEdit, "Chart width in pixels"},
    {IDC_STATIC, ControlKind::Label, "&Height (pixels):", 7, 28, 64, 9, CS_NONE, {}, IDC_CHART_HEIGHT},
    {IDC_CHART_HEIGHT, ControlKind::Edit, "", 74, 25, 44, 14, kEdit, "Chart height in pixels"},
    {IDOK, ControlKind::PushButton, "&OK", 13, 48, 50, 14, kDefaultButton},
    {IDCANCEL, ControlKind::PushButton, "&Cancel", 68, 48, 50, 14, kButton},
};

constexpr Accelerator kGearCalcAccelerators[] = {{"Ctrl+P", ID_PRINT}, {"Ctrl+E", ID_EXPORT}};
constexpr DialogTemplate kGearCalcDialog{IDD_GEARCALC_DIALOG,       "Corvane Ratiograph", 373, 193,
                                         DS_CAPTION | DS_APPWINDOW, kGearCalcControls,    {},  666,
                                         kGearCalcAccelerators};
constexpr DialogTemplate kTireDiameterDialog{IDD_TIRE_DIAMETER, "Calculate Tire Diameter", 228, 129,
                                             DS_CAPTION,        kTireDiameterControls};
constexpr DialogTemplate kNoticeDialog{IDD_NOTICE, "", 186, 98, DS_THINBORDER, kNoticeControls, "Corvane Ratiograph"};
constexpr DialogTemplate kChartSizeDialog{IDD_CHART_SIZE, "Chart Image Size", 125, 69, DS_CAPTION, kChartSizeControls};
constexpr DialogTemplate kExplainDialog{IDD_EXPLAIN,      "",           426, 239, DS_CAPTION | DS_SETFOREGROUND,
                                        kExplainControls, "Who and why"};

} // namespace

void RegisterProgramResources()
{
    static const std::array mainIconPictures{kIcon16Pixels, kIcon32Pixels,  kIcon48Pixels,
                                             kIcon64Pixels, kIcon128Pixels, kIcon256Pixels};
    static const IconResource mainIcon{IDR_MAINFRAME, mainIconPictures, kIconSvg};
    for (const DialogTemplate* pTemplate :
         {&kGearCalcDialog, &kTireDiameterDialog, &kNoticeDialog, &kExplainDialog, &kChartSizeDialog})
        AddDialogTemplate(*pTemplate);
    AddIconResource(mainIcon);
}
