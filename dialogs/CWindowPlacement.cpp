#include "dialogs/CWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CWindowPlacement::CentreOnScreen(QWidget* pWindow) {
    const QWidget* pOwner = pWindow->parentWidget();
    const QScreen* pScreen = pOwner ? pOwner->screen() : QGuiApplication::primaryScreen();
    if (!pScreen)
        return;
    const QRect area = pScreen->availableGeometry();
    const QSize outer = pWindow->frameGeometry().size();
    pWindow->move(area.x() + (area.width() - outer.width()) / 2,
                  area.y() + (area.height() - outer.height()) / 2);
}
