#include "dialogs/CInstructions.h"

#include "app/CProgram.h"
#include "dialogs/CLauncher.h"
#include "dialogs/CMessageBox.h"

#include <QFileInfo>

void CInstructions::Open(QWidget* pParent) {
    bool bStarted = false;
    try {
        const QString sPath =
            CProgram::JoinPath(CProgram::DataFolder(), QStringLiteral("readme.txt"));
        if (!QFileInfo(sPath).isFile()) {
            CMessageBox::Show(pParent, QStringLiteral("Text file does not exist."),
                              QStringLiteral("Readme.txt not found"), CMessageBox::Exclamation);
            return;
        }
        bStarted = CLauncher::StartFirst(CLauncher::EditorCandidates(), sPath);
    } catch (...) {
        bStarted = false;
    }
    if (!bStarted) {
        CMessageBox::Show(pParent,
                          QStringLiteral("Cannot load readme.txt  Please find the file yourself "
                                         "and open it in Notepad to get the latest information "
                                         "or go to my website."),
                          QStringLiteral("Cannot open Readme.txt"), CMessageBox::Exclamation);
    }
}
