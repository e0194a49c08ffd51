#pragma once
// Every message box of the program goes through here, so that tests can
// answer a box in advance and read back what it said.

#include <QList>
#include <QString>
#include <functional>

class QWidget;

class CMessageBox {
public:
    enum Icon { NoIcon, Information, Exclamation };
    enum Buttons { OkOnly, YesNo };
    enum Result { Ok, Yes, No };

    struct Record {
        QString Text;
        QString Title;
        Icon IconKind;
        Buttons ButtonSet;
    };

    // A modal box; an empty title shows the program's name.
    static Result Show(QWidget* pParent, const QString& sText, const QString& sTitle = QString(),
                       Icon iIcon = NoIcon, Buttons iButtons = OkOnly);

    // The text as the box shows it, whole: line breaks for the engine's
    // carriage returns. A box too big for the screen scrolls its text.
    static QString ShownText(const QString& sText);

    // Test hooks. In test mode no box appears: each one is recorded, and
    // answered from the queue (or with Ok / No when the queue is empty).
    // The observer runs while the box would be on screen.
    static void setTestMode(bool bOn);
    static void queueAnswer(Result iAnswer);
    static QList<Record> takeShown();
    static void setObserver(std::function<void(const Record&)> fnObserver);
};
