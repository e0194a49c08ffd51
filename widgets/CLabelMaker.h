#pragma once
// Makes the plain-text labels of the program's windows.

class QLabel;
class QString;
class QWidget;

namespace CLabelMaker {
// A label named sName that shows sText as it is, never as markup.
QLabel* Make(const QString& sName, const QString& sText, QWidget* pParent);
} // namespace CLabelMaker
