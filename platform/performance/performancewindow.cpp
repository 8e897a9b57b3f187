#include "platform/performance/performancewindow.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "numtext/numtext.h"
#include "platform/dialogwindow.h"
#include "platform/document.h"
#include "platform/performance/performanceview.h"
#include "platform/performance/texttable.h"
#include "platform/plotwidget.h"
#include "platform/qtext.h"
#include "platform/widgetaccess.h"
#include "report/performancereport.h"
#include "report/reportformat.h"
#include "settingsfile/presetsfile.h"
#include "settingsfile/vehiclefile.h"

using namespace Qt::StringLiterals;

namespace {

const QString kObjectName = u"PerformanceWindow"_s;
constexpr std::string_view kErrorCaption = "ERROR";
// The window's own place in the program's settings: its geometry, the last vehicle file and the result units.
const QString kGeometryKey = u"performance/geometry"_s;
const QString kFileKey = u"performance/file"_s;
const QString kForceUnitKey = u"performance/forceUnit"_s;
const QString kSpeedUnitKey = u"performance/speedUnit"_s;
constexpr std::size_t kMaxProblemLines = 3;

// Combo entries in the order of the enums they choose.
const QStringList kTireKinds = {u"mm"_s, u"inches"_s, u"size"_s, u"revs per mile"_s};
const QStringList kTorqueUnits = {u"N·m"_s, u"lb-ft"_s, u"kW"_s, u"hp"_s, u"PS"_s};

// A field's number; NaN for a text that is none, which the vehicle's check then names.
double Number(const QString& text)
{
    return ParseFloatText(text.toStdString()).value_or(std::numeric_limits<double>::quiet_NaN());
}

// An optional field: blank is none.
std::optional<double> OptionalNumber(const QString& text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return Number(text);
}

QString Text(double value)
{
    return ToQString(NumberText(value));
}

bool IsPowerUnit(TorqueUnit unit)
{
    return unit == TorqueUnit::Kilowatts || unit == TorqueUnit::Horsepower || unit == TorqueUnit::Ps;
}

// A page of the form, its fields at the top; below them the room the page does not need, unless its last field (a
// table) takes it.
QFormLayout* AddFormPage(QTabWidget* pTabs, const QString& title, bool bLastFieldGrows = false)
{
    auto* pPage = new QWidget;
    auto* pLayout = new QVBoxLayout(pPage);
    auto* pForm = new QFormLayout;
    pLayout->addLayout(pForm, bLastFieldGrows ? 1 : 0);
    if (!bLastFieldGrows)
        pLayout->addStretch();
    pTabs->addTab(pPage, title);
    return pForm;
}

class CPerformanceWindow final : public QWidget
{
public:
    CPerformanceWindow(QWidget* pOwner, VehicleFromCalculator fromCalculator);
    ~CPerformanceWindow() override;
    CPerformanceWindow(const CPerformanceWindow&) = delete;
    CPerformanceWindow& operator=(const CPerformanceWindow&) = delete;

    // As Open does once the user has chosen the file.
    void OpenFile(const std::string& strPath);

private:
    void MakeGearboxPage();
    void MakeEnginePage();
    void MakeRoadPage();
    QWidget* MakeResults();
    QPushButton* MakeButton(const QString& text, void (CPerformanceWindow::*pHandler)());
    QComboBox* MakeCombo(const QStringList& items, const QString& name);
    QTableView* MakeTable(QAbstractTableModel* pModel, const QString& name);
    // A labelled edit, with a unit (a combo or a label) after it.
    QLineEdit* AddField(QFormLayout* pForm, const QString& label, const QString& name, QWidget* pUnit = nullptr);
    void SetTabOrder();

    // The form as a vehicle, and a vehicle into the form.
    Vehicle FormVehicle() const;
    void LoadVehicle(const Vehicle& vehicle);
    void LoadGearbox(const Gearbox& gearbox);
    void LoadTire(const Tire& tire);
    void LoadTorque(const TorqueCurve& curve);
    PerformanceUnits Units() const;

    // At every edit: the problems beside their fields, or the figures.
    void Recompute();
    void ShowProblems(const std::vector<VehicleProblem>& problems);
    void UpdateButtons();

    void OnEdited();
    void OnGearboxEdited();
    void OnFromCalculator();
    void OnPreset(int nIndex);
    void OnAddGear();
    void OnRemoveGear();
    void OnPerGear();
    void OnAddPoint();
    void OnRemovePoint();
    void OnTorqueUnit();
    void OnImportTorque();
    void OnOpen();
    void OnSave();
    void OnExport();

    // The file dialogs start at the last vehicle file, or beside it.
    FileDialogOptions FileOptions(std::string_view strName, std::vector<FileFilter> filters) const;
    void RememberFile(const std::string& strPath);

    CWindowHandle m_handle; // the owner of the window's boxes and file dialogs
    VehicleFromCalculator m_fromCalculator;
    PresetList m_presets;
    // The final drive the user gave (typed, from the calculator or a file): a preset without one leaves it in place,
    // even after a preset with one was picked on the way.
    QString m_strOwnFinalDrive;
    // The program fills the form (from the start until the first vehicle is in): one recomputation at the end.
    bool m_bLoading = true;
    std::vector<QWidget*> m_tabOrder;
    std::vector<QWidget*> m_fields; // every field a problem can be shown beside

    QLineEdit* m_pName = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pExport = nullptr;
    QTabWidget* m_pTabs = nullptr;

    QComboBox* m_pPreset = nullptr;
    QLabel* m_pPresetSource = nullptr;
    QLabel* m_pPresetNote = nullptr;
    CTextTable* m_pGearModel = nullptr;
    QTableView* m_pGears = nullptr;
    QPushButton* m_pAddGear = nullptr;
    QPushButton* m_pRemoveGear = nullptr;
    QLineEdit* m_pReverse = nullptr;
    QLineEdit* m_pFinalDrive = nullptr;
    QCheckBox* m_pPerGear = nullptr;

    QLineEdit* m_pTire = nullptr;
    QComboBox* m_pTireKind = nullptr;
    QLineEdit* m_pRedline = nullptr;
    QComboBox* m_pTorqueUnit = nullptr;
    CTextTable* m_pTorqueModel = nullptr;
    QTableView* m_pTorque = nullptr;
    QPushButton* m_pAddPoint = nullptr;
    QPushButton* m_pRemovePoint = nullptr;

    QLineEdit* m_pMass = nullptr;
    QComboBox* m_pMassUnit = nullptr;
    QLineEdit* m_pCd = nullptr;
    QLineEdit* m_pFrontalArea = nullptr;
    QComboBox* m_pAreaUnit = nullptr;
    QLineEdit* m_pCdA = nullptr;
    QLabel* m_pCdAUnit = nullptr;
    QLineEdit* m_pRolling = nullptr;
    QLineEdit* m_pEfficiency = nullptr;
    QLineEdit* m_pAirDensity = nullptr;
    QLineEdit* m_pGrade = nullptr;

    QComboBox* m_pForceUnit = nullptr;
    QComboBox* m_pSpeedUnit = nullptr;
    QLabel* m_pMessage = nullptr;
    CPlotWidget* m_pChart = nullptr;
    QLabel* m_pTopSpeed = nullptr;
    CTextTable* m_pResultModel = nullptr;
    QTableView* m_pResults = nullptr;

    // The figures of the vehicle as it stands; nothing while it has problems.
    std::optional<CPerformanceModel> m_model;
    std::optional<PerformanceAnalysis> m_analysis;
};

CPerformanceWindow::CPerformanceWindow(QWidget* pOwner, VehicleFromCalculator fromCalculator)
    : QWidget(pOwner, Qt::Window), m_fromCalculator(std::move(fromCalculator))
{
    m_handle.m_pWidget = this;
    setObjectName(kObjectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Performance – Corvane Ratiograph"_s);
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);

    auto* pTop = new QHBoxLayout;
    auto* pFromCalculator = MakeButton(u"From &calculator"_s, &CPerformanceWindow::OnFromCalculator);
    pFromCalculator->setEnabled(static_cast<bool>(m_fromCalculator));
    pTop->addWidget(pFromCalculator);
    pTop->addWidget(MakeButton(u"&Open vehicle…"_s, &CPerformanceWindow::OnOpen));
    pTop->addWidget(m_pSave = MakeButton(u"&Save vehicle…"_s, &CPerformanceWindow::OnSave));
    pTop->addWidget(m_pExport = MakeButton(u"E&xport…"_s, &CPerformanceWindow::OnExport));
    pTop->addSpacing(12);
    auto* pNameLabel = new QLabel(u"&Name"_s);
    m_pName = new QLineEdit;
    m_pName->setAccessibleName(u"Vehicle name"_s);
    m_tabOrder.push_back(m_pName);
    pNameLabel->setBuddy(m_pName);
    pTop->addWidget(pNameLabel);
    pTop->addWidget(m_pName, 1);

    m_pTabs = new QTabWidget;
    m_pTabs->setAccessibleName(u"Vehicle"_s);
    m_tabOrder.push_back(m_pTabs);
    MakeGearboxPage();
    MakeEnginePage();
    MakeRoadPage();

    auto* pSplitter = new QSplitter(Qt::Horizontal);
    pSplitter->setChildrenCollapsible(false);
    pSplitter->addWidget(m_pTabs);
    pSplitter->addWidget(MakeResults());
    pSplitter->setStretchFactor(1, 1);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addWidget(pSplitter, 1);
    SetTabOrder();

    const LoadedPresets loaded = LoadPresets(DefaultPresetLocations());
    m_presets = loaded.presets;
    for (const GearboxPreset& preset : m_presets)
        m_pPreset->addItem(ToQString(preset.strName));
    // A user's broken file is told here, once; the presets that could be read are offered all the same.
    QStringList messages;
    for (const std::string& message : loaded.messages)
        messages << ToQString(message);
    m_pPresetNote->setText(messages.join(u'\n'));
    m_pPresetNote->setVisible(!messages.isEmpty());

    QSettings settings = platform::ProgramSettings();
    m_pForceUnit->setCurrentIndex(settings.value(kForceUnitKey, 0).toInt() == 1 ? 1 : 0);
    m_pSpeedUnit->setCurrentIndex(settings.value(kSpeedUnitKey, 0).toInt() == 1 ? 1 : 0);
    if (!restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
        resize(1280, 780);
        platform::PlaceBeside(this, pOwner);
    }

    Vehicle start;
    if (m_fromCalculator)
        start = m_fromCalculator(start);
    LoadVehicle(start);
}

CPerformanceWindow::~CPerformanceWindow()
{
    QSettings settings = platform::ProgramSettings();
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kForceUnitKey, m_pForceUnit->currentIndex());
    settings.setValue(kSpeedUnitKey, m_pSpeedUnit->currentIndex());
}

QPushButton* CPerformanceWindow::MakeButton(const QString& text, void (CPerformanceWindow::*pHandler)())
{
    auto* pButton = new QPushButton(text);
    connect(pButton, &QPushButton::clicked, this, pHandler);
    m_tabOrder.push_back(pButton);
    return pButton;
}

QComboBox* CPerformanceWindow::MakeCombo(const QStringList& items, const QString& name)
{
    auto* pCombo = new QComboBox;
    pCombo->addItems(items);
    // Sized again when the style or font changes, so that no unit is ever cut short.
    pCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    pCombo->setAccessibleName(name);
    connect(pCombo, &QComboBox::currentIndexChanged, this, &CPerformanceWindow::OnEdited);
    m_tabOrder.push_back(pCombo);
    return pCombo;
}

QTableView* CPerformanceWindow::MakeTable(QAbstractTableModel* pModel, const QString& name)
{
    auto* pTable = new QTableView;
    pTable->setModel(pModel);
    pTable->setAccessibleName(name);
    // Tab leaves the table for the next field; the arrows move between its cells, and typing edits one.
    pTable->setTabKeyNavigation(false);
    pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    pTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    // Rows of one line, room for a warning sign: a row's height is known without measuring its cells.
    pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    pTable->verticalHeader()->setDefaultSectionSize(std::max(pTable->fontMetrics().height() + 6, 20));
    pTable->horizontalHeader()->setStretchLastSection(true);
    m_tabOrder.push_back(pTable);
    return pTable;
}

QLineEdit* CPerformanceWindow::AddField(QFormLayout* pForm, const QString& label, const QString& name, QWidget* pUnit)
{
    auto* pEdit = new QLineEdit;
    pEdit->setAccessibleName(name);
    connect(pEdit, &QLineEdit::textChanged, this, &CPerformanceWindow::OnEdited);
    // A unit made first is still reached after the number.
    m_tabOrder.insert(std::find(m_tabOrder.begin(), m_tabOrder.end(), pUnit), pEdit);
    m_fields.push_back(pEdit);
    auto* pLabel = new QLabel(label);
    pLabel->setBuddy(pEdit);
    if (pUnit == nullptr) {
        pForm->addRow(pLabel, pEdit);
    } else {
        auto* pRow = new QHBoxLayout;
        pRow->addWidget(pEdit, 1);
        pRow->addWidget(pUnit);
        pForm->addRow(pLabel, pRow);
    }
    return pEdit;
}

void CPerformanceWindow::MakeGearboxPage()
{
    QFormLayout* pForm = AddFormPage(m_pTabs, u"Gear&box"_s);
    m_pPreset = new QComboBox;
    m_pPreset->setAccessibleName(u"Gearbox preset"_s);
    m_pPreset->addItem(u"Pick a gearbox…"_s);
    m_pPreset->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pPreset->setMinimumContentsLength(24);
    connect(m_pPreset, &QComboBox::activated, this, &CPerformanceWindow::OnPreset);
    m_tabOrder.push_back(m_pPreset);
    auto* pPresetLabel = new QLabel(u"&Preset"_s);
    pPresetLabel->setBuddy(m_pPreset);
    pForm->addRow(pPresetLabel, m_pPreset);
    m_pPresetSource = new QLabel;
    m_pPresetSource->setWordWrap(true);
    m_pPresetSource->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pPresetSource->setAccessibleName(u"Preset source"_s);
    m_pPresetSource->hide();
    m_pPresetNote = new QLabel;
    m_pPresetNote->setWordWrap(true);
    m_pPresetNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pPresetNote->setAccessibleName(u"Preset file problems"_s);

    m_pGearModel = new CTextTable({u"Ratio"_s, u"Final drive"_s}, true, this);
    m_pGearModel->SetOnEdited([this] { OnGearboxEdited(); });
    m_pGears = MakeTable(m_pGearModel, u"Forward gears"_s);
    m_fields.push_back(m_pGears);
    // Room for every gear a gearbox may have, and no more.
    m_pGears->setFixedHeight(m_pGears->horizontalHeader()->sizeHint().height() +
                             static_cast<int>(kMaxForwardGears) * m_pGears->verticalHeader()->defaultSectionSize() +
                             2 * m_pGears->frameWidth());
    auto* pGearsLabel = new QLabel(u"For&ward gears"_s);
    pGearsLabel->setBuddy(m_pGears);
    pForm->addRow(pGearsLabel, m_pGears);
    auto* pGearButtons = new QHBoxLayout;
    pGearButtons->addWidget(m_pAddGear = MakeButton(u"&Add gear"_s, &CPerformanceWindow::OnAddGear));
    pGearButtons->addWidget(m_pRemoveGear = MakeButton(u"&Remove gear"_s, &CPerformanceWindow::OnRemoveGear));
    pGearButtons->addStretch();
    pForm->addRow(QString(), pGearButtons);
    m_pReverse = AddField(pForm, u"Re&verse"_s, u"Reverse ratio"_s);
    m_pReverse->setPlaceholderText(u"none"_s);
    m_pPerGear = new QCheckBox(u"One per &gear"_s);
    m_pPerGear->setAccessibleName(u"One final drive per gear"_s);
    m_tabOrder.push_back(m_pPerGear);
    connect(m_pPerGear, &QCheckBox::toggled, this, &CPerformanceWindow::OnPerGear);
    m_pFinalDrive = AddField(pForm, u"F&inal drive"_s, u"Final drive"_s, m_pPerGear);
    connect(m_pFinalDrive, &QLineEdit::textChanged, this, [this](const QString& text) { m_strOwnFinalDrive = text; });
    // Below the form, where a box layout gives wrapped lines the height they need at the page's width.
    auto* pPage = static_cast<QBoxLayout*>(pForm->parentWidget()->layout());
    pPage->insertWidget(1, m_pPresetSource);
    pPage->insertWidget(2, m_pPresetNote);
}

void CPerformanceWindow::MakeEnginePage()
{
    QFormLayout* pForm = AddFormPage(m_pTabs, u"&Engine and tire"_s, true);
    m_pTireKind = MakeCombo(kTireKinds, u"Tire given as"_s);
    m_pTire = AddField(pForm, u"&Tire"_s, u"Tire"_s, m_pTireKind);
    m_pRedline = AddField(pForm, u"&Redline (RPM)"_s, u"Redline in RPM"_s);

    m_pTorqueUnit = MakeCombo(kTorqueUnits, u"Torque curve unit"_s);
    connect(m_pTorqueUnit, &QComboBox::currentIndexChanged, this, &CPerformanceWindow::OnTorqueUnit);
    auto* pUnitLabel = new QLabel(u"Tor&que curve in"_s);
    pUnitLabel->setBuddy(m_pTorqueUnit);
    pForm->addRow(pUnitLabel, m_pTorqueUnit);
    m_pTorqueModel = new CTextTable({u"RPM"_s, u"Torque"_s}, true, this);
    m_pTorqueModel->SetOnEdited([this] { OnEdited(); });
    m_pTorque = MakeTable(m_pTorqueModel, u"Torque curve"_s);
    m_fields.push_back(m_pTorque);
    pForm->addRow(m_pTorque);
    auto* pPointButtons = new QHBoxLayout;
    pPointButtons->addWidget(m_pAddPoint = MakeButton(u"&Add point"_s, &CPerformanceWindow::OnAddPoint));
    pPointButtons->addWidget(m_pRemovePoint = MakeButton(u"Remo&ve point"_s, &CPerformanceWindow::OnRemovePoint));
    pPointButtons->addWidget(MakeButton(u"&Import torque CSV…"_s, &CPerformanceWindow::OnImportTorque));
    pPointButtons->addStretch();
    pForm->addRow(pPointButtons);
    OnTorqueUnit();
}

void CPerformanceWindow::MakeRoadPage()
{
    QFormLayout* pForm = AddFormPage(m_pTabs, u"Road &load"_s);
    m_pMassUnit = MakeCombo({u"kg"_s, u"lb"_s}, u"Mass unit"_s);
    m_pMass = AddField(pForm, u"&Mass"_s, u"Mass"_s, m_pMassUnit);
    m_pCd = AddField(pForm, u"&Drag coefficient (Cd)"_s, u"Drag coefficient"_s);
    m_pAreaUnit = MakeCombo({u"m²"_s, u"ft²"_s}, u"Area unit"_s);
    m_pFrontalArea = AddField(pForm, u"&Frontal area"_s, u"Frontal area"_s, m_pAreaUnit);
    m_pCdAUnit = new QLabel;
    m_pCdA = AddField(pForm, u"Drag &area (CdA)"_s, u"Drag area"_s, m_pCdAUnit);
    m_pCdA->setPlaceholderText(u"none: Cd × frontal area"_s);
    m_pRolling = AddField(pForm, u"&Rolling resistance"_s, u"Rolling resistance coefficient"_s);
    m_pEfficiency = AddField(pForm, u"Drivetrain efficienc&y"_s, u"Drivetrain efficiency"_s);
    m_pAirDensity = AddField(pForm, u"Air density (&kg/m³)"_s, u"Air density in kg/m³"_s);
    m_pGrade = AddField(pForm, u"&Grade (%)"_s, u"Road grade in percent"_s);
}

QWidget* CPerformanceWindow::MakeResults()
{
    auto* pPanel = new QWidget;
    auto* pLayout = new QVBoxLayout(pPanel);
    pLayout->setContentsMargins(0, 0, 0, 0);
    auto* pUnits = new QHBoxLayout;
    m_pForceUnit = MakeCombo({u"N"_s, u"lbf"_s}, u"Force unit"_s);
    m_pSpeedUnit = MakeCombo({u"km/h"_s, u"MPH"_s}, u"Speed unit"_s);
    auto* pUnitsLabel = new QLabel(u"Results in &units"_s);
    pUnitsLabel->setBuddy(m_pForceUnit);
    pUnits->addWidget(pUnitsLabel);
    pUnits->addWidget(m_pForceUnit);
    pUnits->addWidget(m_pSpeedUnit);
    pUnits->addStretch();
    pLayout->addLayout(pUnits);

    m_pMessage = new QLabel;
    m_pMessage->setWordWrap(true);
    m_pMessage->setAccessibleName(u"Problems"_s);
    pLayout->addWidget(m_pMessage);
    m_pChart = new CPlotWidget(pPanel);
    m_pChart->setAccessibleName(u"Wheel force chart"_s);
    m_pChart->setMinimumSize(360, 220);
    pLayout->addWidget(m_pChart, 3);
    m_pTopSpeed = new QLabel;
    m_pTopSpeed->setAccessibleName(u"Top speed"_s);
    QFont bold = m_pTopSpeed->font();
    bold.setBold(true);
    m_pTopSpeed->setFont(bold);
    pLayout->addWidget(m_pTopSpeed);
    m_pResultModel = new CTextTable({}, false, this);
    m_pResults = MakeTable(m_pResultModel, u"Results per gear"_s);
    m_pResults->horizontalHeader()->setStretchLastSection(false);
    pLayout->addWidget(m_pResults, 2);
    auto* pNote = new QLabel(ToQString(kTrueCircumferenceNote));
    pNote->setWordWrap(true);
    pLayout->addWidget(pNote);
    return pPanel;
}

void CPerformanceWindow::SetTabOrder()
{
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

PerformanceUnits CPerformanceWindow::Units() const
{
    return {m_pForceUnit->currentIndex() == 1 ? ForceUnit::PoundsForce : ForceUnit::Newtons,
            m_pSpeedUnit->currentIndex() == 1 ? SpeedUnit::MilesPerHour : SpeedUnit::KilometresPerHour};
}

Vehicle CPerformanceWindow::FormVehicle() const
{
    Vehicle vehicle;
    vehicle.strName = m_pName->text().trimmed().toStdString();
    Gearbox& gearbox = vehicle.gearbox;
    for (const QStringList& row : m_pGearModel->GetRows()) {
        gearbox.forward.push_back(Number(row[0]));
        if (m_pPerGear->isChecked())
            gearbox.finalDrives.push_back(Number(row[1]));
    }
    gearbox.reverse = OptionalNumber(m_pReverse->text());
    if (!m_pPerGear->isChecked())
        gearbox.finalDrives = {Number(m_pFinalDrive->text())};

    vehicle.tire.kind = static_cast<TireKind>(m_pTireKind->currentIndex());
    if (vehicle.tire.kind == TireKind::Size)
        vehicle.tire.strSize = m_pTire->text().trimmed().toStdString();
    else
        vehicle.tire.value = Number(m_pTire->text());

    vehicle.engine.redlineRpm = Number(m_pRedline->text());
    vehicle.engine.torque.unit = static_cast<TorqueUnit>(m_pTorqueUnit->currentIndex());
    for (const QStringList& row : m_pTorqueModel->GetRows())
        vehicle.engine.torque.points.push_back({Number(row[0]), Number(row[1])});

    RoadLoad& road = vehicle.road;
    road.mass = Number(m_pMass->text());
    road.massUnit = m_pMassUnit->currentIndex() == 1 ? MassUnit::Pounds : MassUnit::Kilograms;
    road.cdA = OptionalNumber(m_pCdA->text());
    if (!road.cdA) {
        road.cd = Number(m_pCd->text());
        road.frontalArea = Number(m_pFrontalArea->text());
    }
    road.areaUnit = m_pAreaUnit->currentIndex() == 1 ? AreaUnit::SquareFeet : AreaUnit::SquareMetres;
    road.rollingResistance = Number(m_pRolling->text());
    road.efficiency = Number(m_pEfficiency->text());
    road.airDensity = Number(m_pAirDensity->text());
    road.gradePercent = Number(m_pGrade->text());
    return vehicle;
}

void CPerformanceWindow::LoadVehicle(const Vehicle& vehicle)
{
    m_bLoading = true;
    m_pName->setText(ToQString(vehicle.strName));
    LoadGearbox(vehicle.gearbox);
    LoadTire(vehicle.tire);
    m_pRedline->setText(vehicle.engine.redlineRpm > 0 ? Text(vehicle.engine.redlineRpm) : QString());
    LoadTorque(vehicle.engine.torque);
    const RoadLoad& road = vehicle.road;
    // A vehicle without a mass is one still to be entered: its drag, too, is left blank.
    const bool bNew = !(road.mass > 0);
    m_pMass->setText(bNew ? QString() : Text(road.mass));
    m_pMassUnit->setCurrentIndex(road.massUnit == MassUnit::Pounds ? 1 : 0);
    m_pCd->setText(bNew || road.cdA ? QString() : Text(road.cd));
    m_pFrontalArea->setText(bNew || road.cdA ? QString() : Text(road.frontalArea));
    m_pAreaUnit->setCurrentIndex(road.areaUnit == AreaUnit::SquareFeet ? 1 : 0);
    m_pCdA->setText(road.cdA ? Text(*road.cdA) : QString());
    m_pRolling->setText(Text(road.rollingResistance));
    m_pEfficiency->setText(Text(road.efficiency));
    m_pAirDensity->setText(Text(road.airDensity));
    m_pGrade->setText(Text(road.gradePercent));
    m_bLoading = false;
    Recompute();
}

void CPerformanceWindow::LoadGearbox(const Gearbox& gearbox)
{
    const bool bLoading = std::exchange(m_bLoading, true);
    // Without a final drive (a preset whose source gives none), the form keeps its one final drive.
    const bool bPerGear = gearbox.finalDrives.size() > 1;
    if (gearbox.finalDrives.size() == 1)
        m_pFinalDrive->setText(Text(gearbox.finalDrives.front()));
    m_pPerGear->setChecked(bPerGear);
    CTextTable::Rows rows;
    for (std::size_t i = 0; i < gearbox.forward.size(); ++i)
        rows.push_back({Text(gearbox.forward[i]), bPerGear ? Text(gearbox.finalDrives[i]) : QString()});
    m_pGearModel->SetRows(std::move(rows));
    m_pReverse->setText(gearbox.reverse ? Text(*gearbox.reverse) : QString());
    m_bLoading = bLoading;
}

void CPerformanceWindow::LoadTire(const Tire& tire)
{
    const bool bLoading = std::exchange(m_bLoading, true);
    m_pTireKind->setCurrentIndex(static_cast<int>(tire.kind));
    m_pTire->setText(tire.kind == TireKind::Size ? ToQString(tire.strSize)
                                                 : (tire.value > 0 ? Text(tire.value) : QString()));
    m_bLoading = bLoading;
}

void CPerformanceWindow::LoadTorque(const TorqueCurve& curve)
{
    const bool bLoading = std::exchange(m_bLoading, true);
    m_pTorqueUnit->setCurrentIndex(static_cast<int>(curve.unit));
    CTextTable::Rows rows;
    for (const TorquePoint& point : curve.points)
        rows.push_back({Text(point.rpm), Text(point.value)});
    m_pTorqueModel->SetRows(std::move(rows));
    m_bLoading = bLoading;
}

void CPerformanceWindow::Recompute()
{
    const Vehicle vehicle = FormVehicle();
    const std::vector<VehicleProblem> problems = ValidateVehicle(vehicle);
    ShowProblems(problems);
    m_model = CPerformanceModel::Build(vehicle);
    m_analysis = m_model ? std::optional(m_model->Analyse()) : std::nullopt;

    const PerformanceUnits units = Units();
    QStringList headers;
    for (const std::string& header : PerformanceTableHeaders(units))
        headers << ToQString(header).replace(u' ', u'\n'); // narrow columns, each word a line
    m_pResultModel->SetHeaders(headers);
    CTextTable::Rows rows;
    QStringList gearNames;
    PlotData plot;
    if (m_analysis) {
        for (const std::vector<std::string>& cells : PerformanceTableRows(*m_analysis, units)) {
            QStringList row;
            for (const std::string& cell : cells)
                row << ToQString(cell);
            rows.push_back(std::move(row));
            gearNames << ToQString(GearOrdinal(static_cast<int>(gearNames.size()) + 1));
        }
        m_pTopSpeed->setText(ToQString(DescribeTopSpeed(*m_analysis, units)));
        plot = MakeForceChart(*m_model, *m_analysis, units);
    } else {
        m_pTopSpeed->setText(u"Top speed: none until the vehicle is complete."_s);
        plot.emptyText = "No figures until the vehicle is complete";
        plot.description = plot.emptyText;
    }
    const bool bNewShape = rows.size() != m_pResultModel->GetRows().size();
    m_pResultModel->SetRowNames(gearNames);
    m_pResultModel->SetRows(std::move(rows));
    if (bNewShape)
        m_pResults->resizeColumnsToContents();
    m_pChart->SetData(std::move(plot));
    UpdateButtons();
}

void CPerformanceWindow::ShowProblems(const std::vector<VehicleProblem>& problems)
{
    std::map<QWidget*, QString> fieldProblems; // the first of each field
    CTextTable::Problems gearCells;
    CTextTable::Problems torqueCells;
    const bool bPerGear = m_pPerGear->isChecked();
    for (const VehicleProblem& problem : problems) {
        const QString text = ToQString(problem.Text());
        const int nIndex = problem.nIndex;
        QWidget* pField = nullptr;
        switch (problem.field) {
        case VehicleField::Forward:
            if (nIndex >= 0)
                gearCells.try_emplace({nIndex, 0}, text);
            pField = m_pGears;
            break;
        case VehicleField::FinalDrive:
            if (bPerGear && nIndex >= 0)
                gearCells.try_emplace({nIndex, 1}, text);
            pField = bPerGear ? static_cast<QWidget*>(m_pGears) : m_pFinalDrive;
            break;
        case VehicleField::TorqueRpm:
        case VehicleField::TorqueValue:
            torqueCells.try_emplace({nIndex, problem.field == VehicleField::TorqueRpm ? 0 : 1}, text);
            pField = m_pTorque;
            break;
        case VehicleField::Torque:
            pField = m_pTorque;
            break;
        case VehicleField::Reverse:
            pField = m_pReverse;
            break;
        case VehicleField::Tire:
            pField = m_pTire;
            break;
        case VehicleField::Redline:
            pField = m_pRedline;
            break;
        case VehicleField::Mass:
            pField = m_pMass;
            break;
        case VehicleField::DragCoefficient:
            pField = m_pCd;
            break;
        case VehicleField::FrontalArea:
            pField = m_pFrontalArea;
            break;
        case VehicleField::DragArea:
            pField = m_pCdA;
            break;
        case VehicleField::RollingResistance:
            pField = m_pRolling;
            break;
        case VehicleField::Efficiency:
            pField = m_pEfficiency;
            break;
        case VehicleField::AirDensity:
            pField = m_pAirDensity;
            break;
        case VehicleField::Grade:
            pField = m_pGrade;
            break;
        }
        fieldProblems.try_emplace(pField, text);
    }
    for (QWidget* pField : m_fields)
        platform::MarkField(pField, fieldProblems.contains(pField) ? fieldProblems[pField] : QString());
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_pGearModel->SetProblems(std::move(gearCells), warning);
    m_pTorqueModel->SetProblems(std::move(torqueCells), warning);

    QStringList lines;
    for (std::size_t i = 0; i < problems.size() && i < kMaxProblemLines; ++i)
        lines << ToQString(problems[i].Text());
    if (problems.size() > kMaxProblemLines)
        lines << u"…and %1 more."_s.arg(problems.size() - kMaxProblemLines);
    m_pMessage->setText(lines.join(u'\n'));
    m_pMessage->setVisible(!problems.empty());
}

void CPerformanceWindow::UpdateButtons()
{
    const int nGears = m_pGearModel->rowCount();
    const int nPoints = m_pTorqueModel->rowCount();
    m_pAddGear->setEnabled(nGears < static_cast<int>(kMaxForwardGears));
    m_pRemoveGear->setEnabled(nGears > 0);
    m_pAddPoint->setEnabled(nPoints < static_cast<int>(kMaxTorquePoints));
    m_pRemovePoint->setEnabled(nPoints > 0);
    m_pGears->setColumnHidden(1, !m_pPerGear->isChecked());
    m_pFinalDrive->setEnabled(!m_pPerGear->isChecked());
    m_pCd->setEnabled(m_pCdA->text().trimmed().isEmpty());
    m_pFrontalArea->setEnabled(m_pCdA->text().trimmed().isEmpty());
    m_pCdAUnit->setText(m_pAreaUnit->currentText());
    QStringList gearNames;
    for (int nGear = 1; nGear <= nGears; ++nGear)
        gearNames << ToQString(GearOrdinal(nGear));
    m_pGearModel->SetRowNames(gearNames);
    // A file the program could not read again, or a chart of nothing, is not offered.
    m_pSave->setEnabled(m_model.has_value());
    m_pExport->setEnabled(m_analysis.has_value());
}

void CPerformanceWindow::OnEdited()
{
    if (!m_bLoading)
        Recompute();
}

void CPerformanceWindow::OnGearboxEdited()
{
    // The gearbox is the user's own now, no longer the preset picked.
    m_pPreset->setCurrentIndex(0);
    m_pPresetSource->clear();
    m_pPresetSource->hide();
    OnEdited();
}

void CPerformanceWindow::OnFromCalculator()
{
    const Vehicle before = FormVehicle();
    const Vehicle filled = m_fromCalculator(before);
    m_bLoading = true;
    LoadGearbox(filled.gearbox);
    LoadTire(filled.tire);
    // Only what the calculator gave: the form's other texts stay as typed, numbers or not.
    if (filled.engine.redlineRpm != before.engine.redlineRpm && !std::isnan(filled.engine.redlineRpm))
        m_pRedline->setText(Text(filled.engine.redlineRpm));
    m_bLoading = false;
    OnGearboxEdited();
}

void CPerformanceWindow::OnPreset(int nIndex)
{
    if (nIndex < 1 || nIndex > static_cast<int>(m_presets.size()))
        return;
    const GearboxPreset& preset = m_presets[static_cast<std::size_t>(nIndex - 1)];
    const QString strOwnFinalDrive = m_strOwnFinalDrive;
    m_bLoading = true;
    LoadGearbox(preset.gearbox);
    if (preset.gearbox.finalDrives.empty())
        m_pFinalDrive->setText(strOwnFinalDrive);
    m_bLoading = false;
    m_strOwnFinalDrive = strOwnFinalDrive;
    m_pPresetSource->setText(u"Source: "_s + ToQString(preset.strSource));
    m_pPresetSource->show();
    Recompute();
}

void CPerformanceWindow::OnAddGear()
{
    const int nRow = m_pGearModel->rowCount();
    m_pGearModel->InsertRow(nRow, {QString(), m_pFinalDrive->text()});
    m_pGears->setFocus();
    m_pGears->setCurrentIndex(m_pGearModel->index(nRow, 0));
    OnGearboxEdited();
}

void CPerformanceWindow::OnRemoveGear()
{
    const QModelIndex current = m_pGears->currentIndex();
    m_pGearModel->RemoveRow(current.isValid() ? current.row() : m_pGearModel->rowCount() - 1);
    OnGearboxEdited();
}

void CPerformanceWindow::OnPerGear()
{
    // Each gear starts with the one final drive.
    if (m_pPerGear->isChecked() && !m_bLoading) {
        CTextTable::Rows rows = m_pGearModel->GetRows();
        for (QStringList& row : rows) {
            if (row[1].isEmpty())
                row[1] = m_pFinalDrive->text();
        }
        m_pGearModel->SetRows(std::move(rows));
    }
    OnEdited();
}

void CPerformanceWindow::OnAddPoint()
{
    const QModelIndex current = m_pTorque->currentIndex();
    const int nRow = current.isValid() ? current.row() + 1 : m_pTorqueModel->rowCount();
    m_pTorqueModel->InsertRow(nRow, {QString(), QString()});
    m_pTorque->setFocus();
    m_pTorque->setCurrentIndex(m_pTorqueModel->index(nRow, 0));
    OnEdited();
}

void CPerformanceWindow::OnRemovePoint()
{
    const QModelIndex current = m_pTorque->currentIndex();
    m_pTorqueModel->RemoveRow(current.isValid() ? current.row() : m_pTorqueModel->rowCount() - 1);
    OnEdited();
}

void CPerformanceWindow::OnTorqueUnit()
{
    const auto unit = static_cast<TorqueUnit>(m_pTorqueUnit->currentIndex());
    m_pTorqueModel->SetHeaders(
        {u"RPM"_s, (IsPowerUnit(unit) ? u"Power (%1)"_s : u"Torque (%1)"_s).arg(m_pTorqueUnit->currentText())});
}

void CPerformanceWindow::OnImportTorque()
{
    const std::optional<std::string> path =
        platform::GetOpenFileName(&m_handle, FileOptions("torque.csv", {{"Torque curve (CSV)", "csv"}}));
    if (!path)
        return;
    const ReadOutcome<TorqueCurve> read = ReadTorqueCsv(*path);
    if (!read.value) {
        platform::MessageBox(&m_handle, read.strError, kErrorCaption, MB_OK);
        return;
    }
    m_bLoading = true;
    LoadTorque(*read.value);
    m_bLoading = false;
    Recompute();
}

FileDialogOptions CPerformanceWindow::FileOptions(std::string_view strName, std::vector<FileFilter> filters) const
{
    // The last vehicle file itself for a vehicle, another file beside it.
    const std::string strLast = QFile::encodeName(platform::ProgramSettings().value(kFileKey).toString()).toStdString();
    FileDialogOptions options;
    if (strLast.empty())
        options.strFileName = std::string(strName);
    else if (strName.ends_with(kVehicleFileExtension))
        options.strFileName = strLast;
    else
        options.strFileName = strLast.substr(0, strLast.rfind('/') + 1) + std::string(strName);
    options.filters = std::move(filters);
    return options;
}

void CPerformanceWindow::RememberFile(const std::string& strPath)
{
    platform::ProgramSettings().setValue(kFileKey, QFile::decodeName(QByteArray::fromStdString(strPath)));
}

void CPerformanceWindow::OnOpen()
{
    const std::optional<std::string> path =
        platform::GetOpenFileName(&m_handle, FileOptions("vehicle.rgvehicle", {{"Ratiograph vehicle", "rgvehicle"}}));
    if (path)
        OpenFile(*path);
}

void CPerformanceWindow::OpenFile(const std::string& strPath)
{
    const ReadOutcome<Vehicle> read = ReadVehicleFile(strPath);
    if (!read.value) {
        platform::MessageBox(&m_handle, read.strError, kErrorCaption, MB_OK);
        return;
    }
    LoadVehicle(*read.value);
    RememberFile(strPath);
}

void CPerformanceWindow::OnSave()
{
    const std::optional<std::string> path =
        platform::GetSaveFileName(&m_handle, FileOptions("vehicle.rgvehicle", {{"Ratiograph vehicle", "rgvehicle"}}));
    if (!path)
        return;
    if (const FileWriteResult result = SaveVehicleFile(*path, FormVehicle()); !result) {
        platform::MessageBox(&m_handle, "Error saving " + *path + ": " + result.Reason(), kErrorCaption, MB_OK);
        return;
    }
    RememberFile(*path);
}

void CPerformanceWindow::OnExport()
{
    if (!m_analysis)
        return;
    FileDialogOptions options = FileOptions("performance.pdf", {});
    for (const ReportFormat format : {ReportFormat::Pdf, ReportFormat::Csv, ReportFormat::Png, ReportFormat::Svg,
                                      ReportFormat::Json, ReportFormat::Text})
        options.filters.push_back({std::string(ReportFormatName(format)), std::string(ReportFormatExtension(format))});
    const std::optional<std::string> path = platform::GetSaveFileName(&m_handle, options);
    if (!path)
        return;
    // The dialog gives every name one of the offered extensions.
    const ReportFormat format = ReportFormatOfPath(*path).value_or(ReportFormat::Pdf);
    const ReportDocument document = BuildPerformanceReport(*m_analysis, m_pName->text().trimmed().toStdString());
    // The page's chart in the report's units, as its table is; an image is the chart the window shows.
    const PlotData chart =
        MakeForceChart(*m_model, *m_analysis, format == ReportFormat::Pdf ? PerformanceUnits{} : Units());
    const std::string bytes = RenderReportFile(format, document, chart);
    const FileWriteResult result = bytes.empty() ? FileWriteResult{} : WriteFileAtomically(*path, bytes);
    if (bytes.empty() || !result) {
        const std::string strReason = bytes.empty() ? "the drawing failed" : result.Reason();
        platform::MessageBox(&m_handle, "Error saving " + *path + ": " + strReason, kErrorCaption, MB_OK);
    }
}

} // namespace

void ShowPerformanceWindow(HWND hOwner, VehicleFromCalculator fromCalculator, const std::string& strVehicleFile)
{
    // One window per owner; the one without an owner is kept here.
    static QPointer<QWidget> s_pAlone;
    QWidget* pOwner = platform::WidgetOf(hOwner);
    QWidget* pWindow =
        pOwner != nullptr ? pOwner->findChild<QWidget*>(kObjectName, Qt::FindDirectChildrenOnly) : s_pAlone.data();
    if (pWindow == nullptr) {
        pWindow = new CPerformanceWindow(pOwner, std::move(fromCalculator));
        if (pOwner == nullptr)
            s_pAlone = pWindow;
    }
    pWindow->show();
    pWindow->raise();
    pWindow->activateWindow();
    if (!strVehicleFile.empty())
        static_cast<CPerformanceWindow*>(pWindow)->OpenFile(strVehicleFile);
}
