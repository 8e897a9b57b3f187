#include "platform/window.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "platform/iconengine.h"
#include "platform/modalseam.h"
#include "platform/plotwidget.h"

class CDialogWindow;

// What a handle stands for: a dialog or one of its controls.
class CWindowHandle
{
public:
    QPointer<QWidget> m_pWidget;
    CDialogWindow* m_pDialog = nullptr;          // the dialog itself, or the dialog the control belongs to
    const ControlTemplate* m_pControl = nullptr; // null for the dialog
};

namespace {

std::unique_ptr<QApplication> g_pApplication;
bool g_bQuitRequested = false;
std::vector<HWND> g_modalDialogs; // running modal loops, innermost last

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStdString(const QString& text)
{
    return text.toStdString();
}

// Dialog units: a quarter of the font's average character width and an eighth of its line height. The
// average is measured exactly (the original platform rounded it down), and then widened as far as the
// template needs for every text to fit: templates were sized tightly for the original font, and the desktop's
// font may set the same words a few per cent wider. All positions scale alike, so proportions hold.
class CDialogUnits
{
public:
    CDialogUnits(const DialogTemplate& dialogTemplate, const QFont& font) : m_metrics(font)
    {
        const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_cx = m_metrics.horizontalAdvance(alphabet) / 52.0;
        m_cy = m_metrics.height();
        for (int nPass = 0; nPass < 40 && !TextsFit(dialogTemplate); ++nPass)
            m_cx *= 1.01;
    }

    int X(int nUnits) const { return qRound(nUnits * m_cx / 4.0); }
    int Y(int nUnits) const { return qRound(nUnits * m_cy / 8.0); }
    QRect Rect(const ControlTemplate& control) const
    {
        return {X(control.x), Y(control.y), X(control.x + control.cx) - X(control.x),
                Y(control.y + control.cy) - Y(control.y)};
    }

private:
    bool TextsFit(const DialogTemplate& dialogTemplate) const
    {
        constexpr int kButtonMargin = 8; // the button's frame and padding, both sides
        for (const ControlTemplate& control : dialogTemplate.controls) {
            const QString text = QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
            const QRect rect = Rect(control);
            if (control.kind == ControlKind::PushButton &&
                m_metrics.horizontalAdvance(text) + kButtonMargin > rect.width())
                return false;
            if (control.kind == ControlKind::Label && !text.isEmpty()) {
                const QRect need = m_metrics.boundingRect(QRect(0, 0, rect.width(), 100000), Qt::TextWordWrap, text);
                if (need.width() > rect.width() || need.height() > rect.height())
                    return false;
            }
        }
        return true;
    }

    QFontMetrics m_metrics;
    double m_cx;
    int m_cy;
};

// One icon for every size: Qt's own engines keep either several PNGs or one SVG, not both.
QIcon LoadIcon(int nIconId)
{
    const IconResource* pIcon = FindIconResource(nIconId);
    return pIcon != nullptr ? QIcon(new CResourceIconEngine(*pIcon)) : QIcon();
}

} // namespace

class CDialogWindow final : public QDialog
{
public:
    CDialogWindow(const DialogTemplate& dialogTemplate, HWND hOwner, CWindowSink* pSink);

    CWindowHandle m_handle;
    const DialogTemplate& m_template;
    HWND m_hOwner;
    CWindowSink* m_pSink;
    std::vector<std::unique_ptr<CWindowHandle>> m_controls;
    QEventLoop* m_pLoop = nullptr;
    bool m_bEnded = false;

    HWND FindControl(int nId) const
    {
        for (const auto& pControl : m_controls) {
            if (pControl->m_pControl->nId == nId && nId != -1)
                return pControl.get();
        }
        return nullptr;
    }

    void Dispatch(int nId, int nCode, HWND hControl)
    {
        if (m_pSink != nullptr)
            m_pSink->OnWindowCommand(nId, nCode, hControl);
    }

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QWidget* CreateControl(const ControlTemplate& control, const CDialogUnits& units, CWindowHandle* pHandle);
};

namespace {

CDialogWindow* DialogOf(HWND hWnd)
{
    return hWnd != nullptr ? hWnd->m_pDialog : nullptr;
}

QWidget* WidgetOf(HWND hWnd)
{
    return hWnd != nullptr ? hWnd->m_pWidget.data() : nullptr;
}

HWND HandleOf(const QWidget* pWidget)
{
    if (pWidget == nullptr)
        return nullptr;
    return reinterpret_cast<HWND>(pWidget->property("ratiograph.hwnd").value<quintptr>());
}

} // namespace

CDialogWindow::CDialogWindow(const DialogTemplate& dialogTemplate, HWND hOwner, CWindowSink* pSink)
    : QDialog(WidgetOf(hOwner)), m_template(dialogTemplate), m_hOwner(hOwner), m_pSink(pSink)
{
    m_handle.m_pWidget = this;
    m_handle.m_pDialog = this;
    setProperty("ratiograph.hwnd", QVariant::fromValue(reinterpret_cast<quintptr>(&m_handle)));

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
    setFont(QApplication::font());

    const CDialogUnits units(dialogTemplate, font());
    setFixedSize(units.X(dialogTemplate.cx), units.Y(dialogTemplate.cy));

    QWidget* pPreviousTabStop = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        auto pHandle = std::make_unique<CWindowHandle>();
        pHandle->m_pDialog = this;
        pHandle->m_pControl = &control;
        QWidget* pWidget = CreateControl(control, units, pHandle.get());
        pHandle->m_pWidget = pWidget;
        pWidget->setProperty("ratiograph.hwnd", QVariant::fromValue(reinterpret_cast<quintptr>(pHandle.get())));
        if (control.nStyle & CS_TABSTOP) {
            if (pPreviousTabStop != nullptr)
                QWidget::setTabOrder(pPreviousTabStop, pWidget);
            pPreviousTabStop = pWidget;
        }
        m_controls.push_back(std::move(pHandle));
    }
}

QWidget* CDialogWindow::CreateControl(const ControlTemplate& control, const CDialogUnits& units, CWindowHandle* pHandle)
{
    const QRect rect = units.Rect(control);
    const Qt::FocusPolicy focus = (control.nStyle & CS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
    QWidget* pWidget = nullptr;
    switch (control.kind) {
    case ControlKind::Edit: {
        auto* pEdit = new QLineEdit(ToQString(control.text), this);
        pEdit->setFocusPolicy(focus);
        if (control.nStyle & CS_READONLY) {
            pEdit->setReadOnly(true);
            // A display, not an input: drawn on the dialog's own background.
            QPalette palette = pEdit->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Window));
            pEdit->setPalette(palette);
        }
        connect(pEdit, &QLineEdit::textChanged, this,
                [this, pHandle] { Dispatch(pHandle->m_pControl->nId, EN_CHANGE, pHandle); });
        pWidget = pEdit;
        break;
    }
    case ControlKind::PushButton: {
        auto* pButton = new QPushButton(ToQString(control.text), this);
        pButton->setFocusPolicy(focus);
        pButton->setAutoDefault(true);
        pButton->setDefault((control.nStyle & CS_DEFAULT) != 0);
        connect(pButton, &QPushButton::clicked, this,
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
        break;
    case ControlKind::Icon: {
        auto* pLabel = new QLabel(this);
        // 32 by 32 device-independent pixels, from the picture made for the screen's pixels.
        pLabel->setPixmap(LoadIcon(control.nIconId).pixmap(QSize(32, 32), devicePixelRatio()));
        pLabel->setGeometry(rect.x(), rect.y(), 32, 32); // an icon control takes the icon's size
        return pLabel;
    }
    }
    pWidget->setGeometry(rect);
    return pWidget;
}

void CDialogWindow::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) {
        QDialog::keyPressEvent(pEvent);
        return;
    }
    switch (pEvent->key()) {
    case Qt::Key_Escape:
        Dispatch(IDCANCEL, BN_CLICKED, nullptr);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused push button takes Enter itself (every button is auto-default); here it is the default
        // button's command.
        for (const auto& pControl : m_controls) {
            if ((pControl->m_pControl->nStyle & CS_DEFAULT) && pControl->m_pWidget->isEnabled()) {
                Dispatch(pControl->m_pControl->nId, BN_CLICKED, pControl.get());
                break;
            }
        }
        return;
    default:
        QDialog::keyPressEvent(pEvent);
    }
}

void CDialogWindow::closeEvent(QCloseEvent* pEvent)
{
    // The close box is a Cancel command; whether the dialog ends is the dialog's decision.
    pEvent->ignore();
    Dispatch(IDCANCEL, BN_CLICKED, nullptr);
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

CPlatformSession::CPlatformSession(int& argc, char** argv)
{
    g_pApplication = std::make_unique<QApplication>(argc, argv);
    // The program's life is a sequence of modal dialogs; the one that closes is never the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    g_bQuitRequested = false;
}

CPlatformSession::~CPlatformSession()
{
    g_pApplication.reset();
}

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

std::string GetModuleFileName()
{
    return ToStdString(QCoreApplication::applicationFilePath());
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

namespace {

void CenterDialog(CDialogWindow* pDialog)
{
    const QWidget* pOwner = WidgetOf(pDialog->m_hOwner);
    QScreen* pScreen = pOwner != nullptr ? pOwner->screen() : QGuiApplication::primaryScreen();
    const QRect screenArea = pScreen != nullptr ? pScreen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect area = (pOwner != nullptr && pOwner->isVisible()) ? pOwner->frameGeometry() : screenArea;
    QRect frame(QPoint(), pDialog->frameGeometry().size().expandedTo(pDialog->size()));
    frame.moveCenter(area.center());
    // Keep the whole dialog on the screen, its top left corner first.
    frame.moveRight(std::min(frame.right(), screenArea.right()));
    frame.moveBottom(std::min(frame.bottom(), screenArea.bottom()));
    frame.moveLeft(std::max(frame.left(), screenArea.left()));
    frame.moveTop(std::max(frame.top(), screenArea.top()));
    pDialog->move(frame.topLeft());
}

} // namespace

bool RunModalLoop(HWND hDlg)
{
    CDialogWindow* pDialog = DialogOf(hDlg);
    if (pDialog == nullptr || g_bQuitRequested)
        return false;
    if (pDialog->m_bEnded)
        return true;

    pDialog->setWindowModality(Qt::ApplicationModal);
    CenterDialog(pDialog);
    pDialog->show();
    pDialog->raise();
    pDialog->activateWindow();

    g_modalDialogs.push_back(hDlg);
    QEventLoop loop;
    pDialog->m_pLoop = &loop;
    if (CModalSeam* pSeam = CModalSeam::Current()) {
        QTimer::singleShot(0, pDialog, [pSeam, hDlg, pDialog] {
            pSeam->DriveModalLoop(hDlg);
            if (pDialog->m_bEnded)
                return;
            // A test must never leave a loop waiting for a person: Escape, and if that is refused, the end.
            pSeam->NoteLoopLeftOpen();
            pDialog->Dispatch(IDCANCEL, BN_CLICKED, nullptr);
            if (!pDialog->m_bEnded)
                EndModalLoop(hDlg);
        });
    }
    loop.exec(QEventLoop::DialogExec);
    pDialog->m_pLoop = nullptr;
    g_modalDialogs.erase(std::find(g_modalDialogs.begin(), g_modalDialogs.end(), hDlg));

    if (!pDialog->m_bEnded) {
        g_bQuitRequested = true;
        return false;
    }
    return true;
}

void EndModalLoop(HWND hDlg)
{
    CDialogWindow* pDialog = DialogOf(hDlg);
    if (pDialog == nullptr)
        return;
    pDialog->m_bEnded = true;
    if (pDialog->m_pLoop != nullptr)
        pDialog->m_pLoop->exit(0);
}

bool IsInModalLoop(HWND hDlg)
{
    const CDialogWindow* pDialog = DialogOf(hDlg);
    return pDialog != nullptr && !pDialog->m_bEnded &&
           std::find(g_modalDialogs.begin(), g_modalDialogs.end(), hDlg) != g_modalDialogs.end();
}

HWND GetLastActivePopup(HWND hWnd)
{
    for (auto it = g_modalDialogs.rbegin(); it != g_modalDialogs.rend(); ++it) {
        for (HWND hOwner = GetWindowOwner(*it); hOwner != nullptr; hOwner = GetWindowOwner(hOwner)) {
            if (hOwner == hWnd)
                return *it;
        }
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
    else if (const auto* pButton = qobject_cast<const QPushButton*>(pWidget))
        text = pButton->text();
    else if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget))
        text = pLabel->text();
    else if (pWidget != nullptr)
        text = pWidget->windowTitle();
    if (nMaxChars < static_cast<std::size_t>(text.size()))
        text.truncate(static_cast<qsizetype>(nMaxChars));
    return ToStdString(text);
}

void SetWindowText(HWND hWnd, std::string_view text)
{
    QWidget* pWidget = WidgetOf(hWnd);
    const QString newText = ToQString(text);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
        const bool bSame = pEdit->text() == newText;
        pEdit->setText(newText);
        // The original edit control reported every write as a change; Qt reports only real changes.
        if (bSame)
            hWnd->m_pDialog->Dispatch(GetDlgCtrlID(hWnd), EN_CHANGE, hWnd);
    } else if (auto* pButton = qobject_cast<QPushButton*>(pWidget)) {
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

void EnableWindow(HWND hWnd, bool bEnable)
{
    if (QWidget* pWidget = WidgetOf(hWnd))
        pWidget->setEnabled(bEnable);
}

bool IsWindowEnabled(HWND hWnd)
{
    const QWidget* pWidget = WidgetOf(hWnd);
    return pWidget != nullptr && pWidget->isEnabled();
}

void HideWindow(HWND hWnd)
{
    if (QWidget* pWidget = WidgetOf(hWnd))
        pWidget->hide();
}

void ActivateWindow(HWND hWnd)
{
    if (QWidget* pWidget = WidgetOf(hWnd)) {
        pWidget->raise();
        pWidget->activateWindow();
    }
}

void SetWindowIcon(HWND hWnd, int nIconId)
{
    if (QWidget* pWidget = WidgetOf(hWnd))
        pWidget->setWindowIcon(LoadIcon(nIconId));
}

void SetPlotData(HWND hPlot, PlotData data)
{
    if (auto* pPlot = dynamic_cast<CPlotWidget*>(WidgetOf(hPlot)))
        pPlot->SetData(std::move(data));
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

int MessageBox(HWND hOwner, std::string_view text, std::string_view caption, unsigned nType)
{
    if (CModalSeam* pSeam = CModalSeam::Current()) {
        CBoxRecord record;
        record.kind = CBoxRecord::Kind::Message;
        record.strText = std::string(text);
        record.strCaption = std::string(caption);
        record.nType = nType;
        record.hOwner = hOwner;
        return pSeam->AnswerMessageBox(record);
    }

    QMessageBox box(WidgetOf(hOwner));
    box.setWindowTitle(ToQString(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQString(text));
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONASTERISK:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    struct Button
    {
        QMessageBox::StandardButton button;
        int nAnswer;
    };
    std::vector<Button> buttons;
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
    }
    QMessageBox::StandardButtons standardButtons;
    for (const Button& button : buttons)
        standardButtons |= button.button;
    box.setStandardButtons(standardButtons);
    box.setDefaultButton(buttons.front().button);
    box.setWindowModality(Qt::ApplicationModal);
    const int nClicked = box.exec();
    for (const Button& button : buttons) {
        if (button.button == nClicked)
            return button.nAnswer;
    }
    // Closed without a button: what Escape means for this set.
    return buttons.size() == 1 ? buttons.front().nAnswer : IDCANCEL;
}

namespace {

std::optional<std::string> RunFileDialog(HWND hOwner, const FileDialogOptions& options, bool bSave)
{
    if (CModalSeam* pSeam = CModalSeam::Current()) {
        CBoxRecord record;
        record.kind = bSave ? CBoxRecord::Kind::SaveFile : CBoxRecord::Kind::OpenFile;
        record.hOwner = hOwner;
        record.fileOptions = options;
        return pSeam->AnswerFileDialog(record);
    }

    QFileDialog dialog(WidgetOf(hOwner));
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(ToQString(options.strFilter));
    dialog.setDefaultSuffix(ToQString(options.strDefaultExt));
    // A name with a wildcard only says what to list, as the filter already does.
    if (!options.strFileName.empty() && options.strFileName.find_first_of("*?") == std::string::npos)
        dialog.selectFile(ToQString(options.strFileName));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToStdString(dialog.selectedFiles().constFirst());
}

} // namespace

std::optional<std::string> GetOpenFileName(HWND hOwner, const FileDialogOptions& options)
{
    return RunFileDialog(hOwner, options, false);
}

std::optional<std::string> GetSaveFileName(HWND hOwner, const FileDialogOptions& options)
{
    return RunFileDialog(hOwner, options, true);
}
