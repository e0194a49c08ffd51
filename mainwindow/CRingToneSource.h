#pragma once
// Where Get takes a ringtone from: a file the user picks in the open dialog,
// or the clipboard. Each source explains in a message box why it gives
// nothing.

#include <QString>
#include <optional>

class CNokia;
class QWidget;

class CRingToneSource {
public:
    struct Taken {
        QString Text;
        QString Origin; // the file name, or "Clipboard"
    };

    // The open dialog in the converter's notation and folder, then the text
    // of the chosen file. Nothing when the user gives up or the file is
    // refused as too large or as no text file; a file that cannot be opened
    // gives an empty text after its message.
    static std::optional<Taken> FromFile(QWidget* pParent, const CNokia& nokia);

    // The clipboard's text, which leaves the clipboard. Nothing, and the
    // clipboard as it was, when it holds only spaces or too much text.
    static std::optional<Taken> FromClipboard(QWidget* pParent);
};
