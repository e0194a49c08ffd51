#pragma once
// Names for screen readers, taken from the caption a sighted user reads next
// to a control: without the access-key marker and without a closing colon.

#include <QString>

class QWidget;

class CAccessibleName {
public:
    // "&Get..." gives "Get...", "Name:" gives "Name", "&&" stays one "&".
    static QString FromCaption(const QString& sCaption);

    // Gives pWidget the name FromCaption(sCaption).
    static void Set(QWidget* pWidget, const QString& sCaption);
};
