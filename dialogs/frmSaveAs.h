#pragma once
// The small modal dialog in which the user names the ringtone file to be
// saved. It chooses the name only: the folder is the converter's FilePath
// and the extension follows from the kind of file. On OK it stores name plus
// extension in the converter's FileName; it never writes a file itself.
//
// Calling order: SaveAsType(), Prepare() (or the first txtFilename() call,
// which prepares), fill txtFilename(), exec(), then read Cancelled().

#include <QDialog>
#include <cstdint>

class CFolderLine;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

class frmSaveAs : public QDialog {
    Q_OBJECT

public:
    explicit frmSaveAs(QWidget* pParent = nullptr);

    // 0 = keypress file, 1 = Composer file, 2 = RTTTL file. Takes effect at
    // the next preparation.
    void SaveAsType(int16_t iType);
    // True when the latest showing was cancelled; false again from the next
    // preparation on.
    bool Cancelled() const;

    // Puts the window into its initial state for the kind of file set with
    // SaveAsType, as if it had just been created.
    void Prepare();
    // The file-name box; prepares the dialog if it is not prepared yet.
    QLineEdit* txtFilename();

    int exec() override;
    void done(int iResult) override;
    // Cancel, Escape and the title bar's close button all end up here.
    void reject() override;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void cmdOk_Click();

    int16_t m_iSaveAsType = 0;
    bool m_bCancelled = false;
    bool m_bPrepared = false;

    QGroupBox* Frame1 = nullptr;
    QLabel* lblSaveType = nullptr;
    // The box txtFilename() hands out once the dialog is prepared.
    QLineEdit* m_pFilenameBox = nullptr;
    QLineEdit* txtExtension = nullptr;
    QLabel* Label1 = nullptr;
    CFolderLine* m_pFolderLine = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdOk = nullptr;
};
