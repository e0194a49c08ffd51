#pragma once
// Starts another program (a web browser, a text editor) without a shell and
// without waiting for it. Each kind has a fixed list of candidates; the first
// one found on the program search path is started with one argument.

#include <QString>
#include <QStringList>

class CLauncher {
public:
    // Tries the candidates in order; starts the first that exists. Returns
    // false when none exists or starting it failed.
    static bool StartFirst(const QStringList& lstCandidates, const QString& sArgument);

    static QStringList BrowserCandidates();
    static QStringList EditorCandidates();
    // Tests point these at a recording script; an empty list restores the
    // built-in one.
    static void setBrowserCandidates(const QStringList& lstCandidates);
    static void setEditorCandidates(const QStringList& lstCandidates);
};

namespace modNOK {
// Opens the address in a browser; never fails and never shows a message.
void LaunchBrowser(const QString& sAddress);
} // namespace modNOK
