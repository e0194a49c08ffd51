#pragma once
// Where Get takes a ringtone from: a file the user picks in the open dialog,
// the clipboard, or a file or text dropped on the window. Each source
// explains in a message box why it gives nothing.

#include <QString>
#include <optional>

class CNokia;
class QWidget;

class CRingToneSource {
public:
    struct Taken {
        QString Text;
        QString Origin; // the file name, "Clipboard" or "Dropped text"
    };

    // The open dialog in the converter's notation and folder, then the text
    // of the chosen file. Nothing when the user gives up or the file is
    // refused as too large or as no text file; a file that cannot be opened
    // gives an empty text after its message.
    static std::optional<Taken> FromFile(QWidget* pParent, const CNokia& nokia);

    // The text of the file the converter's FilePath and FileName name, as
    // FromFile reads the file chosen in the dialog.
    static std::optional<Taken> FromNamedFile(QWidget* pParent, const CNokia& nokia);

    // The clipboard's text, which leaves the clipboard. Nothing, and the
    // clipboard as it was, when it holds only spaces or too much text.
    static std::optional<Taken> FromClipboard(QWidget* pParent);

    // A text dropped on the window, checked as the clipboard's text is, with
    // the same messages; the clipboard is not touched.
    static std::optional<Taken> FromDroppedText(QWidget* pParent, const QString& sText);

private:
    // Nothing, after its message, for a text of only spaces or too long.
    static bool Acceptable(QWidget* pParent, const QString& sText);
};
