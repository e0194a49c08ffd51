// Drives the real main window through Get from the clipboard, every display
// form, Save and Export with one of the largest texts the window accepts,
// and prints the longest time the window went without handling events
// (a freeze) for each step. Message boxes and the Save-As dialog are
// answered as a user would. Run by bench/window_timings.sh, which also
// takes the peak memory.
//   window_timings CASE FOLDER

#include "mainwindow/CRingToneSource.h"
#include "mainwindow/frmConverter.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// The text of each case, up to the window's 64 KiB.
QString CaseText(const QString& sCase) {
    // The fills are plain ASCII: one byte a character.
    const auto Padded = [](QString sText, const QString& sFill) {
        const qsizetype iBytes = sText.toUtf8().size();
        return sText + sFill.repeated((CRingToneSource::MaxLength - iBytes) / sFill.size());
    };
    if (sCase == QLatin1String("zeros"))
        return Padded("x:d=" + QString(32799, '0') + "4,o=5,b=100:c", ",");
    if (sCase == QLatin1String("euro"))
        return Padded("x:d=" + QString(10900, QChar(0x20ac)) + "4,o=5,b=100:c", ",");
    if (sCase == QLatin1String("blanks"))
        return Padded("x:d=" + QString(32799, ' ') + "4,o=9,b=100:c", ",");
    if (sCase == QLatin1String("octave4"))
        return Padded("x:d=4,o=4,b=100:c", ",c");
    return Padded("x:d=4,o=5,b=100:c", ",8c#6");
}

// Records the longest gap between two turns of the event loop, and answers
// any dialog that is open.
class CFreezeMeter : public QObject {
public:
    CFreezeMeter() {
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
        m_timer.start();
        m_clock.start();
    }
    void Restart() {
        m_iLongest = 0;
        m_iLast = m_clock.elapsed();
    }
    qint64 Longest() { return std::max(m_iLongest, m_clock.elapsed() - m_iLast); }

private:
    void Tick() {
        const qint64 iNow = m_clock.elapsed();
        m_iLongest = std::max(m_iLongest, iNow - m_iLast);
        m_iLast = iNow;
        QWidget* pModal = QApplication::activeModalWidget();
        if (auto* pBox = qobject_cast<QMessageBox*>(pModal)) {
            QAbstractButton* pButton = pBox->button(QMessageBox::Yes);
            (pButton ? pButton : pBox->button(QMessageBox::Ok))->click();
        } else if (auto* pDialog = qobject_cast<QDialog*>(pModal)) {
            if (auto* pOk = pDialog->findChild<QPushButton*>(QStringLiteral("cmdOk")))
                pOk->click();
        }
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_iLongest = 0;
    qint64 m_iLast = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_timings CASE FOLDER\n");
        return 2;
    }
    const QString sCase = QString::fromLocal8Bit(argv[1]);
    const QString sFolder = QString::fromLocal8Bit(argv[2]);
    {
        QSettings settings(CProgram::Name(), CProgram::Name());
        settings.setValue(QStringLiteral("Settings/RingToneDirectory"), sFolder);
        settings.setValue(QStringLiteral("Settings/FromFile"), QStringLiteral("False"));
    }

    frmConverter window(CProgramFolders{sFolder});
    window.show();
    const auto Child = [&window](const char* sName) {
        return window.findChild<QObject*>(QString::fromLatin1(sName));
    };
    const auto Form = [&](int i) {
        qobject_cast<QRadioButton*>(Child(qPrintable(QStringLiteral("optShowAs_%1").arg(i))))
            ->click();
    };
    const auto Menu = [&](const char* sMenu, const char* sItem) {
        Q_EMIT qobject_cast<QMenu*>(Child(sMenu))->aboutToShow();
        qobject_cast<QAction*>(Child(sItem))->trigger();
    };

    qobject_cast<QRadioButton*>(Child("optSource_0"))->click();
    qobject_cast<QRadioButton*>(Child("optFile_1"))->click();
    Form(1);
    QGuiApplication::clipboard()->setText(CaseText(sCase));

    const QList<QPair<QString, std::function<void()>>> steps = {
        {QStringLiteral("Get as Composer"),
         [&] { qobject_cast<QPushButton*>(Child("cmdGet"))->click(); }},
        {QStringLiteral("Show keypresses"), [&] { Form(0); }},
        {QStringLiteral("Show RTTTL"), [&] { Form(2); }},
        {QStringLiteral("Save as RTTTL"), [&] { Menu("mnuFile", "mnuFileSave"); }},
        {QStringLiteral("Show Composer"), [&] { Form(1); }},
        {QStringLiteral("Export Composer"), [&] { Menu("mnuEdit", "mnuEditCopy"); }},
    };

    CFreezeMeter meter;
    int iStep = 0;
    std::function<void()> fnNext = [&] {
        if (iStep > 0)
            std::printf("%-18s longest freeze %6lld ms\n", qPrintable(steps[iStep - 1].first),
                        static_cast<long long>(meter.Longest()));
        if (iStep == steps.size()) {
            QApplication::quit();
            return;
        }
        meter.Restart();
        steps[iStep++].second();
        // The step is over once the loop has turned a few times without it.
        QTimer::singleShot(300, fnNext);
    };
    QTimer::singleShot(300, fnNext);
    return QApplication::exec();
}
