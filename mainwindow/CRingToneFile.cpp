#include "mainwindow/CRingToneFile.h"

#include "files/RingToneFile.h"

#include <QFile>

namespace {

QString FromUtf8(const std::string& sText) {
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

} // namespace

CRingToneFile::Result CRingToneFile::Read(const QString& sPath) {
    const RingToneFile::Result read = RingToneFile::Read(QFile::encodeName(sPath).toStdString());
    switch (read.iOutcome) {
    case RingToneFile::Outcome::Read:
        return {Loaded, FromUtf8(read.sText)};
    case RingToneFile::Outcome::TooLarge:
        return {TooLarge, QString()};
    case RingToneFile::Outcome::NotText:
        return {NotText, QString()};
    case RingToneFile::Outcome::CannotOpen:
        break;
    }
    return {CannotOpen, QString()};
}

bool CRingToneFile::Fits(const QString& sText) {
    // Every UTF-16 unit takes at least one byte: a longer text never fits,
    // and is not converted to find out.
    return sText.size() <= MaxLength && RingToneFile::Fits(sText.toUtf8().toStdString());
}

QString CRingToneFile::Decode(const QByteArray& bytes) {
    return FromUtf8(RingToneFile::Decode(std::string_view(bytes.constData(), bytes.size())));
}

QString CRingToneFile::JoinLines(QString sText) {
    sText.remove(QLatin1Char('\r'));
    sText.remove(QLatin1Char('\n'));
    return sText;
}
