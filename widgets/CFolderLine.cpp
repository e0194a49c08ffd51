#include "widgets/CFolderLine.h"

#include "widgets/CAccessibleName.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

CFolderLine::CFolderLine(const QString& sBoxName, QWidget* pParent) : QWidget(pParent) {
    lblFolder = new QLabel(QStringLiteral("Folder:"), this);
    txtFolder = new QLineEdit(this);
    txtFolder->setObjectName(sBoxName);
    txtFolder->setReadOnly(true);
    txtFolder->setFocusPolicy(Qt::NoFocus);
    CAccessibleName::Set(txtFolder, QStringLiteral("Folder"));
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(lblFolder);
    pLayout->addWidget(txtFolder, 1);
}

void CFolderLine::setFolder(const QString& sFolder) {
    const QString sShown = QDir::toNativeSeparators(sFolder);
    txtFolder->setText(sShown);
    txtFolder->setToolTip(sShown);
    txtFolder->setCursorPosition(static_cast<int>(sShown.size()));
}

QString CFolderLine::folder() const {
    return txtFolder->text();
}
