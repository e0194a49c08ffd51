#include "sound/CTuneStream.h"

#include <algorithm>
#include <cstring>
#include <iterator>

CTuneStream::CTuneStream(CTune tune, QObject* pParent)
    : QIODevice(pParent), m_Renderer(std::move(tune)) {}

bool CTuneStream::atEnd() const {
    return m_Renderer.AtEnd() && QIODevice::bytesAvailable() == 0;
}

qint64 CTuneStream::bytesAvailable() const {
    const qint64 iLeft = m_Renderer.Tune().TotalSamples() - m_Renderer.Position();
    return iLeft * qint64{sizeof(int16_t)} + QIODevice::bytesAvailable();
}

qint64 CTuneStream::readData(char* pData, qint64 iMaxSize) {
    // Whole samples only; the buffer need not be aligned for int16_t.
    int16_t chunk[4096];
    qint64 iRead = 0;
    while (iMaxSize - iRead >= qint64{sizeof(int16_t)}) {
        const auto iWanted =
            std::min<qint64>(std::size(chunk), (iMaxSize - iRead) / qint64{sizeof(int16_t)});
        const size_t iMade = m_Renderer.Render(chunk, static_cast<size_t>(iWanted));
        if (iMade == 0)
            break;
        std::memcpy(pData + iRead, chunk, iMade * sizeof(int16_t));
        iRead += static_cast<qint64>(iMade * sizeof(int16_t));
    }
    // At the end this is 0, which tells the output the tune is done.
    return iRead;
}

qint64 CTuneStream::writeData(const char*, qint64) {
    return -1;
}
