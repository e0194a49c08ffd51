#include "mainwindow/CConverterSettings.h"

#include "engine/Forms.h"
#include "engine/modNOK.h"
#include "widgets/CProgram.h"
#include "widgets/CProgramFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <exception>

namespace {

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
    // Without a usable store, every setting takes its default.
    std::optional<QSettings> store;
    if (PrepareFile()) {
        store.emplace(CProgram::Name(), CProgram::Name());
        store->beginGroup(Key("Settings"));
    }
    const auto Stored = [&store](const char* sName, const QString& sDefault) {
        return store ? store->value(Key(sName), sDefault).toString() : sDefault;
    };

    Values values;
    values.SourceType =
        OptionIndex(Stored("SourceType", QString::number(iSourceType)), Notation::Count);
    values.ShowType = static_cast<int16_t>(
        OptionIndex(Stored("ShowType", QString::number(iShowType)), ShowForm::Count));
    values.RingToneFolder = Stored("RingToneDirectory", QString());
    // The key of older versions counts only while the new one is empty.
    if (values.RingToneFolder.isEmpty())
        values.RingToneFolder = Stored("RTTLDirectory", QString());
    const QString sFromFile = Stored("FromFile", QStringLiteral("False"));
    if (sFromFile == QLatin1String("True"))
        values.FromFile = true;
    else if (sFromFile == QLatin1String("False"))
        values.FromFile = false;
    return values;
}

void CConverterSettings::Write(const Values& values) {
    if (!PrepareFile())
        return;
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

QString CConverterSettings::StartFolder(const QString& sRemembered,
                                        const CProgramFolders& folders) {
    // The program's own folder, or the home folder where the program lives
    // in a system folder that saves could not write to.
    return HoldsOrdinaryFile(sRemembered) ? sRemembered : folders.RingToneFolder();
}

bool CConverterSettings::PrepareFile() {
    // Without a usable home there is nowhere to keep settings: read none,
    // write none, and say nothing.
    const QString sHome = qEnvironmentVariable("HOME");
    if (sHome.isEmpty() || !QDir::isAbsolutePath(sHome) || !QFileInfo(sHome).isDir())
        return false;
    const QFileInfo file(FilePath());
    if (file.isFile() || (!file.exists() && !file.isSymLink()))
        return true;
    // A folder is left alone: it does not block, the store just cannot
    // write there.
    if (file.isDir())
        return true;
    return QFile::remove(file.filePath());
}

QString CConverterSettings::FilePath() {
    // As the store itself names it, without opening it to ask.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + CProgram::Name() + QLatin1Char('/') + CProgram::Name() +
           QStringLiteral(".conf");
}
