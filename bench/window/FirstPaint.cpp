// Linked into a window program, ends it as soon as its main window has been
// painted for the first time and prints how long that took from the start
// of main() and the window's size, so that the whole process's time is the
// time to first paint.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

QElapsedTimer& Clock() {
    static QElapsedTimer clock;
    return clock;
}

// Started before main() runs, with the other static objects.
const bool bStarted = (Clock().start(), true);

class CFirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override {
        auto* pWidget = qobject_cast<QWidget*>(pObject);
        if (!m_bSeen && pEvent->type() == QEvent::Paint && pWidget &&
            qobject_cast<QMainWindow*>(pWidget->window())) {
            m_bSeen = true;
            // Once the whole window is painted and put on the screen.
            const QSize size = pWidget->window()->size();
            QTimer::singleShot(0, [size] {
                std::printf("first_paint_ms %.1f window %d %d\n",
                            static_cast<double>(Clock().nsecsElapsed()) / 1e6, size.width(),
                            size.height());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_bSeen = false;
};

// Runs in every QCoreApplication constructor; only the one with widgets is watched.
void Watch() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QCoreApplication::instance()->installEventFilter(
            new CFirstPaint(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Watch)
