#include "widgets/CMessageBox.h"

#include "widgets/CProgram.h"
#include "widgets/CWindowPlacement.h"

#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScrollArea>

namespace {
// A message box that keeps its buttons on screen: where the whole text would
// make it taller or wider than the screen, the text scrolls instead.
class CScreenBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* pEvent) override {
        // The toolkit sizes the box to the whole text here.
        QMessageBox::showEvent(pEvent);
        ScrollTextIfTooBig();
    }

private:
    // The text moves into a scroll area of a fixed size, which the toolkit's
    // own later sizing of the box then keeps to.
    void ScrollTextIfTooBig() {
        auto* pText = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        const QSize excess = (size() - CWindowPlacement::RoomFor(this)).expandedTo(QSize(0, 0));
        if (!pText || !layout() || excess.isNull() || findChild<QScrollArea*>())
            return;
        auto* pScroll = new QScrollArea(this);
        pScroll->setObjectName(QStringLiteral("scrText"));
        pScroll->setFrameShape(QFrame::NoFrame);
        pScroll->setWidgetResizable(true);
        pScroll->setMinimumSize(pText->size() - excess);
        // A copy of the label, which the toolkit no longer resizes.
        auto* pShown = new QLabel(pText->text());
        pShown->setTextFormat(Qt::PlainText);
        pShown->setWordWrap(true);
        pShown->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pShown->setTextInteractionFlags(pText->textInteractionFlags());
        pScroll->setWidget(pShown);
        // The layout hands back the item it held the label in.
        delete layout()->replaceWidget(pText, pScroll);
        pText->hide();
        setFixedSize(size() - excess);
        CWindowPlacement::CentreOnScreen(this);
    }
};
} // namespace

CMessageBox::Result CMessageBox::Show(QWidget* pParent, const QString& sText, const QString& sTitle,
                                      Icon iIcon, Buttons iButtons) {
    const QString sShownTitle = sTitle.isEmpty() ? CProgram::Name() : sTitle;
    CScreenBox box(pParent);
    box.setWindowTitle(sShownTitle);
    box.setTextFormat(Qt::PlainText);
    box.setText(ShownText(sText));
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

QString CMessageBox::ShownText(const QString& sText) {
    // The engine separates lines with a lone carriage return, which a label
    // would not break on.
    QString sLines = sText;
    sLines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    sLines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return sLines;
}
