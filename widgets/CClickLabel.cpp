#include "widgets/CClickLabel.h"

#include <QMouseEvent>

CClickLabel::CClickLabel(QWidget* pParent) : QLabel(pParent) {}

CClickLabel::CClickLabel(const QString& sText, QWidget* pParent) : QLabel(sText, pParent) {}

void CClickLabel::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        m_bPressed = true;
        pEvent->accept();
        return;
    }
    QLabel::mousePressEvent(pEvent);
}

void CClickLabel::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton && m_bPressed) {
        m_bPressed = false;
        pEvent->accept();
        // Releasing outside the label takes the click back.
        if (rect().contains(pEvent->position().toPoint()))
            Q_EMIT clicked();
        return;
    }
    QLabel::mouseReleaseEvent(pEvent);
}
