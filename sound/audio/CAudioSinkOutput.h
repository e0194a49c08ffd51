#pragma once
// The sound output on Qt Multimedia: the default device, its sink, and
// word when either goes.

#include "sound/CAudioOutput.h"

#include <QAudio>
#include <QByteArray>
#include <QMediaDevices>
#include <QObject>

class QAudioSink;

class CAudioSinkOutput : public QObject, public CAudioOutput {
public:
    explicit CAudioSinkOutput(std::function<void()> fnLost);
    ~CAudioSinkOutput() override;

    Opening Open(QIODevice* pSource, int iSampleRate, int iBufferMs) override;
    void Close(bool bNow) override;
    qint64 ProcessedUSecs() const override;
    bool Broken() const override;

private:
    void OnStateChanged(QAudio::State iState);
    void OnOutputsChanged();

    std::function<void()> m_fnLost;
    QMediaDevices m_Devices;
    QAudioSink* m_pSink = nullptr;
    QByteArray m_DeviceId;
};
