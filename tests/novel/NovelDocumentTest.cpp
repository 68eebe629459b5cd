#include "RecordingInteraction.h"
#include "SampleNovels.h"
#include "TempFolder.h"

#include "novel/ByteStream.h"
#include "novel/EditorError.h"
#include "novel/FileAccess.h"
#include "novel/FileAccessPlatform.h"
#include "novel/NovelDocument.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

using namespace miravo;
using namespace miravo::test;

namespace {
// Wine maps Windows names onto Unix names through its Unix locale; without a Japanese (UTF-8)
// locale on the host it cannot create such names at all, whatever the program does.
bool HostCanNameFile(const std::filesystem::path& path) {
#ifdef _WIN32
    const HANDLE probe = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(probe);
#else
    (void)path;
#endif
    return true;
}
} // namespace

TEST(NovelDocument, SaveAndLoadUnderAJapaneseName) {
    TempFolder folder;
    const std::filesystem::path path = folder / PathFromUtf8("物語・表ソ.mve");
    if (!HostCanNameFile(folder / PathFromUtf8("試験.tmp")))
        GTEST_SKIP() << "the host's Wine has no Japanese Unix locale for file names";
    CNovelModel model;
    FillFullNovel(model);
    model.Header.Version = 4; // the writer always writes version 9
    SaveNovelFile(model, path);
    EXPECT_EQ(model.Header.Version, 9);
    EXPECT_EQ(TempFolder::Read(path), SerializeNovel(model));
    EXPECT_EQ(folder.EntryCount(), 1u);

    CNovelModel loaded;
    RecordingInteraction ui;
    ASSERT_EQ(LoadNovelFile(loaded, path, ui), NovelLoadResult::Loaded);
    EXPECT_EQ(loaded, model);
    EXPECT_EQ(PathToUtf8(path.filename()), "物語・表ソ.mve");
}

TEST(NovelDocument, SavingReplacesAnExistingFileCompletely) {
    TempFolder folder;
    const auto path = folder / "novel.mve";
    TempFolder::Write(path, std::string(100000, 'x')); // longer than the novel
    CNovelModel model;
    FillFullNovel(model);
    SaveNovelFile(model, path);
    EXPECT_EQ(TempFolder::Read(path), SerializeNovel(model));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(NovelDocument, MissingFilesAndFolders) {
    TempFolder folder;
    CNovelModel model;
    RecordingInteraction ui;
    try {
        LoadNovelFile(model, folder / PathFromUtf8("ない.mve"), ui);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "ファイル \"" +
                                                 PathToUtf8(folder / PathFromUtf8("ない.mve")) +
                                                 "\" を開けません.");
    }
    EXPECT_THROW(LoadAlphaFile(model, folder / "none.mvw"), FileOpenError);
    EXPECT_THROW(LoadNovelFile(model, folder.Path(), ui), FileOpenError); // a folder
    EXPECT_THROW(SaveNovelFile(model, folder / "no" / "such" / "folder.mve"), FileWriteError);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(NovelDocument, AlphaFileFromDisk) {
    TempFolder folder;
    CNovelModel source;
    FillFullNovel(source);
    ByteWriter alpha;
    alpha.WriteInt32(640);
    alpha.WriteInt32(480);
    source.Items.SaveToStream(alpha);
    TempFolder::Write(folder / "old.MVW", alpha.Bytes());
    CNovelModel loaded;
    LoadAlphaFile(loaded, folder / "old.MVW");
    EXPECT_EQ(loaded.Header.ChartWidth, 640);
    EXPECT_EQ(loaded.Items, source.Items);
}

TEST(AtomicFileWriter, InterruptedWriteLeavesThePreviousFile) {
    TempFolder folder;
    const auto path = folder / "novel.mve";
    TempFolder::Write(path, "previous");
    {
        AtomicFileWriter writer(path);
        writer.Write(std::string(3 << 20, 'n'));
        EXPECT_TRUE(std::filesystem::exists(writer.TemporaryPath()));
        EXPECT_EQ(writer.TemporaryPath().parent_path(), folder.Path());
        // destroyed without Commit: as if the save stopped half-way
    }
    EXPECT_EQ(TempFolder::Read(path), "previous");
    EXPECT_EQ(folder.EntryCount(), 1u);

    {
        AtomicFileWriter writer(path);
        writer.Write("new");
        writer.Commit();
    }
    EXPECT_EQ(TempFolder::Read(path), "new");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

#ifndef _WIN32
// A save through a symbolic link (also a chain of them) replaces the file it points at.
TEST(AtomicFileWriter, SymbolicLinksStayAndTheirTargetIsReplaced) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "real");
    TempFolder::Write(folder / "real" / "novel.mve", "previous");
    std::filesystem::create_symlink("real/novel.mve", folder / "first.mve");
    std::filesystem::create_symlink(folder / "first.mve", folder / "second.mve");
    WriteFileAtomically(folder / "second.mve", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "first.mve"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "second.mve"));
    EXPECT_EQ(TempFolder::Read(folder / "real" / "novel.mve"), "new");
}

// A real write failure half-way: the file size limit stops the temporary file at 64 KiB.
TEST(AtomicFileWriter, FailedWriteLeavesThePreviousFile) {
    TempFolder folder;
    const auto path = folder / "novel.mve";
    CNovelModel previous;
    FillFullNovel(previous);
    SaveNovelFile(previous, path);
    const std::string before = TempFolder::Read(path);

    CNovelModel large;
    FillLargeNovel(large, 100, 40);
    ASSERT_GT(SerializeNovel(large).size(), 200000u);

    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string message;
    try {
        SaveNovelFile(large, path);
    } catch (const FileWriteError& error) {
        message = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_NE(message.find("書き込みに失敗しました"), std::string::npos) << message;
    EXPECT_NE(message.find("以前のファイルは変更されていません"), std::string::npos);
    EXPECT_EQ(TempFolder::Read(path), before);
    EXPECT_EQ(folder.EntryCount(), 1u); // no temporary file left
}
#endif

#ifdef _WIN32
// The replace step failing as ReplaceFileW can: the temporary file goes only while the target is
// known to be intact; otherwise it stays and the message says where the novel is.
TEST(AtomicFileWriter, FailedReplaceKeepsTheOnlyCopy) {
    using Path = std::filesystem::path;
    const auto removeTarget = [](const Path& target, const Path&) -> std::uint32_t {
        std::filesystem::remove(target);
        return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
    };
    const auto renameTarget = [](const Path& target, const Path&) -> std::uint32_t {
        std::filesystem::rename(target, Path(target).replace_extension(".old"));
        return ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    };
    const auto keepTarget = [](const Path&, const Path&) -> std::uint32_t {
        return ERROR_UNABLE_TO_REMOVE_REPLACED;
    };
    const auto refuseMove = [](const Path&, const Path&) -> std::uint32_t {
        return ERROR_ACCESS_DENIED;
    };
    struct Case {
        const char* what;
        platform::ReplaceCalls calls;
        bool replaced;
        bool temporaryKept;
    };
    const auto systemMove = platform::SystemReplaceCalls().moveFile;
    for (const Case& c : {Case{"target removed", {+removeTarget, +refuseMove}, false, true},
                          Case{"target renamed", {+renameTarget, +refuseMove}, false, true},
                          Case{"target intact", {+keepTarget, +refuseMove}, false, false},
                          Case{"moved after all", {+removeTarget, systemMove}, true, false}}) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const auto path = folder / "novel.mve";
        TempFolder::Write(path, "previous");
        AtomicFileWriter writer(path, &c.calls);
        const Path temporary = writer.TemporaryPath();
        writer.Write("new");
        std::string message;
        try {
            writer.Commit();
        } catch (const FileWriteError& error) {
            message = error.what();
        }
        EXPECT_EQ(message.empty(), c.replaced) << message;
        EXPECT_EQ(std::filesystem::exists(temporary), c.temporaryKept);
        if (c.replaced) {
            EXPECT_EQ(TempFolder::Read(path), "new");
        }
        if (c.temporaryKept) {
            EXPECT_EQ(TempFolder::Read(temporary), "new");
            EXPECT_NE(message.find(PathToUtf8(temporary)), std::string::npos) << message;
        }
        if (!c.replaced && !c.temporaryKept) {
            EXPECT_EQ(TempFolder::Read(path), "previous");
        }
    }
}

TEST(NovelDocument, OpeningNeedsTheFileToItself) {
    TempFolder folder;
    const auto path = folder / "busy.mve";
    CNovelModel model;
    FillFullNovel(model);
    SaveNovelFile(model, path);
    const HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    CNovelModel loaded;
    RecordingInteraction ui;
    EXPECT_THROW(LoadNovelFile(loaded, path, ui), FileOpenError);
    CloseHandle(other);
    EXPECT_EQ(LoadNovelFile(loaded, path, ui), NovelLoadResult::Loaded);
}
#endif
