#include "dialogs/CInstructions.h"

#include "widgets/CLauncher.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"

#include <QFileInfo>
#include <QPointer>
#include <QWidget>

namespace {
void ReportCannotOpen(QWidget* pParent) {
    CMessageBox::Show(pParent,
                      QStringLiteral("Cannot load readme.txt  Please find the file yourself and "
                                     "open it in Notepad to get the latest information or go to "
                                     "my website."),
                      QStringLiteral("Cannot open Readme.txt"), CMessageBox::Exclamation);
}
} // namespace

void CInstructions::Open(QWidget* pParent, const CProgramFolders& folders) {
    bool bStarted = false;
    try {
        const QString sPath =
            CProgram::JoinPath(folders.DataFolder(), QStringLiteral("readme.txt"));
        if (!QFileInfo(sPath).isFile()) {
            CMessageBox::Show(pParent, QStringLiteral("Text file does not exist."),
                              QStringLiteral("Readme.txt not found"), CMessageBox::Exclamation);
            return;
        }
        // An opener such as xdg-open starts at once but may then find no
        // program for the file and fail; that is reported when it happens.
        const QPointer<QWidget> pOwner(pParent);
        bStarted = CLauncher::StartWatched(CLauncher::EditorCandidates(), sPath,
                                           [pOwner] { ReportCannotOpen(pOwner); });
    } catch (...) {
        bStarted = false;
    }
    if (!bStarted)
        ReportCannotOpen(pParent);
}
