#pragma once

// The tables of the Performance window as a model of texts: the gearbox and the torque curve the user edits, the
// figures per gear the window shows. Cells hold what the user typed, so a text that is no number yet stays as
// typed and its problem shows beside it. Private to platform/performance/.

#include <functional>
#include <map>
#include <utility>

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

class CTextTable final : public QAbstractTableModel
{
public:
    using Rows = QList<QStringList>;

    CTextTable(QStringList headers, bool bEditable, QObject* pParent);

    // Called after the user changed a cell, not after the program did.
    void SetOnEdited(std::function<void()> onEdited) { m_onEdited = std::move(onEdited); }
    void SetHeaders(const QStringList& headers);
    // The rows' names in the vertical header: "1st", "2nd"... or "1", "2"...; numbers when none is given.
    void SetRowNames(QStringList names);
    // Changes only the cells that differ when the shape stays, so that a view repaints only those.
    void SetRows(Rows rows);
    const Rows& GetRows() const { return m_rows; }
    QString Cell(int nRow, int nColumn) const;
    void InsertRow(int nAt, QStringList cells);
    void RemoveRow(int nRow);
    // A problem per cell (row, column), shown with a warning sign and as the cell's description.
    using Problems = std::map<std::pair<int, int>, QString>;
    void SetProblems(Problems problems, QIcon warning);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int nRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int nRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation, int nRole) const override;

private:
    QStringList m_headers;
    QStringList m_rowNames;
    Rows m_rows;
    bool m_bEditable;
    Problems m_problems;
    QIcon m_warning;
    std::function<void()> m_onEdited;
};
