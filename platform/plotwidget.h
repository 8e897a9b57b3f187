#pragma once

#include <QWidget>

#include "platform/plot.h"

// The plot control behind ControlKind::Plot.
class CPlotWidget final : public QWidget
{
public:
    explicit CPlotWidget(QWidget* pParent);

    void SetData(PlotData data);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    PlotData m_data;
};
