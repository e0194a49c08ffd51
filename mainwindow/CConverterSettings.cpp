#include "mainwindow/CConverterSettings.h"

#include "app/CProgram.h"
#include "engine/modNOK.h"

#include <QDir>
#include <QDirIterator>
#include <QSettings>
#include <exception>

namespace {

constexpr int SourceOptions = 2;
constexpr int ShowOptions = 3;

QString Key(const char* sName) {
    return QString::fromLatin1(sName);
}

// Option numbers are read by the same whole-number rule as every other
// number the program keeps as text.
int OptionIndex(const QString& sStored, int iOptions) {
    try {
        const int iValue = modNOK::WholeNumber(CProgram::ToEngine(sStored));
        return iValue >= 0 && iValue < iOptions ? iValue : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

// A ringtone folder is worth remembering only while it holds at least one
// ordinary file: folders, hidden and system entries do not count.
bool HoldsOrdinaryFile(const QString& sFolder) {
    // Stops at the first file: a remembered home folder may hold thousands.
    return !sFolder.isEmpty() && QDir(sFolder).exists() &&
           QDirIterator(sFolder, QDir::Files | QDir::NoDotAndDotDot).hasNext();
}

} // namespace

CConverterSettings::Values CConverterSettings::Read(int32_t iSourceType, int16_t iShowType) {
    QSettings settings(CProgram::Name(), CProgram::Name());
    settings.beginGroup(Key("Settings"));
    Values values;
    values.SourceType = OptionIndex(
        settings.value(Key("SourceType"), QString::number(iSourceType)).toString(), SourceOptions);
    values.ShowType = static_cast<int16_t>(OptionIndex(
        settings.value(Key("ShowType"), QString::number(iShowType)).toString(), ShowOptions));
    values.RingToneFolder = settings.value(Key("RingToneDirectory"), QString()).toString();
    // The key of older versions counts only while the new one is empty.
    if (values.RingToneFolder.isEmpty())
        values.RingToneFolder = settings.value(Key("RTTLDirectory"), QString()).toString();
    const QString sFromFile = settings.value(Key("FromFile"), QStringLiteral("False")).toString();
    if (sFromFile == QLatin1String("True"))
        values.FromFile = true;
    else if (sFromFile == QLatin1String("False"))
        values.FromFile = false;
    return values;
}

void CConverterSettings::Write(const Values& values) {
    QSettings settings(CProgram::Name(), CProgram::Name());
    settings.beginGroup(Key("Settings"));
    settings.setValue(Key("RingToneDirectory"), values.RingToneFolder);
    settings.setValue(Key("SourceType"), QString::number(values.SourceType));
    settings.setValue(Key("ShowType"), QString::number(values.ShowType));
    settings.setValue(Key("FromFile"), values.FromFile.value_or(false) ? QStringLiteral("True")
                                                                       : QStringLiteral("False"));
    settings.endGroup();
    settings.sync();
}

QString CConverterSettings::StartFolder(const QString& sRemembered) {
    // The program's own folder, or the home folder where the program lives
    // in a system folder that saves could not write to.
    return HoldsOrdinaryFile(sRemembered) ? sRemembered : CProgram::RingToneFolder();
}
