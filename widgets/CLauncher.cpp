#include "widgets/CLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
QString FindProgram(const QString& sCandidate) {
    if (sCandidate.contains(QLatin1Char('/'))) {
        const QFileInfo info(sCandidate);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(sCandidate);
}
} // namespace

bool CLauncher::StartFirst(const QStringList& lstCandidates, const QString& sArgument) {
    for (const QString& sCandidate : lstCandidates) {
        const QString sProgram = FindProgram(sCandidate);
        if (sProgram.isEmpty())
            continue;
        return QProcess::startDetached(sProgram, {sArgument});
    }
    return false;
}

bool CLauncher::StartWatched(const QStringList& lstCandidates, const QString& sArgument,
                             const std::function<void()>& fnFailed) {
    for (const QString& sCandidate : lstCandidates) {
        const QString sProgram = FindProgram(sCandidate);
        if (sProgram.isEmpty())
            continue;
        // Owned by no window and never destroyed while the program runs: a
        // QProcess that is destroyed stops its program. Nothing is passed
        // through pipes, which would break once this program has ended.
        auto* pProcess = new QProcess;
        pProcess->setProgram(sProgram);
        pProcess->setArguments({sArgument});
        pProcess->setStandardInputFile(QProcess::nullDevice());
        pProcess->setStandardOutputFile(QProcess::nullDevice());
        pProcess->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(pProcess, &QProcess::errorOccurred, pProcess,
                         [pProcess, fnFailed](QProcess::ProcessError iError) {
                             if (iError != QProcess::FailedToStart)
                                 return;
                             fnFailed();
                             pProcess->deleteLater();
                         });
        QObject::connect(pProcess, &QProcess::finished, pProcess,
                         [pProcess, fnFailed](int iExitCode, QProcess::ExitStatus iStatus) {
                             if (iStatus != QProcess::NormalExit || iExitCode != 0)
                                 fnFailed();
                             pProcess->deleteLater();
                         });
        pProcess->start();
        return true;
    }
    return false;
}

QStringList CLauncher::BrowserCandidates() {
    return {QStringLiteral("xdg-open"), QStringLiteral("sensible-browser"),
            QStringLiteral("x-www-browser"), QStringLiteral("firefox"), QStringLiteral("chromium")};
}

QStringList CLauncher::EditorCandidates() {
    return {QStringLiteral("notepad"), QStringLiteral("xdg-open"), QStringLiteral("gedit"),
            QStringLiteral("kate"), QStringLiteral("mousepad")};
}

void modNOK::LaunchBrowser(const QString& sAddress) {
    // Whatever goes wrong, a click on the link simply has no visible effect.
    try {
        CLauncher::StartFirst(CLauncher::BrowserCandidates(), sAddress);
    } catch (...) {
    }
}
