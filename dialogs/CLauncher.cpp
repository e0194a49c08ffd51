#include "dialogs/CLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
QStringList& BrowserOverride() {
    static QStringList lst;
    return lst;
}
QStringList& EditorOverride() {
    static QStringList lst;
    return lst;
}

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

QStringList CLauncher::BrowserCandidates() {
    if (!BrowserOverride().isEmpty())
        return BrowserOverride();
    return {QStringLiteral("xdg-open"), QStringLiteral("sensible-browser"),
            QStringLiteral("x-www-browser"), QStringLiteral("firefox"), QStringLiteral("chromium")};
}

QStringList CLauncher::EditorCandidates() {
    if (!EditorOverride().isEmpty())
        return EditorOverride();
    return {QStringLiteral("notepad"), QStringLiteral("xdg-open"), QStringLiteral("gedit"),
            QStringLiteral("kate"), QStringLiteral("mousepad")};
}

void CLauncher::setBrowserCandidates(const QStringList& lstCandidates) {
    BrowserOverride() = lstCandidates;
}

void CLauncher::setEditorCandidates(const QStringList& lstCandidates) {
    EditorOverride() = lstCandidates;
}

void modNOK::LaunchBrowser(const QString& sAddress) {
    // Whatever goes wrong, a click on the link simply has no visible effect.
    try {
        CLauncher::StartFirst(CLauncher::BrowserCandidates(), sAddress);
    } catch (...) {
    }
}
