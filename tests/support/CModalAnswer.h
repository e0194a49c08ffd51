#pragma once
// Answers a modal window in tests: while the code under test waits in the
// window's own event loop, a timer looks for the active modal window and,
// once one of the expected name is up, hands it to the answer, once.
// Message boxes are left to the window fixture, which answers them all.

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

class CModalAnswer : public QObject {
public:
    // sObjectName empty: the first modal window of any name.
    explicit CModalAnswer(std::function<void(QWidget*)> fnAnswer,
                          const QString& sObjectName = QString())
        : m_fnAnswer(std::move(fnAnswer)), m_sObjectName(sObjectName) {
        m_Timer.setInterval(5);
        connect(&m_Timer, &QTimer::timeout, this, [this] {
            QWidget* pModal = QApplication::activeModalWidget();
            if (!pModal || qobject_cast<QMessageBox*>(pModal) ||
                (!m_sObjectName.isEmpty() && pModal->objectName() != m_sObjectName))
                return;
            m_Timer.stop();
            m_bAnswered = true;
            m_fnAnswer(pModal);
        });
        m_Timer.start();
    }

    bool Answered() const { return m_bAnswered; }

private:
    std::function<void(QWidget*)> m_fnAnswer;
    QString m_sObjectName;
    QTimer m_Timer;
    bool m_bAnswered = false;
};
