#include "dialogs/frmOpen.h"

#include "engine/CNokia.h"
#include "engine/Forms.h"
#include "widgets/CAccessibleName.h"
#include "widgets/CFolderLine.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"
#include "widgets/CWindowPlacement.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int FolderRole = Qt::UserRole;
constexpr int FilledRole = Qt::UserRole + 1;

// The busy pointer for as long as the dialog is being set up, and not a
// moment longer, even if setting up fails half-way.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

QString FolderOf(const QString& sParent, const QString& sName) {
    return QDir::cleanPath(sParent + QLatin1Char('/') + sName);
}

const QFileIconProvider& Icons() {
    static const QFileIconProvider icons;
    return icons;
}

bool IsUsableFolder(const QString& sFolder) {
    if (sFolder.isEmpty())
        return false;
    const QFileInfo info(sFolder);
    return info.isDir() && info.isExecutable();
}

// The folder to start in: the given one while it is still there, otherwise
// the program's own folder.
QString UsableStart(const QString& sStartFolder, const QString& sOwnFolder) {
    for (const QString& sCandidate : {sStartFolder, sOwnFolder, QDir::homePath()}) {
        if (IsUsableFolder(sCandidate))
            return QFileInfo(sCandidate).canonicalFilePath();
    }
    return QDir::rootPath();
}

bool IsInside(const QString& sFolder, const QString& sRoot) {
    return sRoot == QDir::rootPath() || sFolder == sRoot ||
           sFolder.startsWith(sRoot + QLatin1Char('/'));
}

// The mounted file system that holds the folder.
QString RootOf(const QString& sFolder) {
    const QStorageInfo storage(sFolder);
    if (storage.isValid() && !storage.rootPath().isEmpty() && IsInside(sFolder, storage.rootPath()))
        return storage.rootPath();
    return QDir::rootPath();
}

} // namespace

frmOpen::frmOpen(int32_t iSourceType, const QString& sStartFolder, const CProgramFolders& folders,
                 QWidget* pParent)
    : QDialog(pParent) {
    setWindowTitle(QStringLiteral("RingTone File"));
    setWindowFlags(Qt::Tool | Qt::WindowCloseButtonHint);
    CWindowPlacement::KeepWithOwner(this);
    setModal(true);

    fraFile = new QGroupBox(QStringLiteral("Select RingTone File"), this);
    fraFile->setObjectName(QStringLiteral("fraFile"));

    Drive1 = new QComboBox(fraFile);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setToolTip(QStringLiteral("Select the drive"));
    // The lists have no labels of their own: screen readers get short names,
    // and the tooltips as their descriptions.
    CAccessibleName::Set(Drive1, QStringLiteral("Drive"));

    Dir1 = new QTreeWidget(fraFile);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setToolTip(QStringLiteral("Select the folder"));
    CAccessibleName::Set(Dir1, QStringLiteral("Folder"));
    Dir1->setHeaderHidden(true);
    Dir1->setColumnCount(1);
    Dir1->setSelectionMode(QAbstractItemView::SingleSelection);
    Dir1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Dir1->header()->setStretchLastSection(false);

    File1 = new QListWidget(fraFile);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setToolTip(QStringLiteral("Select a ringtone file"));
    CAccessibleName::Set(File1, QStringLiteral("File"));
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long names are not cut off: the list scrolls sideways instead.
    File1->setTextElideMode(Qt::ElideNone);
    File1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A double-click anywhere in the list, on a file or not, is OK.
    File1->viewport()->installEventFilter(this);
    // Tabbing into the list chooses its first file.
    File1->installEventFilter(this);

    m_pFolderLine = new CFolderLine(QStringLiteral("txtFolder"), fraFile);
    m_pFolderLine->setEditable();
    cmdHome = new QPushButton(QStringLiteral("&Home"), fraFile);
    cmdHome->setObjectName(QStringLiteral("cmdHome"));
    cmdHome->setToolTip(QStringLiteral("Go to your home folder"));
    CAccessibleName::Set(cmdHome, QStringLiteral("Home folder"));
    cmdHome->setAutoDefault(false);

    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdOk->setEnabled(false);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto* pFrameLayout = new QGridLayout(fraFile);
    pFrameLayout->addWidget(Drive1, 0, 0);
    pFrameLayout->addWidget(Dir1, 1, 0);
    pFrameLayout->addWidget(File1, 0, 1, 2, 1);
    auto* pFolderRow = new QHBoxLayout;
    pFolderRow->addWidget(m_pFolderLine, 1);
    pFolderRow->addWidget(cmdHome);
    pFrameLayout->addLayout(pFolderRow, 2, 0, 1, 2);
    pFrameLayout->setColumnStretch(0, 1);
    pFrameLayout->setColumnStretch(1, 1);
    pFrameLayout->setRowStretch(1, 1);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(cmdCancel);
    pButtons->addWidget(cmdOk);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(fraFile, 1);
    pLayout->addLayout(pButtons);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, m_pFolderLine->findChild<QWidget*>(QStringLiteral("txtFolder")));
    setTabOrder(m_pFolderLine->findChild<QWidget*>(QStringLiteral("txtFolder")), cmdHome);
    setTabOrder(cmdHome, cmdOk);
    setTabOrder(cmdOk, cmdCancel);

    setFixedSize(560, 360);

    connect(Dir1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* pCurrent) { FolderChanged(pCurrent); });
    connect(Dir1, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* pItem) { FillFolder(pItem); });
    connect(Drive1, qOverload<int>(&QComboBox::activated), this,
            [this](int iIndex) { DriveChosen(iIndex); });
    connect(File1, &QListWidget::itemSelectionChanged, this,
            [this] { cmdOk->setEnabled(!File1->selectedItems().isEmpty()); });
    connect(m_pFolderLine, &CFolderLine::folderEntered, this,
            [this](const QString& sTyped) { GoTo(sTyped); });
    connect(cmdHome, &QPushButton::clicked, this, [this] { GoTo(QDir::homePath()); });
    connect(cmdOk, &QPushButton::clicked, this, &frmOpen::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOpen::reject);

    Load(iSourceType, sStartFolder, folders.OwnFolder);
}

bool frmOpen::Pick(QWidget* pParent, int32_t iSourceType, const QString& sStartFolder,
                   const CProgramFolders& folders) {
    frmOpen dialog(iSourceType, sStartFolder, folders, pParent);
    return dialog.exec() == QDialog::Accepted && !dialog.m_sFileName.isEmpty();
}

void frmOpen::Load(int32_t iSourceType, const QString& sStartFolder, const QString& sOwnFolder) {
    const BusyPointer busy;

    CWindowPlacement::CentreOnScreen(this);

    const QString sFolder = UsableStart(sStartFolder, sOwnFolder);
    const QString sRoot = RootOf(sFolder);
    FillDrives(sRoot);

    switch (iSourceType) {
    case Notation::Rtttl:
        m_sPattern = QStringLiteral("*.TXT");
        fraFile->setTitle(QStringLiteral("Select RTTTL/Nokring RingTone File"));
        break;
    case Notation::Composer:
        m_sPattern = QStringLiteral("*.321");
        fraFile->setTitle(QStringLiteral("Select Nokia 3210 Composer RingTone File"));
        break;
    default:
        break;
    }

    OpenFolder(sRoot, sFolder);
}

void frmOpen::FillDrives(const QString& sCurrentRoot) {
    QStringList lstRoots;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumes) {
        // Some mounts are single files (a container's /etc/hosts); only
        // folders can be browsed.
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir() &&
            !lstRoots.contains(volume.rootPath()))
            lstRoots.append(volume.rootPath());
    }
    if (!lstRoots.contains(QDir::rootPath()))
        lstRoots.append(QDir::rootPath());
    if (!lstRoots.contains(sCurrentRoot))
        lstRoots.append(sCurrentRoot);
    lstRoots.sort();

    Drive1->clear();
    for (const QString& sRoot : lstRoots) {
        QString sShown = sRoot;
        const QString sName = QStorageInfo(sRoot).name();
        if (!sName.isEmpty())
            sShown += QStringLiteral(" [%1]").arg(sName);
        Drive1->addItem(sShown, sRoot);
    }
    Drive1->setCurrentIndex(Drive1->findData(sCurrentRoot));
}

// Shows the folder tree of one drive, opened down to the given folder, and
// makes that folder the current one.
void frmOpen::OpenFolder(const QString& sRoot, const QString& sFolder) {
    m_sRoot = sRoot;
    // The tree is built quietly; the one folder change follows at the end.
    const QSignalBlocker blocker(Dir1);
    Dir1->clear();
    auto* pItem = new QTreeWidgetItem(Dir1, {sRoot});
    pItem->setData(0, FolderRole, sRoot);
    pItem->setIcon(0, Icons().icon(QFileIconProvider::Drive));

    const QStringList lstParts =
        sFolder.mid(sRoot.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& sPart : lstParts) {
        FillFolder(pItem, sPart);
        QTreeWidgetItem* pNext = nullptr;
        for (int i = 0; i < pItem->childCount() && !pNext; ++i) {
            if (pItem->child(i)->text(0) == sPart)
                pNext = pItem->child(i);
        }
        if (!pNext)
            break;
        pItem->setExpanded(true);
        pItem = pNext;
    }
    FillFolder(pItem);
    pItem->setExpanded(true);
    Dir1->setCurrentItem(pItem);
    Dir1->scrollToItem(pItem);
    FolderChanged(pItem);
}

// Lists the sub-folders of a folder item once. Hidden folders stay out of
// sight, except the one on the way to the folder being opened.
void frmOpen::FillFolder(QTreeWidgetItem* pItem, const QString& sKeepName) {
    if (pItem->data(0, FilledRole).toBool()) {
        if (sKeepName.isEmpty())
            return;
        for (int i = 0; i < pItem->childCount(); ++i) {
            if (pItem->child(i)->text(0) == sKeepName)
                return;
        }
    }
    const QString sFolder = pItem->data(0, FolderRole).toString();
    QStringList lstNames = QDir(sFolder).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    if (!sKeepName.isEmpty() && !lstNames.contains(sKeepName) &&
        QFileInfo(FolderOf(sFolder, sKeepName)).isDir())
        lstNames.append(sKeepName);

    qDeleteAll(pItem->takeChildren());
    for (const QString& sName : lstNames) {
        auto* pChild = new QTreeWidgetItem(pItem, {sName});
        pChild->setData(0, FolderRole, FolderOf(sFolder, sName));
        pChild->setIcon(0, Icons().icon(QFileIconProvider::Folder));
        pChild->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    pItem->setData(0, FilledRole, true);
    pItem->setChildIndicatorPolicy(lstNames.isEmpty() ? QTreeWidgetItem::DontShowIndicator
                                                      : QTreeWidgetItem::ShowIndicator);
}

void frmOpen::FolderChanged(QTreeWidgetItem* pCurrent) {
    if (!pCurrent)
        return;
    m_sFolder = pCurrent->data(0, FolderRole).toString();
    m_pFolderLine->setFolder(m_sFolder);
    m_LastFolderOnDrive.insert(m_sRoot, m_sFolder);
    ListFiles();
    cmdOk->setEnabled(false);
}

void frmOpen::DriveChosen(int iIndex) {
    const QString sRoot = Drive1->itemData(iIndex).toString();
    if (sRoot.isEmpty() || sRoot == m_sRoot)
        return;
    const BusyPointer busy;
    const QString sFolder = m_LastFolderOnDrive.value(sRoot, sRoot);
    OpenFolder(sRoot, IsUsableFolder(sFolder) ? sFolder : sRoot);
}

void frmOpen::ListFiles() {
    File1->clear();
    QDir folder(m_sFolder);
    // Without QDir::Hidden and QDir::System only ordinary, visible files
    // are listed; without QDir::CaseSensitive the pattern ignores case.
    if (!m_sPattern.isEmpty())
        folder.setNameFilters({m_sPattern});
    const QStringList lstNames =
        folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& sName : lstNames) {
        auto* pItem = new QListWidgetItem(sName, File1);
        pItem->setToolTip(sName);
    }
}

// Opens a folder typed into the folder line, on whichever drive it lies;
// "~" stands for the home folder, and a relative path starts from the
// folder shown.
void frmOpen::GoTo(const QString& sTyped) {
    QString sPath = QDir::fromNativeSeparators(sTyped.trimmed());
    if (sPath.isEmpty())
        return;
    if (sPath == QLatin1String("~") || sPath.startsWith(QLatin1String("~/")))
        sPath = QDir::homePath() + sPath.mid(1);
    sPath = QDir::cleanPath(QDir(m_sFolder).absoluteFilePath(sPath));
    if (!IsUsableFolder(sPath)) {
        const QFileInfo info(sPath);
        const QString sShown = QDir::toNativeSeparators(sPath);
        const QString sWhy = !info.exists()  ? QStringLiteral("The folder %1 does not exist.")
                             : !info.isDir() ? QStringLiteral("%1 is not a folder.")
                                             : QStringLiteral("The folder %1 cannot be opened.");
        CMessageBox::Show(this, sWhy.arg(sShown), QString(), CMessageBox::Exclamation);
        return;
    }
    const BusyPointer busy;
    const QString sFolder = QFileInfo(sPath).canonicalFilePath();
    const QString sRoot = RootOf(sFolder);
    if (Drive1->findData(sRoot) < 0)
        FillDrives(sRoot);
    Drive1->setCurrentIndex(Drive1->findData(sRoot));
    OpenFolder(sRoot, sFolder);
}

void frmOpen::accept() {
    const QList<QListWidgetItem*> selected = File1->selectedItems();
    m_sFileName = selected.isEmpty() ? QString() : selected.first()->text();
    CNokia& nokia = CProgram::Nokia();
    nokia.FilePath = CProgram::ToEngine(m_sFolder);
    nokia.FileName = CProgram::ToEngine(m_sFileName);
    QDialog::accept();
}

bool frmOpen::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == File1 && pEvent->type() == QEvent::FocusIn) {
        // Otherwise the list would make its first file current without
        // choosing it, and the first Down would skip to the second.
        const auto iReason = static_cast<QFocusEvent*>(pEvent)->reason();
        if ((iReason == Qt::TabFocusReason || iReason == Qt::BacktabFocusReason) &&
            File1->count() > 0 && File1->selectedItems().isEmpty())
            File1->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    }
    if (pWatched == File1->viewport() && pEvent->type() == QEvent::MouseButtonDblClick) {
        // The file under the pointer is the one meant, even if the first
        // click of the pair did not reach the list.
        const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        if (QListWidgetItem* pItem = File1->itemAt(pMouse->position().toPoint()))
            File1->setCurrentItem(pItem);
        accept();
        return true;
    }
    return QDialog::eventFilter(pWatched, pEvent);
}
