#pragma once
// A read-only stream of a tune's samples for an audio output to pull from:
// each read makes just the samples asked for.

#include "tune/CTuneRenderer.h"

#include <QIODevice>

class CTuneStream : public QIODevice {
    Q_OBJECT
public:
    CTuneStream(CTune tune, QObject* pParent = nullptr);

    const CTune& Tune() const { return m_Renderer.Tune(); }
    bool isSequential() const override { return true; }
    bool atEnd() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* pData, qint64 iMaxSize) override;
    qint64 writeData(const char* pData, qint64 iSize) override;

private:
    CTuneRenderer m_Renderer;
};
