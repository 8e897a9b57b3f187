#pragma once

#include "ui/exchange/dialog.h"

// Works out a tire's outside diameter from its metric size (P width / aspect R rim) and hands it to the caller
// when the user confirms with OK. The diameter is the one the dialog shows, one decimal, "N/A" counting as 0.
class CTireSizeDlg : public CDialog
{
public:
    // pDiameter receives the diameter only when OK closes the dialog.
    explicit CTireSizeDlg(float* pDiameter);

    void ExchangeFields(CFormExchange& fx) override;
    bool OnDialogInit() override;
    void OnOkCommand() override;

    void RecalcDiameter();
    void OnChangeTireInput();
    void OnSampleTire();

protected:
    bool OnCommand(int nId, int nCode) override;

private:
    CEdit m_editResult;
    int m_nWidth = 0;
    int m_nAspect = 0;
    float m_fRim = 0.0F;
    float* m_pDiameter;
};
