#pragma once

// Ends a program the moment its first window has been painted, so that a run from launch to exit times the
// start-up to the first window and nothing after it. Both start-up programs use it, the calculator and a bare Qt
// dialog, so the two are timed alike.

#include <cstdlib>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

class CFirstWindowWatch final : public QObject
{
public:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        const auto* pWidget = qobject_cast<const QWidget*>(pObject);
        if (pEvent->type() == QEvent::Paint && pWidget != nullptr && pWidget->isWindow()) {
            // After this paint has reached the window system.
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }
};

// Installed when the application object is made, before anything is shown.
inline void ExitOnFirstWindow()
{
    qAddPreRoutine([] { qApp->installEventFilter(new CFirstWindowWatch); });
}
