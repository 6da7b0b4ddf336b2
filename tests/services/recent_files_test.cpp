#include "recording_backend.h"
#include "services/recent_files.h"
#include "services/registry.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace NSettings;

namespace {

constexpr char16_t kFolder[] = u"Software\\Velden\\Quillmere\\Recent\\";

std::u16string Path(int number) {
    std::u16string path = u"/data/file";
    for (const char c : std::to_string(number))
        path += static_cast<char16_t>(c);
    return path + u".xml";
}

std::u16string EntryPath(const char16_t* folder, int index) {
    std::u16string path = folder;
    path += u"List\\";
    path += static_cast<char16_t>(u'0' + index / 10);
    path += static_cast<char16_t>(u'0' + index % 10);
    return path;
}

class RecentFiles : public ::testing::Test {
protected:
    // Stores a list the way a previous run would have left it.
    void Store(const std::vector<std::u16string>& entries, std::uint32_t size) {
        WriteDword((std::u16string(kFolder) + u"ListSize").c_str(), size);
        for (std::size_t index = 0; index < entries.size(); ++index)
            WriteString(EntryPath(kFolder, static_cast<int>(index)).c_str(),
                        entries[index].c_str());
    }

    std::vector<std::u16string> Listed() const {
        std::vector<std::u16string> listed;
        recent.Fill(listed);
        return listed;
    }

    std::u16string StoredEntry(const char16_t* folder, int index) const {
        std::u16string text;
        return ReadString(EntryPath(folder, index).c_str(), text) == NResult::kOk ? text
                                                                                  : u"<none>";
    }

    NSettingsTest::CRecordingBackend backend;
    CRecentFiles recent;
};

std::vector<std::u16string> Numbered(int count) {
    std::vector<std::u16string> paths;
    for (int number = 0; number < count; ++number)
        paths.push_back(Path(number));
    return paths;
}

} // namespace

TEST_F(RecentFiles, LoadReadsAtMostTwentyEntries) {
    recent.Add(u"/left-over.xml");
    recent.Load(kFolder);
    EXPECT_TRUE(recent.Entries().empty()) << "nothing stored";
    EXPECT_EQ(recent.StoredCapacity(), 20u);
    for (const auto& [size, listed] :
         {std::pair{35u, 20}, std::pair{7u, 7}, std::pair{0xFFFFFFFFu, 20}}) {
        Store(Numbered(35), size);
        recent.Load(kFolder);
        EXPECT_EQ(Listed(), Numbered(listed)) << size;
    }
}

TEST_F(RecentFiles, LoadSkipsUnreadableEntriesAndRepeatedOnes) {
    Store({u"/a.xml", u"/b.xml", u"/c.xml", u"/a.xml", u"/d.xml"}, 6);
    WriteDword(EntryPath(kFolder, 2).c_str(), 3); // a number where a path belongs
    recent.Load(kFolder);
    // Entry 05 does not exist, 02 is not text, 03 repeats 00.
    EXPECT_EQ(Listed(), (std::vector<std::u16string>{u"/a.xml", u"/b.xml", u"/d.xml"}));
}

TEST_F(RecentFiles, SaveAndLoadKeepTheOrder) {
    for (const char16_t* path : {u"/oldest.xml", u"/middle.xml", u"/newest.xml"})
        recent.Add(path);
    ASSERT_EQ(recent.Save(), NResult::kOk);

    CRecentFiles reloaded;
    reloaded.Load(kFolder);
    std::vector<std::u16string> listed;
    reloaded.Fill(listed);
    EXPECT_EQ(listed,
              (std::vector<std::u16string>{u"/newest.xml", u"/middle.xml", u"/oldest.xml"}));

    // A second round trip must not turn the list around either.
    reloaded.Save();
    recent.Load(kFolder);
    EXPECT_EQ(Listed(), listed);
}

TEST_F(RecentFiles, AddingAKnownPathMovesItToTheFront) {
    for (const char16_t* path : {u"/c.xml", u"/b.xml", u"/a.xml"})
        recent.Add(path);
    EXPECT_TRUE(recent.Add(u"/c.xml"));
    EXPECT_EQ(Listed(), (std::vector<std::u16string>{u"/c.xml", u"/a.xml", u"/b.xml"}));

    EXPECT_FALSE(recent.Add(u""));
    EXPECT_FALSE(recent.Add(nullptr));
    // The comparison is exact.
    EXPECT_TRUE(recent.Add(u"/C.xml"));
    EXPECT_EQ(Listed().size(), 4u);

    // A path taken from the list itself.
    EXPECT_TRUE(recent.Add(recent.Entries()[3].Text()));
    EXPECT_EQ(Listed(), (std::vector<std::u16string>{u"/b.xml", u"/C.xml", u"/c.xml", u"/a.xml"}));
}

// A hundred paths are kept, all of them saved, whatever capacity was stored.
TEST_F(RecentFiles, TheHundredAndFirstPathPushesOutTheOldestAndSaveWritesEveryEntry) {
    WriteDword((std::u16string(kFolder) + u"ListCapacity").c_str(), 42);
    recent.Load(kFolder);
    EXPECT_EQ(recent.StoredCapacity(), 42u);
    for (int number = 0; number <= 100; ++number)
        recent.Add(Path(number).c_str());
    ASSERT_EQ(recent.Entries().size(), 100u);
    EXPECT_EQ(std::u16string(recent.Entries().front().Text()), Path(100));
    EXPECT_EQ(std::u16string(recent.Entries().back().Text()), Path(1));
    ASSERT_EQ(recent.Save(), NResult::kOk);

    EXPECT_EQ(ReadDword((std::u16string(kFolder) + u"ListCapacity").c_str(), 0), 42u);
    EXPECT_EQ(ReadDword((std::u16string(kFolder) + u"ListSize").c_str(), 0), 100u);
    EXPECT_EQ(StoredEntry(kFolder, 0), Path(100));
    EXPECT_EQ(StoredEntry(kFolder, 9), Path(91));
    EXPECT_EQ(StoredEntry(kFolder, 99), Path(1));
}

TEST_F(RecentFiles, SaveGoesToTheFolderLoadedFromAndReportsAFailureButWritesEverything) {
    constexpr char16_t kOther[] = u"Test\\Elsewhere\\";
    recent.Load(kOther);
    recent.Add(u"/x.xml");
    recent.Add(u"/y.xml");
    EXPECT_EQ(recent.Save(), NResult::kOk);
    EXPECT_EQ(StoredEntry(kOther, 1), u"/x.xml");
    EXPECT_EQ(ReadDword(u"Test\\Elsewhere\\ListCapacity", 0), 20u);
    EXPECT_EQ(StoredEntry(kFolder, 0), u"<none>");

    backend.FailStores(true);
    EXPECT_EQ(recent.Save(), kStoreFailed);
    EXPECT_EQ(backend.WritesTo(EntryPath(kOther, 1)), 2);
}
