// The mvtool program itself, started as a separate process (natively and, in the Windows build,
// mvtool.exe under Wine).
#include "tests/novel/SampleNovels.h"
#include "tests/novel/TempFolder.h"

#include "novel/ByteStream.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace miravo;
using namespace miravo::test;

namespace {

std::filesystem::path ProgramPath() {
    std::string path = MVTOOL_PROGRAM;
#ifdef _WIN32
    if (!path.empty() && path[0] == '/') // the build tree's Unix path, seen through drive Z:
        path = "Z:" + path;
#endif
    return PathFromUtf8(path);
}

struct Result {
    int code;
    std::string out;
    std::string err;
};

// Runs mvtool with `arguments` (already quoted as needed) through the system's shell, after the
// shell commands in `before` (POSIX).
Result RunProgram(const TempFolder& folder, const std::string& arguments,
                  const std::string& before = "") {
    const auto out = folder / "stdout.txt";
    const auto err = folder / "stderr.txt";
    const std::string line = before + "\"" + PathToUtf8(ProgramPath()) + "\" " + arguments +
                             " >\"" + PathToUtf8(out) + "\" 2>\"" + PathToUtf8(err) + "\"";
#ifdef _WIN32
    // cmd.exe drops the outer quotes of a line that starts with one.
    const std::wstring wide = std::filesystem::path(PathFromUtf8("\"" + line + "\"")).wstring();
    const int status = _wsystem(wide.c_str());
    const int code = status;
#else
    const int status = std::system(line.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return {code, TempFolder::Read(out), TempFolder::Read(err)};
}

std::string Q(const std::filesystem::path& path) { return "\"" + PathToUtf8(path) + "\""; }

} // namespace

TEST(MvToolProgram, ConvertsAndReportsThroughExitCodes) {
    TempFolder folder;
    CNovelModel model;
    FillFullNovel(model);
    SaveNovelFile(model, folder / "a.mve");

    Result run = RunProgram(folder, "info " + Q(folder / "a.mve"));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "Version: 9\nTitle: 能登の表ソ十構\nItems: 3\nCounters: 2\nTextWindows: 2\n");

    run = RunProgram(folder, "to-json " + Q(folder / "a.mve") + " " + Q(folder / "a.json"));
    EXPECT_EQ(run.code, 0) << run.err;
    run = RunProgram(folder, "from-json " + Q(folder / "a.json") + " " + Q(folder / "b.mve"));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(folder / "b.mve"), TempFolder::Read(folder / "a.mve"));

    run = RunProgram(folder, "info " + Q(folder / "missing.mve"));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("を開けません."), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos);
    EXPECT_EQ(run.out, "");
}

#ifndef _WIN32
TEST(MvToolProgram, JapaneseFileNames) {
    TempFolder folder;
    CNovelModel model;
    FillFullNovel(model);
    SaveNovelFile(model, folder / PathFromUtf8("物語.mve"));
    const Result run = RunProgram(folder, "export-text " + Q(folder / PathFromUtf8("物語.mve")) +
                                              " " + Q(folder / PathFromUtf8("文章.txt")));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder / PathFromUtf8("文章.txt")));
}

// Under an address-space limit of six times the novel (the program is built without
// sanitizers): a script of 20 MB of lone line breaks loads and converts, and a large file of
// another kind is refused from its header without being read.
TEST(MvToolProgram, LargeInputsStayWithinAMemoryLimit) {
    TempFolder folder;
    ByteWriter file;
    CNovelModel model;
    model.Header.SaveToStream(file);
    model.Counters.SaveToStream(file);
    model.TextWindows.SaveToStream(file);
    file.WriteInt32(1);
    file.WriteString("breaks");
    file.WriteInt32(0);
    file.WriteInt32(0);
    file.WriteString(std::string(20'000'000, '\n'));
    file.WriteByte(kLinkMenu);
    for (int slot = 0; slot < kLinkSlotCount; ++slot) {
        file.WriteBool(slot == 0);
        file.WriteString("");
        file.WriteString("");
        file.WriteBool(false);
        file.WriteString("");
        file.WriteInt32(1);
    }
    TempFolder::Write(folder / "breaks.mve", file.Bytes());
    TempFolder::Write(folder / "other.bin", "\x05Other" + std::string(3000, '\0'));
    std::filesystem::resize_file(folder / "other.bin", 600u << 20); // sparse

    const std::string limit = "ulimit -v " + std::to_string(6 * 20'000 + 2'000) + "; ";
    Result run = RunProgram(folder, "info " + Q(folder / "breaks.mve"), limit);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Items: 1\n"), std::string::npos);
    run = RunProgram(folder, "to-json " + Q(folder / "breaks.mve") + " " + Q(folder / "b.json"),
                     limit);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_GT(std::filesystem::file_size(folder / "b.json"), 20'000'000u * 11);
    run = RunProgram(folder, "info " + Q(folder / "other.bin"), limit);
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("ファイル形式が違います."), std::string::npos) << run.err;
}
#endif
