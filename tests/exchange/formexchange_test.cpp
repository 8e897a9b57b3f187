#include "ui/exchange/formexchange.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numtext/numtext.h"
#include "platform/modalseam.h"
#include "tests/exchange/testdialogs.h"
#include "tests/support/uitest.h"
#include "ui/exchange/exceptions.h"
#include "ui/exchange/winapp.h"

namespace {

std::string Prompt(const std::string& strText)
{
    return GetApp()->m_strAppName + "|" + strText;
}

struct FailureRow
{
    const char* pszName;
    int nField;
    std::string text;
    std::string strPrompt; // empty: the pass succeeds
    CFieldsDlg::Values expected;
};

// Before each row the members hold {1, 2, 3, 4}; the fields are then filled with {10, 20, 30, 40}, and the
// row's field gets its own text.
constexpr float kInf = std::numeric_limits<float>::infinity();
const std::vector<FailureRow> kFailureRows = {
    {"all valid", IDC_A, "10", "", {10, 20, 30, 40}},
    {"letters in A", IDC_A, "abc", "Please enter a number.", {1, 2, 3, 4}},
    {"empty B", IDC_B, "", "Please enter a number.", {10, 2, 3, 4}},
    {"B out of range", IDC_B, "20000", "Please enter a number between 0 and 15000.", {10, 20000, 3, 4}},
    {"negative C", IDC_C, "-5", "Please enter a number between 0 and 50.", {10, 20, -5, 4}},
    {"C a hundred-thousandth above",
     IDC_C,
     "50.00001",
     "Please enter a number between 0 and 50.",
     {10, 20, 50.00001F, 4}},
    {"C a millionth above", IDC_C, "50.000001", "", {10, 20, 50, 40}},
    {"C at the bound", IDC_C, "50", "", {10, 20, 50, 40}},
    {"infinite B", IDC_B, "1e400", "Please enter a number between 0 and 15000.", {10, kInf, 3, 4}},
    {"underflowing B", IDC_B, "1e-400", "Please enter a number.", {10, 2, 3, 4}},
    {"minus zero in A", IDC_A, "-0", "Please enter a number.", {1, 2, 3, 4}},
    {"two numbers in A", IDC_A, "7 7", "Please enter a number.", {1, 2, 3, 4}},
    {"comma in A", IDC_A, "1,5", "Please enter a number.", {1, 2, 3, 4}},
    {"D a decimal", IDC_D, "7.5", "Please enter an integer.", {10, 20, 30, 4}},
    {"D empty", IDC_D, "", "Please enter an integer.", {10, 20, 30, 4}},
    {"D above range", IDC_D, "301", "Please enter an integer between 0 and 300.", {10, 20, 30, 301}},
    {"D clamped", IDC_D, "99999999999", "Please enter an integer between 0 and 300.", {10, 20, 30, 2147483647}},
    {"D with sign and zeros", IDC_D, "+007", "", {10, 20, 30, 7}},
    {"D minus zero", IDC_D, "-0", "Please enter an integer.", {10, 20, 30, 4}},
    // Only the first 31 characters count: the 32nd, a letter, is never looked at.
    {"32nd character ignored", IDC_A, "7" + std::string(30, ' ') + "x", "", {7, 20, 30, 40}},
    {"31 digits judged",
     IDC_B,
     std::string(32, '9'),
     "Please enter a number between 0 and 15000.",
     {10, NarrowToFloat(CrtAtof(std::string(31, '9'))), 3, 4}},
};

void PrintTo(const FailureRow& row, std::ostream* pOut)
{
    *pOut << row.pszName;
}

class FormExchangeFailures : public UiTest, public ::testing::WithParamInterface<FailureRow>
{};

TEST_P(FormExchangeFailures, PromptMembersFocusAndSelection)
{
    const FailureRow& row = GetParam();
    CFieldsDlg dialog;
    dialog.Set({1, 2, 3, 4});
    std::optional<bool> bResult;
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        SetWindowText(GetDlgItem(hDlg, IDC_A), "10");
        SetWindowText(GetDlgItem(hDlg, IDC_B), "20");
        SetWindowText(GetDlgItem(hDlg, IDC_C), "30");
        SetWindowText(GetDlgItem(hDlg, IDC_D), "40");
        SetWindowText(GetDlgItem(hDlg, row.nField), row.text);
        SetFocus(GetDlgItem(hDlg, IDOK));
        TakePrompts(m_seam);
        dialog.m_nChanges = 0;
        bResult = dialog.ExchangeData(true);
        if (!row.strPrompt.empty()) {
            HWND hField = GetDlgItem(hDlg, row.nField);
            EXPECT_EQ(GetFocus(), hField);
            const auto nLength = static_cast<int>(GetWindowText(hField).size());
            EXPECT_EQ(GetTextSelection(hField), std::make_pair(0, nLength));
        }
        dialog.EndModal(IDCANCEL);
    });
    ASSERT_TRUE(bResult.has_value());
    EXPECT_EQ(*bResult, row.strPrompt.empty());
    const std::vector<std::string> expectedPrompts =
        row.strPrompt.empty() ? std::vector<std::string>{} : std::vector<std::string>{Prompt(row.strPrompt)};
    EXPECT_EQ(TakePrompts(m_seam), expectedPrompts);
    EXPECT_EQ(dialog.Get(), row.expected);
    EXPECT_EQ(dialog.m_nChanges, 0) << "a pass ran the change handler";
}

INSTANTIATE_TEST_SUITE_P(Rows, FormExchangeFailures, ::testing::ValuesIn(kFailureRows), [](const auto& info) {
    std::string name = info.param.pszName;
    for (char& ch : name)
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

using FormExchange = UiTest;

TEST_F(FormExchange, PromptsAreExclamationBoxesOwnedByTheDialogInFront)
{
    CFieldsDlg dialog;
    GetApp()->m_pMainWnd = &dialog;
    HWND hShown = nullptr;
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        hShown = hDlg;
        SetWindowText(GetDlgItem(hDlg, IDC_A), "x");
        dialog.ExchangeData(true);
        dialog.EndModal(IDCANCEL);
    });
    GetApp()->m_pMainWnd = nullptr;
    ASSERT_EQ(m_seam.Records().size(), 1U);
    const CBoxRecord& prompt = m_seam.Records().front();
    EXPECT_EQ(prompt.nType, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(prompt.strCaption, "exchange_tests");
    EXPECT_NE(prompt.hOwner, nullptr);
    EXPECT_EQ(prompt.hOwner, hShown);
}

TEST_F(FormExchange, LoadingPassWritesNumbersInTheRuntimesFormat)
{
    CFieldsDlg dialog;
    dialog.Set({0, 1e6F, 26.4F, -12});
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        EXPECT_EQ(GetWindowText(GetDlgItem(hDlg, IDC_A)), "0");
        EXPECT_EQ(GetWindowText(GetDlgItem(hDlg, IDC_B)), "1e+006");
        EXPECT_EQ(GetWindowText(GetDlgItem(hDlg, IDC_C)), "26.4");
        EXPECT_EQ(GetWindowText(GetDlgItem(hDlg, IDC_D)), "-12");

        // Out of range: written without a prompt.
        dialog.Set({0, 99999, 26.4F, 1000});
        EXPECT_TRUE(dialog.ExchangeData(false));
        EXPECT_EQ(GetWindowText(GetDlgItem(hDlg, IDC_B)), "99999");
        EXPECT_EQ(GetWindowText(GetDlgItem(hDlg, IDC_D)), "1000");
        dialog.EndModal(IDCANCEL);
    });
    EXPECT_TRUE(m_seam.Records().empty());
    EXPECT_EQ(dialog.m_nChanges, 0);
}

TEST_F(FormExchange, UnchangedTextIsNotRewritten)
{
    CFieldsDlg dialog;
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        HWND hField = GetDlgItem(hDlg, IDC_A);
        SetWindowText(hField, "26.4");
        dialog.m_nChanges = 0;
        SetTextIfChanged(hField, "26.4");
        EXPECT_EQ(dialog.m_nChanges, 0);
        SetTextIfChanged(hField, "26.5");
        EXPECT_EQ(dialog.m_nChanges, 1);
        // A plain write reports a change even when the text stays the same, as every write did originally.
        SetWindowText(hField, "26.5");
        EXPECT_EQ(dialog.m_nChanges, 2);
        dialog.EndModal(IDCANCEL);
    });
}

TEST_F(FormExchange, FrameworkFailuresAreReportedWithTheirText)
{
    struct Row
    {
        CFieldsDlg::Failure failure;
        const char* pszPrompt;
    };
    for (const Row& row : {Row{CFieldsDlg::Failure::MissingControl, "An unsupported operation was attempted."},
                           Row{CFieldsDlg::Failure::OutOfMemory, "Out of memory."},
                           Row{CFieldsDlg::Failure::Anonymous, "Internal application error."}}) {
        CFieldsDlg dialog;
        dialog.Set({1, 2, 3, 4});
        RunDriven(m_seam, dialog, [&](HWND) {
            dialog.m_failure = row.failure;
            SetWindowText(GetDlgItem(dialog.m_hWnd, IDC_A), "5");
            SetFocus(GetDlgItem(dialog.m_hWnd, IDC_C));
            TakePrompts(m_seam);
            EXPECT_FALSE(dialog.ExchangeData(true));
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog.m_hWnd, IDC_C)) << "no focus change";
            dialog.EndModal(IDCANCEL);
        });
        EXPECT_EQ(TakePrompts(m_seam), std::vector<std::string>{Prompt(row.pszPrompt)});
        EXPECT_EQ(dialog.Get().fA, 5.0F) << "fields before the failure stay stored";
    }
}

// Passes on different windows nest: a prompt of one dialog's pass may run a pass on another dialog, and each
// pass restores the lock-out it found.
TEST_F(FormExchange, LockoutIsSavedAndRestoredAroundNestedPasses)
{
    CFieldsDlg outer;
    CFieldsDlg inner;
    std::vector<HWND> lockoutDuringPrompts;
    HWND hOuterWnd = nullptr;
    HWND hInnerWnd = nullptr;
    bool bNested = false;
    m_seam.SetMessageBoxHandler([&](const CBoxRecord&) {
        lockoutDuringPrompts.push_back(GetLockoutWindow());
        if (!bNested) {
            bNested = true;
            // The outer dialog's own controls are locked out; the inner dialog's are not.
            SetWindowText(GetDlgItem(inner.m_hWnd, IDC_C), "7");
            SetWindowText(GetDlgItem(outer.m_hWnd, IDC_C), "7");
            EXPECT_FALSE(inner.ExchangeData(true));
            EXPECT_EQ(GetLockoutWindow(), outer.m_hWnd);
        }
        return IDOK;
    });
    RunDriven(m_seam, outer, [&](HWND hOuter) {
        DriveDialogs(m_seam, [&](HWND hInner) {
            if (hInner != inner.m_hWnd)
                return;
            hOuterWnd = hOuter;
            hInnerWnd = hInner;
            SetWindowText(GetDlgItem(hOuter, IDC_A), "bad");
            SetWindowText(GetDlgItem(hInner, IDC_B), "bad");
            outer.m_nChanges = inner.m_nChanges = 0;
            EXPECT_EQ(GetLockoutWindow(), nullptr);
            EXPECT_FALSE(outer.ExchangeData(true));
            EXPECT_EQ(GetLockoutWindow(), nullptr);
            inner.EndModal(IDCANCEL);
        });
        inner.RunModal();
        outer.EndModal(IDCANCEL);
    });
    EXPECT_EQ(lockoutDuringPrompts, (std::vector<HWND>{hOuterWnd, hInnerWnd}));
    EXPECT_EQ(inner.m_nChanges, 1);
    EXPECT_EQ(outer.m_nChanges, 0);
}

} // namespace
