#include "ui/settingsvalues.h"

#include "settingsfile/settingsfile.h"
#include "ui/exchange/formexchange.h"

SettingsValues JudgeSettingsLines(const std::array<std::string, 10>& lines)
{
    SettingsValues result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const GearValueInfo& info = GetGearValueInfo(kSettingsFileOrder[i]);
        const FieldJudgement<float> judgement = JudgeFieldText(lines[i], info.fMin, info.fMax);
        if (judgement.value)
            result.settings[info.value] = *judgement.value;
        if (!judgement.strPrompt.empty())
            result.problems.push_back({static_cast<int>(i) + 1, judgement.strPrompt});
    }
    return result;
}
