#include "framework/buffer.h"
#include "framework/file.h"
#include "framework/file_functions.h"
#include "framework/result.h"
#include "scratch_folder.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using NIO::CFile;

class FileTest : public CScratchFolder {
protected:
    std::u16string PathOf(std::u16string_view name) const {
        return (m_folder / fs::path(name)).u16string();
    }
};

std::string Content(const NIO::TBuffer<0>& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

TEST_F(FileTest, OpenFailuresAndAClosedFile) {
    CFile file;
    EXPECT_EQ(file.Open(nullptr, CFile::kRead), NResult::kInvalidArgument);
    EXPECT_EQ(file.Open(u"", CFile::kWrite), NResult::kInvalidArgument);
    EXPECT_EQ(file.Open(PathOf(u"missing.xml").c_str(), CFile::kRead), NResult::kCannotOpen);
    EXPECT_EQ(file.Open(m_folder.u16string().c_str(), CFile::kRead), NResult::kCannotOpen);
    // An unpaired surrogate has no file-system name.
    EXPECT_EQ(file.Open((PathOf(u"bad") + char16_t(0xD800)).c_str(), CFile::kWrite),
              NResult::kCannotOpen);
    EXPECT_TRUE(fs::is_empty(m_folder));
    EXPECT_FALSE(file.IsOpen());

    char byte = 0;
    EXPECT_EQ(file.Read(&byte, 1), 0u);
    EXPECT_EQ(file.WriteBytes("x", 1), NResult::kNotOpen);
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(file.SetSize(4), NResult::kNotOpen);
    EXPECT_EQ(file.Seek(0, NIO::kSeekFromStart), NResult::kNotOpen);
    EXPECT_EQ(file.Seek(0, 3), NResult::kInvalidArgument);
    EXPECT_EQ(file.Close(), NResult::kOk);
}

TEST_F(FileTest, WritingCreatesTheFoldersAndTruncates) {
    const std::u16string path = PathOf(u"a/b/c/out.bin");
    CFile file;
    ASSERT_EQ(file.Open(path.c_str(), CFile::kWrite), NResult::kOk);
    EXPECT_EQ(file.WriteBytes("0123456789", 10), NResult::kOk);
    file.Close();
    EXPECT_EQ(ReadRaw(path), "0123456789");
    ASSERT_EQ(file.Open(path.c_str(), CFile::kWrite), NResult::kOk);
    EXPECT_EQ(file.Size(), 0u);
}

TEST_F(FileTest, ReadOnlyOpenRefusesWritesAndOpenClosesTheOldFile) {
    const std::u16string first = PathOf(u"first.txt");
    WriteRaw(first, "first");
    WriteRaw(PathOf(u"second.txt"), "second!");
    CFile file;
    ASSERT_EQ(file.Open(first.c_str(), CFile::kRead), NResult::kOk);
    EXPECT_EQ(file.WriteBytes("x", 1), CFile::kShortWrite);
    ASSERT_EQ(file.Open(PathOf(u"second.txt").c_str(), CFile::kRead), NResult::kOk);
    EXPECT_EQ(file.Size(), 7u);
    EXPECT_EQ(ReadRaw(first), "first");
}

TEST_F(FileTest, SizePositionSeekAndSetSize) {
    const std::u16string path = PathOf(u"ten.bin");
    CFile file;
    ASSERT_EQ(file.Open(path.c_str(), CFile::kRead | CFile::kWrite), NResult::kOk);
    file.WriteBytes("0123456789", 10);
    EXPECT_EQ(file.Size(), 10u);
    EXPECT_EQ(file.Seek(4, NIO::kSeekFromStart), NResult::kOk);
    EXPECT_EQ(file.Seek(-1, NIO::kSeekFromCurrent), NResult::kOk);
    EXPECT_EQ(file.Position(), 3u);
    EXPECT_EQ(file.Seek(-3, NIO::kSeekFromEnd), NResult::kOk);
    EXPECT_EQ(file.Seek(-20, NIO::kSeekFromCurrent), CFile::kCannotSeek);
    EXPECT_EQ(file.Position(), 7u);

    // SetSize ends the file and leaves the position at the new end.
    EXPECT_EQ(file.SetSize(4), NResult::kOk);
    EXPECT_EQ(file.Position(), 4u);
    EXPECT_EQ(file.SetSize(6), NResult::kOk);
    file.Close();
    EXPECT_EQ(ReadRaw(path), std::string_view("0123\0\0", 6));
}

TEST_F(FileTest, NonAsciiNamesReachTheFileSystemAsUtf8) {
    const std::u16string path = PathOf(u"\u00dcbersicht \u2603 \U0001D11E.xml");
    ASSERT_EQ(NIO::WriteWholeFile(path.c_str(), "<a/>", 4), NResult::kOk);
    EXPECT_EQ(Listing(), "\xC3\x9C"
                         "bersicht \xE2\x98\x83 \xF0\x9D\x84\x9E.xml;");
    NIO::TBuffer<0> stream;
    EXPECT_EQ(NIO::ReadWholeFile(path.c_str(), stream, false), NResult::kOk);
    EXPECT_EQ(Content(stream), "<a/>");
}

TEST_F(FileTest, ReadWholeFileReplacesTheStreamOnlyOnSuccess) {
    const std::u16string path = PathOf(u"doc.xml");
    WriteRaw(path, "<doc/>");
    NIO::TBuffer<0> stream;
    stream.WriteText("previous content");
    EXPECT_EQ(NIO::ReadWholeFile(PathOf(u"none.xml").c_str(), stream, true), NResult::kCannotOpen);
    EXPECT_EQ(Content(stream), "previous content");
    ASSERT_EQ(NIO::ReadWholeFile(path.c_str(), stream, true), NResult::kOk);
    EXPECT_EQ(Content(stream), std::string_view("<doc/>\0", 7));
    EXPECT_EQ(stream.Position(), 0u);

    // Into a borrowed stream: the lender is never written.
    const char lender[] = "xyz";
    stream.Borrow(lender, 3);
    ASSERT_EQ(NIO::ReadWholeFile(path.c_str(), stream, false), NResult::kOk);
    EXPECT_EQ(Content(stream), "<doc/>");
    EXPECT_STREQ(lender, "xyz");
}

TEST_F(FileTest, WholeFileWritesReportWhatFails) {
    NIO::TBuffer<0> stream;
    stream.WriteText("report line\n");
    const std::u16string path = PathOf(u"out/report.txt");
    ASSERT_EQ(NIO::WriteBufferToFile(path.c_str(), stream), NResult::kOk);
    EXPECT_EQ(ReadRaw(path), "report line\n");

    const std::u16string underFile = path + u"/child.xml";
    EXPECT_EQ(NIO::WriteWholeFile(underFile.c_str(), "data", 4), NResult::kCannotOpen);

    // A file-size limit lets the open and two bytes through: a short write,
    // not a success. In a child process, which alone gets the limit.
    const std::u16string limited = PathOf(u"limited.txt");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{2, 2};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(NIO::WriteWholeFile(limited.c_str(), "data", 4) == CFile::kShortWrite ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadRaw(fs::path(limited)), "da");
}

TEST_F(FileTest, FolderAndDeleteFunctions) {
    const std::u16string nested = PathOf(u"x/y/z");
    EXPECT_FALSE(NIO::IsFolder(nested.c_str()));
    EXPECT_TRUE(NIO::CreateFolders(nested.c_str()));
    EXPECT_TRUE(NIO::IsFolder(nested.c_str()));
    EXPECT_FALSE(NIO::FileExists(nested.c_str()));
    EXPECT_FALSE(NIO::CreateFolders(nested.c_str()));
    EXPECT_EQ(NIO::DeleteFileAt(nested.c_str()), NResult::kCannotOpen);
    EXPECT_TRUE(NIO::IsFolder(nested.c_str()));

    const std::u16string file = PathOf(u"x/file.txt");
    WriteRaw(file, "f");
    EXPECT_TRUE(NIO::FileExists(file.c_str()));
    EXPECT_FALSE(NIO::IsFolder(file.c_str()));
    EXPECT_FALSE(NIO::CreateFolders((file + u"/sub").c_str()));
    EXPECT_EQ(NIO::DeleteFileAt(file.c_str()), NResult::kOk);
    EXPECT_FALSE(NIO::FileExists(file.c_str()));
    EXPECT_EQ(NIO::DeleteFileAt(file.c_str()), NResult::kOk);
    EXPECT_FALSE(NIO::FileExists(nullptr));
    EXPECT_FALSE(NIO::IsFolder(u""));
}

TEST_F(FileTest, ReadFailureReasonIsTheSystemsErrorOrNone) {
    WriteRaw(m_folder / "doc.xml", "<a/>");
    WriteRaw(m_folder / "empty.xml", "");
    ASSERT_EQ(::mkfifo((m_folder / "fifo").c_str(), 0600), 0);
    struct SCase {
        std::u16string name;
        int reason;
    };
    // A FIFO without a writer must not block the question.
    for (const SCase& c :
         {SCase{u"doc.xml", 0}, SCase{u"empty.xml", 0}, SCase{u"fifo", 0},
          SCase{u"missing.xml", ENOENT}, SCase{u"doc.xml/below", ENOTDIR}, SCase{u"", EISDIR}}) {
        EXPECT_EQ(NIO::ReadFailureReason(PathOf(c.name).c_str()), c.reason)
            << fs::path(c.name).string();
    }
    EXPECT_EQ(NIO::ReadFailureReason(u""), ENOENT);
}

} // namespace
