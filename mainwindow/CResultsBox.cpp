#include "mainwindow/CResultsBox.h"

#include "engine/CNokia.h"
#include "engine/ConversionSummary.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"
#include "widgets/CContrast.h"
#include "widgets/CProgram.h"
#include "widgets/CSeparatorWrapLayout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The failure joins the error list, so that the warning that follows says
// what went wrong; the message line shows the failure's own line, the last.
QString FailureMessage(const char* sDescription) {
    modNOK::AddError("frmConverter.ConvertAndShow", sDescription);
    return CProgram::FromEngine(ConversionSummary::ErrorLines(modNOK::GetErrors()).back());
}

QString TooManyNotes() {
    return QString::fromLatin1(RingToneText::TooManyNotes);
}

// The engine places notes in bytes of UTF-8, the box in UTF-16 units. A
// place may reach past the text into the trailing blanks it leaves out,
// which count one each.
QList<CResultsBox::Place> InBox(const std::string& sText,
                                const std::vector<CNotes::Place>& places) {
    QList<CResultsBox::Place> inBox;
    inBox.reserve(static_cast<qsizetype>(places.size()));
    // Places only move forwards, so each byte is counted once.
    size_t iByte = 0;
    int iUnit = 0;
    const auto unitAt = [&](size_t iAt) {
        const size_t iTo = std::min(iAt, sText.size());
        if (iTo > iByte) {
            const char* pFrom = sText.data() + iByte;
            const char* pTo = sText.data() + iTo;
            const bool bAscii = std::all_of(
                pFrom, pTo, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
            iUnit +=
                bAscii ? static_cast<int>(iTo - iByte)
                       : static_cast<int>(
                             QString::fromUtf8(pFrom, static_cast<qsizetype>(iTo - iByte)).size());
            iByte = iTo;
        }
        return iUnit + static_cast<int>(iAt - iTo);
    };
    for (const CNotes::Place& place : places) {
        const int iStart = unitAt(place.iStart);
        inBox.append({iStart, unitAt(size_t{place.iStart} + place.iLength) - iStart});
    }
    return inBox;
}

struct Display {
    QString Notes;
    QList<CResultsBox::Place> Places;
    QString Message;
};

// The notes in the converter's display form with their places, and the
// message line to go with them: a text longer than MaxLength bytes is never
// built, leaves the box empty and says so, and a form that fits gives the
// line back what it said before.
Display InForm(const CNokia& nokia, const QString& sMessage) {
    std::vector<CNotes::Place> places;
    const std::optional<std::string> sNotes =
        nokia.Notes.GetNotesWithin(nokia.ShowType, CResultsBox::MaxLength, places);
    if (!sNotes)
        return {QString(), {}, CResultsBox::TooLongMessage()};
    Display display{CProgram::FromEngine(*sNotes), InBox(*sNotes, places), sMessage};
    if (sMessage == CResultsBox::TooLongMessage())
        display.Message =
            nokia.Notes.Count() > RingToneText::PhoneNotes ? TooManyNotes() : QString();
    return display;
}

} // namespace

CResultsBox::CResultsBox(const Controls& controls)
    : m_Controls(controls), m_pWrap(new CSeparatorWrapLayout(controls.pNotes->document())) {
    m_pWrap->setPaintDevice(controls.pNotes->viewport());
}

void CResultsBox::WrapAfterSeparators(int16_t iForm) {
    const char* sSeparator = CNotes::Separator(iForm);
    m_pWrap->SetSeparator(sSeparator ? CProgram::FromEngine(sSeparator) : QString());
}

void CResultsBox::Clear() {
    m_Controls.pMessage->clear();
    m_Controls.pNoteCount->setText(QStringLiteral("0"));
    m_Controls.pRemaining->clear();
    m_Controls.pName->clear();
    m_Controls.pTempo->clear();
    m_Places.clear();
    m_Controls.pNotes->clear();
    m_Controls.pFrame->setTitle(ResultsCaption());
}

void CResultsBox::Show(const CNokia& nokia, const QString& sOrigin) {
    const Results results = Of(nokia, sOrigin);
    m_Controls.pName->setText(results.Name);
    m_Controls.pTempo->setText(results.Tempo);
    m_Controls.pNoteCount->setText(results.NoteCount);
    m_Controls.pMessage->setText(results.Message);
    WrapAfterSeparators(nokia.ShowType);
    // Before the text, for whoever follows its changes.
    m_Places = results.Places;
    m_Controls.pNotes->setPlainText(results.Notes);
    MarkErrors(nokia);
    m_Controls.pRemaining->setText(results.Remaining);
    m_Controls.pFrame->setTitle(results.Caption);
}

void CResultsBox::ShowForm(const CNokia& nokia) {
    const Display display = InForm(nokia, m_Controls.pMessage->text());
    WrapAfterSeparators(nokia.ShowType);
    m_Places = display.Places;
    m_Controls.pNotes->setPlainText(display.Notes);
    m_Controls.pMessage->setText(display.Message);
    MarkErrors(nokia);
}

void CResultsBox::MarkErrors(const CNokia& nokia) {
    QTextEdit* pBox = m_Controls.pNotes;
    // As a spelling checker marks a word: a wavy line under the note in a
    // warning red, the darker one on a light box, the lighter on a dark one;
    // the note itself keeps the colour of the text.
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(
        CContrast::Readable({QColor(0xc6, 0x28, 0x28), QColor(0xff, 0x8a, 0x80)},
                            pBox->palette().color(QPalette::Base)));
    const int iEnd = static_cast<int>(pBox->toPlainText().size());
    for (qsizetype iNote = 0; iNote < m_Places.size(); ++iNote) {
        const Place& place = m_Places[iNote];
        if (place.iLength == 0)
            continue;
        const std::string_view sLines =
            nokia.Notes.ParseErrorLines(static_cast<int32_t>(iNote + 1));
        if (sLines.empty())
            continue;
        if (place.iStart >= iEnd)
            break;
        QTextCursor cursor(pBox->document());
        cursor.setPosition(place.iStart);
        cursor.setPosition(std::min(place.iStart + place.iLength, iEnd), QTextCursor::KeepAnchor);
        format.setToolTip(CProgram::FromEngine(std::string(sLines))
                              .replace(QLatin1Char('\r'), QLatin1Char('\n')));
        cursor.mergeCharFormat(format);
    }
}

void CResultsBox::MarkHeard(const Place& place) {
    QTextEdit* pBox = m_Controls.pNotes;
    const int iEnd = static_cast<int>(pBox->document()->characterCount()) - 1;
    if (place.iLength == 0 || place.iStart >= iEnd) {
        ClearHeard();
        return;
    }
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(pBox->document());
    mark.cursor.setPosition(place.iStart);
    mark.cursor.setPosition(std::min(place.iStart + place.iLength, iEnd), QTextCursor::KeepAnchor);
    const QPalette& pal = pBox->palette();
    mark.format.setBackground(pal.color(QPalette::Highlight));
    mark.format.setForeground(pal.color(QPalette::HighlightedText));
    pBox->setExtraSelections({mark});
    m_bHeardMarked = true;

    // Scrolled into view without moving the user's own cursor.
    const QRect noteRect = pBox->cursorRect(mark.cursor);
    const QRect view = pBox->viewport()->rect();
    if (noteRect.top() < view.top() || noteRect.bottom() > view.bottom()) {
        QScrollBar* pBar = pBox->verticalScrollBar();
        pBar->setValue(pBar->value() + noteRect.top() - view.height() / 3);
    }
}

void CResultsBox::ClearHeard() {
    if (!m_bHeardMarked)
        return;
    m_Controls.pNotes->setExtraSelections({});
    m_bHeardMarked = false;
}

QString CResultsBox::ResultsCaption(const QString& sOrigin) {
    const QString sCaption = QStringLiteral("Conversion Results");
    return sOrigin.isEmpty() ? sCaption
                             : sCaption + QStringLiteral(" - [") + sOrigin + QLatin1Char(']');
}

CResultsBox::Results CResultsBox::Of(const CNokia& nokia, const QString& sOrigin) {
    Results results;
    results.Caption = ResultsCaption(sOrigin);
    try {
        try {
            // A blank name leaves the box empty; any other is shown with
            // its blanks.
            if (!modNOK::TrimBlanks(nokia.RingToneName).empty())
                results.Name = CProgram::FromEngine(nokia.RingToneName);
            results.Tempo = QString::number(nokia.Tempo);
            const int16_t iNoteCount = nokia.NoteCount();
            results.NoteCount = QString::number(iNoteCount);
            const Display display =
                InForm(nokia, iNoteCount > RingToneText::PhoneNotes ? TooManyNotes() : QString());
            results.Notes = display.Notes;
            results.Places = display.Places;
            results.Message = display.Message;
            results.Remaining =
                iNoteCount <= RingToneText::PhoneNotes
                    ? QString::number(RingToneText::PhoneNotes - nokia.Notes.Count())
                    : QStringLiteral("-");
        } catch (const std::exception& e) {
            results.Message = FailureMessage(e.what());
        } catch (...) {
            results.Message = FailureMessage("Unknown failure");
        }
    } catch (...) {
        // Not even the failure could be recorded (out of memory).
    }
    return results;
}

QString CResultsBox::ErrorReport() {
    const std::string sErrors = modNOK::GetErrors();
    if (modNOK::TrimBlanks(sErrors).empty())
        return QString();
    return QStringLiteral("There have been some conversion errors:\r") +
           CProgram::FromEngine(sErrors);
}

QString CResultsBox::TooLongMessage() {
    // As long as the 50-note message, so that the line shows it whole.
    return QStringLiteral("The notes are too long to show in this form.  Please choose another "
                          "display form.");
}
