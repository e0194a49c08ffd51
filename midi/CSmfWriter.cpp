#include "midi/CSmfWriter.h"

#include <algorithm>

namespace {

void Append16(std::string& s, uint32_t i) {
    s += static_cast<char>((i >> 8) & 0xFF);
    s += static_cast<char>(i & 0xFF);
}

void Append32(std::string& s, uint32_t i) {
    Append16(s, i >> 16);
    Append16(s, i & 0xFFFF);
}

} // namespace

CSmfWriter::CSmfWriter(int iFormat, int iTicksPerQuarter)
    : m_iFormat(iFormat), m_iTicksPerQuarter(iTicksPerQuarter) {}

void CSmfWriter::AppendVariable(std::string& s, uint32_t i) {
    char bytes[5];
    int n = 0;
    bytes[n++] = static_cast<char>(i & 0x7F);
    while ((i >>= 7) != 0)
        bytes[n++] = static_cast<char>(0x80 | (i & 0x7F));
    while (n > 0)
        s += bytes[--n];
}

void CSmfWriter::BeginTrack() {
    m_sTrack.clear();
    m_iLastTick = 0;
}

void CSmfWriter::Delta(int64_t iTick) {
    const int64_t iDelta = std::max<int64_t>(0, iTick - m_iLastTick);
    // The longest delta a file can hold; longer ones are not made here.
    AppendVariable(m_sTrack, static_cast<uint32_t>(std::min<int64_t>(iDelta, 0x0FFFFFFF)));
    m_iLastTick += std::max<int64_t>(0, iDelta);
}

void CSmfWriter::Event(int64_t iTick, std::initializer_list<uint8_t> bytes) {
    Delta(iTick);
    for (uint8_t iByte : bytes)
        m_sTrack += static_cast<char>(iByte);
}

void CSmfWriter::Event(int64_t iTick, std::string_view bytes) {
    Delta(iTick);
    m_sTrack += bytes;
}

void CSmfWriter::Meta(int64_t iTick, uint8_t iType, std::string_view data) {
    Delta(iTick);
    m_sTrack += '\xFF';
    m_sTrack += static_cast<char>(iType);
    AppendVariable(m_sTrack, static_cast<uint32_t>(data.size()));
    m_sTrack += data;
}

void CSmfWriter::EndTrack(int64_t iTick) {
    Meta(iTick, 0x2F, {});
    m_sTracks += "MTrk";
    Append32(m_sTracks, static_cast<uint32_t>(m_sTrack.size()));
    m_sTracks += m_sTrack;
    m_sTrack.clear();
    ++m_iTracks;
}

std::string CSmfWriter::Bytes() const {
    std::string s = "MThd";
    Append32(s, 6);
    Append16(s, static_cast<uint32_t>(m_iFormat));
    Append16(s, static_cast<uint32_t>(m_iTracks));
    Append16(s, static_cast<uint32_t>(m_iTicksPerQuarter));
    return s + m_sTracks;
}
