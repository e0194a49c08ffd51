// Start-up: the main window is the program. A ringtone file named on the
// command line is got once the window is up; --help and --version answer
// without opening it.

#include "engine/CNokia.h"
#include "engine/Forms.h"
#include "engine/RingToneText.h"
#include "mainwindow/CRingToneSource.h"
#include "mainwindow/frmConverter.h"
#include "resources/CResources.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

void Describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Converts ringtones for the Nokia 3210. With FILE, gets that ringtone file at "
        "start-up as if it had been chosen in the open dialog: a .321 file as Nokia 3210 "
        "Composer notes, a .mid or .midi file by importing its melody, any other in the "
        "notation chosen in step 1."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The ringtone file to get."),
                                 QStringLiteral("[FILE]"));
}

// The notation a file named on the command line is read in.
int32_t NotationOf(const QString& sPath, int32_t iChosen) {
    // A MIDI file's melody is imported as RTTTL.
    if (CRingToneSource::IsMidiFile(sPath))
        return Notation::Rtttl;
    return RingToneText::IsComposerFile(CProgram::ToEngine(QFileInfo(sPath).fileName()))
               ? Notation::Composer
               : iChosen;
}

// Runs a job once the window's first paint is done, after whatever else was
// waiting then, so that the window is on screen before the job's time is spent.
class CAfterFirstPaint : public QObject {
public:
    explicit CAfterFirstPaint(std::function<void()> fnJob)
        : QObject(QCoreApplication::instance()), m_fnJob(std::move(fnJob)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* pObject, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
        }
        return QObject::eventFilter(pObject, pEvent);
    }
    bool event(QEvent* pEvent) override {
        if (pEvent->type() != QEvent::User)
            return QObject::event(pEvent);
        m_fnJob();
        deleteLater();
        return true;
    }

private:
    std::function<void()> m_fnJob;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication::setOrganizationName(CProgram::Name());
    QApplication::setApplicationName(CProgram::Name());
    QApplication::setApplicationVersion(CProgram::Version());

    // Help and version need no display: they are answered before the
    // program connects to one, with Qt's own options still among the
    // arguments (each taken as one unknown word, never as letters).
    // Without any option there is nothing to answer.
    if (std::any_of(argv + 1, argv + argc, [](const char* sArg) { return sArg[0] == '-'; })) {
        const QCoreApplication probe(argc, argv);
        QCommandLineParser early;
        Describe(early);
        early.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        early.parse(QCoreApplication::arguments());
        if (early.isSet(QStringLiteral("help")))
            early.showHelp(0);
        if (early.isSet(QStringLiteral("version")))
            early.showVersion();
    }

    QApplication app(argc, argv);
    QCommandLineParser parser;
    Describe(parser);
    parser.process(app);
    const QStringList lstFiles = parser.positionalArguments();
    if (lstFiles.size() > 1) {
        std::fprintf(stderr, "%s: give at most one FILE\n",
                     qPrintable(QFileInfo(QApplication::applicationFilePath()).fileName()));
        return 1;
    }

    // Wayland compositors find the icon and name through the desktop entry
    // of this name; on X11 it marks the windows as this application's.
    QGuiApplication::setDesktopFileName(QStringLiteral(RINGWRIGHT_APP_ID));

    frmConverter window(CProgramFolders{QCoreApplication::applicationDirPath()});
    window.show();
    // Loading the icon's pictures can wait until the window is on screen.
    new CAfterFirstPaint([] { QApplication::setWindowIcon(CResources::AppIcon()); });
    if (!lstFiles.isEmpty()) {
        const QString sPath = lstFiles.first();
        QTimer::singleShot(0, &window, [&window, sPath] {
            window.GetFile(sPath, NotationOf(sPath, CProgram::Nokia().SourceType));
        });
    }
    return QApplication::exec();
}
