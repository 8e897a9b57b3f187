#include "ui/exchange/formexchange.h"

#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numtext/numtext.h"
#include "tests/exchange/testdialogs.h"
#include "tests/support/uitest.h"
#include "ui/exchange/winapp.h"

namespace {

using Texts = std::vector<std::string>;
using FormExchange = UiTest;

const std::string kNumber = "Please enter a number.";
const std::string kRange50 = "Please enter a number between 0 and 50.";
const std::string kRange15000 = "Please enter a number between 0 and 15000.";
const std::string kRange300 = "Please enter an integer between 0 and 300.";
constexpr float kInf = std::numeric_limits<float>::infinity();

// Before each row the members hold {1, 2, 3, 4} and the fields {10, 20, 30, 40}; then the row's field gets its
// own text. The failing field stops the pass: the fields before it are stored, those after it are untouched.
TEST_F(FormExchange, FailuresPromptStopThePassAndSelectTheField)
{
    struct Row
    {
        const char* pszName;
        int nField;
        std::string text;
        std::string strPrompt; // empty: the pass succeeds
        CFieldsDlg::Values expected;
        void (*pAfterA)(CFormExchange&) = nullptr; // a failure of the framework itself, after A
    };
    const std::string k31Nines(31, '9');
    const std::string kUnsupported = "An unsupported operation was attempted.";
    const std::vector<Row> rows = {
        {"all valid", IDC_A, "10", "", {10, 20, 30, 40}},
        {"letters in A", IDC_A, "abc", kNumber, {1, 2, 3, 4}},
        {"empty B", IDC_B, "", kNumber, {10, 2, 3, 4}},
        {"B out of range", IDC_B, "20000", kRange15000, {10, 20000, 3, 4}},
        {"infinite B", IDC_B, "1e400", kRange15000, {10, kInf, 3, 4}},
        {"negative C", IDC_C, "-5", kRange50, {10, 20, -5, 4}},
        {"C a hundred-thousandth above", IDC_C, "50.00001", kRange50, {10, 20, 50.00001F, 4}},
        // The range is judged on the member: in single precision a millionth above 50 is 50.
        {"C a millionth above", IDC_C, "50.000001", "", {10, 20, 50, 40}},
        {"D a decimal", IDC_D, "7.5", "Please enter an integer.", {10, 20, 30, 4}},
        {"D above range", IDC_D, "301", kRange300, {10, 20, 30, 301}},
        {"D clamped", IDC_D, "99999999999", kRange300, {10, 20, 30, 2147483647}},
        // Only the first 31 characters count: the 32nd, a letter, is never looked at.
        {"32nd character ignored", IDC_A, "7" + std::string(30, ' ') + "x", "", {7, 20, 30, 40}},
        {"31 digits judged", IDC_B, k31Nines + "9", kRange15000, {10, NarrowToFloat(CrtAtof(k31Nines)), 3, 4}},
        // The framework's own failures are prompted with their text and leave the focus where it was.
        {"missing control", IDC_A, "10", kUnsupported, {10, 2, 3, 4}, ExchangeMissingControl},
        {"out of memory", IDC_A, "10", "Out of memory.", {10, 2, 3, 4}, ThrowOutOfMemory},
        {"unknown exception", IDC_A, "10", "Internal application error.", {10, 2, 3, 4}, ThrowUnknown},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        CFieldsDlg dialog;
        dialog.Set({1, 2, 3, 4});
        GetApp()->m_pMainWnd = &dialog;
        HWND hShown = nullptr;
        bool bResult = false;
        RunDriven(m_seam, dialog, [&](HWND hDlg) {
            hShown = hDlg;
            dialog.m_pAfterA = row.pAfterA;
            for (const auto& [nId, pszText] : {std::pair{IDC_A, "10"}, {IDC_B, "20"}, {IDC_C, "30"}, {IDC_D, "40"}})
                platform::SetWindowText(platform::GetDlgItem(hDlg, nId), pszText);
            platform::SetWindowText(platform::GetDlgItem(hDlg, row.nField), row.text);
            platform::SetFocus(platform::GetDlgItem(hDlg, IDOK));
            dialog.m_nChanges = 0;
            bResult = dialog.ExchangeData(true);
            HWND hField = platform::GetDlgItem(hDlg, row.nField);
            if (!bResult && row.pAfterA) {
                EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hDlg, IDOK));
            } else if (!bResult) {
                EXPECT_EQ(platform::GetFocus(), hField);
                EXPECT_EQ(platform::GetTextSelection(hField),
                          std::make_pair(0, int(platform::GetWindowText(hField).size())));
            }
            dialog.EndModal(IDCANCEL);
        });
        GetApp()->m_pMainWnd = nullptr;
        for (const CBoxRecord& record : m_seam.Records()) {
            EXPECT_EQ(record.nType, MB_OK | MB_ICONEXCLAMATION);
            EXPECT_EQ(record.hOwner, hShown) << "owned by the dialog in front";
        }
        EXPECT_EQ(TakeMessages(m_seam), row.strPrompt.empty() ? Texts{} : Texts{row.strPrompt});
        EXPECT_EQ(bResult, row.strPrompt.empty());
        EXPECT_EQ(dialog.Get(), row.expected);
        EXPECT_EQ(dialog.m_nChanges, 0) << "a pass ran the change handler";
    }
}

// The loading pass writes as the runtime's "%.*g" did, out-of-range values too, without a prompt. Outside a pass
// a text is rewritten only when it differs, while a plain write reports a change every time, as the original did.
TEST_F(FormExchange, LoadingPassAndRewrites)
{
    CFieldsDlg dialog;
    dialog.Set({0, 1e6F, 26.4F, -12});
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        const auto texts = [hDlg] {
            Texts texts;
            for (int nId : {IDC_A, IDC_B, IDC_C, IDC_D})
                texts.push_back(platform::GetWindowText(platform::GetDlgItem(hDlg, nId)));
            return texts;
        };
        EXPECT_EQ(texts(), (Texts{"0", "1e+006", "26.4", "-12"}));
        dialog.Set({0, 99999, 26.4F, 1000});
        EXPECT_TRUE(dialog.ExchangeData(false));
        EXPECT_EQ(texts(), (Texts{"0", "99999", "26.4", "1000"}));
        EXPECT_EQ(dialog.m_nChanges, 0) << "a pass ran the change handler";
        SetTextIfChanged(platform::GetDlgItem(hDlg, IDC_C), "26.4");
        EXPECT_EQ(dialog.m_nChanges, 0);
        SetTextIfChanged(platform::GetDlgItem(hDlg, IDC_C), "26.5");
        EXPECT_EQ(dialog.m_nChanges, 1);
        platform::SetWindowText(platform::GetDlgItem(hDlg, IDC_C), "26.5");
        EXPECT_EQ(dialog.m_nChanges, 2);
        dialog.EndModal(IDCANCEL);
    });
    EXPECT_TRUE(m_seam.Records().empty());
}

// Passes on different windows nest: a prompt of one dialog's pass may run a pass on another dialog, and each
// pass restores the lock-out it found.
TEST_F(FormExchange, LockoutIsSavedAndRestoredAroundNestedPasses)
{
    CFieldsDlg outer;
    CFieldsDlg inner;
    std::vector<HWND> lockoutDuringPrompts;
    std::vector<HWND> windows; // outer, inner
    m_seam.SetMessageBoxHandler([&](const CBoxRecord&) {
        lockoutDuringPrompts.push_back(GetLockoutWindow());
        if (lockoutDuringPrompts.size() == 1) {
            // The outer dialog's own controls are locked out; the inner dialog's are not.
            platform::SetWindowText(platform::GetDlgItem(inner.m_hWnd, IDC_C), "7");
            platform::SetWindowText(platform::GetDlgItem(outer.m_hWnd, IDC_C), "7");
            EXPECT_FALSE(inner.ExchangeData(true));
            EXPECT_EQ(GetLockoutWindow(), outer.m_hWnd);
        }
        return IDOK;
    });
    RunDriven(m_seam, outer, [&](HWND hOuter) {
        DriveDialogs(m_seam, [&](HWND hInner) {
            windows = {hOuter, hInner};
            platform::SetWindowText(platform::GetDlgItem(hOuter, IDC_A), "bad");
            platform::SetWindowText(platform::GetDlgItem(hInner, IDC_B), "bad");
            outer.m_nChanges = inner.m_nChanges = 0;
            EXPECT_FALSE(outer.ExchangeData(true));
            EXPECT_EQ(GetLockoutWindow(), nullptr);
            inner.EndModal(IDCANCEL);
        });
        inner.RunModal();
        outer.EndModal(IDCANCEL);
    });
    EXPECT_EQ(lockoutDuringPrompts, windows);
    EXPECT_EQ(inner.m_nChanges, 1);
    EXPECT_EQ(outer.m_nChanges, 0);
}

} // namespace
