#pragma once
// Starts another program (a web browser, a text editor) without a shell and
// without waiting for it. Each kind has a fixed list of candidates; the first
// one found on the program search path is started with one argument.

#include <QString>
#include <QStringList>

#include <functional>

namespace CLauncher {
// Tries the candidates in order; starts the first that exists. Returns
// false when none exists or starting it failed.
bool StartFirst(const QStringList& lstCandidates, const QString& sArgument);

// The same, for a program whose failure the user must hear of, such as
// an opener that finds no handler for the file: fnFailed runs later, on
// this thread, if the program cannot be started or ends with a failure.
// The program is not waited for, and it outlives this one.
bool StartWatched(const QStringList& lstCandidates, const QString& sArgument,
                         const std::function<void()>& fnFailed);

QStringList BrowserCandidates();
QStringList EditorCandidates();
} // namespace CLauncher

namespace modNOK {
// Opens the address in a browser; never fails and never shows a message.
void LaunchBrowser(const QString& sAddress);
} // namespace modNOK
