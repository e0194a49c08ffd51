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
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication::setOrganizationName(CProgram::Name());
    QApplication::setApplicationName(CProgram::Name());
    QApplication::setApplicationVersion(CProgram::Version());

    // Help and version need no display: they are answered before the
    // program connects to one, with Qt's own options still among the
    // arguments (each taken as one unknown word, never as letters).
    {
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

    QApplication::setWindowIcon(CResources::AppIcon());
    // Wayland compositors find the icon and name through the desktop entry
    // of this name; on X11 it marks the windows as this application's.
    QGuiApplication::setDesktopFileName(QStringLiteral(RINGWRIGHT_APP_ID));

    frmConverter window(CProgramFolders{QCoreApplication::applicationDirPath()});
    window.show();
    if (!lstFiles.isEmpty()) {
        const QString sPath = lstFiles.first();
        QTimer::singleShot(0, &window, [&window, sPath] {
            window.GetFile(sPath, NotationOf(sPath, CProgram::Nokia().SourceType));
        });
    }
    return QApplication::exec();
}
