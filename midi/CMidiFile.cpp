#include "midi/CMidiFile.h"

#include "engine/RingToneText.h"
#include "midi/CSmfWriter.h"

#include <smf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <memory>
#include <streambuf>

namespace {

const char* const NotMidi = "not a MIDI file";
const char* const Truncated = "the MIDI file is truncated";
const char* const NoNotes = "the MIDI file holds no notes outside the drums (channel 10)";
const char* const TooLong =
    "the melody makes an RTTTL text larger than 64 KiB (65,536 bytes); not converted";

std::string Corrupt(const std::string& sWhat) {
    return "the MIDI file is corrupt: " + sWhat;
}

// Reads bytes in memory as a stream, without copying them.
class CViewBuffer : public std::streambuf {
public:
    explicit CViewBuffer(std::string_view bytes) {
        char* p = const_cast<char*>(bytes.data());
        setg(p, p, p + bytes.size());
    }
};

uint32_t BigEndian(const std::string& s, size_t iAt, size_t iBytes) {
    uint32_t i = 0;
    for (size_t n = 0; n < iBytes; ++n)
        i = (i << 8) | static_cast<uint8_t>(s[iAt + n]);
    return i;
}

// libsmf tells of a damaged file only through GLib's log, and often goes on
// after cutting a track short: everything it says is kept from the user, and
// any warning counts as damage.
class CQuietLog {
public:
    CQuietLog() : m_Previous(g_log_set_default_handler(&CQuietLog::Heard, &m_bHeard)) {}
    ~CQuietLog() { g_log_set_default_handler(m_Previous, nullptr); }
    CQuietLog(const CQuietLog&) = delete;
    CQuietLog& operator=(const CQuietLog&) = delete;
    bool Heard() const { return m_bHeard; }

private:
    static void Heard(const gchar*, GLogLevelFlags level, const gchar*, gpointer pHeard) {
        if ((level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) != 0)
            *static_cast<bool*>(pHeard) = true;
    }
    GLogFunc m_Previous;
    bool m_bHeard = false;
};

// Appends the track's events up to its first End of Track in a form libsmf
// reads safely; false when it has no End of Track, an event runs past the
// end or the track lasts beyond libsmf's clock. libsmf aborts the program on
// a track that runs out before its End of Track, on running status after a
// system exclusive message and on some malformed events, and misreads meta
// events of more than 127 bytes. So only what the melody needs goes on:
// channel messages, each with its status byte, the name (at most 127 bytes),
// tempos and the End of Track, with the times of the events left out added
// to the next one kept.
bool ForLibsmf(const std::string& sTrack, std::string& sOut) {
    size_t i = 0;
    const size_t iSize = sTrack.size();
    const auto Byte = [&](size_t iAt) { return static_cast<uint8_t>(sTrack[iAt]); };
    // A variable-length quantity of at most four bytes; false past the end.
    const auto Variable = [&](uint32_t& iValue) {
        iValue = 0;
        for (int n = 0; n < 4; ++n) {
            if (i >= iSize)
                return false;
            const uint8_t iByte = Byte(i++);
            iValue = (iValue << 7) | (iByte & 0x7F);
            if ((iByte & 0x80) == 0)
                return true;
        }
        return false;
    };
    uint64_t iDelta = 0; // since the last event kept
    uint64_t iTick = 0;
    const auto Keep = [&](uint8_t iStatus, const std::string& sData) {
        // No more than the track's last tick, which is kept within 31 bits.
        CSmfWriter::AppendVariable(sOut, static_cast<uint32_t>(iDelta));
        iDelta = 0;
        sOut += static_cast<char>(iStatus);
        sOut += sData;
    };
    uint8_t iRunning = 0;
    uint32_t iValue = 0;
    while (Variable(iValue) && i < iSize) {
        iDelta += iValue;
        iTick += iValue;
        if (iTick > 0x7FFFFFFF)
            return false;
        uint8_t iStatus = Byte(i);
        if (iStatus >= 0x80)
            ++i;
        else if (iRunning != 0)
            iStatus = iRunning;
        else
            return false;
        if (iStatus == 0xFF) {
            if (i >= iSize)
                return false;
            const uint8_t iType = Byte(i++);
            if (!Variable(iValue) || iValue > iSize - i)
                return false;
            const size_t iData = i;
            i += iValue;
            if (iType == 0x2F) {
                Keep(0xFF, std::string("\x2F\0", 2));
                return true;
            }
            if (iType == 0x03 && iValue > 0) {
                const uint32_t iLength = std::min<uint32_t>(iValue, 127);
                Keep(0xFF,
                     std::string{0x03, static_cast<char>(iLength)} + sTrack.substr(iData, iLength));
            } else if (iType == 0x51 && iValue == 3) {
                Keep(0xFF, "\x51\x03" + sTrack.substr(iData, 3));
            }
        } else if (iStatus == 0xF0 || iStatus == 0xF7) {
            if (!Variable(iValue) || iValue > iSize - i)
                return false;
            i += iValue;
        } else if (iStatus >= 0xF0) {
            return false;
        } else {
            iRunning = iStatus;
            const size_t iData = (iStatus & 0xE0) == 0xC0 ? 1 : 2;
            if (iData > iSize - i)
                return false;
            for (size_t n = 0; n < iData; ++n)
                if (Byte(i + n) >= 0x80)
                    return false;
            Keep(iStatus, sTrack.substr(i, iData));
            i += iData;
        }
        if (sOut.size() > 0x7FFFFF00)
            return false;
    }
    return false;
}

// libsmf frees a track's events one by one, each time searching and
// renumbering the rest, which takes minutes for a large track; the events
// are taken out of their tracks at once and freed on their own first.
struct SmfDeleter {
    void operator()(smf_t* p) const {
        for (int iTrack = 1; iTrack <= p->number_of_tracks; ++iTrack) {
            smf_track_t* pTrack = smf_get_track_by_number(p, iTrack);
            GPtrArray* pEvents = pTrack->events_array;
            std::vector<smf_event_t*> events(pEvents->len);
            for (guint i = 0; i < pEvents->len; ++i) {
                events[i] = static_cast<smf_event_t*>(g_ptr_array_index(pEvents, i));
                events[i]->track = nullptr;
            }
            g_ptr_array_set_size(pEvents, 0);
            pTrack->number_of_events = 0;
            for (smf_event_t* pEvent : events)
                smf_event_delete(pEvent);
        }
        smf_delete(p);
    }
};

// A key pressed or released, in the order the track gives it.
struct KeyEvent {
    int64_t Tick;
    int32_t Key; // -1 for a press that is never heard
    bool On;
};

// The melody heard in one channel's key events: at each moment the highest
// key sounding, where a key that starts below a sounding one is never heard.
std::vector<CMidiLine::Note> MelodyOf(std::vector<KeyEvent> events, int64_t iTrackEnd) {
    // At one tick releases come first, then the presses from the top down,
    // so a chord gives its top note.
    std::stable_sort(events.begin(), events.end(), [](const KeyEvent& a, const KeyEvent& b) {
        if (a.Tick != b.Tick)
            return a.Tick < b.Tick;
        if (a.On != b.On)
            return !a.On;
        return a.On && a.Key > b.Key;
    });
    std::vector<CMidiLine::Note> melody;
    std::array<bool, 128> sounding{};
    std::array<int64_t, 128> melodyNote; // the melody note a key holds, or -1
    melodyNote.fill(-1);
    const auto Release = [&](int32_t iKey, int64_t iTick) {
        if (melodyNote[iKey] >= 0)
            melody[static_cast<size_t>(melodyNote[iKey])].End = iTick;
        melodyNote[iKey] = -1;
        sounding[iKey] = false;
    };
    for (const KeyEvent& event : events) {
        if (event.Key < 0)
            continue;
        if (!event.On) {
            if (sounding[event.Key])
                Release(event.Key, event.Tick);
            continue;
        }
        Release(event.Key, event.Tick);
        const bool bHigherSounds =
            std::any_of(sounding.begin() + event.Key + 1, sounding.end(), [](bool b) { return b; });
        sounding[event.Key] = true;
        if (bHigherSounds)
            continue;
        melodyNote[event.Key] = static_cast<int64_t>(melody.size());
        melody.push_back({event.Tick, iTrackEnd, event.Key});
    }
    return melody;
}

// The phone's durations in 64ths of a whole note, longest first.
struct Duration {
    int64_t Sixtyfourths;
    const char* Text; // the duration and, for a dotted one, the dot's place
    bool Dotted;
};
const std::array<Duration, 12> Durations = {{{96, "1", true},
                                             {64, "1", false},
                                             {48, "2", true},
                                             {32, "2", false},
                                             {24, "4", true},
                                             {16, "4", false},
                                             {12, "8", true},
                                             {8, "8", false},
                                             {6, "16", true},
                                             {4, "16", false},
                                             {3, "32", true},
                                             {2, "32", false}}};

// The nearest duration to a length in ticks; a tie goes to the longer.
const Duration& NearestDuration(int64_t iTicks, int iTicksPerQuarter) {
    const Duration* pBest = &Durations[0];
    for (const Duration& duration : Durations) {
        const auto Distance = [&](const Duration& d) {
            const int64_t iDistance = iTicks * 16 - d.Sixtyfourths * iTicksPerQuarter;
            return iDistance < 0 ? -iDistance : iDistance;
        };
        if (Distance(duration) < Distance(*pBest))
            pBest = &duration;
    }
    return *pBest;
}

// The fewest pauses that add up to a number of 64ths, longest first.
std::vector<const Duration*> PausesFor(int64_t iSixtyfourths) {
    std::vector<const Duration*> pauses;
    while (iSixtyfourths > 2 * Durations[0].Sixtyfourths) {
        pauses.push_back(&Durations[0]);
        iSixtyfourths -= Durations[0].Sixtyfourths;
    }
    // The rest by counting the fewest pauses for every smaller sum.
    const auto iRest = static_cast<size_t>(iSixtyfourths);
    std::vector<int> fewest(iRest + 1, std::numeric_limits<int>::max() - 1);
    std::vector<const Duration*> last(iRest + 1, nullptr);
    fewest[0] = 0;
    for (size_t n = 1; n <= iRest; ++n)
        for (const Duration& duration : Durations) {
            const auto iSize = static_cast<size_t>(duration.Sixtyfourths);
            if (iSize <= n && fewest[n - iSize] + 1 < fewest[n]) {
                fewest[n] = fewest[n - iSize] + 1;
                last[n] = &duration;
            }
        }
    for (size_t n = iRest; n > 0 && last[n] != nullptr;
         n -= static_cast<size_t>(last[n]->Sixtyfourths))
        pauses.push_back(last[n]);
    std::stable_sort(pauses.begin(), pauses.end(), [](const Duration* a, const Duration* b) {
        return a->Sixtyfourths > b->Sixtyfourths;
    });
    return pauses;
}

void AppendToken(std::string& sText, const Duration& duration, const std::string& sNote) {
    if (sText.back() != ':')
        sText += ',';
    sText += duration.Text;
    sText += sNote;
    if (duration.Dotted)
        sText += '.';
}

std::string NoteName(int32_t iKey) {
    static const std::array<const char*, 12> Names = {"c",  "c#", "d",  "d#", "e",  "f",
                                                      "f#", "g",  "g#", "a",  "a#", "b"};
    return Names[static_cast<size_t>(iKey % 12)];
}

// A ringtone name that reads back as one: no colon (it would end the name)
// and no control characters, trimmed.
std::string CleanName(std::string sName) {
    for (char& c : sName)
        if (c == ':' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    const auto iFirst = sName.find_first_not_of(' ');
    if (iFirst == std::string::npos)
        return {};
    return sName.substr(iFirst, sName.find_last_not_of(' ') - iFirst + 1);
}

} // namespace

bool CMidiFile::IsMidiName(const std::string& sFileName) {
    std::string sExtension = std::filesystem::path(sFileName).extension().string();
    for (char& c : sExtension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return sExtension == ".mid" || sExtension == ".midi";
}

CMidiFile CMidiFile::Load(const std::string& sPath) {
    CMidiFile file;
    file.m_sFileName = std::filesystem::path(sPath).stem().string();
    std::error_code error;
    if (std::filesystem::is_directory(sPath, error)) {
        file.Refuse("the MIDI file is a folder");
        return file;
    }
    std::ifstream in(sPath, std::ios::binary);
    if (!in) {
        file.Refuse("the MIDI file cannot be opened");
        return file;
    }
    const uint64_t iSize = std::filesystem::file_size(sPath, error);
    if (error) {
        // Not an ordinary file (a pipe): its bytes are read whole.
        const std::string sBytes{std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()};
        CMidiFile whole = Read(sBytes, sPath);
        return whole;
    }
    file.ReadFrom(in, iSize);
    if (file.m_sError.empty() && in.bad())
        file.Refuse("the MIDI file cannot be read");
    return file;
}

CMidiFile CMidiFile::Read(std::string_view bytes, const std::string& sFileName) {
    CMidiFile file;
    file.m_sFileName = std::filesystem::path(sFileName).stem().string();
    CViewBuffer buffer(bytes);
    std::istream in(&buffer);
    file.ReadFrom(in, bytes.size());
    return file;
}

void CMidiFile::Refuse(std::string sError) {
    m_sError = std::move(sError);
    m_Lines.clear();
}

void CMidiFile::ReadFrom(std::istream& in, uint64_t iSize) {
    uint64_t iLeft = iSize;
    const auto Take = [&](uint64_t iBytes, std::string& s) {
        s.resize(static_cast<size_t>(iBytes));
        in.read(s.data(), static_cast<std::streamsize>(iBytes));
        iLeft -= iBytes;
        return static_cast<uint64_t>(in.gcount()) == iBytes;
    };
    std::string sHeader;
    if (iLeft < 4 || !Take(4, sHeader) || sHeader != "MThd")
        return Refuse(NotMidi);
    if (iLeft < 10 || !Take(4, sHeader))
        return Refuse(Truncated);
    const uint32_t iHeaderLength = BigEndian(sHeader, 0, 4);
    if (iHeaderLength < 6)
        return Refuse(Corrupt("its header is too short"));
    if (iHeaderLength > iLeft || !Take(iHeaderLength, sHeader))
        return Refuse(Truncated);
    const uint32_t iFormat = BigEndian(sHeader, 0, 2);
    const uint32_t iTracks = BigEndian(sHeader, 2, 2);
    const uint32_t iDivision = BigEndian(sHeader, 4, 2);
    if (iFormat == 2)
        return Refuse("a type 2 MIDI file (independent patterns) cannot be read; only types 0 "
                      "and 1 can");
    if (iFormat > 2)
        return Refuse(Corrupt("its type " + std::to_string(iFormat) + " is not 0, 1 or 2"));
    if ((iDivision & 0x8000) != 0)
        return Refuse("the MIDI file counts time in SMPTE frames, not beats; it cannot be read");
    if (iDivision == 0)
        return Refuse(Corrupt("it gives no ticks per quarter note"));
    m_iTicksPerQuarter = static_cast<int>(iDivision);

    std::string sChunk;
    for (uint32_t iTrack = 1; iTrack <= iTracks;) {
        std::string sChunkHeader;
        if (iLeft < 8 || !Take(8, sChunkHeader))
            return Refuse(Truncated);
        const uint32_t iLength = BigEndian(sChunkHeader, 4, 4);
        if (!std::all_of(sChunkHeader.begin(), sChunkHeader.begin() + 4,
                         [](char c) { return c >= 0x20 && c < 0x7F; }))
            return Refuse(Corrupt("a chunk has no name"));
        if (iLength > iLeft)
            return Refuse(Truncated);
        if (sChunkHeader.compare(0, 4, "MTrk") != 0) {
            // A chunk of a kind not known here is passed over, as the
            // format asks.
            in.ignore(iLength);
            iLeft -= iLength;
            continue;
        }
        if (iLength > static_cast<uint32_t>(std::numeric_limits<int>::max() - 22))
            return Refuse(Corrupt("track " + std::to_string(iTrack) + " is too long"));
        if (!Take(iLength, sChunk))
            return Refuse(Truncated);
        if (!ReadTrack(sChunk, static_cast<int32_t>(iTrack)))
            return;
        ++iTrack;
    }
    sChunk = std::string();
    if (m_Lines.empty())
        return Refuse(NoNotes);
    for (size_t i = 1; i < m_Lines.size(); ++i)
        if (m_Lines[i].Melody.size() > m_Lines[m_iDefaultLine].Melody.size())
            m_iDefaultLine = i;
}

bool CMidiFile::ReadTrack(const std::string& sChunk, int32_t iTrack) {
    // libsmf reads a whole file at once; given one track at a time as a
    // file of its own, it never holds more than one track's events.
    std::string sFile = "MThd";
    sFile += std::string{0, 0, 0, 6, 0, 0, 0, 1};
    sFile += static_cast<char>(m_iTicksPerQuarter >> 8);
    sFile += static_cast<char>(m_iTicksPerQuarter & 0xFF);
    sFile += "MTrk";
    sFile += std::string(4, '\0');
    const size_t iEvents = sFile.size();
    sFile.reserve(iEvents + sChunk.size());
    if (!ForLibsmf(sChunk, sFile)) {
        Refuse(Corrupt("track " + std::to_string(iTrack) + " cannot be read"));
        return false;
    }
    const size_t iLength = sFile.size() - iEvents;
    for (size_t n = 0; n < 4; ++n)
        sFile[iEvents - 4 + n] = static_cast<char>((iLength >> (24 - 8 * n)) & 0xFF);
    std::unique_ptr<smf_t, SmfDeleter> smf;
    {
        CQuietLog log;
        smf.reset(smf_load_from_memory(sFile.data(), static_cast<int>(sFile.size())));
        if (!smf || log.Heard() || smf->number_of_tracks != 1) {
            Refuse(Corrupt("track " + std::to_string(iTrack) + " cannot be read"));
            return false;
        }
    }
    sFile = std::string();
    smf_track_t* pTrack = smf_get_track_by_number(smf.get(), 1);
    const smf_event_t* pLast = smf_track_get_last_event(pTrack);

    std::string sTrackName;
    std::array<int32_t, 16> programs;
    programs.fill(-1);
    std::array<std::vector<KeyEvent>, 16> keys;
    std::vector<int> channelOrder;
    std::array<bool, 16> bSeen{};
    // The press a key has open, to drop a press released at the same tick.
    std::array<std::array<int64_t, 128>, 16> open;
    for (auto& channel : open)
        channel.fill(-1);
    for (int i = 1; i <= pTrack->number_of_events; ++i) {
        const smf_event_t* pEvent = smf_track_get_event_by_number(pTrack, i);
        const unsigned char* p = pEvent->midi_buffer;
        const int iLength = pEvent->midi_buffer_length;
        const int64_t iTick = pEvent->time_pulses;
        if (iLength >= 2 && p[0] == 0xFF) {
            if (p[1] == 0x03 && sTrackName.empty()) {
                char* sText = smf_event_extract_text(pEvent);
                if (sText != nullptr)
                    sTrackName = sText;
                g_free(sText);
            } else if (p[1] == 0x51 && iLength >= 6 && p[2] == 3 &&
                       (m_iTempoTick < 0 || iTick < m_iTempoTick)) {
                const int64_t iMicroseconds = (p[3] << 16) | (p[4] << 8) | p[5];
                if (iMicroseconds > 0) {
                    // Rounded; a tempo beyond what a ringtone header holds
                    // is kept at its highest.
                    m_iTempo = static_cast<int>(std::min<int64_t>(
                        32767, (60'000'000 * 2 + iMicroseconds) / (2 * iMicroseconds)));
                    m_iTempoTick = iTick;
                }
            }
            continue;
        }
        if (iLength < 2 || p[0] < 0x80 || p[0] >= 0xF0)
            continue;
        const int iChannel = p[0] & 0x0F;
        const int iKind = p[0] & 0xF0;
        if (iKind == 0xC0 && programs[iChannel] < 0)
            programs[iChannel] = p[1] & 0x7F;
        if ((iKind != 0x80 && iKind != 0x90) || iLength < 3 || iChannel == 9)
            continue;
        const int32_t iKey = p[1] & 0x7F;
        std::vector<KeyEvent>& channel = keys[iChannel];
        int64_t& iOpen = open[iChannel][iKey];
        if (iKind == 0x90 && p[2] != 0) {
            if (!bSeen[iChannel])
                channelOrder.push_back(iChannel);
            bSeen[iChannel] = true;
            iOpen = static_cast<int64_t>(channel.size());
            channel.push_back({iTick, iKey, true});
            continue;
        }
        if (iOpen >= 0 && channel[static_cast<size_t>(iOpen)].Tick == iTick) {
            // Pressed and released at once: never heard.
            channel[static_cast<size_t>(iOpen)].Key = -1;
        } else {
            channel.push_back({iTick, iKey, false});
        }
        iOpen = -1;
    }
    const int64_t iTrackEnd = pLast != nullptr ? pLast->time_pulses : 0;
    smf.reset();
    for (int iChannel : channelOrder) {
        CMidiLine line;
        line.Track = iTrack;
        line.Channel = iChannel + 1;
        line.Program = programs[iChannel];
        line.TrackName = sTrackName;
        line.Melody = MelodyOf(std::move(keys[iChannel]), iTrackEnd);
        if (!line.Melody.empty())
            m_Lines.push_back(std::move(line));
    }
    return true;
}

CMidiFile::Ringtone CMidiFile::Rtttl(int iLine) const {
    if (!m_sError.empty())
        return {{}, m_sError};
    if (iLine < 0 || static_cast<size_t>(iLine) > m_Lines.size())
        return {{},
                "there is no line " + std::to_string(iLine) + " in the MIDI file; it has " +
                    std::to_string(m_Lines.size()) + (m_Lines.size() == 1 ? " line" : " lines") +
                    ", numbered from 1"};
    const CMidiLine& line = m_Lines[iLine == 0 ? m_iDefaultLine : static_cast<size_t>(iLine - 1)];
    std::string sName = CleanName(line.TrackName);
    if (sName.empty())
        sName = CleanName(m_sFileName);
    std::string sText = sName + ":d=4,o=5,b=" + std::to_string(m_iTempo) + ":";
    const int64_t iQuarter = m_iTicksPerQuarter;
    const auto AddPause = [&](int64_t iFrom, int64_t iTo) {
        // A silence of a 32nd or more, rounded to whole 32nds; one that is
        // exactly an odd number of 64ths (a dotted 32nd's rest, as a saved
        // tune holds) is kept as it is, so that no later note moves.
        const int64_t iSilence = iTo - iFrom;
        if (iSilence * 8 < iQuarter)
            return;
        int64_t iSixtyfourths = (iSilence * 16) % iQuarter == 0
                                    ? iSilence * 16 / iQuarter
                                    : 2 * ((iSilence * 16 + iQuarter) / (2 * iQuarter));
        // Pauses enough to pass the text's limit are as many as are needed.
        iSixtyfourths =
            std::min<int64_t>(iSixtyfourths, Durations[0].Sixtyfourths *
                                                 static_cast<int64_t>(RingToneText::MaxLength));
        for (const Duration* pPause : PausesFor(iSixtyfourths))
            AppendToken(sText, *pPause, "p");
    };
    const std::vector<CMidiLine::Note>& melody = line.Melody;
    AddPause(0, melody.front().Start);
    for (size_t i = 0; i < melody.size() && sText.size() <= RingToneText::MaxLength; ++i) {
        const CMidiLine::Note& note = melody[i];
        const bool bLast = i + 1 == melody.size();
        const int64_t iNext = bLast ? note.End : melody[i + 1].Start;
        const bool bSilence = !bLast && note.End < iNext && (iNext - note.End) * 8 >= iQuarter;
        const int64_t iLength = (bSilence ? note.End : iNext) - note.Start;
        const Duration& duration = NearestDuration(iLength, m_iTicksPerQuarter);
        if (sText.back() != ':')
            sText += ',';
        sText += duration.Text;
        sText += NoteName(note.Key);
        if (duration.Dotted)
            sText += '.';
        sText += std::to_string(note.Key / 12 - 1);
        if (bSilence)
            AddPause(note.End, iNext);
    }
    if (sText.size() > RingToneText::MaxLength)
        return {{}, TooLong};
    return {sText, {}};
}
