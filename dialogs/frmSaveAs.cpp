#include "dialogs/frmSaveAs.h"

#include "app/CProgram.h"
#include "dialogs/CAccessibleName.h"
#include "dialogs/CContrast.h"
#include "dialogs/CFolderLine.h"
#include "dialogs/CMessageBox.h"
#include "dialogs/CWindowPlacement.h"
#include "engine/CNokia.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const char* const InitialCaption = "Save";
const char* const InitialExtension = ".TXT";
} // namespace

frmSaveAs::frmSaveAs(QWidget* pParent)
    : QDialog(pParent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmSaveAs"));
    setModal(true);
    CWindowPlacement::KeepWithOwner(this);

    m_pFrame1 = new QGroupBox(QStringLiteral("Filename"), this);
    m_pFrame1->setObjectName(QStringLiteral("Frame1"));

    m_plblSaveType = new QLabel(m_pFrame1);
    m_plblSaveType->setObjectName(QStringLiteral("lblSaveType"));

    m_ptxtFilename = new QLineEdit(m_pFrame1);
    m_ptxtFilename->setObjectName(QStringLiteral("txtFilename"));
    m_ptxtFilename->setMinimumWidth(240);
    // Named after the frame that holds it, for screen readers.
    CAccessibleName::Set(m_ptxtFilename, m_pFrame1->title());

    m_ptxtExtension = new QLineEdit(m_pFrame1);
    m_ptxtExtension->setObjectName(QStringLiteral("txtExtension"));
    m_ptxtExtension->setEnabled(false);
    CAccessibleName::Set(m_ptxtExtension, QStringLiteral("Extension"));
    m_ptxtExtension->setFixedWidth(
        m_ptxtExtension->fontMetrics().horizontalAdvance(QStringLiteral("MMMMM")) + 12);
    // Greyed like the dialog's own background, so it reads as fixed.
    QPalette extensionPalette = m_ptxtExtension->palette();
    extensionPalette.setColor(QPalette::Disabled, QPalette::Base,
                              extensionPalette.color(QPalette::Window));
    m_ptxtExtension->setPalette(extensionPalette);

    m_pLabel1 = new QLabel(
        QStringLiteral("The saved file is in a text format which can be opened in Notepad."),
        m_pFrame1);
    m_pLabel1->setObjectName(QStringLiteral("Label1"));
    m_pLabel1->setWordWrap(true);
    m_pLabel1->setMinimumHeight(2 * m_pLabel1->fontMetrics().lineSpacing());
    m_pLabel1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CContrast::SetTextColour(m_pLabel1, Qt::darkBlue);

    // The dialog names the file only; this says where it goes.
    m_pFolderLine = new CFolderLine(QStringLiteral("txtFolder"), m_pFrame1);

    auto* pFrameLayout = new QGridLayout(m_pFrame1);
    pFrameLayout->setHorizontalSpacing(0);
    pFrameLayout->addWidget(m_plblSaveType, 0, 0, 1, 2);
    pFrameLayout->addWidget(m_ptxtFilename, 1, 0);
    pFrameLayout->addWidget(m_ptxtExtension, 1, 1);
    pFrameLayout->addWidget(m_pLabel1, 2, 0, 1, 2);
    pFrameLayout->addWidget(m_pFolderLine, 3, 0, 1, 2);

    m_pcmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_pcmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_pcmdCancel->setAutoDefault(false);
    m_pcmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    m_pcmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_pcmdOk->setDefault(true);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pcmdCancel);
    pButtons->addStretch(1);
    pButtons->addWidget(m_pcmdOk);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pFrame1);
    pLayout->addLayout(pButtons);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_ptxtFilename, m_pcmdCancel);
    setTabOrder(m_pcmdCancel, m_pcmdOk);

    connect(m_pcmdOk, &QPushButton::clicked, this, &frmSaveAs::cmdOk_Click);
    connect(m_pcmdCancel, &QPushButton::clicked, this, &frmSaveAs::reject);

    setWindowTitle(QString::fromLatin1(InitialCaption));
    m_ptxtExtension->setText(QString::fromLatin1(InitialExtension));
}

void frmSaveAs::SaveAsType(int16_t iType) {
    m_iSaveAsType = iType;
}

bool frmSaveAs::Cancelled() const {
    return m_bCancelled;
}

void frmSaveAs::Prepare() {
    // Every preparation starts from the window's initial state, so a value
    // outside 0 to 2 keeps the plain caption, an empty type line and ".TXT".
    setWindowTitle(QString::fromLatin1(InitialCaption));
    m_plblSaveType->clear();
    m_ptxtFilename->clear();
    m_ptxtExtension->setText(QString::fromLatin1(InitialExtension));

    m_bCancelled = false;
    m_pFolderLine->setFolder(CProgram::FromEngine(CProgram::Nokia().FilePath));

    switch (m_iSaveAsType) {
    case 0:
        setWindowTitle(QStringLiteral("Save Keypress File As..."));
        m_plblSaveType->setText(QStringLiteral("You are saving a KEYPRESS file."));
        m_ptxtExtension->setText(QStringLiteral(".KEY"));
        break;
    case 1:
        setWindowTitle(QStringLiteral("Save Composer File As..."));
        m_plblSaveType->setText(QStringLiteral("You are saving a COMPOSER file."));
        m_ptxtExtension->setText(QStringLiteral(".321"));
        break;
    case 2:
        setWindowTitle(QStringLiteral("Save RTTTL File As..."));
        m_plblSaveType->setText(QStringLiteral("You are saving a RTTTL file."));
        m_ptxtExtension->setText(QStringLiteral(".TXT"));
        break;
    default:
        break;
    }

    // Sized for the texts just set before it is placed.
    adjustSize();
    CWindowPlacement::CentreOnScreen(this);
    m_bPrepared = true;
}

QLineEdit* frmSaveAs::txtFilename() {
    if (!m_bPrepared)
        Prepare();
    return m_ptxtFilename;
}

int frmSaveAs::exec() {
    if (!m_bPrepared)
        Prepare();
    return QDialog::exec();
}

void frmSaveAs::done(int iResult) {
    // Closing ends this showing: the next one is prepared afresh.
    m_bPrepared = false;
    QDialog::done(iResult);
}

void frmSaveAs::reject() {
    m_bCancelled = true;
    QDialog::reject();
}

void frmSaveAs::showEvent(QShowEvent* pEvent) {
    QDialog::showEvent(pEvent);
    // The caller fills the box after preparing, so the proposed name is
    // selected here, where it is already in place: typing replaces it whole.
    m_ptxtFilename->setFocus(Qt::OtherFocusReason);
    m_ptxtFilename->selectAll();
}

void frmSaveAs::cmdOk_Click() {
    const QString sName = m_ptxtFilename->text();
    if (sName.isEmpty()) {
        CMessageBox::Show(this, QStringLiteral("Please enter a valid filename."),
                          QStringLiteral("No filename"), CMessageBox::Information,
                          CMessageBox::OkOnly);
        return;
    }
    // Taken as typed: the write reports names the file system refuses.
    CProgram::Nokia().FileName = CProgram::ToEngine(sName + m_ptxtExtension->text());
    accept();
}
