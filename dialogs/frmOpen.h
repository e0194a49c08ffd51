#pragma once
// The modal ringtone file picker. It starts in the folder it is given, lists
// only the files of the notation it is given, and hands the chosen folder and
// file name back through the converter's FilePath and FileName.

#include <QDialog>
#include <QHash>
#include <QString>
#include <cstdint>

class CFolderLine;
struct CProgramFolders;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmOpen : public QDialog {
    Q_OBJECT

public:
    // iSourceType Notation::Rtttl lists RTTTL files, Notation::Composer
    // Composer files, any other value every file. A start folder that is gone
    // gives way to the program's own folder, then to the home folder.
    frmOpen(int32_t iSourceType, const QString& sStartFolder, const CProgramFolders& folders,
            QWidget* pParent = nullptr);

    // Shows the picker modally and waits until it is closed. True when the
    // user confirmed a file; the converter's FileName is written only then.
    static bool Pick(QWidget* pParent, int32_t iSourceType, const QString& sStartFolder,
                     const CProgramFolders& folders);

    // The folder the folder list shows now.
    QString CurrentFolder() const { return m_sFolder; }

    void accept() override;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Load(int32_t iSourceType, const QString& sStartFolder, const QString& sOwnFolder);
    void FillDrives(const QString& sCurrentRoot);
    void OpenFolder(const QString& sRoot, const QString& sFolder);
    void FillFolder(QTreeWidgetItem* pItem, const QString& sKeepName = QString());
    void FolderChanged(QTreeWidgetItem* pCurrent);
    void DriveChosen(int iIndex);
    void ListFiles();
    void GoTo(const QString& sTyped);

    QGroupBox* fraFile = nullptr;
    CFolderLine* m_pFolderLine = nullptr;
    QComboBox* Drive1 = nullptr;
    QTreeWidget* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QPushButton* cmdHome = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    QString m_sPattern; // name pattern such as "*.TXT"; empty lists every file
    QString m_sFolder;
    QString m_sRoot;
    QString m_sFileName; // the file confirmed with OK
    QHash<QString, QString> m_LastFolderOnDrive;
};
