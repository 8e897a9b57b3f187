#pragma once

#include "report/reportformat.h"
#include "ui/exchange/dialog.h"

// Asks for a chart image's width and height in pixels, each within kImagePixelsMin and kImagePixelsMax, and hands
// them to the caller when the user confirms with OK.
class CChartSizeDlg : public CDialog
{
public:
    // pSize gives the size the fields start with and receives the one typed, only when OK closes the dialog.
    explicit CChartSizeDlg(ImageSize* pSize, CWnd* pParentWnd = nullptr);

    void ExchangeFields(CFormExchange& fx) override;
    void OnOkCommand() override;

private:
    int m_nWidth;
    int m_nHeight;
    ImageSize* m_pSize;
};
