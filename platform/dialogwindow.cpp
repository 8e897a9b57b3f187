#include "platform/dialogwindow.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QWindow>

#include "platform/iconengine.h"
#include "platform/modalseam.h"
#include "platform/plotwidget.h"
#include "platform/qtext.h"
#include "platform/widgetaccess.h"

Q_DECLARE_OPAQUE_POINTER(CWindowHandle*)
Q_DECLARE_METATYPE(CWindowHandle*)

namespace {

// Every widget the platform makes carries its handle under this property; HandleOf is the only reader.
constexpr char kHandleProperty[] = "ratiograph.handle";

std::optional<platform::TestScreen> g_testScreen;
// The frame of the last captioned window the window manager framed: the best guess for the next one's, until its
// own is known.
QMargins g_captionFrame;

// The text as the desktop shows it: without the '&' that marks its access key.
// A loop rather than a regular expression: this runs for every label before the first window, where compiling one
// costs more than the whole layout.
QString VisibleText(const QString& text)
{
    QString visible;
    visible.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&')
            visible += text[i];
        else if (i + 1 < text.size() && text[i + 1] == u'&')
            visible += text[++i];
    }
    return visible;
}

// Dialog units: a quarter of the font's average character width and an eighth of its line height, grown where a
// text of the template needs more room (the templates were sized for a narrower font): the horizontal unit for
// a text too wide, the vertical one for a text too high, each by the share it lacks. The unit that falls behind
// grows too, so that the two keep the proportion of a common sans-serif font within 2%: a dialog keeps its shape
// at any font and size, even where pixels round a small font's widths differently.
class CDialogUnits
{
public:
    CDialogUnits(const DialogTemplate& dialogTemplate, const QFont& font) : m_metrics(font), m_metricsF(font)
    {
        constexpr double kAspect = 0.5; // average character width over line height
        constexpr double kSlack = 1.02;
        m_cx =
            m_metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
        m_cy = m_metrics.height();
        // Rounding to whole pixels can leave a text a pixel short after a growth; a few passes settle it.
        for (int nPass = 0; nPass < 12; ++nPass) {
            m_cy = std::max(m_cy, m_cx / (kAspect * kSlack));
            m_cx = std::max(m_cx, m_cy * kAspect / kSlack);
            const auto [growX, growY] = GrowthNeeded(dialogTemplate);
            if (growX <= 1 && growY <= 1)
                break;
            m_cx *= growX;
            m_cy *= growY;
        }
    }

    int X(int nUnits) const { return qRound(nUnits * m_cx / 4.0); }
    int Y(int nUnits) const { return qRound(nUnits * m_cy / 8.0); }
    QRect Rect(const ControlTemplate& control) const
    {
        return {X(control.x), Y(control.y), X(control.x + control.cx) - X(control.x),
                Y(control.y + control.cy) - Y(control.y)};
    }
    QSize Size(int cx, int cy) const { return {X(cx), Y(cy)}; }

private:
    std::pair<double, double> GrowthNeeded(const DialogTemplate& dialogTemplate) const
    {
        constexpr int kButtonMargin = 8; // a button's frame and padding, both sides
        constexpr int kEditFrame = 2;
        constexpr double kStep = 1.001; // past the exact share, so that rounding cannot stop just short
        double growX = 1, growY = 1;
        const auto need = [&](double& grow, double needed, int have) {
            if (needed > have)
                grow = std::max(grow, needed / std::max(have, 1) * kStep);
        };
        for (const ControlTemplate& control : dialogTemplate.controls) {
            const QRect rect = Rect(control);
            const QString text = ToQString(control.text);
            if (control.kind == ControlKind::PushButton) {
                need(growX, m_metrics.horizontalAdvance(VisibleText(text)) + kButtonMargin, rect.width());
                need(growY, m_metrics.height(), rect.height());
            } else if (control.kind == ControlKind::Edit) {
                need(growY, m_metrics.height() + kEditFrame, rect.height());
            } else if (control.kind == ControlKind::Label && !text.isEmpty()) {
                const int nFlags = Qt::TextWordWrap | Qt::TextShowMnemonic;
                const QRect wrapped = m_metrics.boundingRect(QRect(0, 0, rect.width(), 100000), nFlags, text);
                if (rect.height() < 2 * m_metrics.lineSpacing()) {
                    // Room for one line: the text must not wrap. Line breaking measures in fractions of a pixel,
                    // which a whole-pixel advance can fall short of by one.
                    if (wrapped.height() > m_metrics.height())
                        need(growX, std::ceil(m_metricsF.horizontalAdvance(VisibleText(text))) + 1, rect.width());
                    need(growY, m_metrics.height(), rect.height());
                } else {
                    need(growX, wrapped.width(), rect.width()); // a word wider than the label
                    need(growY, wrapped.height(), rect.height());
                }
            }
        }
        return {growX, growY};
    }

    QFontMetrics m_metrics;
    QFontMetricsF m_metricsF;
    double m_cx;
    double m_cy;
};

// The screen a dialog goes on: its owner's, or the primary one.
platform::TestScreen ScreenFor(const QWidget* pOwner)
{
    if (g_testScreen)
        return *g_testScreen;
    const QScreen* pScreen = pOwner != nullptr ? pOwner->screen() : QGuiApplication::primaryScreen();
    if (pScreen == nullptr)
        return {QSize(1024, 768), 1.0};
    return {pScreen->availableGeometry().size(), pScreen->devicePixelRatio()};
}

// The desktop's font, made smaller while the dialog would not fit the screen, down to 11 device pixels, the
// least that stays legible.
QFont DialogFont(const DialogTemplate& dialogTemplate, int cx, const QWidget* pOwner)
{
    constexpr QSize kFrameAllowance(16, 48); // the window manager's title bar and borders
    const platform::TestScreen screen = ScreenFor(pOwner);
    const QSize available = screen.availableArea - kFrameAllowance;
    // Qt draws fonts at 96 logical dots per inch and scales everything by the device pixel ratio.
    const double floorPoints = 11.0 / screen.devicePixelRatio * 72.0 / 96.0;

    QFont font = QApplication::font();
    for (int nPass = 0; nPass < 8; ++nPass) {
        const QSize size = CDialogUnits(dialogTemplate, font).Size(cx, dialogTemplate.cy);
        const double share =
            std::min(double(available.width()) / size.width(), double(available.height()) / size.height());
        if (share >= 1 || font.pointSizeF() <= floorPoints)
            break;
        font.setPointSizeF(std::max(floorPoints, font.pointSizeF() * share * 0.98));
    }
    return font;
}

// The style of the edits: the application's, but the panel of an edit (its frame and background, a rounded and
// antialiased path in most styles, the dearest part of its repaint) is drawn once per size, state and palette
// and then copied, so that a keystroke that rewrites many displays stays cheap.
class CEditStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget) const override
    {
        const auto* pFrame = qstyleoption_cast<const QStyleOptionFrame*>(pOption);
        if (element != PE_PanelLineEdit || pFrame == nullptr) {
            QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
            return;
        }
        const PanelKey key{pFrame->rect.width(), pFrame->rect.height(),      int(pFrame->state),
                           pFrame->lineWidth,    pFrame->palette.cacheKey(), pPainter->device()->devicePixelRatioF()};
        auto it = m_panels.find(key);
        if (it == m_panels.end()) {
            // Each palette (a theme change brings new ones) has its own panels: a full cache starts again.
            if (m_panels.size() >= 256)
                m_panels.clear();
            QPixmap panel(pFrame->rect.size() * key.ratio);
            panel.setDevicePixelRatio(key.ratio);
            panel.fill(Qt::transparent);
            QStyleOptionFrame atOrigin = *pFrame;
            atOrigin.rect.moveTopLeft({0, 0});
            QPainter panelPainter(&panel);
            QProxyStyle::drawPrimitive(element, &atOrigin, &panelPainter, pWidget);
            panelPainter.end();
            it = m_panels.emplace(key, std::move(panel)).first;
        }
        const QPixmap& panel = it->second;
        pPainter->drawPixmap(pFrame->rect.topLeft(), panel);
    }

private:
    struct PanelKey
    {
        int nWidth, nHeight, nState, nLineWidth;
        qint64 palette;
        qreal ratio;
        auto operator<=>(const PanelKey&) const = default;
    };
    // Looked up at every repaint of every edit, so the key is plain numbers, not a formatted string.
    mutable std::map<PanelKey, QPixmap> m_panels;
};

// An edit that leaves Alt and a letter to the dialog's access keys; a plain QLineEdit would type the letter when
// no access key uses it.
class CEditControl final : public QLineEdit
{
public:
    CEditControl(const QString& text, QWidget* pParent) : QLineEdit(text, pParent)
    {
        static CEditStyle* pStyle = new CEditStyle(QApplication::style()->name());
        setStyle(pStyle);
    }

protected:
    void keyPressEvent(QKeyEvent* pEvent) override
    {
        if ((pEvent->modifiers() & Qt::AltModifier) && !(pEvent->modifiers() & Qt::ControlModifier)) {
            pEvent->ignore();
            return;
        }
        QLineEdit::keyPressEvent(pEvent);
    }
};

// One icon for every size: Qt's own engines keep either several PNGs or one SVG, not both.
QIcon LoadIcon(int nIconId)
{
    const IconResource* pIcon = FindIconResource(nIconId);
    return pIcon != nullptr ? QIcon(new CResourceIconEngine(*pIcon)) : QIcon();
}

CDialogWindow* DialogOf(HWND hWnd)
{
    return hWnd != nullptr ? hWnd->m_pDialog : nullptr;
}

} // namespace

CDialogWindow::CDialogWindow(const DialogTemplate& dialogTemplate, HWND hOwner, CWindowSink* pSink)
    : QDialog(platform::WidgetOf(hOwner)), m_template(dialogTemplate), m_hOwner(hOwner), m_pSink(pSink)
{
    m_handle.m_pWidget = this;
    m_handle.m_pDialog = this;
    setProperty(kHandleProperty, QVariant::fromValue(&m_handle));

    Qt::WindowFlags flags = (dialogTemplate.nStyle & DS_APPWINDOW) ? Qt::Window : Qt::Dialog;
    if (dialogTemplate.nStyle & DS_CAPTION) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (dialogTemplate.nStyle & DS_APPWINDOW)
            flags |= Qt::WindowMinimizeButtonHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    setWindowFlags(flags);
    // An empty title would make the window system show the program's name instead of an empty caption.
    setWindowTitle(dialogTemplate.caption.empty() ? QStringLiteral(" ") : ToQString(dialogTemplate.caption));
    if (!dialogTemplate.accessibleName.empty())
        setAccessibleName(ToQString(dialogTemplate.accessibleName));

    QWidget* pPreviousTabStop = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        auto pHandle = std::make_unique<CWindowHandle>();
        pHandle->m_pDialog = this;
        pHandle->m_pControl = &control;
        QWidget* pWidget = CreateControl(control, pHandle.get());
        pHandle->m_pWidget = pWidget;
        pWidget->setProperty(kHandleProperty, QVariant::fromValue(pHandle.get()));
        if (control.nStyle & CS_TABSTOP) {
            if (pPreviousTabStop != nullptr)
                QWidget::setTabOrder(pPreviousTabStop, pWidget);
            pPreviousTabStop = pWidget;
        }
        if (control.nId != -1)
            m_controlsById.emplace(control.nId, pHandle.get());
        m_controls.push_back(std::move(pHandle));
    }
    for (const auto& pControl : m_controls) {
        auto* pLabel = qobject_cast<QLabel*>(pControl->m_pWidget.data());
        if (pLabel != nullptr && pControl->m_pControl->nBuddyId != 0)
            pLabel->setBuddy(platform::WidgetOf(FindControl(pControl->m_pControl->nBuddyId)));
    }
    for (const Accelerator& accelerator : dialogTemplate.accelerators) {
        const int nCommand = accelerator.nCommand;
        connect(new QShortcut(QKeySequence(ToQString(accelerator.keys)), this), &QShortcut::activated, this,
                [this, nCommand] { Dispatch(nCommand, 0, nullptr); });
    }
    LayOut(false);
}

bool CDialogWindow::IsInExtension(const ControlTemplate& control) const
{
    return m_template.cxExtended > 0 && control.x >= m_template.cx;
}

void CDialogWindow::LayOut(bool bExtended)
{
    const int cx = bExtended ? m_template.cxExtended : m_template.cx;
    setFont(DialogFont(m_template, cx, parentWidget()));
    const CDialogUnits units(m_template, font());
    setFixedSize(units.Size(cx, m_template.cy));
    for (const auto& pControl : m_controls) {
        QRect rect = units.Rect(*pControl->m_pControl);
        if (pControl->m_pControl->kind == ControlKind::Icon)
            rect.setSize({32, 32}); // an icon control takes the icon's size
        pControl->m_pWidget->setGeometry(rect);
        if (IsInExtension(*pControl->m_pControl))
            pControl->m_pWidget->setVisible(bExtended);
    }
    m_bExtended = bExtended;
}

HWND CDialogWindow::FindControl(int nId) const
{
    const auto it = m_controlsById.find(nId);
    return it != m_controlsById.end() ? it->second : nullptr;
}

void CDialogWindow::Dispatch(int nId, int nCode, HWND hControl)
{
    if (m_pSink != nullptr)
        m_pSink->OnWindowCommand(nId, nCode, hControl);
}

void CDialogWindow::reject()
{
    if (isVisible())
        Dispatch(IDCANCEL, BN_CLICKED, nullptr);
}

QWidget* CDialogWindow::CreateControl(const ControlTemplate& control, CWindowHandle* pHandle)
{
    const Qt::FocusPolicy focus = (control.nStyle & CS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
    QWidget* pWidget = nullptr;
    switch (control.kind) {
    case ControlKind::Edit: {
        auto* pEdit = new CEditControl(ToQString(control.text), this);
        pEdit->setFocusPolicy(focus);
        if (control.nStyle & CS_READONLY) {
            pEdit->setReadOnly(true);
            // A display, not an input: drawn on the dialog's own background.
            QPalette palette = pEdit->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            pEdit->setPalette(palette);
            // Displays show numbers, N/A and short units, which fonts neither kern nor join: without the shaper,
            // rewriting one at a keystroke costs much less and draws the same pixels. Family and size still come
            // from the dialog.
            QFont font;
            font.setStyleStrategy(QFont::PreferNoShaping);
            pEdit->setFont(font);
        }
        connect(pEdit, &QLineEdit::textChanged, this,
                [this, pHandle] { Dispatch(pHandle->m_pControl->nId, EN_CHANGE, pHandle); });
        pWidget = pEdit;
        break;
    }
    case ControlKind::PushButton: {
        auto* pButton = new QPushButton(ToQString(control.text), this);
        pButton->setFocusPolicy(focus);
        // Enter on a focused button is that button's command; elsewhere it is the default button's (QDialog).
        pButton->setAutoDefault(true);
        pButton->setDefault((control.nStyle & CS_DEFAULT) != 0);
        pButton->setCheckable((control.nStyle & CS_TOGGLE) != 0);
        // A toggle reports each change of its state, however it came (a screen reader's toggle action and the
        // program set it without a click); a click reaches it only through that change.
        connect(pButton, pButton->isCheckable() ? &QPushButton::toggled : &QPushButton::clicked, this,
                [this, pHandle] { Dispatch(pHandle->m_pControl->nId, BN_CLICKED, pHandle); });
        pWidget = pButton;
        break;
    }
    case ControlKind::Label: {
        auto* pLabel = new QLabel(ToQString(control.text), this);
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setWordWrap(true);
        Qt::Alignment alignment = (control.nStyle & CS_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
        alignment |= (control.nStyle & CS_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop;
        pLabel->setAlignment(alignment);
        if (control.nStyle & CS_SUNKEN)
            pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pWidget = pLabel;
        break;
    }
    case ControlKind::Plot:
        pWidget = new CPlotWidget(this);
        pWidget->setFocusPolicy(Qt::NoFocus);
        break;
    case ControlKind::Icon: {
        auto* pLabel = new QLabel(this);
        // 32 by 32 device-independent pixels, from the picture made for the screen's pixels.
        pLabel->setPixmap(LoadIcon(control.nIconId).pixmap(QSize(32, 32), devicePixelRatio()));
        pWidget = pLabel;
        break;
    }
    }
    if (!control.accessibleName.empty())
        pWidget->setAccessibleName(ToQString(control.accessibleName));
    return pWidget;
}

QMargins CDialogWindow::FrameMargins() const
{
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    if (!(m_template.nStyle & DS_CAPTION))
        return frame;
    if (!frame.isNull())
        g_captionFrame = frame;
    return g_captionFrame;
}

void CDialogWindow::MoveTo(const QRect& geometry)
{
    // The window, frame and all, on the screen: its left and top edges (the title bar) where it cannot fit.
    const QMargins frame = FrameMargins();
    const QRect area = (parentWidget() != nullptr ? parentWidget() : this)->screen()->availableGeometry();
    QRect framed = geometry.marginsAdded(frame);
    framed.moveRight(std::min(framed.right(), area.right()));
    framed.moveBottom(std::min(framed.bottom(), area.bottom()));
    framed.moveLeft(std::max(framed.left(), area.left()));
    framed.moveTop(std::max(framed.top(), area.top()));
    m_placed = framed.marginsRemoved(frame).topLeft();
    // The window's own area, not the frame's corner, which Qt would take for where the frame goes.
    if (this->geometry().topLeft() != m_placed)
        setGeometry(QRect(m_placed, size()));
}

void CDialogWindow::Place()
{
    const QWidget* pOwner = parentWidget();
    const QWindow* pOwnerWindow = pOwner != nullptr ? pOwner->windowHandle() : nullptr;
    QRect framed(QPoint(), size().grownBy(FrameMargins()));
    if (pOwnerWindow != nullptr)
        framed.moveCenter(pOwnerWindow->frameGeometry().center());
    else
        framed.moveCenter(screen()->availableGeometry().center());
    MoveTo(framed.marginsRemoved(FrameMargins()));
}

void CDialogWindow::KeepOnScreen()
{
    if (isVisible())
        MoveTo(geometry());
}

void CDialogWindow::setVisible(bool bVisible)
{
    if (bVisible && !isVisible()) {
        m_bPlacing = true;
        m_bFramed = false;
        Place();
        create();
        windowHandle()->installEventFilter(this);
    }
    QDialog::setVisible(bVisible);
}

void CDialogWindow::moveEvent(QMoveEvent* pEvent)
{
    QDialog::moveEvent(pEvent);
    if (!m_bPlacing || !pEvent->spontaneous())
        return;
    // Once the window is framed and shown, only the user moves it elsewhere; before that, the window manager's
    // reparenting can leave Qt with a place the window never had, and placing it again corrects that.
    if (m_bFramed && geometry().topLeft() != m_placed)
        m_bPlacing = false;
    else
        Place();
}

bool CDialogWindow::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // The first exposure comes once the window manager has framed the window: its frame is known now.
    if (m_bPlacing && !m_bFramed && pWatched == windowHandle() && pEvent->type() == QEvent::Expose) {
        m_bFramed = true;
        Place();
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

void CDialogWindow::paintEvent(QPaintEvent* pEvent)
{
    QDialog::paintEvent(pEvent);
    if (m_template.nStyle & DS_THINBORDER) {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

namespace platform {

QWidget* WidgetOf(HWND hWnd)
{
    return hWnd != nullptr ? hWnd->m_pWidget.data() : nullptr;
}

HWND HandleOf(const QWidget* pWidget)
{
    return pWidget != nullptr ? pWidget->property(kHandleProperty).value<CWindowHandle*>() : nullptr;
}

void SetScreenForTesting(std::optional<TestScreen> screen)
{
    g_testScreen = screen;
}

HWND CreateDialogWindow(const DialogTemplate& dialogTemplate, HWND hOwner, CWindowSink* pSink)
{
    auto* pDialog = new CDialogWindow(dialogTemplate, hOwner, pSink);
    return &pDialog->m_handle;
}

void DestroyWindow(HWND hWnd)
{
    if (CDialogWindow* pDialog = DialogOf(hWnd); pDialog != nullptr && hWnd == &pDialog->m_handle)
        delete pDialog;
}

int GetDialogTemplateId(HWND hDlg)
{
    const CDialogWindow* pDialog = DialogOf(hDlg);
    return pDialog != nullptr ? pDialog->m_template.nId : 0;
}

HWND GetParentDialog(HWND hControl)
{
    CDialogWindow* pDialog = DialogOf(hControl);
    return pDialog != nullptr ? &pDialog->m_handle : nullptr;
}

HWND GetWindowOwner(HWND hWnd)
{
    const CDialogWindow* pDialog = DialogOf(hWnd);
    return pDialog != nullptr && hWnd == &pDialog->m_handle ? pDialog->m_hOwner : nullptr;
}

void RunModalLoop(HWND hDlg)
{
    CDialogWindow* pDialog = DialogOf(hDlg);
    if (pDialog == nullptr)
        return;
    if (CModalSeam* pSeam = CModalSeam::Current()) {
        QTimer::singleShot(0, pDialog, [pSeam, hDlg, pDialog] {
            pSeam->DriveModalLoop(hDlg);
            if (!pDialog->m_bInLoop)
                return;
            // A test must never leave a loop waiting for a person: Escape, and if that is refused, the end.
            pSeam->NoteLoopLeftOpen();
            pDialog->reject();
            if (pDialog->m_bInLoop)
                EndModalLoop(hDlg, IDCANCEL);
        });
    }
    pDialog->m_bInLoop = true;
    // QDialog blocks every other window of the program until done(); the dialog places itself when shown.
    pDialog->exec();
    pDialog->m_bInLoop = false;
}

void EndModalLoop(HWND hDlg, int nResult)
{
    if (CDialogWindow* pDialog = DialogOf(hDlg)) {
        pDialog->m_bInLoop = false;
        pDialog->done(nResult);
    }
}

bool IsInModalLoop(HWND hDlg)
{
    const CDialogWindow* pDialog = DialogOf(hDlg);
    return pDialog != nullptr && pDialog->m_bInLoop;
}

HWND GetLastActivePopup(HWND hWnd)
{
    HWND hFront = HandleOf(QApplication::activeModalWidget());
    for (HWND hOwner = GetWindowOwner(hFront); hOwner != nullptr; hOwner = GetWindowOwner(hOwner)) {
        if (hOwner == hWnd)
            return hFront;
    }
    return hWnd;
}

HWND GetDlgItem(HWND hDlg, int nId)
{
    const CDialogWindow* pDialog = DialogOf(hDlg);
    return pDialog != nullptr ? pDialog->FindControl(nId) : nullptr;
}

int GetDlgCtrlID(HWND hControl)
{
    return hControl != nullptr && hControl->m_pControl != nullptr ? hControl->m_pControl->nId : 0;
}

std::string GetWindowText(HWND hWnd, std::size_t nMaxChars)
{
    const QWidget* pWidget = WidgetOf(hWnd);
    QString text;
    if (const auto* pEdit = qobject_cast<const QLineEdit*>(pWidget))
        text = pEdit->text();
    else if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget))
        text = VisibleText(pButton->text());
    else if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget))
        text = VisibleText(pLabel->text());
    else if (pWidget != nullptr)
        text = pWidget->windowTitle();
    if (nMaxChars < static_cast<std::size_t>(text.size()))
        text.truncate(static_cast<qsizetype>(nMaxChars));
    return text.toStdString();
}

bool WindowTextEquals(HWND hWnd, std::string_view text, std::size_t nMaxChars)
{
    // For an edit, without making a copy of its text: the framework asks at every keystroke for every display.
    if (const auto* pEdit = qobject_cast<const QLineEdit*>(WidgetOf(hWnd)))
        return QStringView(pEdit->text()).left(static_cast<qsizetype>(std::min<std::size_t>(nMaxChars, INT_MAX))) ==
               ToQString(text);
    return GetWindowText(hWnd, nMaxChars) == text;
}

void SetWindowText(HWND hWnd, std::string_view text)
{
    QWidget* pWidget = WidgetOf(hWnd);
    const QString newText = ToQString(text);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
        const bool bSame = pEdit->text() == newText;
        pEdit->setText(newText);
        // The dialogs count on every write reporting a change, as a Windows edit control does; Qt reports only
        // real changes.
        if (bSame)
            hWnd->m_pDialog->Dispatch(GetDlgCtrlID(hWnd), EN_CHANGE, hWnd);
    } else if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget)) {
        pButton->setText(newText);
    } else if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
        pLabel->setText(newText);
    } else if (pWidget != nullptr) {
        pWidget->setWindowTitle(newText);
    }
}

void SetFocus(HWND hWnd)
{
    if (QWidget* pWidget = WidgetOf(hWnd))
        pWidget->setFocus(Qt::OtherFocusReason);
}

HWND GetFocus()
{
    return HandleOf(QApplication::focusWidget());
}

void SelectAllText(HWND hEdit)
{
    if (auto* pEdit = qobject_cast<QLineEdit*>(WidgetOf(hEdit)))
        pEdit->selectAll();
}

std::pair<int, int> GetTextSelection(HWND hEdit)
{
    const auto* pEdit = qobject_cast<const QLineEdit*>(WidgetOf(hEdit));
    if (pEdit == nullptr || !pEdit->hasSelectedText())
        return {0, 0};
    const auto nStart = static_cast<int>(pEdit->selectionStart());
    return {nStart, nStart + static_cast<int>(pEdit->selectedText().size())};
}

void SetWindowIcon(HWND hWnd, int nIconId)
{
    if (QWidget* pWidget = WidgetOf(hWnd))
        pWidget->setWindowIcon(LoadIcon(nIconId));
}

void ShowDialogExtension(HWND hDlg, bool bShow)
{
    CDialogWindow* pDialog = DialogOf(hDlg);
    if (pDialog == nullptr || pDialog->m_template.cxExtended == 0 || pDialog->m_bExtended == bShow)
        return;
    pDialog->LayOut(bShow);
    pDialog->KeepOnScreen();
}

bool IsButtonChecked(HWND hButton)
{
    const auto* pButton = qobject_cast<const QAbstractButton*>(WidgetOf(hButton));
    return pButton != nullptr && pButton->isChecked();
}

void CheckButton(HWND hButton, bool bChecked)
{
    if (auto* pButton = qobject_cast<QAbstractButton*>(WidgetOf(hButton)))
        pButton->setChecked(bChecked);
}

void SetDescription(HWND hWnd, std::string_view text)
{
    QWidget* pWidget = WidgetOf(hWnd);
    const QString description = ToQString(text);
    if (pWidget == nullptr || pWidget->accessibleDescription() == description)
        return;
    pWidget->setToolTip(description);
    pWidget->setAccessibleDescription(description);
}

int GetProfileInt(std::string_view key, int nDefault)
{
    bool bRead = false;
    const int nValue = ProgramSettings().value(ToQString(key)).toInt(&bRead);
    return bRead ? nValue : nDefault;
}

void WriteProfileInt(std::string_view key, int nValue)
{
    ProgramSettings().setValue(ToQString(key), nValue);
}

void SetFieldError(HWND hEdit, std::string_view message)
{
    if (auto* pEdit = qobject_cast<QLineEdit*>(WidgetOf(hEdit)))
        MarkField(pEdit, ToQString(message));
}

void MarkField(QWidget* pField, const QString& problem)
{
    if (pField->accessibleDescription() == problem)
        return;
    // A warning sign inside the field: seen without colour, and gone once the text can be used.
    if (auto* pEdit = qobject_cast<QLineEdit*>(pField)) {
        for (QAction* pAction : pEdit->actions())
            pEdit->removeAction(pAction);
        if (!problem.isEmpty())
            pEdit->addAction(pEdit->style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition)
                ->setToolTip(problem);
    }
    pField->setToolTip(problem);
    pField->setAccessibleDescription(problem);
}

QSettings ProgramSettings()
{
    return QSettings(QStringLiteral("Corvane"), QStringLiteral("Ratiograph"));
}

void PostCommand(HWND hDlg, int nId, int nCode)
{
    if (CDialogWindow* pDialog = DialogOf(hDlg)) {
        QMetaObject::invokeMethod(
            pDialog, [pDialog, nId, nCode] { pDialog->Dispatch(nId, nCode, nullptr); }, Qt::QueuedConnection);
    }
}

void FocusFirstTabStop(HWND hDlg)
{
    const CDialogWindow* pDialog = DialogOf(hDlg);
    if (pDialog == nullptr)
        return;
    for (const auto& pControl : pDialog->m_controls) {
        QWidget* pWidget = pControl->m_pWidget;
        if ((pControl->m_pControl->nStyle & CS_TABSTOP) && pWidget->isEnabled() && !pWidget->isHidden()) {
            pWidget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace platform
