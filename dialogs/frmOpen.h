#pragma once
// The modal ringtone file picker. It starts in the converter's FilePath,
// lists only the files of the notation chosen in the main window, and hands
// the chosen folder and file name back through the converter's FilePath and
// FileName. An empty FileName afterwards means that no file was chosen.

#include <QDialog>
#include <QHash>
#include <QString>

class CFolderLine;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmOpen : public QDialog {
    Q_OBJECT

public:
    explicit frmOpen(QWidget* pParent = nullptr);

    // Shows the picker modally and waits until it is closed. The caller
    // empties the converter's FileName first.
    static void Pick(QWidget* pParent);

    // The folder the folder list shows now.
    QString CurrentFolder() const { return m_sFolder; }

    void accept() override;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Load();
    void FillDrives(const QString& sCurrentRoot);
    void OpenFolder(const QString& sRoot, const QString& sFolder);
    void FillFolder(QTreeWidgetItem* pItem, const QString& sKeepName = QString());
    void FolderChanged(QTreeWidgetItem* pCurrent);
    void DriveChosen(int iIndex);
    void ListFiles();

    QGroupBox* fraFile = nullptr;
    CFolderLine* m_pFolderLine = nullptr;
    QComboBox* Drive1 = nullptr;
    QTreeWidget* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    QString m_sPattern; // name pattern such as "*.TXT"; empty lists every file
    QString m_sFolder;
    QString m_sRoot;
    QHash<QString, QString> m_lastFolderOnDrive;
};
