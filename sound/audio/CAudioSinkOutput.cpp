#include "sound/audio/CAudioSinkOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>

#include <exception>

CAudioSinkOutput::CAudioSinkOutput(std::function<void()> fnLost) : m_fnLost(std::move(fnLost)) {
    connect(&m_Devices, &QMediaDevices::audioOutputsChanged, this,
            &CAudioSinkOutput::OnOutputsChanged);
}

CAudioSinkOutput::~CAudioSinkOutput() {
    Close(true);
}

CAudioOutput::Opening CAudioSinkOutput::Open(QIODevice* pSource, int iSampleRate, int iBufferMs) {
    Close(false);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(iSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format)) {
        delete pSource;
        return device.isNull() ? Opening::NoOutput : Opening::Refused;
    }
    try {
        // No parent: the sink's own parts would take it too, and outlive it.
        m_pSink = new QAudioSink(device, format);
    } catch (const std::exception&) {
        delete pSource;
        return Opening::Refused;
    }
    pSource->setParent(m_pSink);
    m_DeviceId = device.id();
    m_pSink->setBufferSize(format.bytesForDuration(qint64(iBufferMs) * 1000));
    connect(m_pSink, &QAudioSink::stateChanged, this, &CAudioSinkOutput::OnStateChanged);
    m_pSink->start(pSource);
    if (m_pSink->error() != QAudio::NoError || m_pSink->state() == QAudio::StoppedState) {
        Close(false);
        return Opening::Refused;
    }
    return Opening::Opened;
}

void CAudioSinkOutput::Close(bool bNow) {
    if (!m_pSink)
        return;
    QAudioSink* pSink = m_pSink;
    m_pSink = nullptr;
    pSink->disconnect(this);
    pSink->stop();
    if (bNow)
        delete pSink;
    else
        pSink->deleteLater();
}

qint64 CAudioSinkOutput::ProcessedUSecs() const {
    return m_pSink ? m_pSink->processedUSecs() : 0;
}

bool CAudioSinkOutput::Broken() const {
    if (!m_pSink)
        return false;
    const QAudio::Error iError = m_pSink->error();
    return iError != QAudio::NoError && iError != QAudio::UnderrunError;
}

void CAudioSinkOutput::OnStateChanged(QAudio::State iState) {
    if (iState == QAudio::StoppedState)
        m_fnLost();
}

void CAudioSinkOutput::OnOutputsChanged() {
    if (!m_pSink)
        return;
    for (const QAudioDevice& device : QMediaDevices::audioOutputs())
        if (device.id() == m_DeviceId)
            return;
    m_fnLost();
}

extern "C" Q_DECL_EXPORT CAudioOutput* ringwright_make_audio_output(std::function<void()> fnLost) {
    try {
        return new CAudioSinkOutput(std::move(fnLost));
    } catch (...) {
        return nullptr;
    }
}
