#pragma once
// Every message box of the program goes through here: one look, one
// placement, and a safe default for questions.

#include <QString>

class QWidget;

namespace CMessageBox {
enum Icon { NoIcon, Information, Exclamation };
enum Buttons { OkOnly, YesNo };
enum Result { Ok, Yes, No };

// A modal box; an empty title shows the program's name.
Result Show(QWidget* pParent, const QString& sText, const QString& sTitle = QString(),
                   Icon iIcon = NoIcon, Buttons iButtons = OkOnly);

// The text as the box shows it, whole: line breaks for the engine's
// carriage returns. A box too big for the screen scrolls its text.
QString ShownText(const QString& sText);
} // namespace CMessageBox
