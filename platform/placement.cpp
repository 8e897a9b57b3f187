#include <algorithm>

#include <QScreen>
#include <QWidget>

#include "platform/widgetaccess.h"

void platform::PlaceBeside(QWidget* pWindow, const QWidget* pOwner)
{
    const QScreen* pScreen = pOwner != nullptr ? pOwner->screen() : pWindow->screen();
    if (pScreen == nullptr)
        return;
    constexpr int kFrame = 32; // a title bar's guess, before the window manager has framed the window
    const QRect area = pScreen->availableGeometry();
    // Room around it on a small screen, so that the window manager keeps it an ordinary window with its frame.
    pWindow->resize(pWindow->size().boundedTo(area.size() * 0.9 - QSize(0, kFrame)));
    QRect frame(QPoint(), pWindow->size() + QSize(0, kFrame));
    frame.moveCenter(area.center());
    if (pOwner != nullptr) {
        const QRect owner = pOwner->frameGeometry();
        if (owner.right() + frame.width() < area.right())
            frame.moveTopLeft({owner.right() + 1, owner.top()});
        else if (owner.left() - frame.width() > area.left())
            frame.moveTopRight({owner.left() - 1, owner.top()});
    }
    frame.moveBottom(std::min(frame.bottom(), area.bottom()));
    frame.moveTop(std::max(frame.top(), area.top()));
    pWindow->move(frame.topLeft());
}
