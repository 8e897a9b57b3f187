#include "ui/templates.h"

#include <cstdlib>
#include <set>
#include <sstream>

#include <QAccessible>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "tests/support/snapshot.h"
#include "tests/ui/calculator.h"

namespace {

class Templates : public CalculatorTest, public ::testing::WithParamInterface<int>
{};

// Where a control draws: a label's wrapped text, or the whole of any other control.
QRect InkRect(const QWidget* pWidget)
{
    const auto* pLabel = qobject_cast<const QLabel*>(pWidget);
    if (pLabel == nullptr || pLabel->text().isEmpty())
        return pWidget->geometry();
    const int nFlags = int(pLabel->alignment()) | Qt::TextWordWrap | Qt::TextShowMnemonic;
    return pLabel->fontMetrics().boundingRect(pLabel->contentsRect(), nFlags, pLabel->text()).translated(pLabel->pos());
}

// Every text readable whole, no control drawing over another, all inside the dialog.
void ExpectLaidOut(QWidget* pWindow)
{
    QList<QWidget*> controls = pWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls.removeIf([](const QWidget* pControl) { return pControl->isHidden(); });
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget* pControl = controls[i];
        const std::string strText = platform::GetWindowText(platform::HandleOf(pControl));
        EXPECT_TRUE(pWindow->rect().contains(pControl->geometry())) << "outside the dialog: " << strText;
        if (const auto* pLabel = qobject_cast<const QLabel*>(pControl); pLabel && !pLabel->text().isEmpty()) {
            EXPECT_TRUE(pLabel->contentsRect().translated(pLabel->pos()).contains(InkRect(pLabel))) << strText;
        }
        if (qobject_cast<const QPushButton*>(pControl) != nullptr) {
            EXPECT_LE(pControl->fontMetrics().horizontalAdvance(QString::fromStdString(strText)) + 4, pControl->width())
                << strText;
        }
        if (qobject_cast<const QPushButton*>(pControl) || qobject_cast<const QLineEdit*>(pControl)) {
            EXPECT_LE(pControl->fontMetrics().height(), pControl->height()) << strText;
        }
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(InkRect(pControl).intersects(InkRect(controls[j]))) << strText << " and " << j;
    }
}

// At 8 to 20 points and 96 to 192 DPI on a 1366x768 screen, every dialog fits, reads whole and keeps its shape.
TEST_P(Templates, FitEveryFontAndScreen)
{
    const QFont defaultFont = QApplication::font();
    const auto layOut = [&](auto&& check) {
        HWND hDlg = platform::CreateDialogWindow(*FindDialogTemplate(GetParam()), nullptr, nullptr);
        QWidget* pWindow = platform::WidgetOf(hDlg);
        check(pWindow, false);
        if (GetParam() == IDD_GEARCALC_DIALOG) {
            platform::ShowDialogExtension(hDlg, true);
            check(pWindow, true);
        }
        platform::DestroyWindow(hDlg);
    };
    // A dialog unit is a quarter character wide and an eighth line high: the template's proportion within 6 %.
    const DialogTemplate& dialogTemplate = *FindDialogTemplate(GetParam());
    std::vector<double> aspects;
    layOut([&](QWidget* pWindow, bool bExtended) {
        aspects.push_back(double(pWindow->width()) / pWindow->height());
        const double units = double(bExtended ? dialogTemplate.cxExtended : dialogTemplate.cx) / dialogTemplate.cy;
        EXPECT_NEAR(aspects.back(), units, units * 0.06);
    });
    int nWidthAt8 = 0;
    for (int nDpi : {96, 144, 192}) {
        const double ratio = nDpi / 96.0;
        const QSize screen(qRound(1366 / ratio), qRound(768 / ratio));
        platform::SetScreenForTesting(platform::TestScreen{screen, ratio});
        for (int nPoints = 8; nPoints <= 20; nPoints += 3) {
            SCOPED_TRACE(std::to_string(nPoints) + " pt at " + std::to_string(nDpi) + " dpi");
            QFont font = defaultFont;
            font.setPointSize(nPoints);
            QApplication::setFont(font);
            layOut([&](QWidget* pWindow, bool bExtended) {
                ExpectLaidOut(pWindow);
                EXPECT_LE(pWindow->width(), screen.width());
                EXPECT_LE(pWindow->height(), screen.height());
                EXPECT_NEAR(double(pWindow->width()) / pWindow->height(), aspects[bExtended],
                            aspects[bExtended] * 0.05);
                EXPECT_GE(pWindow->font().pointSizeF() * ratio, 8.0) << "legible";
                // Laid out in dialog units, a dialog grows with its font where the screen leaves room.
                if (nDpi == 96 && !bExtended && nPoints == 8)
                    nWidthAt8 = pWindow->width();
                EXPECT_TRUE(nDpi != 96 || bExtended || nPoints != 11 ||
                            std::abs(double(pWindow->width()) / nWidthAt8 - 11.0 / 8) < 0.1);
            });
        }
    }
    QApplication::setFont(defaultFont);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, Templates,
                         ::testing::Values(IDD_GEARCALC_DIALOG, IDD_EXPLAIN, IDD_NOTICE, IDD_TIRE_DIAMETER,
                                           IDD_CHART_SIZE));

// What a user and a screen reader meet in every dialog, as laid out: each control in the order it was made, with its
// kind, text, name, role, place and size in dialog units, its states and the field a label's access key leads to.
// Users and saved habits rely on every line of it: a change is deliberate, made by running this test with
// RATIOGRAPH_UPDATE_SNAPSHOT=1 and reading the difference. Whatever it holds, in one dialog no two controls Tab
// reaches share a name and no two share an access key.
TEST_F(CalculatorTest, DialogsAsSnapshotted)
{
    std::ostringstream out;
    for (const int nTemplateId : {IDD_GEARCALC_DIALOG, IDD_TIRE_DIAMETER, IDD_NOTICE, IDD_EXPLAIN, IDD_CHART_SIZE}) {
        const DialogTemplate& dialogTemplate = *FindDialogTemplate(nTemplateId);
        HWND hDlg = platform::CreateDialogWindow(dialogTemplate, nullptr, nullptr);
        platform::ShowDialogExtension(hDlg, true);
        const QWidget* pWindow = platform::WidgetOf(hDlg);
        const int cx = dialogTemplate.cxExtended != 0 ? dialogTemplate.cxExtended : dialogTemplate.cx;
        const double unitX = double(pWindow->width()) / cx, unitY = double(pWindow->height()) / dialogTemplate.cy;
        const auto name = [](const QWidget* pWidget) {
            return QAccessible::queryAccessibleInterface(const_cast<QWidget*>(pWidget))->text(QAccessible::Name);
        };
        out << "dialog " << nTemplateId << " \"" << pWindow->windowTitle().toStdString() << "\" \""
            << name(pWindow).toStdString() << "\" " << cx << 'x' << dialogTemplate.cy << '\n';
        std::set<QString> keys, names;
        for (const QWidget* pControl : pWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect r = pControl->geometry();
            const auto* pButton = qobject_cast<const QPushButton*>(pControl);
            const auto* pLabel = qobject_cast<const QLabel*>(pControl);
            const auto* pEdit = qobject_cast<const QLineEdit*>(pControl);
            const QString text = pButton ? pButton->text() : pLabel ? pLabel->text() : QString(); // access keys too
            const QAccessibleInterface* pAccessible =
                QAccessible::queryAccessibleInterface(const_cast<QWidget*>(pControl));
            out << "  " << pControl->metaObject()->className() << " \"" << text.toStdString() << "\" \""
                << name(pControl).toStdString() << "\" " << pAccessible->role() << ' ' << qRound(r.x() / unitX) << ','
                << qRound(r.y() / unitY);
            if (pLabel == nullptr || pLabel->pixmap().isNull()) // an icon is as many pixels as it has, at any font
                out << ',' << qRound(r.width() / unitX) << ',' << qRound(r.height() / unitY);
            out << ((pControl->focusPolicy() & Qt::TabFocus) ? " tab" : "")
                << (pButton && pButton->isDefault() ? " default" : "")
                << (pButton && pButton->isCheckable() ? " toggle" : "") << (pControl->isEnabled() ? "" : " disabled")
                << (pEdit && pEdit->isReadOnly() ? " read-only" : "")
                << (pEdit && pEdit->palette().color(QPalette::Base) == pEdit->palette().color(QPalette::Window)
                        ? " on the dialog's background"
                        : "")
                << (pLabel && pLabel->buddy() ? " for \"" + name(pLabel->buddy()).toStdString() + '"' : "") << '\n';
            const QString key = QKeySequence::mnemonic(text).toString();
            EXPECT_TRUE(key.isEmpty() || keys.insert(key).second) << "twice: " << text.toStdString();
            EXPECT_TRUE(!(pControl->focusPolicy() & Qt::TabFocus) || names.insert(name(pControl)).second)
                << "twice: " << name(pControl).toStdString();
        }
        platform::DestroyWindow(hDlg);
    }
    ExpectSnapshot(out.str(), RATIOGRAPH_SNAPSHOT);
}

} // namespace
