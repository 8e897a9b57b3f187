#include "platform/tires/tirewindow.h"

#include <algorithm>
#include <optional>
#include <string>

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/qtext.h"
#include "platform/widgetaccess.h"
#include "report/settingsreport.h"
#include "report/tirereport.h"

using namespace Qt::StringLiterals;

namespace {

const QString kObjectName = u"TireWindow"_s;
const QString kGeometryKey = u"tires/geometry"_s;
const std::string kTireHint = "Use a size like 205/55R16, 33x12.50R15 or 37-622, or a diameter in inches.";

const ReportSection* FindSection(const ReportDocument& document, std::string_view strKey)
{
    for (const ReportSection& section : document.sections) {
        if (section.strKey == strKey)
            return &section;
    }
    return nullptr;
}

QString JoinLines(const std::vector<std::string>& lines)
{
    QStringList texts;
    for (const std::string& line : lines)
        texts << ToQString(line);
    return texts.join(u'\n');
}

// Changes only the cells that differ when the shape stays, so that the view keeps its selection and repaints little.
void FillModel(QStandardItemModel* pModel, const ReportTable& table)
{
    const auto nColumns = static_cast<int>(table.headers.size());
    const auto nRows = static_cast<int>(table.rows.size());
    if (pModel->columnCount() != nColumns || pModel->rowCount() != nRows) {
        pModel->clear();
        pModel->setColumnCount(nColumns);
        pModel->setRowCount(nRows);
    }
    for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
        const QString header = ToQString(table.headers[static_cast<std::size_t>(nColumn)]);
        if (pModel->headerData(nColumn, Qt::Horizontal).toString() != header)
            pModel->setHeaderData(nColumn, Qt::Horizontal, header);
    }
    for (int nRow = 0; nRow < nRows; ++nRow) {
        for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
            const QString text =
                ToQString(table.rows[static_cast<std::size_t>(nRow)][static_cast<std::size_t>(nColumn)]);
            QStandardItem* pItem = pModel->item(nRow, nColumn);
            if (pItem == nullptr) {
                pItem = new QStandardItem;
                pItem->setEditable(false);
                const bool bText = static_cast<std::size_t>(nColumn) < table.nTextColumns;
                pItem->setTextAlignment(Qt::AlignVCenter | (bText ? Qt::AlignLeft : Qt::AlignRight));
                pModel->setItem(nRow, nColumn, pItem);
            }
            if (pItem->text() != text)
                pItem->setText(text);
        }
    }
}

void FitRows(QTableView* pTable)
{
    const int nRows = pTable->model()->rowCount();
    const int nRowHeight = pTable->verticalHeader()->defaultSectionSize();
    const int nScrollBar = pTable->horizontalScrollBar()->sizeHint().height();
    pTable->setFixedHeight(pTable->horizontalHeader()->sizeHint().height() + nRows * nRowHeight +
                           2 * pTable->frameWidth() + nScrollBar);
}

QTableView* MakeTable(QStandardItemModel* pModel, const QString& name)
{
    auto* pTable = new QTableView;
    pTable->setModel(pModel);
    pTable->setAccessibleName(name);
    pTable->verticalHeader()->hide();
    pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    pTable->setTabKeyNavigation(false);
    pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pTable->horizontalHeader()->setStretchLastSection(true);
    pTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Short tables, shown whole as their rows come and go: the window grows rather than scroll a few rows.
    QObject::connect(pModel, &QAbstractItemModel::modelReset, pTable, [pTable] { FitRows(pTable); });
    QObject::connect(pModel, &QAbstractItemModel::rowsInserted, pTable, [pTable] { FitRows(pTable); });
    QObject::connect(pModel, &QAbstractItemModel::rowsRemoved, pTable, [pTable] { FitRows(pTable); });
    FitRows(pTable);
    return pTable;
}

QLabel* MakeLine(const QString& name)
{
    auto* pLabel = new QLabel;
    pLabel->setWordWrap(true);
    pLabel->setAccessibleName(name);
    pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return pLabel;
}

class CTireWindow final : public QWidget
{
public:
    CTireWindow(QWidget* pOwner, const std::vector<AxleRatioList>& axles, UseRearEnd useRearEnd);
    ~CTireWindow() override;
    CTireWindow(const CTireWindow&) = delete;
    CTireWindow& operator=(const CTireWindow&) = delete;

    void SetReport(const GearReport& report);

private:
    QLineEdit* AddTireField(QFormLayout* pForm, const QString& label, const QString& name);
    // A typed tire, or the one the field stands for while it is empty; nothing for a text that is no tire.
    std::optional<TireFigures> TireOf(QLineEdit* pField, double defaultInches, const QString& defaultName,
                                      std::string& strName);
    void Recompute();
    void OnUseRatio();

    std::vector<AxleRatioList> m_axles;
    UseRearEnd m_useRearEnd;
    GearReport m_report;
    std::optional<TireSwap> m_swap;

    QLineEdit* m_pFirst = nullptr;
    QLineEdit* m_pSecond = nullptr;
    QLabel* m_pDifference = nullptr;
    QLabel* m_pSpeedometerHeading = nullptr;
    QStandardItemModel* m_pTires = nullptr;
    QStandardItemModel* m_pSpeeds = nullptr;
    QGroupBox* m_pRegearing = nullptr;
    QLabel* m_pRegearingLines = nullptr;
    QStandardItemModel* m_pChoices = nullptr;
    QTableView* m_pChoiceTable = nullptr;
    QLabel* m_pSources = nullptr;
    QPushButton* m_pUse = nullptr;
    QWidget* m_pContent = nullptr;
};

CTireWindow::CTireWindow(QWidget* pOwner, const std::vector<AxleRatioList>& axles, UseRearEnd useRearEnd)
    : QWidget(pOwner, Qt::Window), m_axles(axles), m_useRearEnd(std::move(useRearEnd))
{
    setObjectName(kObjectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Tires – Corvane Ratiograph"_s);
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    auto* pForm = new QFormLayout;
    m_pFirst = AddTireField(pForm, u"Speedometer set &for"_s, u"Tire the speedometer is set for"_s);
    m_pSecond = AddTireField(pForm, u"Compare &with"_s, u"Tire to compare with"_s);
    m_pDifference = MakeLine(u"Diameter difference"_s);

    m_pTires = new QStandardItemModel(this);
    m_pSpeeds = new QStandardItemModel(this);
    auto* pTiresTable = MakeTable(m_pTires, u"Tires"_s);
    auto* pSpeedsTable = MakeTable(m_pSpeeds, u"True speeds"_s);
    m_pSpeedometerHeading = new QLabel;
    m_pSpeedometerHeading->setWordWrap(true);

    m_pRegearing = new QGroupBox(u"Regearing for setup B's gearing"_s);
    auto* pRegearing = new QVBoxLayout(m_pRegearing);
    m_pRegearingLines = MakeLine(u"Regearing"_s);
    m_pChoices = new QStandardItemModel(this);
    m_pChoiceTable = MakeTable(m_pChoices, u"Rear ends sold"_s);
    m_pSources = MakeLine(u"Sources"_s);
    m_pUse = new QPushButton(u"&Use this ratio"_s);
    m_pUse->setToolTip(u"Writes the chosen rear end, or with none chosen the one that restores B's gearing, into the "
                       u"calculator's rear-end field."_s);
    connect(m_pUse, &QPushButton::clicked, this, &CTireWindow::OnUseRatio);
    auto* pUseRow = new QHBoxLayout;
    pUseRow->addStretch();
    pUseRow->addWidget(m_pUse);
    pRegearing->addWidget(m_pRegearingLines);
    pRegearing->addWidget(m_pChoiceTable);
    pRegearing->addWidget(m_pSources);
    pRegearing->addLayout(pUseRow);

    // The tires and the speeds side by side, as the two halves of one comparison.
    auto* pSpeeds = new QVBoxLayout;
    pSpeeds->addWidget(m_pSpeedometerHeading);
    pSpeeds->addWidget(pSpeedsTable);
    pSpeeds->addStretch();
    auto* pTires = new QVBoxLayout;
    pTires->addWidget(m_pDifference);
    pTires->addWidget(pTiresTable);
    pTires->addStretch();
    auto* pComparison = new QHBoxLayout;
    pComparison->addLayout(pTires, 3);
    pComparison->addLayout(pSpeeds, 2);
    // On a small screen or at a large font the window keeps to the screen and scrolls.
    m_pContent = new QWidget;
    auto* pScroll = new QScrollArea;
    pScroll->setFrameShape(QFrame::NoFrame);
    pScroll->setWidgetResizable(true);
    auto* pOuter = new QVBoxLayout(this);
    pOuter->setContentsMargins({});
    pOuter->addWidget(pScroll);
    auto* pLayout = new QVBoxLayout(m_pContent);
    pLayout->addLayout(pForm);
    pLayout->addLayout(pComparison);
    pLayout->addWidget(m_pRegearing);
    pLayout->addStretch();
    pScroll->setWidget(m_pContent);
    setTabOrder(m_pFirst, m_pSecond);
    setTabOrder(m_pSecond, pTiresTable);
    setTabOrder(pTiresTable, pSpeedsTable);
    setTabOrder(pSpeedsTable, m_pChoiceTable);
    setTabOrder(m_pChoiceTable, m_pUse);

    if (!restoreGeometry(platform::ProgramSettings().value(kGeometryKey).toByteArray())) {
        resize(760, 600);
        platform::PlaceBeside(this, pOwner);
    }
}

CTireWindow::~CTireWindow()
{
    platform::ProgramSettings().setValue(kGeometryKey, saveGeometry());
}

QLineEdit* CTireWindow::AddTireField(QFormLayout* pForm, const QString& label, const QString& name)
{
    auto* pEdit = new QLineEdit;
    pEdit->setAccessibleName(name);
    auto* pLabel = new QLabel(label);
    pLabel->setBuddy(pEdit);
    pForm->addRow(pLabel, pEdit);
    connect(pEdit, &QLineEdit::textChanged, this, &CTireWindow::Recompute);
    return pEdit;
}

void CTireWindow::SetReport(const GearReport& report)
{
    m_report = report;
    Recompute();
    // Rows and lines that came in lengthen the window, as far as the screen has room.
    QLayout* pLayout = m_pContent->layout();
    pLayout->activate();
    int nNeeded = pLayout->hasHeightForWidth() ? pLayout->totalHeightForWidth(width()) : pLayout->sizeHint().height();
    if (const QScreen* pScreen = screen())
        nNeeded = std::min(nNeeded, pScreen->availableGeometry().height() * 9 / 10);
    if (nNeeded > height())
        resize(width(), nNeeded);
}

std::optional<TireFigures> CTireWindow::TireOf(QLineEdit* pField, double defaultInches, const QString& defaultName,
                                               std::string& strName)
{
    const std::string strText = pField->text().trimmed().toStdString();
    pField->setPlaceholderText(defaultName + u", "_s + ToQString(TireText(defaultInches, m_report.units)));
    std::optional<TireFigures> tire;
    if (strText.empty()) {
        strName = defaultName.toStdString();
        if (defaultInches > 0)
            tire = FiguresOfDiameter(defaultInches);
    } else {
        strName = strText;
        tire = ParseTire(strText);
    }
    platform::MarkField(pField, tire || strText.empty() ? QString() : ToQString(kTireHint));
    return tire;
}

void CTireWindow::Recompute()
{
    const double nowInches = m_report.settings.m_fTireOD;
    const bool bHoldsB = m_report.setupB.has_value();
    std::string strFirst, strSecond;
    const std::optional<TireFigures> first = TireOf(m_pFirst, bHoldsB ? double{m_report.setupB->m_fTireOD} : nowInches,
                                                    bHoldsB ? u"Setup B"_s : u"Calculator"_s, strFirst);
    const std::optional<TireFigures> second = TireOf(m_pSecond, nowInches, u"Calculator"_s, strSecond);
    if (first && second) {
        const TireComparison comparison = CompareTires(*first, *second);
        const ReportSection tires = TireTableSection(comparison, strFirst, strSecond, m_report.units);
        const ReportSection speeds = SpeedometerSection(comparison, strFirst, strSecond, m_report.units);
        m_pDifference->setText(JoinLines(tires.lines));
        m_pSpeedometerHeading->setText(ToQString(speeds.strHeading) + u':');
        FillModel(m_pTires, *tires.table);
        FillModel(m_pSpeeds, *speeds.table);
    } else {
        m_pDifference->setText(u"No comparison: "_s + ToQString(first ? strSecond : strFirst) + u" is no tire."_s);
        m_pSpeedometerHeading->clear();
        FillModel(m_pTires, {});
        FillModel(m_pSpeeds, {});
    }

    // The settings report's own regearing, so the window and every report say the same.
    m_swap.reset();
    if (bHoldsB && m_report.setupB->m_fTireOD != m_report.settings.m_fTireOD)
        m_swap = ComputeTireSwap(m_report.settings, *m_report.setupB, m_report.cruise, SoldRatios(m_axles));
    m_pRegearing->setVisible(m_swap.has_value());
    if (!m_swap)
        return;
    const ReportDocument document = BuildSettingsReport(m_report, m_axles);
    std::vector<std::string> lines;
    // Setup B's section without its first line, which describes B.
    if (const ReportSection* pSetupB = FindSection(document, "setupB"); pSetupB != nullptr && !pSetupB->lines.empty())
        lines.insert(lines.end(), pSetupB->lines.begin() + 1, pSetupB->lines.end());
    const ReportSection* pRegearing = FindSection(document, "regearing");
    if (pRegearing != nullptr)
        lines.insert(lines.end(), pRegearing->lines.begin(), pRegearing->lines.end());
    m_pRegearingLines->setText(JoinLines(lines));
    FillModel(m_pChoices, pRegearing != nullptr && pRegearing->table ? *pRegearing->table : ReportTable{});
    const ReportSection* pSources = FindSection(document, "axleSources");
    m_pSources->setText(pSources != nullptr ? JoinLines(pSources->lines) : QString());
    m_pSources->setVisible(pSources != nullptr);
    m_pUse->setEnabled(m_swap->restoringRearEnd.has_value());
}

void CTireWindow::OnUseRatio()
{
    if (!m_swap || !m_useRearEnd)
        return;
    const QModelIndexList rows = m_pChoiceTable->selectionModel()->selectedRows();
    // No row chosen reads as one past every choice.
    const auto nRow = static_cast<std::size_t>(rows.isEmpty() ? -1 : rows.front().row());
    if (nRow < m_swap->choices.size())
        m_useRearEnd(m_swap->choices[nRow].ratio);
    else if (m_swap->restoringRearEnd)
        m_useRearEnd(*m_swap->restoringRearEnd);
}

CTireWindow* FindTireWindow(HWND hOwner)
{
    QWidget* pOwner = platform::WidgetOf(hOwner);
    return pOwner != nullptr ? pOwner->findChild<CTireWindow*>(kObjectName, Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

void ShowTireWindow(HWND hOwner, const GearReport& report, const std::vector<AxleRatioList>& axles,
                    UseRearEnd useRearEnd)
{
    CTireWindow* pWindow = FindTireWindow(hOwner);
    if (pWindow == nullptr)
        pWindow = new CTireWindow(platform::WidgetOf(hOwner), axles, std::move(useRearEnd));
    pWindow->SetReport(report);
    pWindow->show();
    pWindow->raise();
    pWindow->activateWindow();
}

void UpdateTireWindow(HWND hOwner, const GearReport& report)
{
    if (CTireWindow* pWindow = FindTireWindow(hOwner))
        pWindow->SetReport(report);
}

bool HasTireWindow(HWND hOwner)
{
    return FindTireWindow(hOwner) != nullptr;
}
