#pragma once
// The results area: what a conversion shows in it (name, tempo, counts,
// message and the notes within the display limit, wrapped between notes
// only), the underlined notes that recorded errors, and the mark on the note
// being heard.

#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>

class CNokia;
class CSeparatorWrapLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTextEdit;

class CResultsBox {
public:
    struct Controls {
        QGroupBox* pFrame;
        QLineEdit* pName;
        QLineEdit* pTempo;
        QLabel* pNoteCount;
        QLabel* pRemaining;
        QLabel* pMessage;
        QTextEdit* pNotes;
    };

    // Where one note stands in the display text of a form, in the
    // characters the box counts.
    struct Place {
        int iStart = 0;  // counted from 0
        int iLength = 0; // the note's rendering; 0 for a note shown as nothing
    };

    // What the area shows after a conversion, worked out without any widget.
    // Until worked out, as Clear leaves the area.
    struct Results {
        QString Name;
        QString Tempo;
        QString NoteCount = QStringLiteral("0");
        QString Remaining;
        QString Message;
        QString Notes;
        // One per note in Notes, in note order; none while Notes is empty.
        QList<Place> Places;
        QString Caption = ResultsCaption();
    };

    // Some 16,000 lines of the box: far beyond any ringtone a phone holds,
    // and still shown at once. A longer display text is left out whole.
    static constexpr std::size_t MaxLength = 1024 * 1024;

    explicit CResultsBox(const Controls& controls);

    // Empties the area.
    void Clear();
    // The converter after Convert. sOrigin names where the ringtone came
    // from (a file name, "Clipboard") in the caption.
    void Show(const CNokia& nokia, const QString& sOrigin);
    // The notes again in the converter's display form; the name, tempo and
    // counts stay, and so does the message unless the form is too long.
    void ShowForm(const CNokia& nokia);

    // Where each note stands in the box as last filled, in note order;
    // none while it shows no notes.
    const QList<Place>& Places() const { return m_Places; }

    // Marks the note at place as being heard, scrolled into view, or takes
    // the mark away for a place outside the text.
    void MarkHeard(const Place& place);
    void ClearHeard();

    // "Conversion Results", or with the origin in brackets after it.
    static QString ResultsCaption(const QString& sOrigin = QString());

    // Never throws: a failure half-way keeps what was worked out so far,
    // joins the error list, and its line becomes the message.
    static Results Of(const CNokia& nokia, const QString& sOrigin);

    // The warning that lists the conversion errors; empty when the error
    // list is blank.
    static QString ErrorReport();

    // For the message line, while the box stays empty.
    static QString TooLongMessage();

private:
    // Underlines the notes whose parse recorded error lines, with the lines
    // as their tooltip.
    void MarkErrors(const CNokia& nokia);
    // Lines of the box break only after the separator of form iForm.
    void WrapAfterSeparators(int16_t iForm);

    Controls m_Controls;
    // Owned by the box's document.
    CSeparatorWrapLayout* m_pWrap;
    QList<Place> m_Places;
    bool m_bHeardMarked = false;
};
