#pragma once

#include <optional>
#include <string>
#include <string_view>

// The framework's string table: the prompts of the exchange passes and the texts of its failures.
enum FrameworkStringId : int
{
    IDS_NOT_SUPPORTED = 61473,
    IDS_OUT_OF_MEMORY = 61475,
    IDP_INTERNAL_FAILURE = 61704,
    IDP_ENTER_INTEGER = 61712,
    IDP_ENTER_NUMBER = 61713,
    IDP_INTEGER_RANGE = 61714,
    IDP_NUMBER_RANGE = 61715,
};

std::optional<std::string_view> LoadFrameworkString(int nId);

// A modal box with the application's name as caption, owned by the dialog in front. A type that names no
// icon gets the exclamation icon when its buttons are OK, OK and Cancel, Yes and No, or Yes, No and Cancel.
int ShowPrompt(std::string_view text, unsigned nType);
// The same with a text of the string table.
int ShowPromptId(int nStringId, unsigned nType = 0);
