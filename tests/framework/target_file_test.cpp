#include "framework/target_file.h"
#include "scratch_folder.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class TargetFile : public CScratchFolder {
protected:
    void SetUp() override {
        CScratchFolder::SetUp();
        // A reader that went away must show as EPIPE, as in the program.
        m_previousPipeHandler = std::signal(SIGPIPE, SIG_IGN);
    }
    void TearDown() override {
        std::signal(SIGPIPE, m_previousPipeHandler);
        CScratchFolder::TearDown();
    }

    fs::path PathOf(std::string_view name) const { return m_folder / name; }
    static int Write(const fs::path& path, std::string_view bytes) {
        return NIO::WriteTargetFile(path.u16string().c_str(), bytes.data(), bytes.size());
    }

    void (*m_previousPipeHandler)(int) = SIG_DFL;
};

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST_F(TargetFile, ANewOrSingleLinkedFileIsReplacedKeepingItsModeAndLinks) {
    const fs::path created = PathOf("new.xml");
    ASSERT_EQ(Write(created, "<new/>"), 0);
    EXPECT_EQ(ReadRaw(created), "<new/>");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(created), 0666u & ~mask);

    const fs::path existing = PathOf("old.xml");
    WriteRaw(existing, "a much longer old content");
    ::chmod(existing.c_str(), 0640);
    const fs::path link = PathOf("link.xml");
    fs::create_symlink("old.xml", link);
    ASSERT_EQ(Write(link, "<r/>"), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadRaw(existing), "<r/>");
    EXPECT_EQ(ModeOf(existing), 0640u);
    EXPECT_EQ(Listing().find(".quillmere-"), std::string::npos) << Listing();
}

TEST_F(TargetFile, AHardLinkedFileIsRewrittenInPlaceSoEveryLinkSeesTheText) {
    const fs::path target = PathOf("merged.xml");
    const fs::path other = PathOf("other-name.xml");
    WriteRaw(target, "a much longer old content");
    fs::create_hard_link(target, other);
    struct stat before {};
    ::stat(target.c_str(), &before);
    ASSERT_EQ(Write(target, "<r/>"), 0);
    struct stat after {};
    ::stat(target.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(ReadRaw(other), "<r/>");
    EXPECT_EQ(Listing().find(".quillmere-"), std::string::npos) << Listing();
}

TEST_F(TargetFile, AFifoIsWrittenThroughAndAReaderThatLeavesIsAFailure) {
    const fs::path fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = ReadRaw(fifo); });
    EXPECT_EQ(Write(fifo, "report line\n"), 0);
    reader.join();
    EXPECT_EQ(read, "report line\n");
    EXPECT_TRUE(fs::is_fifo(fifo)) << "never replaced by a regular file";

    // More than a pipe holds, for a reader that takes one byte and goes.
    const std::string large(1 << 20, 'x');
    std::thread leaver([&] {
        const int descriptor = ::open(fifo.c_str(), O_RDONLY);
        char byte;
        EXPECT_EQ(::read(descriptor, &byte, 1), 1);
        ::close(descriptor);
    });
    EXPECT_EQ(Write(fifo, large), EPIPE);
    leaver.join();
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(TargetFile, FailuresGiveTheSystemsReasonAndLeaveNothingBehind) {
    WriteRaw(PathOf("kept.xml"), "kept");
    fs::create_directory(PathOf("folder"));
    struct SCase {
        const char* name;
        int error;
    };
    for (const SCase& c : {SCase{"missing/out.xml", ENOENT}, SCase{"kept.xml/below.xml", ENOTDIR},
                           SCase{"folder", EISDIR}, SCase{"", EINVAL}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Write(*c.name == 0 ? fs::path() : PathOf(c.name), "x"), c.error);
    }
    EXPECT_FALSE(fs::exists(PathOf("missing"))) << "folders are not created";
    EXPECT_EQ(ReadRaw(PathOf("kept.xml")), "kept");
    const std::string listing = Listing();
    EXPECT_TRUE(listing == "kept.xml;folder;" || listing == "folder;kept.xml;") << listing;
}

TEST_F(TargetFile, SameFileMeansTheSameFileHoweverItIsNamed) {
    WriteRaw(PathOf("a.xml"), "a");
    WriteRaw(PathOf("b.xml"), "a");
    fs::create_symlink("a.xml", PathOf("link.xml"));
    fs::create_hard_link(PathOf("a.xml"), PathOf("hard.xml"));
    const std::u16string a = PathOf("a.xml").u16string();
    struct SCase {
        std::u16string other;
        bool same;
    };
    for (const SCase& c :
         {SCase{a, true}, SCase{(m_folder / "." / "a.xml").u16string(), true},
          SCase{PathOf("link.xml").u16string(), true}, SCase{PathOf("hard.xml").u16string(), true},
          SCase{PathOf("b.xml").u16string(), false}, SCase{PathOf("none.xml").u16string(), false},
          SCase{u"", false}}) {
        EXPECT_EQ(NIO::IsSameFile(a.c_str(), c.other.c_str()), c.same)
            << fs::path(c.other).string();
    }
}

TEST_F(TargetFile, TwoTargetsCollideOnlyAsOneRegularFileOrOneNewPath) {
    WriteRaw(PathOf("a.xml"), "a");
    fs::create_symlink("a.xml", PathOf("link.xml"));
    const std::string fifo = PathOf("pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct SCase {
        fs::path first, second;
        bool collide;
    };
    for (const SCase& c : {SCase{PathOf("a.xml"), PathOf("link.xml"), true},
                           SCase{PathOf("new.xml"), m_folder / "." / "new.xml", true},
                           SCase{"relative-new.xml", "./relative-new.xml", true},
                           SCase{PathOf("new.xml"), PathOf("other.xml"), false},
                           SCase{PathOf("new.xml"), PathOf("a.xml"), false},
                           SCase{PathOf("a.xml"), PathOf("new.xml"), false},
                           SCase{PathOf("pipe"), PathOf("pipe"), false},
                           SCase{PathOf("new.xml"), fs::path(), false}}) {
        EXPECT_EQ(
            NIO::WouldOverwriteEachOther(c.first.u16string().c_str(), c.second.u16string().c_str()),
            c.collide)
            << c.first << " " << c.second;
    }
}

// In a child process, whose standard output can be closed without harm.
TEST(StandardStreams, ClosedStreamsAreOccupiedSoThatNoFileTakesTheirNumbers) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(STDIN_FILENO);
        ::close(STDOUT_FILENO);
        NIO::OccupyClosedStandardStreams();
        const int opened = ::open(".", O_RDONLY | O_DIRECTORY);
        const bool occupied = opened > STDERR_FILENO;
        const bool fails = NIO::WriteToDescriptor(STDOUT_FILENO, "x", 1) == EBADF;
        char byte;
        const bool ends = ::read(STDIN_FILENO, &byte, 1) == 0;
        ::_exit(occupied && fails && ends ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace
