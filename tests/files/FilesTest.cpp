// Reading ringtone files and replacing files, on real files in a temporary folder.
#include "files/CFileReplacement.h"
#include "files/CLineSplitter.h"
#include "files/RingToneFile.h"
#include "files/SaveTarget.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        char sPattern[] = "/tmp/files-test-XXXXXX";
        ASSERT_NE(::mkdtemp(sPattern), nullptr);
        m_Folder = sPattern;
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(m_Folder, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(m_Folder, error);
    }
    std::string Path(const std::string& sName) const { return (m_Folder / sName).string(); }
    static void Put(const std::string& sPath, const std::string& sBytes) {
        std::ofstream(sPath, std::ios::binary) << sBytes;
    }
    static std::string Get(const std::string& sPath) {
        std::ifstream file(sPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_Folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_Folder;
};

TEST_F(FilesTest, FilesAreDecodedAsTheWindowDecodesThem) {
    struct Row {
        const char* sCase;
        std::string sBytes;
        std::string sText;
    };
    const std::vector<Row> rows = {
        {"UTF-8, lines joined", "Caf\xc3\xa9:\r\nd=4\n:c\r", "Caf\xc3\xa9:d=4:c"},
        {"UTF-8 mark", "\xef\xbb\xbfTune:c", "Tune:c"},
        {"UTF-16 LE", "\xff\xfeT\0\xe9\0:\0c\0"s, "T\xc3\xa9:c"},
        {"UTF-16 BE, a pair", "\xfe\xff\0T\xd8\x3d\xde\x00"s, "T\xf0\x9f\x98\x80"},
        {"UTF-32 LE", "\xff\xfe\0\0T\0\0\0"s, "T"},
        {"Latin-1", "Caf\xe9:c", "Caf\xc3\xa9:c"},
        {"cut-off UTF-8 is Latin-1", "Tune\xc3", "Tune\xc3\x83"},
        {"overlong UTF-8 is Latin-1", "\xc0\xaf", "\xc3\x80\xc2\xaf"},
        {"odd UTF-16 is Latin-1", "\xff\xfeT", "\xc3\xbf\xc3\xbeT"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sCase);
        const std::string sPath = Path("tone.txt");
        Put(sPath, row.sBytes);
        const RingToneFile::Result read = RingToneFile::Read(sPath);
        EXPECT_EQ(read.iOutcome, RingToneFile::Outcome::Read);
        EXPECT_EQ(read.sText, row.sText);
    }
}

TEST_F(FilesTest, LargeBinaryAndOddFilesAreRefused) {
    using RingToneFile::Outcome;
    const std::string sLink = Path("link");
    fs::create_symlink(Path("none"), sLink);
    ::mkfifo(Path("fifo").c_str(), 0600);
    struct Row {
        const char* sCase;
        std::string sBytes; // written to tone.txt unless empty
        std::string sPath;
        Outcome iOutcome;
    };
    const std::vector<Row> rows = {
        {"64 KiB fit", std::string(65536, 'a'), "", Outcome::Read},
        {"a byte more", std::string(65537, 'a'), "", Outcome::TooLarge},
        {"Latin-1 doubles in UTF-8", std::string(32769, '\xe9'), "", Outcome::TooLarge},
        {"NUL", "Tune:\0c"s, "", Outcome::NotText},
        {"UTF-16 without a mark", "T\0u\0"s, "", Outcome::NotText},
        {"missing", "", Path("none"), Outcome::CannotOpen},
        {"dangling link", "", sLink, Outcome::CannotOpen},
        {"a pipe is never opened", "", Path("fifo"), Outcome::CannotOpen},
        {"a folder", "", m_Folder.string(), Outcome::CannotOpen},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sCase);
        std::string sPath = row.sPath;
        if (sPath.empty()) {
            sPath = Path("tone.txt");
            Put(sPath, row.sBytes);
        }
        EXPECT_EQ(RingToneFile::Read(sPath).iOutcome, row.iOutcome);
    }
}

TEST(LineSplitterTest, LineFeedsCrLfAndLoneReturnsEachEndALine) {
    struct Row {
        const char* sCase;
        std::vector<std::string> pieces;
        std::vector<std::string> lines;
    };
    const std::vector<Row> rows = {
        {"LF, last line open", {"a\nb\n\nc"}, {"a", "b", "", "c"}},
        {"CR LF", {"a\r\nb\r\n"}, {"a", "b"}},
        {"lone CR", {"a\rb\rc"}, {"a", "b", "c"}},
        {"CR LF split between pieces", {"a\r", "\nb\r", "c"}, {"a", "b", "c"}},
        {"long line kept short", {"abcdef", "gh\n"}, {"abcd"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sCase);
        std::vector<std::string> lines;
        size_t iLongest = 0;
        CLineSplitter splitter(4, [&](const std::string& sLine, size_t iLength) {
            lines.push_back(sLine);
            iLongest = std::max(iLongest, iLength);
        });
        for (const std::string& sPiece : row.pieces)
            splitter.Feed(sPiece);
        splitter.Finish();
        EXPECT_EQ(lines, row.lines);
        if (std::string(row.sCase) == "long line kept short") {
            EXPECT_EQ(iLongest, 8u);
        }
    }
}

// What each kind of place does to a save: the window refuses pipes and
// devices, the command line writes them as they are.
TEST_F(FilesTest, SaveTargetsAreAnsweredOnce) {
    Put(Path("plain"), "old");
    Put(Path("locked"), "old");
    fs::permissions(Path("locked"), fs::perms::owner_read);
    fs::create_symlink("plain", Path("to-plain"));
    fs::create_symlink("none", Path("dangling"));
    fs::create_symlink("loop-b", Path("loop-a"));
    fs::create_symlink("loop-a", Path("loop-b"));
    fs::create_directory(Path("folder"));
    fs::create_directory(Path("shut"));
    fs::permissions(Path("shut"), fs::perms::owner_read | fs::perms::owner_exec);
    ::mkfifo(Path("fifo").c_str(), 0600);
    struct Row {
        std::string sPath;
        SaveTarget::Kind iKind;
        std::string sTarget;
        std::string sWindow;  // the window's refusal
        std::string sCommand; // the command line's
    };
    using K = SaveTarget::Kind;
    const std::vector<Row> rows = {
        {Path("new"), K::Nothing, Path("new"), "", ""},
        {Path("plain"), K::File, Path("plain"), "", ""},
        {Path("to-plain"), K::File, Path("plain"), "", ""},
        {Path("locked"), K::File, Path("locked"), "The file is read-only", "The file is read-only"},
        {Path("dangling"), K::DanglingLink, Path("dangling"),
         "The name is a symbolic link to something that does not exist",
         "The name is a symbolic link to something that does not exist"},
        {Path("loop-a"), K::LinkLoop, Path("loop-a"),
         "The name is a symbolic link that leads round in a loop",
         "The name is a symbolic link that leads round in a loop"},
        {Path("folder"), K::Folder, Path("folder"), "A folder of that name exists",
         "A folder of that name exists"},
        {Path("fifo"), K::Pipe, Path("fifo"), "The name is a pipe, not a plain file", ""},
        {"/dev/null", K::Device, "/dev/null", "The name is a device, not a plain file", ""},
        {Path("none/new"), K::Nothing, Path("none/new"), "The folder does not exist",
         "The folder does not exist"},
        {Path("shut/new"), K::Nothing, Path("shut/new"), "The folder is read-only",
         "The folder is read-only"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sPath);
        const SaveTarget::Place place = SaveTarget::Examine(row.sPath);
        EXPECT_EQ(place.iKind, row.iKind);
        EXPECT_EQ(place.sTarget, row.sTarget);
        EXPECT_EQ(SaveTarget::Refusal(place, false), row.sWindow);
        EXPECT_EQ(SaveTarget::Refusal(place, true), row.sCommand);
    }
}

TEST_F(FilesTest, AReplacedFileKeepsItsPermissionsAndItsLinks) {
    for (const auto iMode : {0600, 0640, 0755}) {
        SCOPED_TRACE(iMode);
        const std::string sPath = Path("tone.KEY");
        Put(sPath, "old");
        ::chmod(sPath.c_str(), static_cast<mode_t>(iMode));
        fs::remove(Path("link"));
        fs::create_symlink("tone.KEY", Path("link"));
        CFileReplacement file;
        ASSERT_TRUE(file.Open(Path("link"), false)) << file.Reason();
        ASSERT_TRUE(file.Write("new\r\n"));
        ASSERT_TRUE(file.Commit()) << file.Reason();
        EXPECT_EQ(Get(sPath), "new\r\n");
        EXPECT_TRUE(fs::is_symlink(Path("link")));
        struct stat info {};
        ::stat(sPath.c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(iMode));
        EXPECT_EQ(Names(), (std::vector<std::string>{"link", "tone.KEY"}));
    }
}

TEST_F(FilesTest, ASeekingWriterFillsInItsHeader) {
    CFileReplacement file;
    ASSERT_TRUE(file.Open(Path("tone.wav"), false));
    file.Write("....body");
    EXPECT_EQ(file.Seek(0, SEEK_SET), 0);
    file.Write("HEAD");
    EXPECT_EQ(file.Seek(0, SEEK_END), 8);
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(Get(Path("tone.wav")), "HEADbody");
}

TEST_F(FilesTest, AnAbandonedWriteKeepsTheOldFile) {
    Put(Path("tone.mp3"), "old");
    {
        CFileReplacement file;
        ASSERT_TRUE(file.Open(Path("tone.mp3"), false));
        file.Write("partial");
        file.Fail("The encoder failed");
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(file.Reason(), "The encoder failed");
    }
    {
        CFileReplacement file; // dropped unfinished, as by a cancel
        ASSERT_TRUE(file.Open(Path("tone.mp3"), false));
        file.Write("partial");
    }
    EXPECT_EQ(Get(Path("tone.mp3")), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"tone.mp3"});
}

// A real 256 KiB tmpfs filled to the brim; where mounting is refused, a
// file-size limit in a child process stands in for it.
TEST_F(FilesTest, AFullDiskKeepsTheOldFileAndSaysWhy) {
    const std::string sDisk = Path("disk");
    fs::create_directory(sDisk);
    const bool bMounted = ::mount("tmpfs", sDisk.c_str(), "tmpfs", 0, "size=256k") == 0;
    const std::string sPath = sDisk + "/tone.KEY";
    Put(sPath, "old");
    const std::string sBig(300 * 1024, 'c');
    std::string sReason;
    if (bMounted) {
        std::cout << "Ran on a real 256 KiB tmpfs\n";
        CFileReplacement file;
        ASSERT_TRUE(file.Open(sPath, false));
        file.Write(sBig);
        EXPECT_FALSE(file.Commit());
        sReason = file.Reason();
        EXPECT_EQ(sReason, "No space left on device");
    } else {
        std::cout << "Mounting refused: ran under RLIMIT_FSIZE in a child process\n";
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            CFileReplacement file;
            file.Open(sPath, false);
            file.Write(sBig);
            ::_exit(!file.Commit() && file.Reason() == "File too large" ? 0 : 1);
        }
        int iStatus = 0;
        ASSERT_EQ(::waitpid(pid, &iStatus, 0), pid);
        EXPECT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0);
    }
    EXPECT_EQ(Get(sPath), "old");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(sDisk))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"tone.KEY"});
    if (bMounted)
        ::umount2(sDisk.c_str(), MNT_DETACH);
}

} // namespace
