#include "widgets/CMessageBox.h"

#include "widgets/CProgram.h"
#include "widgets/CWindowPlacement.h"

#include <QMessageBox>
#include <QStringList>

#include <algorithm>

CMessageBox::Result CMessageBox::Show(QWidget* pParent, const QString& sText, const QString& sTitle,
                                      Icon iIcon, Buttons iButtons) {
    const QString sShownTitle = sTitle.isEmpty() ? CProgram::Name() : sTitle;
    QMessageBox box(pParent);
    box.setWindowTitle(sShownTitle);
    QString sDetails;
    box.setTextFormat(Qt::PlainText);
    box.setText(ShownText(sText, sDetails));
    box.setDetailedText(sDetails);
    switch (iIcon) {
    case NoIcon:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    if (iButtons == YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // Enter must not replace or discard anything: the safe answer is the
        // default.
        box.setDefaultButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    CWindowPlacement::KeepWithOwner(&box);
    const int iPressed = box.exec();
    if (iButtons == YesNo)
        return iPressed == QMessageBox::Yes ? Yes : No;
    return Ok;
}

QString CMessageBox::ShownText(const QString& sText, QString& sDetails) {
    // The engine separates lines with a lone carriage return, which a label
    // would not break on.
    QString sLines = sText;
    sLines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    sLines.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    // A box taller than the screen would hide its buttons: a long text shows
    // its first lines, and the whole text scrolls under "Show Details...".
    constexpr int MaxLines = 20;
    constexpr int MaxLineLength = 200;
    const QStringList lstLines = sLines.split(QLatin1Char('\n'));
    const bool bLongLine = std::any_of(lstLines.begin(), lstLines.end(),
                                       [](const QString& s) { return s.size() > MaxLineLength; });
    if (lstLines.size() <= MaxLines && !bLongLine) {
        sDetails.clear();
        return sLines;
    }
    sDetails = sLines;
    QStringList lstShown = lstLines.mid(0, MaxLines);
    for (QString& sLine : lstShown)
        if (sLine.size() > MaxLineLength)
            sLine = sLine.left(MaxLineLength) + QStringLiteral("...");
    if (lstLines.size() > MaxLines)
        lstShown.append(QStringLiteral("... (%1 more lines)").arg(lstLines.size() - MaxLines));
    return lstShown.join(QLatin1Char('\n'));
}
