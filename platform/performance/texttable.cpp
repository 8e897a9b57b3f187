#include "platform/performance/texttable.h"

#include <algorithm>

CTextTable::CTextTable(QStringList headers, bool bEditable, QObject* pParent)
    : QAbstractTableModel(pParent), m_headers(std::move(headers)), m_bEditable(bEditable)
{}

void CTextTable::SetHeaders(const QStringList& headers)
{
    if (headers == m_headers)
        return;
    m_headers = headers;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, static_cast<int>(m_headers.size()) - 1);
}

void CTextTable::SetRowNames(QStringList names)
{
    if (names == m_rowNames)
        return;
    m_rowNames = std::move(names);
    if (!m_rows.isEmpty())
        Q_EMIT headerDataChanged(Qt::Vertical, 0, static_cast<int>(m_rows.size()) - 1);
}

void CTextTable::SetRows(Rows rows)
{
    const auto sameShape = [&] {
        return rows.size() == m_rows.size() &&
               std::equal(rows.begin(), rows.end(), m_rows.begin(),
                          [](const QStringList& a, const QStringList& b) { return a.size() == b.size(); });
    };
    if (!sameShape()) {
        beginResetModel();
        m_rows = std::move(rows);
        m_problems.clear();
        endResetModel();
        return;
    }
    for (int nRow = 0; nRow < rows.size(); ++nRow) {
        for (int nColumn = 0; nColumn < rows[nRow].size(); ++nColumn) {
            if (rows[nRow][nColumn] == m_rows[nRow][nColumn])
                continue;
            m_rows[nRow][nColumn] = rows[nRow][nColumn];
            Q_EMIT dataChanged(index(nRow, nColumn), index(nRow, nColumn), {Qt::DisplayRole, Qt::EditRole});
        }
    }
}

QString CTextTable::Cell(int nRow, int nColumn) const
{
    return nRow < m_rows.size() && nColumn < m_rows[nRow].size() ? m_rows[nRow][nColumn] : QString();
}

void CTextTable::InsertRow(int nAt, QStringList cells)
{
    beginInsertRows({}, nAt, nAt);
    m_rows.insert(nAt, std::move(cells));
    endInsertRows();
}

void CTextTable::RemoveRow(int nRow)
{
    beginRemoveRows({}, nRow, nRow);
    m_rows.removeAt(nRow);
    endRemoveRows();
}

void CTextTable::SetProblems(Problems problems, QIcon warning)
{
    m_warning = std::move(warning);
    std::swap(m_problems, problems);
    // The cells that had a problem or have one now.
    for (const Problems* pProblems : {&problems, &m_problems}) {
        for (const auto& [cell, text] : *pProblems) {
            const QModelIndex at = index(cell.first, cell.second);
            if (at.isValid())
                Q_EMIT dataChanged(at, at, {Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
        }
    }
}

int CTextTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CTextTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant CTextTable::data(const QModelIndex& index, int nRole) const
{
    if (!index.isValid())
        return {};
    const auto problem = m_problems.find({index.row(), index.column()});
    switch (nRole) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::DecorationRole:
        return problem != m_problems.end() ? QVariant(m_warning) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return problem != m_problems.end() ? QVariant(problem->second) : QVariant();
    default:
        return {};
    }
}

bool CTextTable::setData(const QModelIndex& index, const QVariant& value, int nRole)
{
    if (!m_bEditable || !index.isValid() || nRole != Qt::EditRole || index.column() >= m_rows[index.row()].size())
        return false;
    const QString text = value.toString().trimmed();
    if (text != m_rows[index.row()][index.column()]) {
        m_rows[index.row()][index.column()] = text;
        Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        if (m_onEdited)
            m_onEdited();
    }
    return true;
}

Qt::ItemFlags CTextTable::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return m_bEditable ? base | Qt::ItemIsEditable : base;
}

QVariant CTextTable::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (nRole != Qt::DisplayRole)
        return QAbstractTableModel::headerData(nSection, orientation, nRole);
    if (orientation == Qt::Horizontal)
        return nSection < m_headers.size() ? m_headers[nSection] : QString();
    return nSection < m_rowNames.size() ? m_rowNames[nSection] : QString::number(nSection + 1);
}
