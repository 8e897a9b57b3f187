#pragma once

// Finding the controls of a window of plain Qt Widgets as a screen reader does, by name, and reading its tables.

#include <ostream>
#include <stdexcept>

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QString>
#include <QTableView>
#include <QWidget>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* pStream)
{
    *pStream << '"' << text.toStdString() << '"';
}

// The child whose accessible name, or a button's text, is name.
template<class TWidget = QWidget>
TWidget* Named(QWidget* pWindow, const QString& name)
{
    for (TWidget* pWidget : pWindow->findChildren<TWidget*>()) {
        if (pWidget->accessibleName() == name || (qobject_cast<QAbstractButton*>(pWidget) != nullptr &&
                                                  qobject_cast<QAbstractButton*>(pWidget)->text() == name))
            return pWidget;
    }
    throw std::runtime_error("no " + name.toStdString());
}

inline QString Cell(QWidget* pWindow, const QString& table, int nRow, int nColumn, int nRole = Qt::DisplayRole)
{
    const QAbstractItemModel* pModel = Named<QTableView>(pWindow, table)->model();
    return pModel->data(pModel->index(nRow, nColumn), nRole).toString();
}
