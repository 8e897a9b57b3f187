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
// The help id is accepted for the callers' sake; the program has no help to show.
int ShowPrompt(std::string_view text, unsigned nType, int nHelpId);
// The same with a text of the string table; a help id of -1 stands for the string id.
int ShowPromptId(int nStringId, unsigned nType = 0, int nHelpId = -1);
// The string nStringId with "%1" and "%2" replaced; strOut stays as it was when the id has no text.
void FormatPrompt2(std::string& strOut, int nStringId, std::string_view text1, std::string_view text2);
