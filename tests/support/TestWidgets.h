#pragma once
// Finding the controls of a window in tests by the names they carry.

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QtGlobal>

namespace TestWidgets {

// The child of that name and kind; a test that asks for a control the
// window does not have stops at once, naming it.
template <typename T> T* Child(const QObject* pParent, const QString& sName) {
    T* pChild = pParent->findChild<T*>(sName);
    if (!pChild)
        qFatal("no child %s", qPrintable(sName));
    return pChild;
}

// The name a screen reader announces for the widget.
inline QString AccessibleName(QObject* pWidget) {
    QAccessibleInterface* pAccess = QAccessible::queryAccessibleInterface(pWidget);
    return pAccess ? pAccess->text(QAccessible::Name) : QStringLiteral("<none>");
}

} // namespace TestWidgets
