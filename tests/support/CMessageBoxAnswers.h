#pragma once
// Answers the program's real message boxes in tests: while a box waits in
// its own event loop, a timer finds it as the active modal window, records
// what it shows and presses the answer queued for it (Ok or No when none is).

#include "widgets/CMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QTimer>

#include <functional>

// What one box showed: its whole text (line breaks as shown), title, icon
// and buttons.
struct ShownBox {
    QString Text;
    QString Title;
    CMessageBox::Icon IconKind;
    CMessageBox::Buttons ButtonSet;
};

class CMessageBoxAnswers : public QObject {
public:
    // A queued answer: a button to press, or a function that deals with the
    // box itself (and must close it).
    using Handler = std::function<void(QMessageBox*)>;

    CMessageBoxAnswers() {
        m_Timer.setInterval(5);
        connect(&m_Timer, &QTimer::timeout, this, [this] {
            auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!pBox || !pBox->isVisible() || pBox->property(Handled).toBool())
                return;
            pBox->setProperty(Handled, true);
            Answer(pBox);
        });
        m_Timer.start();
    }

    void Queue(CMessageBox::Result iAnswer) { m_Answers.enqueue(Press(iAnswer)); }
    void Queue(Handler fnHandler) { m_Answers.enqueue(std::move(fnHandler)); }
    // Runs for each box while it is on screen, before it is answered.
    void WhileShown(std::function<void(const ShownBox&)> fn) { m_fnWhileShown = std::move(fn); }

    QList<ShownBox> TakeShown() {
        QList<ShownBox> shown;
        shown.swap(m_Shown);
        return shown;
    }

private:
    static constexpr const char* Handled = "answeredByTest";

    static Handler Press(CMessageBox::Result iAnswer) {
        return [iAnswer](QMessageBox* pBox) {
            const QMessageBox::StandardButton iButton =
                iAnswer == CMessageBox::Yes  ? QMessageBox::Yes
                : iAnswer == CMessageBox::No ? QMessageBox::No
                                             : QMessageBox::Ok;
            QAbstractButton* pButton = pBox->button(iButton);
            if (!pButton && !pBox->buttons().isEmpty())
                pButton = pBox->buttons().first();
            if (pButton)
                pButton->click();
        };
    }

    void Answer(QMessageBox* pBox) {
        const bool bYesNo = pBox->standardButtons().testFlag(QMessageBox::Yes);
        const CMessageBox::Icon iIcon =
            pBox->icon() == QMessageBox::Warning       ? CMessageBox::Exclamation
            : pBox->icon() == QMessageBox::Information ? CMessageBox::Information
                                                       : CMessageBox::NoIcon;
        // A long text shows its first lines; the details hold all of it.
        const ShownBox shown{pBox->detailedText().isEmpty() ? pBox->text() : pBox->detailedText(),
                             pBox->windowTitle(), iIcon,
                             bYesNo ? CMessageBox::YesNo : CMessageBox::OkOnly};
        m_Shown.append(shown);
        if (m_fnWhileShown)
            m_fnWhileShown(shown);
        const Handler fnAnswer = m_Answers.isEmpty()
                                     ? Press(bYesNo ? CMessageBox::No : CMessageBox::Ok)
                                     : m_Answers.dequeue();
        fnAnswer(pBox);
    }

    QTimer m_Timer;
    QQueue<Handler> m_Answers;
    QList<ShownBox> m_Shown;
    std::function<void(const ShownBox&)> m_fnWhileShown;
};
