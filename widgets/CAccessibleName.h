#pragma once
// Names for screen readers, taken from the caption a sighted user reads next
// to a control: without the access-key marker and without a closing colon.

#include <QString>

class QWidget;

namespace CAccessibleName {
// "&Get..." gives "Get...", "Name:" gives "Name", "&&" stays one "&".
QString FromCaption(const QString& sCaption);

// Gives pWidget the name FromCaption(sCaption).
void Set(QWidget* pWidget, const QString& sCaption);
} // namespace CAccessibleName
