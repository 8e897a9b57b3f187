#include "ui/templates.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/dialogtemplate.h"
#include "tests/support/uitest.h"
#include "ui/exchange/dialog.h"
#include "ui/infodialogs.h"
#include "ui/resource.h"

namespace {

class Templates : public UiTest, public ::testing::WithParamInterface<int>
{
protected:
    void SetUp() override { RegisterProgramResources(); }
};

// Where a control's text is drawn: a label's wrapped text, or the whole of an edit or a button.
QRect InkRect(const QWidget* pWidget)
{
    if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget); pLabel != nullptr && !pLabel->text().isEmpty()) {
        const QRect area = pLabel->contentsRect();
        const QRect text =
            pLabel->fontMetrics().boundingRect(area, int(pLabel->alignment()) | Qt::TextWordWrap, pLabel->text());
        return text.translated(pLabel->pos());
    }
    return pWidget->geometry();
}

// A user must be able to read every text whole, at the desktop's font, and no two controls may draw over each
// other.
TEST_P(Templates, TextsFitAndControlsDoNotOverlap)
{
    CDialog dialog(GetParam());
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        QWidget* pWindow = WidgetFor(hDlg);
        const QList<QWidget*> controls = pWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* pControl : controls) {
            EXPECT_TRUE(pWindow->rect().contains(pControl->geometry())) << "outside the dialog";
            if (const auto* pLabel = qobject_cast<const QLabel*>(pControl);
                pLabel != nullptr && pLabel->pixmap().isNull()) {
                const QRect area = pLabel->contentsRect();
                const QRect need = pLabel->fontMetrics().boundingRect(area, int(pLabel->alignment()) | Qt::TextWordWrap,
                                                                      pLabel->text());
                EXPECT_LE(need.height(), area.height()) << "clipped label: " << pLabel->text().toStdString();
                EXPECT_LE(need.width(), area.width()) << "clipped label: " << pLabel->text().toStdString();
            }
            if (const auto* pButton = qobject_cast<const QPushButton*>(pControl)) {
                const int nText = pButton->fontMetrics().horizontalAdvance(pButton->text());
                EXPECT_LE(nText + 4, pButton->width()) << "clipped button: " << pButton->text().toStdString();
                EXPECT_LE(pButton->fontMetrics().height(), pButton->height());
            }
            if (const auto* pEdit = qobject_cast<const QLineEdit*>(pControl)) {
                EXPECT_LE(pEdit->fontMetrics().height() + 2, pEdit->height()) << "edit too low for its font";
            }
        }
        for (qsizetype i = 0; i < controls.size(); ++i) {
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                EXPECT_FALSE(InkRect(controls[i]).intersects(InkRect(controls[j])))
                    << "controls " << i << " and " << j << " overlap";
            }
        }
        dialog.EndModal(IDCANCEL);
    });
}

INSTANTIATE_TEST_SUITE_P(Dialogs, Templates,
                         ::testing::Values(IDD_GEARCALC_DIALOG, IDD_EXPLAIN, IDD_NOTICE, IDD_TIRE_DIAMETER));

TEST_F(Templates, TabStopsAreTheInputsAndButtonsInTemplateOrder)
{
    const DialogTemplate* pTemplate = FindDialogTemplate(IDD_GEARCALC_DIALOG);
    ASSERT_NE(pTemplate, nullptr);
    for (const ControlTemplate& control : pTemplate->controls) {
        const bool bInteractive = control.kind == ControlKind::Edit || control.kind == ControlKind::PushButton;
        EXPECT_EQ((control.nStyle & CS_TABSTOP) != 0, bInteractive) << control.text;
    }
}

using InfoDialogs = UiTest;

// The notice and the explanation end however the user closes them; the caller ignores how.
TEST_F(InfoDialogs, CloseWithOkEnterEscapeOrTheCloseBox)
{
    RegisterProgramResources();
    struct Row
    {
        int nTemplateId;
        std::function<void(HWND)> close;
        int nExpected;
    };
    const std::vector<Row> rows = {
        {IDD_NOTICE, [](HWND hDlg) { Click(GetDlgItem(hDlg, IDOK)); }, IDOK},
        {IDD_NOTICE, [](HWND) { PressKey(GetFocus(), Qt::Key_Return); }, IDOK},
        {IDD_NOTICE, [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDOK), Qt::Key_Escape); }, IDCANCEL},
        {IDD_EXPLAIN, [](HWND hDlg) { Click(GetDlgItem(hDlg, IDOK)); }, IDOK},
        {IDD_EXPLAIN, [](HWND hDlg) { PressKey(GetDlgItem(hDlg, IDOK), Qt::Key_Escape); }, IDCANCEL},
        {IDD_EXPLAIN, [](HWND hDlg) { WidgetFor(hDlg)->close(); }, IDCANCEL},
    };
    for (const Row& row : rows) {
        CDialog dialog(row.nTemplateId);
        EXPECT_EQ(RunDriven(m_seam, dialog,
                            [&](HWND hDlg) {
                                EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDOK));
                                row.close(hDlg);
                            }),
                  row.nExpected)
            << row.nTemplateId;
    }
    EXPECT_TRUE(m_seam.Records().empty());
}

TEST_F(InfoDialogs, NoticeShowsTheIconAndTheVersion)
{
    RegisterProgramResources();
    CDialog notice(IDD_NOTICE);
    RunDriven(m_seam, notice, [&](HWND hDlg) {
        QStringList texts;
        bool bIcon = false;
        for (const QLabel* pLabel : WidgetFor(hDlg)->findChildren<QLabel*>()) {
            texts << pLabel->text();
            bIcon = bIcon || (!pLabel->pixmap().isNull() && pLabel->pixmap().width() == 32);
        }
        EXPECT_TRUE(bIcon);
        EXPECT_TRUE(texts.contains(QStringLiteral("Corvane Ratiograph")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Version 2.0   Created 1/19/2000")));
        EXPECT_TRUE(texts.contains(QStringLiteral("Freeware.   Please distribute!")));
        notice.EndModal(IDOK);
    });
}

} // namespace
