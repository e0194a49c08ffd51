#include "tune/CSoundFile.h"

#include "tune/CTune.h"
#include "tune/CTuneRenderer.h"

#include "tests/support/CFileSizeLimit.h"
#include "tests/tune/TuneText.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

class SoundFile : public testing::Test {
protected:
    void SetUp() override {
        char sTemplate[] = "/tmp/soundfile-test-XXXXXX";
        ASSERT_NE(mkdtemp(sTemplate), nullptr);
        m_Folder = sTemplate;
    }
    void TearDown() override { fs::remove_all(m_Folder); }

    static const CTune& Tune() {
        static const CTune tune(TuneText::Converted("T:d=8,o=5,b=125:c,e,g,4c6,p,16a#").Notes, 125);
        return tune;
    }
    static std::string Contents(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    fs::path m_Folder;
};

struct KindRow {
    CSoundFile::Kind iKind;
    int iMajorFormat;
    int64_t iExtraFrames; // what a lossy encoder may add at the ends
    int iSoftwareField;   // where the program's name is read back
};

TEST_F(SoundFile, EachKindReadsBackAsTheTuneAtItsRateAndLength) {
    const KindRow rows[] = {{CSoundFile::Kind::Wav, SF_FORMAT_WAV, 0, SF_STR_SOFTWARE},
                            {CSoundFile::Kind::Flac, SF_FORMAT_FLAC, 0, SF_STR_SOFTWARE},
                            {CSoundFile::Kind::OggVorbis, SF_FORMAT_OGG, 0, SF_STR_SOFTWARE},
                            {CSoundFile::Kind::Mp3, SF_FORMAT_MPEG, 2 * 1152, SF_STR_COMMENT}};
    for (const KindRow& row : rows) {
        const std::string sExtension = CSoundFile::Extension(row.iKind);
        SCOPED_TRACE(sExtension);
        const fs::path path = m_Folder / ("tune." + sExtension);
        ASSERT_EQ(CSoundFile::Write(Tune(), path, row.iKind, {"Zelda \xc3\xa9", {}}), "");
        SF_INFO info{};
        SNDFILE* pFile = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(pFile, nullptr) << sf_strerror(nullptr);
        const char* sTitle = sf_get_string(pFile, SF_STR_TITLE);
        const char* sSoftware = sf_get_string(pFile, row.iSoftwareField);
        EXPECT_STREQ(sTitle, "Zelda \xc3\xa9");
        EXPECT_EQ(std::string(sSoftware ? sSoftware : "").substr(0, 10), "Ringwright");
        EXPECT_EQ(info.format & SF_FORMAT_TYPEMASK, row.iMajorFormat);
        EXPECT_EQ(info.samplerate, 44100);
        EXPECT_EQ(info.channels, 1);
        EXPECT_GE(info.frames, Tune().TotalSamples());
        EXPECT_LE(info.frames, Tune().TotalSamples() + row.iExtraFrames);
        if (row.iKind == CSoundFile::Kind::Wav) {
            std::vector<int16_t> written(static_cast<size_t>(info.frames));
            EXPECT_EQ(sf_read_short(pFile, written.data(), info.frames), info.frames);
            std::vector<int16_t> expected(written.size());
            CTuneRenderer(Tune()).Render(expected.data(), expected.size());
            EXPECT_EQ(written, expected);
        }
        sf_close(pFile);
    }
    // Nothing but the four files: no temporary is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()), 4);
}

TEST_F(SoundFile, AFailedSaveLeavesTheOldFileAsItWas) {
    const fs::path path = m_Folder / "tune.wav";
    const std::string sOld = "the old file";
    std::ofstream(path) << sOld;

    // The file-size limit makes the writing fail part way, as a full disk would.
    const std::string sReason = [&] {
        const CFileSizeLimit limit(4096);
        return CSoundFile::Write(Tune(), path, CSoundFile::Kind::Wav);
    }();

    EXPECT_NE(sReason.find("too large"), std::string::npos) << sReason;
    EXPECT_EQ(Contents(path), sOld);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()), 1);

    const std::string sMissing =
        CSoundFile::Write(Tune(), m_Folder / "none" / "tune.wav", CSoundFile::Kind::Wav);
    EXPECT_EQ(sMissing, "The folder does not exist");
}

TEST_F(SoundFile, ACancelledSaveLeavesTheOldFileAsItWas) {
    const fs::path path = m_Folder / "tune.mp3";
    std::ofstream(path) << "the old file";
    int64_t iLastSeen = 0;
    const auto cancel = [&](int64_t iWritten, int64_t iTotal) {
        EXPECT_EQ(iTotal, Tune().TotalSamples());
        iLastSeen = iWritten;
        return false;
    };
    EXPECT_EQ(CSoundFile::Write(Tune(), path, CSoundFile::Kind::Mp3, {"", cancel}),
              CSoundFile::Cancelled);
    EXPECT_EQ(iLastSeen, 8192);
    EXPECT_EQ(Contents(path), "the old file");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_Folder), fs::directory_iterator()), 1);
}

// Worked out from the length alone: nothing is written to find out.
TEST(SoundFileLimits, SoundsTooLongForTheirKindAreRefused) {
    const char* const sTooLong =
        "The sound would last more than 2 hours, the longest that is saved";
    const char* const sWavFull = "The sound is too long for a WAV file, which holds at most 4 GiB";
    struct Row {
        int64_t iSamples;
        CSoundFile::Kind iKind;
        const char* sRefusal;
    };
    const Row rows[] = {
        {317520000, CSoundFile::Kind::Mp3, ""}, // 2 hours exactly
        {317520001, CSoundFile::Kind::Mp3, sTooLong},
        {317520001, CSoundFile::Kind::Wav, sTooLong},
        {2147450880, CSoundFile::Kind::Wav, sWavFull}, // 13.5 hours
        {2147450880, CSoundFile::Kind::OggVorbis, sTooLong},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.iSamples);
        EXPECT_EQ(CSoundFile::Refusal(row.iSamples, row.iKind), row.sRefusal);
    }
}

TEST(SoundFileKind, TheEndingNamesTheKind) {
    EXPECT_EQ(CSoundFile::KindOf("a.WAV"), CSoundFile::Kind::Wav);
    EXPECT_EQ(CSoundFile::KindOf("a.b.flac"), CSoundFile::Kind::Flac);
    EXPECT_EQ(CSoundFile::KindOf("x/a.Ogg"), CSoundFile::Kind::OggVorbis);
    EXPECT_EQ(CSoundFile::KindOf("a.mp3"), CSoundFile::Kind::Mp3);
    EXPECT_EQ(CSoundFile::KindOf("a.txt"), std::nullopt);
    EXPECT_EQ(CSoundFile::KindOf("wav"), std::nullopt);
}

} // namespace
