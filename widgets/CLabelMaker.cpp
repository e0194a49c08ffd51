#include "widgets/CLabelMaker.h"

#include <QLabel>

QLabel* CLabelMaker::Make(const QString& sName, const QString& sText, QWidget* pParent) {
    auto* pLabel = new QLabel(sText, pParent);
    pLabel->setObjectName(sName);
    pLabel->setTextFormat(Qt::PlainText);
    return pLabel;
}
