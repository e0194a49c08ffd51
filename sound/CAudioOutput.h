#pragma once
// The desktop's sound output as the player uses it: one stream of 16-bit
// mono samples at a time. Made by the audio module, which is loaded only
// when something is first played (see AudioModule).

#include <QtGlobal>
#include <functional>

class QIODevice;

class CAudioOutput {
public:
    enum class Opening { Opened, NoOutput, Refused };

    virtual ~CAudioOutput() = default;

    // Starts pulling samples from pSource, opened for reading, on the
    // default output, at iSampleRate, with iBufferMs of lead; the output
    // takes the source (its parent becomes the output's own). Closes the
    // stream playing before.
    virtual Opening Open(QIODevice* pSource, int iSampleRate, int iBufferMs) = 0;
    // Stops the stream; with bNow false it goes once control is back in the
    // event loop, as the call may come from the output's own signal.
    virtual void Close(bool bNow) = 0;
    // Microseconds of sound heard from the stream.
    virtual qint64 ProcessedUSecs() const = 0;
    // The output reported an error other than running short of samples.
    virtual bool Broken() const = 0;
};

// The module's one entry point: an output that calls fnLost (from the event
// loop) when the stream stops by itself or its device goes away.
using MakeAudioOutput = CAudioOutput* (*)(std::function<void()> fnLost);
#define RINGWRIGHT_AUDIO_ENTRY "ringwright_make_audio_output"
