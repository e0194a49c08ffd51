#include "dialogs/CMessageBox.h"

#include "app/CProgram.h"

#include <QMessageBox>
#include <QQueue>

namespace {
struct TestState {
    bool bOn = false;
    QQueue<CMessageBox::Result> Answers;
    QList<CMessageBox::Record> Shown;
    std::function<void(const CMessageBox::Record&)> Observer;
};

TestState& Test() {
    static TestState state;
    return state;
}
} // namespace

CMessageBox::Result CMessageBox::Show(QWidget* pParent, const QString& sText,
                                      const QString& sTitle, Icon iIcon, Buttons iButtons) {
    const QString sShownTitle = sTitle.isEmpty() ? CProgram::Name() : sTitle;
    if (Test().bOn) {
        const Record record{sText, sShownTitle, iIcon, iButtons};
        Test().Shown.append(record);
        if (Test().Observer)
            Test().Observer(record);
        if (!Test().Answers.isEmpty())
            return Test().Answers.dequeue();
        return iButtons == YesNo ? No : Ok;
    }

    QMessageBox box(pParent);
    box.setWindowTitle(sShownTitle);
    // The engine separates lines with a lone carriage return, which a label
    // would not break on.
    QString sDisplay = sText;
    sDisplay.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    sDisplay.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(sDisplay);
    box.setTextFormat(Qt::PlainText);
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
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int iPressed = box.exec();
    if (iButtons == YesNo)
        return iPressed == QMessageBox::Yes ? Yes : No;
    return Ok;
}

void CMessageBox::setTestMode(bool bOn) {
    Test().bOn = bOn;
    Test().Answers.clear();
    Test().Shown.clear();
    Test().Observer = nullptr;
}

void CMessageBox::queueAnswer(Result iAnswer) { Test().Answers.enqueue(iAnswer); }

QList<CMessageBox::Record> CMessageBox::takeShown() {
    QList<Record> shown;
    shown.swap(Test().Shown);
    return shown;
}

void CMessageBox::setObserver(std::function<void(const Record&)> fnObserver) {
    Test().Observer = std::move(fnObserver);
}
