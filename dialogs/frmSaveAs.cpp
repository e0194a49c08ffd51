#include "dialogs/frmSaveAs.h"

#include "engine/CNokia.h"
#include "engine/Forms.h"
#include "engine/RingToneText.h"
#include "widgets/CAccessibleName.h"
#include "widgets/CContrast.h"
#include "widgets/CFolderLine.h"
#include "widgets/CMessageBox.h"
#include "widgets/CProgram.h"
#include "widgets/CWindowPlacement.h"

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

    Frame1 = new QGroupBox(QStringLiteral("Filename"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    lblSaveType = new QLabel(Frame1);
    lblSaveType->setObjectName(QStringLiteral("lblSaveType"));

    m_pFilenameBox = new QLineEdit(Frame1);
    m_pFilenameBox->setObjectName(QStringLiteral("txtFilename"));
    m_pFilenameBox->setMinimumWidth(240);
    // Named after the frame that holds it, for screen readers.
    CAccessibleName::Set(m_pFilenameBox, Frame1->title());

    txtExtension = new QLineEdit(Frame1);
    txtExtension->setObjectName(QStringLiteral("txtExtension"));
    txtExtension->setEnabled(false);
    CAccessibleName::Set(txtExtension, QStringLiteral("Extension"));
    txtExtension->setFixedWidth(
        txtExtension->fontMetrics().horizontalAdvance(QStringLiteral("MMMMM")) + 12);
    // Greyed like the dialog's own background, so it reads as fixed.
    QPalette extensionPalette = txtExtension->palette();
    extensionPalette.setColor(QPalette::Disabled, QPalette::Base,
                              extensionPalette.color(QPalette::Window));
    txtExtension->setPalette(extensionPalette);

    Label1 = new QLabel(
        QStringLiteral("The saved file is in a text format which can be opened in Notepad."),
        Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumHeight(2 * Label1->fontMetrics().lineSpacing());
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CContrast::SetTextColour(Label1, Qt::darkBlue);

    // The dialog names the file only; this says where it goes.
    m_pFolderLine = new CFolderLine(QStringLiteral("txtFolder"), Frame1);

    auto* pFrameLayout = new QGridLayout(Frame1);
    pFrameLayout->setHorizontalSpacing(0);
    pFrameLayout->addWidget(lblSaveType, 0, 0, 1, 2);
    pFrameLayout->addWidget(m_pFilenameBox, 1, 0);
    pFrameLayout->addWidget(txtExtension, 1, 1);
    pFrameLayout->addWidget(Label1, 2, 0, 1, 2);
    pFrameLayout->addWidget(m_pFolderLine, 3, 0, 1, 2);

    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(cmdCancel);
    pButtons->addStretch(1);
    pButtons->addWidget(cmdOk);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(Frame1);
    pLayout->addLayout(pButtons);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_pFilenameBox, cmdCancel);
    setTabOrder(cmdCancel, cmdOk);

    connect(cmdOk, &QPushButton::clicked, this, &frmSaveAs::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSaveAs::reject);

    setWindowTitle(QString::fromLatin1(InitialCaption));
    txtExtension->setText(QString::fromLatin1(InitialExtension));
}

void frmSaveAs::SaveAsType(int16_t iType) {
    m_iSaveAsType = iType;
}

bool frmSaveAs::Cancelled() const {
    return m_bCancelled;
}

void frmSaveAs::Prepare() {
    // Every preparation starts from the window's initial state, so a value
    // outside 0 to 2 keeps the plain caption, an empty type line and the
    // initial ".TXT", which is also the extension of any other type.
    setWindowTitle(QString::fromLatin1(InitialCaption));
    lblSaveType->clear();
    m_pFilenameBox->clear();
    txtExtension->setText(QString::fromLatin1(RingToneText::Extension(m_iSaveAsType).c_str()));

    m_bCancelled = false;
    m_pFolderLine->setFolder(CProgram::FromEngine(CProgram::Nokia().FilePath));

    switch (m_iSaveAsType) {
    case ShowForm::Keypresses:
        setWindowTitle(QStringLiteral("Save Keypress File As..."));
        lblSaveType->setText(QStringLiteral("You are saving a KEYPRESS file."));
        break;
    case ShowForm::Composer:
        setWindowTitle(QStringLiteral("Save Composer File As..."));
        lblSaveType->setText(QStringLiteral("You are saving a COMPOSER file."));
        break;
    case ShowForm::Rtttl:
        setWindowTitle(QStringLiteral("Save RTTTL File As..."));
        lblSaveType->setText(QStringLiteral("You are saving a RTTTL file."));
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
    return m_pFilenameBox;
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
    m_pFilenameBox->setFocus(Qt::OtherFocusReason);
    m_pFilenameBox->selectAll();
}

void frmSaveAs::cmdOk_Click() {
    const QString sName = m_pFilenameBox->text();
    if (sName.isEmpty()) {
        CMessageBox::Show(this, QStringLiteral("Please enter a valid filename."),
                          QStringLiteral("No filename"), CMessageBox::Information,
                          CMessageBox::OkOnly);
        return;
    }
    // Taken as typed: the write reports names the file system refuses.
    CProgram::Nokia().FileName = CProgram::ToEngine(sName + txtExtension->text());
    accept();
}
