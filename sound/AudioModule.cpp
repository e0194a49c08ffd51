#include "sound/AudioModule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

QStringList AudioModule::Places() {
    const QString sProgramDir = QCoreApplication::applicationDirPath();
    QStringList places{sProgramDir + QStringLiteral("/" RINGWRIGHT_AUDIO_INSTALLED)};
    // Only a program run from the build tree loads the module from there.
    if (sProgramDir.startsWith(QStringLiteral(RINGWRIGHT_BUILD_DIR "/")))
        places << QStringLiteral(RINGWRIGHT_AUDIO_BUILT);
    return places;
}

MakeAudioOutput AudioModule::Load(const QStringList& places, QString& sError) {
    sError = QStringLiteral("the audio module was not found");
    for (const QString& sPlace : places) {
        if (!QFileInfo::exists(sPlace))
            continue;
        // Never unloaded: outputs made by it may live until the program ends.
        QLibrary library(sPlace);
        if (auto pfnMake =
                reinterpret_cast<MakeAudioOutput>(library.resolve(RINGWRIGHT_AUDIO_ENTRY)))
            return pfnMake;
        sError = library.errorString();
    }
    return nullptr;
}

std::unique_ptr<CAudioOutput> AudioModule::Make(std::function<void()> fnLost, QString& sError) {
    static QString sLoadError;
    static const MakeAudioOutput pfnMake = Load(Places(), sLoadError);
    sError = sLoadError;
    if (!pfnMake)
        return nullptr;
    std::unique_ptr<CAudioOutput> pOutput(pfnMake(std::move(fnLost)));
    if (!pOutput)
        sError = QStringLiteral("the audio module could not make an output");
    return pOutput;
}
