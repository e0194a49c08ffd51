#include "widgets/CAccessibleName.h"

#include <QWidget>

QString CAccessibleName::FromCaption(const QString& sCaption) {
    QString sName;
    sName.reserve(sCaption.size());
    for (qsizetype i = 0; i < sCaption.size(); ++i) {
        // "&x" marks x as the access key; "&&" stands for one "&".
        if (sCaption[i] == QLatin1Char('&') && i + 1 < sCaption.size())
            ++i;
        sName += sCaption[i];
    }
    sName = sName.trimmed();
    if (sName.endsWith(QLatin1Char(':')))
        sName.chop(1);
    return sName.trimmed();
}

void CAccessibleName::Set(QWidget* pWidget, const QString& sCaption) {
    pWidget->setAccessibleName(FromCaption(sCaption));
}
