// The dialog framework through a small dialog of its own, without the program's dialogs.

#include <new>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <QWidget>

#include <gtest/gtest.h>

#include "numtext/fieldrule.h"
#include "platform/dialogtemplate.h"
#include "tests/support/uitest.h"
#include "ui/exchange/dialog.h"
#include "ui/exchange/exceptions.h"
#include "ui/exchange/formexchange.h"
#include "ui/exchange/winapp.h"

namespace {

using Texts = std::vector<std::string>;
using FormExchange = UiTest;
using ModalRun = UiTest;

constexpr int IDD_FIELDS = 9001;
constexpr int IDC_A = 100, IDC_B = 101, IDC_C = 102;
constexpr ControlTemplate kFieldsControls[] = {
    {-1, ControlKind::Label, "A", 5, 7, 20, 8},
    {IDC_A, ControlKind::Edit, "", 30, 5, 50, 14, CS_TABSTOP},
    {IDC_B, ControlKind::Edit, "", 30, 21, 50, 14, CS_TABSTOP},
    {IDC_C, ControlKind::Edit, "", 30, 37, 50, 14, CS_TABSTOP},
    {IDOK, ControlKind::PushButton, "OK", 5, 59, 40, 14, CS_TABSTOP | CS_DEFAULT},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 50, 59, 40, 14, CS_TABSTOP},
};
constexpr DialogTemplate kFieldsTemplate{IDD_FIELDS, "Fields", 100, 79, DS_CAPTION, kFieldsControls};

// Number fields A in 0..50 and B in 0..15000 and an integer field C in 0..300, exchanged in that order.
class CFieldsDlg : public CDialog
{
public:
    using Values = std::tuple<float, float, int>;
    explicit CFieldsDlg(int nTemplateId = IDD_FIELDS) : CDialog(nTemplateId) { AddDialogTemplate(kFieldsTemplate); }

    Values m_values{1, 2, 3};
    int m_nChanges = 0;
    void (*m_pAfterA)(CFormExchange& fx) = nullptr; // where a test makes a pass fail, as only the framework can:
    static void NoSuchControl(CFormExchange& fx) { fx.PrepareEdit(999); }
    static void OutOfMemory(CFormExchange&) { throw std::bad_alloc(); }
    static void Unknown(CFormExchange&) { throw CException(); }

    void ExchangeFields(CFormExchange& fx) override
    {
        auto& [fA, fB, nC] = m_values;
        ExchangeFloat(fx, IDC_A, fA);
        ValidateFloatRange(fx, fA, 0.0F, 50.0F);
        if (m_pAfterA != nullptr)
            m_pAfterA(fx);
        ExchangeFloat(fx, IDC_B, fB);
        ValidateFloatRange(fx, fB, 0.0F, 15000.0F);
        ExchangeInt(fx, IDC_C, nC);
        ValidateIntRange(fx, nC, 0, 300);
    }

protected:
    bool OnCommand(int nId, int nCode) override
    {
        m_nChanges += nCode == EN_CHANGE ? 1 : 0;
        return CDialog::OnCommand(nId, nCode);
    }
};

const std::string kNumber = "Please enter a number.";
const std::string kRange50 = "Please enter a number between 0 and 50.";
const std::string kRange15000 = "Please enter a number between 0 and 15000.";
const std::string k31Nines(31, '9');

// Before each row the members hold {1, 2, 3} and the fields their bounds {0, 15000, 300}; then the row's field
// gets its text. A bad field is prompted for, focused and selected, and stops the pass: the fields before it are
// stored, those after it untouched. The framework's own failures are prompted with their text, focus left alone.
TEST_F(FormExchange, FailuresPromptStopThePassAndSelectTheField)
{
    // The row's name, its field and text, the prompt (empty: the pass succeeds), the members after, a failing step.
    using Row = std::tuple<const char*, int, std::string, std::string, CFieldsDlg::Values, void (*)(CFormExchange&)>;
    const std::vector<Row> rows = {
        {"the bounds", IDC_A, "0", "", {0, 15000, 300}, nullptr},
        // The range is judged on the member: in single precision a millionth above 50 is 50.
        {"A a millionth above", IDC_A, "50.000001", "", {50, 15000, 300}, nullptr},
        {"B empty", IDC_B, "", kNumber, {0, 2, 3}, nullptr},
        {"B judged on 31 characters", IDC_B, k31Nines + "9", kRange15000, {0, 1e31F, 3}, nullptr},
        {"C a decimal", IDC_C, "7.5", "Please enter an integer.", {0, 15000, 3}, nullptr},
        {"C above", IDC_C, "301", "Please enter an integer between 0 and 300.", {0, 15000, 301}, nullptr},
        {"no control", IDC_A, "0", "An unsupported operation was attempted.", {0, 2, 3}, CFieldsDlg::NoSuchControl},
        {"out of memory", IDC_A, "0", "Out of memory.", {0, 2, 3}, CFieldsDlg::OutOfMemory},
        {"unknown exception", IDC_A, "0", "Internal application error.", {0, 2, 3}, CFieldsDlg::Unknown},
    };
    for (const auto& [pszName, nField, text, strPrompt, expected, pAfterA] : rows) {
        SCOPED_TRACE(pszName);
        CFieldsDlg dialog;
        bool bResult = false;
        RunDriven(m_seam, dialog, [&](HWND hDlg) {
            dialog.m_pAfterA = pAfterA;
            for (const auto& [nId, pszText] : {std::pair{IDC_A, "0"}, {IDC_B, "15000"}, {IDC_C, "300"}})
                SetText(hDlg, nId, pszText);
            SetText(hDlg, nField, text);
            platform::SetFocus(platform::GetDlgItem(hDlg, IDOK));
            bResult = dialog.ExchangeData(true);
            const bool bFieldFailed = !bResult && pAfterA == nullptr;
            HWND hField = platform::GetDlgItem(hDlg, nField);
            EXPECT_EQ(platform::GetFocus(), bFieldFailed ? hField : platform::GetDlgItem(hDlg, IDOK));
            EXPECT_EQ(platform::GetTextSelection(hField), std::pair(0, bFieldFailed ? int(text.size()) : 0));
            dialog.EndModal(IDCANCEL);
        });
        EXPECT_EQ(TakeMessages(m_seam), strPrompt.empty() ? Texts{} : Texts{strPrompt});
        EXPECT_EQ(bResult, strPrompt.empty());
        EXPECT_EQ(dialog.m_values, expected);
    }
}

// A settings file's line is judged as a field's text: on its first 31 characters, then against the range.
TEST(FieldJudgement, AsAValidatingPass)
{
    const std::vector<std::tuple<std::string, std::optional<float>, std::string>> rows = {
        {"50", 50.0F, ""}, {"-1", -1.0F, kRange50}, {"x", std::nullopt, kNumber}, {k31Nines + "x", 1e31F, kRange50}};
    for (const auto& [text, value, strPrompt] : rows) {
        const FieldJudgement<float> judgement = JudgeFieldText(text, 0.0F, 50.0F);
        EXPECT_EQ(judgement.value, value) << text;
        EXPECT_EQ(judgement.strPrompt, strPrompt) << text;
    }
}

// The loading pass writes as the runtime's "%.*g" and "%d" did, out-of-range values too, without a prompt or a
// change. Outside a pass a text is rewritten only when it differs; a plain write reports a change every time.
TEST_F(FormExchange, LoadingPassAndRewrites)
{
    CFieldsDlg dialog;
    dialog.m_values = {26.4F, 1234567.0F, -12};
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        EXPECT_EQ((Texts{Text(hDlg, IDC_A), Text(hDlg, IDC_B), Text(hDlg, IDC_C)}),
                  (Texts{"26.4", "1.23457e+006", "-12"}));
        for (const char* pszText : {"26.4", "26.5"})
            SetTextIfChanged(platform::GetDlgItem(hDlg, IDC_A), pszText);
        EXPECT_EQ(dialog.m_nChanges, 1);
        SetText(hDlg, IDC_A, "26.5");
        EXPECT_EQ(dialog.m_nChanges, 2);
        dialog.EndModal(IDCANCEL);
    });
}

// What ends a dialog and what RunModal returns: -1, never shown, when it cannot be built or loaded; otherwise
// only OK, and Enter on it, reads the fields, and stays open over a bad one.
TEST_F(ModalRun, HowADialogEnds)
{
    // The row's name, the template, a failing step, field A's text, the action, the result (0: still open).
    using Row = std::tuple<const char*, int, void (*)(CFormExchange&), const char*, DialogAction, int, Texts>;
    const std::vector<Row> rows = {
        {"no template", 9999, nullptr, "", ClickOn(IDCANCEL), -1, {}},
        {"loading fails", IDD_FIELDS, CFieldsDlg::Unknown, "", ClickOn(IDCANCEL), -1, {"Internal application error."}},
        {"OK, valid", IDD_FIELDS, nullptr, "1", ClickOn(IDOK), IDOK, {}},
        {"keypad Enter in a field", IDD_FIELDS, nullptr, "x", KeyIn(IDC_C, Qt::Key_Enter), 0, {kNumber}},
        {"Escape", IDD_FIELDS, nullptr, "x", KeyIn(IDC_B, Qt::Key_Escape), IDCANCEL, {}},
        {"close box", IDD_FIELDS, nullptr, "x", CloseBox(), IDCANCEL, {}},
        {"Enter on Cancel", IDD_FIELDS, nullptr, "x", KeyIn(IDCANCEL, Qt::Key_Return), IDCANCEL, {}},
    };
    for (const auto& [pszName, nTemplateId, pAfterA, pszFieldA, action, nExpected, prompts] : rows) {
        SCOPED_TRACE(pszName);
        CFieldsDlg dialog(nTemplateId);
        dialog.m_pAfterA = pAfterA;
        bool bStillOpen = false;
        const int nResult = RunDriven(m_seam, dialog, [&](HWND hDlg) {
            SetText(hDlg, IDC_A, pszFieldA);
            action(hDlg);
            bStillOpen = platform::IsInModalLoop(hDlg);
            if (bStillOpen)
                dialog.EndModal(IDCANCEL);
        });
        EXPECT_EQ(bStillOpen, nExpected == 0);
        EXPECT_EQ(nResult, nExpected == 0 ? IDCANCEL : nExpected);
        EXPECT_EQ(TakeMessages(m_seam), prompts);
    }
}

// Focus starts on the first tab stop and Tab follows the template. A dialog started while another runs over the
// main window belongs to the one in front and is centred over it; its owner takes no click meanwhile. A prompt of
// the owner's pass belongs to the dialog in front and may run a pass on it: each pass locks out only its own
// window's notifications and restores the lock-out it found.
TEST_F(ModalRun, TabOrderAndNestedDialogs)
{
    CFieldsDlg owner, nested, third;
    GetApp()->m_pMainWnd = &owner;
    bool bFirst = true;
    m_seam.SetMessageBoxHandler([&](const CBoxRecord& record) {
        EXPECT_EQ(record.hOwner, nested.m_hWnd);
        if (std::exchange(bFirst, false)) {
            SetText(nested.m_hWnd, IDC_C, "7");
            EXPECT_FALSE(nested.ExchangeData(true));
            SetText(owner.m_hWnd, IDC_C, "7");
        }
        return IDOK;
    });
    std::vector<int> tabOrder;
    RunDriven(m_seam, owner, [&](HWND hOwner) {
        for (int i = 0; i < 6; ++i) {
            tabOrder.push_back(platform::GetDlgCtrlID(platform::GetFocus()));
            PressKey(platform::GetFocus(), Qt::Key_Tab);
        }
        DriveDialogs(m_seam, [&](HWND hNested) {
            EXPECT_EQ(platform::GetLastActivePopup(hOwner), hNested);
            Click(hOwner, IDCANCEL);
            SetText(hOwner, IDC_A, "bad");
            SetText(hNested, IDC_B, "bad");
            owner.m_nChanges = nested.m_nChanges = 0;
            EXPECT_FALSE(owner.ExchangeData(true));
            EXPECT_EQ(std::pair(nested.m_nChanges, owner.m_nChanges), std::pair(1, 0));
            DriveDialogs(m_seam, [&](HWND hThird) {
                EXPECT_EQ(platform::GetWindowOwner(hThird), hNested);
                third.EndModal(IDOK);
            });
            third.RunModal();
            nested.EndModal(IDOK);
        });
        EXPECT_EQ(nested.RunModal(), IDOK);
        EXPECT_TRUE(platform::IsInModalLoop(hOwner)) << "the owner took a click while a dialog ran over it";
        Click(hOwner, IDCANCEL);
    });
    GetApp()->m_pMainWnd = nullptr;
    EXPECT_EQ(tabOrder, (std::vector<int>{IDC_A, IDC_B, IDC_C, IDOK, IDCANCEL, IDC_A}));
    EXPECT_EQ(TakeMessages(m_seam), (Texts{kNumber, kNumber}));
}

// The caption of every prompt, from a program path of any system.
TEST(AppName, IsTheProgramFileWithoutDirectoryAndExtension)
{
    const std::vector<std::pair<std::string, std::string>> rows = {{"C:\\Tools\\ratiograph.EXE", "ratiograph"},
                                                                   {"D:my.gear.calc", "my.gear"},
                                                                   {"/opt/v1.2/ratiograph", "ratiograph"},
                                                                   {"ratiograph", "ratiograph"}};
    for (const auto& [strPath, strName] : rows)
        EXPECT_EQ(AppNameFromModulePath(strPath), strName) << strPath;
}

} // namespace
