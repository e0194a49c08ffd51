#include "files/CLineSplitter.h"

#include <algorithm>

void CLineSplitter::Emit() {
    m_OnLine(m_sLine, m_iLength);
    m_sLine.clear();
    m_iLength = 0;
    m_bOpen = false;
}

void CLineSplitter::Feed(std::string_view bytes) {
    size_t i = 0;
    if (m_bAfterReturn && !bytes.empty()) {
        m_bAfterReturn = false;
        if (bytes.front() == '\n')
            i = 1;
    }
    while (i < bytes.size()) {
        const size_t iStop = bytes.find_first_of("\r\n", i);
        const size_t iEnd = std::min(iStop, bytes.size());
        if (m_sLine.size() < m_iKeep)
            m_sLine.append(bytes.substr(i, std::min(iEnd - i, m_iKeep - m_sLine.size())));
        m_iLength += iEnd - i;
        m_bOpen = true;
        if (iStop == std::string_view::npos)
            return;
        Emit();
        i = iStop + 1;
        if (bytes[iStop] == '\r') {
            if (i == bytes.size())
                m_bAfterReturn = true;
            else if (bytes[i] == '\n')
                ++i;
        }
    }
}

void CLineSplitter::Finish() {
    if (m_bOpen)
        Emit();
    m_bAfterReturn = false;
}
