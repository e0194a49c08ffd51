#pragma once
// What the results area shows after a conversion, worked out from the
// converter without any widget: the window only copies these texts.

#include <QString>

class CNokia;

class CConversionResults {
public:
    // "Conversion Results", or with the origin in brackets after it.
    static QString ResultsCaption(const QString& sOrigin = QString());

    // The converter after Convert. sOrigin names where the ringtone came
    // from (a file name, "Clipboard") in the caption. Never throws: a
    // failure half-way keeps what was worked out so far, joins the error
    // list, and its line becomes the message.
    static CConversionResults Of(const CNokia& nokia, const QString& sOrigin);

    // The notes in the converter's display form, and the message line to go
    // with them: a text too long to read leaves the box empty and says so,
    // and a form that fits gives the line back what it said before.
    struct Display {
        QString Notes;
        QString Message;
    };
    static Display InForm(const CNokia& nokia, const QString& sMessage);

    // The warning that lists the conversion errors; empty when the error
    // list is blank.
    static QString ErrorReport();

    // Until worked out, as the window's Clear leaves the area.
    QString Name;
    QString Tempo;
    QString NoteCount = QStringLiteral("0");
    QString Remaining;
    QString Message;
    QString Notes;
    QString Caption = ResultsCaption();
};
