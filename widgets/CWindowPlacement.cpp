#include "widgets/CWindowPlacement.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QMargins>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {
const QScreen* ScreenOf(const QWidget* pWindow) {
    const QWidget* pOwner = pWindow->parentWidget();
    return pOwner ? pOwner->screen() : QGuiApplication::primaryScreen();
}

// The frame the window manager puts around the window. Before the window has
// been shown it is not known yet; for sizing, a title bar of about two lines
// of text is allowed for then.
QMargins FrameOf(const QWidget* pWindow) {
    const QRect frame = pWindow->frameGeometry();
    const QRect inner = pWindow->geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    if (!margins.isNull())
        return margins;
    const int iTitle = 2 * QFontMetrics(pWindow->font()).height();
    return QMargins(4, iTitle, 4, 4);
}

const char* const BroughtBackName = "CBroughtBack";

// Watches a window and undoes any minimising of it and of its owner.
class CBroughtBack : public QObject {
public:
    explicit CBroughtBack(QWidget* pWindow) : QObject(pWindow), m_pWindow(pWindow) {
        setObjectName(QString::fromLatin1(BroughtBackName));
        pWindow->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pWatched == m_pWindow && pEvent->type() == QEvent::WindowStateChange &&
            m_pWindow->isMinimized())
            QTimer::singleShot(0, m_pWindow, [pWindow = m_pWindow] { BringBack(pWindow); });
        return QObject::eventFilter(pWatched, pEvent);
    }

private:
    static void BringBack(QWidget* pWindow) {
        if (QWidget* pOwner = pWindow->parentWidget()) {
            QWidget* pOwnerWindow = pOwner->window();
            pOwnerWindow->setWindowState(pOwnerWindow->windowState() & ~Qt::WindowMinimized);
            pOwnerWindow->show();
        }
        pWindow->setWindowState(pWindow->windowState() & ~Qt::WindowMinimized);
        pWindow->show();
        pWindow->activateWindow();
    }

    QWidget* m_pWindow;
};
} // namespace

QPoint CWindowPlacement::CentredIn(const QRect& area, const QSize& outer) {
    const int iLeft = area.x() + (area.width() - outer.width()) / 2;
    const int iTop = area.y() + (area.height() - outer.height()) / 2;
    return QPoint(std::max(iLeft, area.x()), std::max(iTop, area.y()));
}

void CWindowPlacement::CentreOnScreen(QWidget* pWindow) {
    const QScreen* pScreen = ScreenOf(pWindow);
    if (!pScreen)
        return;
    // move() places the frame's corner of a window that has one.
    pWindow->move(CentredIn(pScreen->availableGeometry(), pWindow->frameGeometry().size()));
}

QSize CWindowPlacement::RoomFor(const QWidget* pWindow) {
    const QScreen* pScreen = ScreenOf(pWindow);
    if (!pScreen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return pScreen->availableGeometry().size().shrunkBy(FrameOf(pWindow));
}

void CWindowPlacement::FitOnScreen(QWidget* pWindow) {
    const QSize room = RoomFor(pWindow);
    const QSize wanted = pWindow->size();
    if (wanted.width() <= room.width() && wanted.height() <= room.height())
        return;
    const QSize least =
        pWindow->layout() ? pWindow->layout()->totalMinimumSize() : pWindow->minimumSizeHint();
    const QSize fitted = wanted.boundedTo(room).expandedTo(least);
    if (pWindow->minimumSize() == pWindow->maximumSize())
        pWindow->setFixedSize(fitted);
    else
        pWindow->resize(fitted);
}

void CWindowPlacement::KeepWithOwner(QWidget* pWindow) {
    Qt::WindowFlags flags = pWindow->windowFlags();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags &= ~(Qt::WindowMinMaxButtonsHint | Qt::WindowFullscreenButtonHint);
    pWindow->setWindowFlags(flags);
    // Some window managers (openbox among them) offer minimising whatever
    // the window asks for, and take the owner along; both come back at once.
    if (!pWindow->findChild<QObject*>(QString::fromLatin1(BroughtBackName),
                                      Qt::FindDirectChildrenOnly))
        new CBroughtBack(pWindow);
}
