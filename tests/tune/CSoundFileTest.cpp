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
};

TEST_F(SoundFile, EachKindReadsBackAsTheTuneAtItsRateAndLength) {
    const KindRow rows[] = {{CSoundFile::Kind::Wav, SF_FORMAT_WAV, 0},
                            {CSoundFile::Kind::Flac, SF_FORMAT_FLAC, 0},
                            {CSoundFile::Kind::OggVorbis, SF_FORMAT_OGG, 0},
                            {CSoundFile::Kind::Mp3, SF_FORMAT_MPEG, 2 * 1152}};
    for (const KindRow& row : rows) {
        const std::string sExtension = CSoundFile::Extension(row.iKind);
        SCOPED_TRACE(sExtension);
        const fs::path path = m_Folder / ("tune." + sExtension);
        ASSERT_EQ(CSoundFile::Write(Tune(), path, row.iKind), "");
        SF_INFO info{};
        SNDFILE* pFile = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(pFile, nullptr) << sf_strerror(nullptr);
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
    EXPECT_EQ(sMissing, "No such file or directory");
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
