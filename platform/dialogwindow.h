#pragma once

// The Qt side of a dialog: a QDialog built from a template, its controls, and the handles that stand for them.
// Private to platform/.

#include <memory>
#include <unordered_map>
#include <vector>

#include <QDialog>
#include <QPointer>

#include "platform/window.h"

class CDialogWindow;

// What a handle stands for: a dialog or one of its controls.
class CWindowHandle
{
public:
    QPointer<QWidget> m_pWidget;
    CDialogWindow* m_pDialog = nullptr;          // the dialog itself, or the dialog the control belongs to
    const ControlTemplate* m_pControl = nullptr; // null for the dialog
};

class CDialogWindow final : public QDialog
{
public:
    CDialogWindow(const DialogTemplate& dialogTemplate, HWND hOwner, CWindowSink* pSink);

    HWND FindControl(int nId) const;
    void Dispatch(int nId, int nCode, HWND hControl);
    // Escape and the close box reach here through QDialog. Whether the dialog ends is the dialog's own decision
    // (its Cancel command), not QDialog's.
    void reject() override;

    CWindowHandle m_handle;
    const DialogTemplate& m_template;
    HWND m_hOwner;
    CWindowSink* m_pSink;
    std::vector<std::unique_ptr<CWindowHandle>> m_controls;
    // The first control of each id: a keystroke looks up dozens of them.
    std::unordered_map<int, HWND> m_controlsById;
    bool m_bInLoop = false; // RunModalLoop runs, and nothing has ended the dialog yet
    bool m_bExtended = false;

    // Fonts, sizes and places from the template, for the dialog with or without its extension.
    void LayOut(bool bExtended);
    // Moves the window, frame and all, back onto its screen's available area where it reaches past it.
    void KeepOnScreen();
    // Placed before the window system makes a window for it (so that nothing moves it before its frame is there),
    // and again once the window manager has framed it.
    void setVisible(bool bVisible) override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QWidget* CreateControl(const ControlTemplate& control, CWindowHandle* pHandle);
    bool IsInExtension(const ControlTemplate& control) const;
    QMargins FrameMargins() const;
    // Centred, frame included, over the owner or on the screen, and wholly on the screen.
    void Place();
    void MoveTo(const QRect& geometry);

    bool m_bPlacing = false; // shown, and not moved by the user yet
    bool m_bFramed = false;  // the window manager has framed and shown the window
    QPoint m_placed;         // where Place or KeepOnScreen last put the window's own area
};
