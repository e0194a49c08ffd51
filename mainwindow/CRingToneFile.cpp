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
    const QByteArray bytes = file.read(MaxLength + 1);
    if (file.error() != QFileDevice::NoError)
        return {CannotOpen, QString()};
    if (bytes.size() > MaxLength)
        return {TooLarge, QString()};

    const QString sDecoded = Decode(bytes);
    if (sDecoded.contains(QChar(0)))
        return {NotText, QString()};
    return {Loaded, JoinLines(sDecoded)};
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
