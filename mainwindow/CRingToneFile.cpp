#include "mainwindow/CRingToneFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

CRingToneFile::Result CRingToneFile::Read(const QString& sPath) {
    // Only ordinary files: opening a pipe or a device could block or never
    // end.
    if (!QFileInfo(sPath).isFile())
        return {CannotOpen, QString()};
    QFile file(sPath);
    if (!file.open(QIODevice::ReadOnly))
        return {CannotOpen, QString()};
    // A byte-order mark and four bytes for each character, at the most.
    constexpr qsizetype MaxBytes = 4 + 4 * MaxLength;
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {CannotOpen, QString()};
    if (bytes.size() > MaxBytes)
        return {TooLarge, QString()};

    const QString sDecoded = Decode(bytes);
    if (!Fits(sDecoded))
        return {TooLarge, QString()};
    if (sDecoded.contains(QChar(0)))
        return {NotText, QString()};
    return {Loaded, JoinLines(sDecoded)};
}

bool CRingToneFile::Fits(const QString& sText) {
    // Every UTF-16 unit takes at least one byte: a longer text never fits,
    // and is not converted to find out.
    return sText.size() <= MaxLength && sText.toUtf8().size() <= MaxLength;
}

QString CRingToneFile::Decode(const QByteArray& bytes) {
    // Only a byte-order mark can name another encoding; without one the
    // answer is UTF-8, or Latin-1 if the bytes are not valid UTF-8.
    const std::optional<QStringConverter::Encoding> bom = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(bom.value_or(QStringConverter::Utf8));
    QString sText = decoder.decode(bytes);
    if (!decoder.hasError())
        return sText;
    return QString::fromLatin1(bytes);
}

QString CRingToneFile::JoinLines(QString sText) {
    sText.remove(QLatin1Char('\r'));
    sText.remove(QLatin1Char('\n'));
    return sText;
}
