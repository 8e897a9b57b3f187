#include "ui/templates.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

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

// Where a control draws, in the dialog: a label's wrapped text, or the whole of any other control.
QRect InkRect(const QWidget* pWidget)
{
    const auto* pLabel = qobject_cast<const QLabel*>(pWidget);
    if (pLabel == nullptr || pLabel->text().isEmpty())
        return pWidget->geometry();
    const int nFlags = int(pLabel->alignment()) | Qt::TextWordWrap | Qt::TextShowMnemonic;
    return pLabel->fontMetrics().boundingRect(pLabel->contentsRect(), nFlags, pLabel->text()).translated(pLabel->pos());
}

// A user must be able to read every text whole, at the desktop's font, and no two controls may draw over each
// other.
TEST_P(Templates, TextsFitAndControlsDoNotOverlap)
{
    CDialog dialog(GetParam());
    RunDriven(m_seam, dialog, [&](HWND hDlg) {
        QWidget* pWindow = platform::WidgetOf(hDlg);
        const QList<QWidget*> controls = pWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const QWidget* pControl = controls[i];
            const std::string strText = pControl->property("text").toString().toStdString();
            EXPECT_TRUE(pWindow->rect().contains(pControl->geometry())) << "outside the dialog: " << strText;
            if (const auto* pLabel = qobject_cast<const QLabel*>(pControl); pLabel && !pLabel->text().isEmpty()) {
                EXPECT_TRUE(pLabel->contentsRect().translated(pLabel->pos()).contains(InkRect(pLabel)))
                    << "clipped label: " << strText;
            }
            if (const auto* pButton = qobject_cast<const QPushButton*>(pControl)) {
                EXPECT_LE(pButton->fontMetrics().horizontalAdvance(pButton->text().remove(u'&')) + 4, pButton->width())
                    << strText;
                EXPECT_LE(pButton->fontMetrics().height(), pButton->height()) << strText;
            }
            if (qobject_cast<const QLineEdit*>(pControl) != nullptr) {
                EXPECT_LE(pControl->fontMetrics().height() + 2, pControl->height()) << "edit too low for its font";
            }
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(InkRect(pControl).intersects(InkRect(controls[j]))) << "controls " << i << ", " << j;
        }
        dialog.EndModal(IDCANCEL);
    });
}

INSTANTIATE_TEST_SUITE_P(Dialogs, Templates,
                         ::testing::Values(IDD_GEARCALC_DIALOG, IDD_EXPLAIN, IDD_NOTICE, IDD_TIRE_DIAMETER,
                                           IDD_CHART_SIZE));

// The notice and the explanation start with the focus on OK and end however the user closes them. The notice
// shows the icon, the program's name and its version.
TEST_F(Templates, InfoDialogsCloseWithOkEnterEscapeOrTheCloseBox)
{
    const std::vector<std::tuple<int, DialogAction, int>> rows = {
        {IDD_NOTICE, ClickOn(IDOK), IDOK},
        {IDD_NOTICE, KeyIn(IDOK, Qt::Key_Return), IDOK},
        {IDD_EXPLAIN, KeyIn(IDOK, Qt::Key_Escape), IDCANCEL},
        {IDD_EXPLAIN, CloseBox(), IDCANCEL},
    };
    for (const auto& [nTemplateId, close, nExpected] : rows) {
        SCOPED_TRACE(nTemplateId);
        CDialog dialog(nTemplateId);
        QStringList texts;
        bool bIcon = false;
        const int nResult = RunDriven(m_seam, dialog, [&](HWND hDlg) {
            EXPECT_EQ(platform::GetFocus(), platform::GetDlgItem(hDlg, IDOK));
            for (const QLabel* pLabel : platform::WidgetOf(hDlg)->findChildren<QLabel*>()) {
                texts << pLabel->text();
                // 32 by 32 device-independent pixels, with every pixel of the screen drawn.
                const QPixmap icon = pLabel->pixmap();
                bIcon = bIcon || (icon.deviceIndependentSize() == QSizeF(32, 32) &&
                                  icon.width() == qRound(32 * pLabel->devicePixelRatio()));
            }
            close(hDlg);
        });
        EXPECT_EQ(nResult, nExpected);
        if (nTemplateId == IDD_NOTICE) {
            EXPECT_TRUE(bIcon);
            for (const char* pszText :
                 {"Corvane Ratiograph", "Version 2.0   Created 1/19/2000", "Freeware.   Please distribute!"})
                EXPECT_TRUE(texts.contains(QString::fromUtf8(pszText))) << pszText;
        }
    }
    EXPECT_TRUE(m_seam.Records().empty());
}

} // namespace
