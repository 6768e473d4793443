#include "fakes/fake_file_system.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tindlow {
namespace {

std::vector<std::wstring> names(const std::optional<std::vector<DirectoryEntry>>& entries) {
    std::vector<std::wstring> result;
    for (const DirectoryEntry& entry : entries.value()) {
        result.push_back(entry.isDirectory ? entry.name + L"\\" : entry.name);
    }
    return result;
}

TEST(FakeFileSystem, StartsWithDriveAndCurrentDirectory) {
    FakeFileSystem files;
    EXPECT_EQ(files.currentDirectory(), L"C:\\P");
    EXPECT_EQ(files.paths(), (std::vector<std::wstring>{L"C:\\", L"C:\\P\\"}));

    files.setCurrentDirectory(L"D:\\Tools\\Tindlow\\");
    EXPECT_EQ(files.currentDirectory(), L"D:\\Tools\\Tindlow");
    EXPECT_TRUE(files.isDirectory(L"D:\\Tools"));
}

TEST(FakeFileSystem, MatchesPathsTheWindowsWay) {
    FakeFileSystem files;
    files.addFile(L"C:\\P\\_Settings\\Settings.txt", "x");
    const struct {
        const wchar_t* path;
        bool exists;
        bool isDirectory;
    } kCases[] = {
        {L"C:\\P\\_Settings\\Settings.txt", true, false},
        {L"c:/p/_settings/SETTINGS.TXT", true, false},
        {L"C:\\P\\\\_Settings\\.\\Settings.txt", true, false},
        {L"C:\\P\\Other\\..\\_Settings\\Settings.txt", true, false},
        {L"_Settings\\Settings.txt", true, false},  // relative to the current directory
        {L"\\P\\_Settings\\Settings.txt", true, false},
        {L"C:\\P\\_Settings\\Settings.txt\\", false, false},
        {L"C:\\P\\_Settings", true, true},
        {L"C:\\P\\_Settings\\", true, true},
        {L"C:\\", true, true},
        {L"C:", true, true},
        {L"C:\\P\\_Settings\\Settings", false, false},
        {L"D:\\P", false, false},
        {L"", false, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.path);
        EXPECT_EQ(files.exists(c.path), c.exists);
        EXPECT_EQ(files.isDirectory(c.path), c.isDirectory);
    }
    EXPECT_EQ(files.readFile(L"c:/p/_settings/settings.TXT").bytes, "x");
}

TEST(FakeFileSystem, CreatesOneDirectoryLevelAtATime) {
    FakeFileSystem files;
    files.addFile(L"C:\\P\\file", "");
    EXPECT_FALSE(files.createDirectory(L"C:\\P\\A\\B\\"));  // parent missing
    EXPECT_TRUE(files.createDirectory(L"C:\\P\\A\\"));
    EXPECT_TRUE(files.createDirectory(L"C:\\P\\A\\B\\"));
    EXPECT_FALSE(files.createDirectory(L"c:\\p\\a"));     // exists already
    EXPECT_FALSE(files.createDirectory(L"C:\\P\\file"));  // a file of that name
    EXPECT_FALSE(files.createDirectory(L"C:\\P\\file\\X"));
    EXPECT_TRUE(files.createDirectory(L"C:\\Temp\\"));
    EXPECT_TRUE(files.isDirectory(L"C:\\P\\A\\B"));
}

TEST(FakeFileSystem, WritesAndReadsWholeFiles) {
    FakeFileSystem files;
    const std::wstring path = L"C:\\P\\out.txt";
    EXPECT_EQ(files.readFile(path).error, 2);
    EXPECT_EQ(files.writeFile(path, "first, long"), 0);
    EXPECT_EQ(files.writeFile(L"c:\\p\\OUT.TXT", "second"), 0);  // truncates
    EXPECT_EQ(files.readFile(path).bytes, "second");
    EXPECT_TRUE(files.readFile(path).ok());
    EXPECT_EQ(files.writeCount(path), 2);
    EXPECT_EQ(files.paths(), (std::vector<std::wstring>{L"C:\\", L"C:\\P\\", L"C:\\P\\out.txt"}));
    EXPECT_EQ(files.files(), (std::map<std::wstring, std::string>{{L"C:\\P\\out.txt", "second"}}));
}

TEST(FakeFileSystem, FailsLikeTheCLibrary) {
    FakeFileSystem files;
    files.addFile(L"C:\\P\\locked.txt", "keep");
    files.lock(L"C:\\P\\locked.txt");
    files.addFile(L"C:\\P\\failing.txt", "keep");
    files.failWritesWith(L"C:\\P\\failing.txt", 28);
    const auto before = files.files();

    const struct {
        const wchar_t* path;
        int writeError;
        int readError;
    } kCases[] = {
        {L"C:\\P\\Missing\\x.txt", 2, 2}, {L"C:\\P", 13, 13},
        {L"C:\\P\\locked.txt", 13, 13},   {L"C:\\P\\failing.txt", 28, 0},
        {L"C:\\P\\failing.txt\\", 28, 2}, {L"C:\\P\\new.txt\\", 2, 2},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.path);
        EXPECT_EQ(files.writeFile(c.path, "new"), c.writeError);
        EXPECT_EQ(files.readFile(c.path).error, c.readError);
        EXPECT_EQ(files.writeCount(c.path), 0);
    }
    EXPECT_FALSE(files.deleteFile(L"C:\\P\\locked.txt"));
    EXPECT_EQ(files.files(), before);

    files.unlock(L"C:\\P\\locked.txt");
    files.failWritesWith(L"C:\\P\\failing.txt", 0);
    EXPECT_EQ(files.writeFile(L"C:\\P\\locked.txt", "a"), 0);
    EXPECT_EQ(files.writeFile(L"C:\\P\\failing.txt", "b"), 0);

    // A lock may come before the file.
    files.lock(L"C:\\P\\later.txt");
    EXPECT_EQ(files.writeFile(L"C:\\P\\later.txt", "x"), 13);
    EXPECT_FALSE(files.exists(L"C:\\P\\later.txt"));
}

TEST(FakeFileSystem, DeletesFilesOnly) {
    FakeFileSystem files;
    files.addFile(L"C:\\P\\Dir\\a.txt");
    EXPECT_FALSE(files.deleteFile(L"C:\\P\\Dir"));
    EXPECT_FALSE(files.deleteFile(L"C:\\P\\Dir\\b.txt"));
    EXPECT_TRUE(files.deleteFile(L"c:\\p\\dir\\A.TXT"));
    EXPECT_FALSE(files.exists(L"C:\\P\\Dir\\a.txt"));
    EXPECT_TRUE(files.isDirectory(L"C:\\P\\Dir"));
}

TEST(FakeFileSystem, ListsInCreationOrderOrAsTheTestSays) {
    FakeFileSystem files;
    files.addFile(L"C:\\P\\Dir\\b.csv");
    files.addDirectory(L"C:\\P\\Dir\\Sub");
    files.addFile(L"C:\\P\\Dir\\a.csv");
    files.addFile(L"C:\\P\\Dir\\Sub\\deep.csv");
    EXPECT_EQ(files.writeFile(L"C:\\P\\Dir\\B.CSV", "rewritten"), 0);  // keeps its place

    EXPECT_EQ(names(files.listDirectory(L"C:\\P\\Dir\\")),
              (std::vector<std::wstring>{L"b.csv", L"Sub\\", L"a.csv"}));
    files.setListOrder(L"C:\\P\\Dir", {L"A.csv", L"b.csv"});
    EXPECT_EQ(names(files.listDirectory(L"C:\\P\\Dir")),
              (std::vector<std::wstring>{L"a.csv", L"b.csv", L"Sub\\"}));
    EXPECT_EQ(names(files.listDirectory(L"C:\\P")), (std::vector<std::wstring>{L"Dir\\"}));
    EXPECT_EQ(names(files.listDirectory(L"C:\\P\\Dir\\Sub")),
              (std::vector<std::wstring>{L"deep.csv"}));

    EXPECT_FALSE(files.listDirectory(L"C:\\P\\Missing").has_value());
    EXPECT_FALSE(files.listDirectory(L"C:\\P\\Dir\\a.csv").has_value());
}

TEST(FakeFileSystem, ReplaceFileMovesTheFile) {
    FakeFileSystem files;
    files.addFile(L"C:\\P\\new.tmp", "new");
    files.addFile(L"C:\\P\\data.txt", "old");
    EXPECT_EQ(files.replaceFile(L"C:\\P\\new.tmp", L"C:\\P\\data.txt"), 0);
    EXPECT_EQ(files.fileBytes(L"C:\\P\\data.txt"), "new");
    EXPECT_FALSE(files.exists(L"C:\\P\\new.tmp"));
    EXPECT_EQ(files.writeCount(L"C:\\P\\data.txt"), 1);

    files.addFile(L"C:\\P\\moved.tmp", "moved");
    EXPECT_EQ(files.replaceFile(L"C:\\P\\moved.tmp", L"C:\\P\\fresh.txt"), 0);
    EXPECT_EQ(files.fileBytes(L"C:\\P\\fresh.txt"), "moved");

    files.addFile(L"C:\\P\\src.tmp", "src");
    files.failWritesWith(L"C:\\P\\data.txt", 5);
    EXPECT_EQ(files.replaceFile(L"C:\\P\\missing.tmp", L"C:\\P\\data.txt"), 2);
    EXPECT_EQ(files.replaceFile(L"C:\\P\\src.tmp", L"C:\\P\\Missing\\data.txt"), 2);
    EXPECT_EQ(files.replaceFile(L"C:\\P\\src.tmp", L"C:\\P"), 13);
    EXPECT_EQ(files.replaceFile(L"C:\\P\\src.tmp", L"C:\\P\\data.txt"), 5);
    EXPECT_EQ(files.fileBytes(L"C:\\P\\data.txt"), "new");
    EXPECT_EQ(files.fileBytes(L"C:\\P\\src.tmp"), "src");
}

TEST(FakeFileSystem, TestHelpersRejectMisuse) {
    FakeFileSystem files;
    EXPECT_FALSE(files.fileBytes(L"C:\\P").has_value());
    EXPECT_FALSE(files.fileBytes(L"C:\\P\\none").has_value());
    EXPECT_THROW(files.addFile(L"C:\\P", "x"), std::invalid_argument);
    EXPECT_THROW(files.addFile(L"C:\\", "x"), std::invalid_argument);
    EXPECT_TRUE(files.isDirectory(L"C:\\P"));
}

TEST(FakeFileSystem, KnowsUncPaths) {
    FakeFileSystem files;
    files.addFile(L"\\\\server\\share\\Events\\e.csv", "e");
    EXPECT_TRUE(files.isDirectory(L"\\\\SERVER\\share\\events\\"));
    EXPECT_EQ(files.readFile(L"//server/share/Events/e.csv").bytes, "e");
    EXPECT_FALSE(files.exists(L"\\\\other\\share"));
}

}  // namespace
}  // namespace tindlow
