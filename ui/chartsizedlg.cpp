#include "ui/chartsizedlg.h"

#include "ui/exchange/formexchange.h"
#include "ui/resource.h"

CChartSizeDlg::CChartSizeDlg(ImageSize* pSize, CWnd* pParentWnd)
    : CDialog(IDD_CHART_SIZE, pParentWnd), m_nWidth(pSize->nWidth), m_nHeight(pSize->nHeight), m_pSize(pSize)
{}

void CChartSizeDlg::ExchangeFields(CFormExchange& fx)
{
    ExchangeInt(fx, IDC_CHART_WIDTH, m_nWidth);
    ValidateIntRange(fx, m_nWidth, kImagePixelsMin, kImagePixelsMax);
    ExchangeInt(fx, IDC_CHART_HEIGHT, m_nHeight);
    ValidateIntRange(fx, m_nHeight, kImagePixelsMin, kImagePixelsMax);
}

void CChartSizeDlg::OnOkCommand()
{
    // Cancel after a refused OK must leave the caller's size as it was.
    if (!ExchangeData(true))
        return;
    *m_pSize = {m_nWidth, m_nHeight};
    EndModal(IDOK);
}
