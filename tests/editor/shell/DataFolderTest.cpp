#include "editor/shell/DataFolder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace miravo;
using miravo::test::TempFolder;
namespace fs = std::filesystem;

namespace {

std::string Text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A program folder that does not exist stands for one that cannot be written. The real read-only
// folder, and the settings copied from it, are tested with the installed editor
// (tests/installer/install.sh), where the Linux side can lock the folder.
struct DataFolderCase {
    const char* name;
    bool programFolderExists;
    const char* iniInProgramFolder; // nullptr: none
    const char* iniInLocalFolder;   // nullptr: none
    bool expectLocal;
    const char* expectedLocalIni; // nullptr: no file
};

class DataFolderTest : public testing::TestWithParam<DataFolderCase> {};

TEST_P(DataFolderTest, ChoosesTheFolderAndSeedsTheSettingsOnce) {
    const DataFolderCase& c = GetParam();
    TempFolder root;
    const fs::path program = fs::path(root.Path()) / L"program";
    const fs::path localAppData = fs::path(root.Path()) / L"local";
    const fs::path local = localAppData / L"Miravo";
    if (c.programFolderExists) {
        fs::create_directory(program);
    }
    if (c.iniInProgramFolder != nullptr) {
        std::ofstream(program / L"MiravoEditor.ini") << c.iniInProgramFolder;
    }
    if (c.iniInLocalFolder != nullptr) {
        fs::create_directories(local);
        std::ofstream(local / L"MiravoEditor.ini") << c.iniInLocalFolder;
    }

    const fs::path chosen = ChooseDataFolder(program, localAppData);

    EXPECT_EQ(chosen, c.expectLocal ? local : program);
    EXPECT_EQ(fs::exists(local), c.expectLocal || c.iniInLocalFolder != nullptr);
    if (c.expectedLocalIni != nullptr) {
        EXPECT_EQ(Text(local / L"MiravoEditor.ini"), c.expectedLocalIni);
    } else {
        EXPECT_FALSE(fs::exists(local / L"MiravoEditor.ini"));
    }
    if (fs::exists(program)) {
        // The probe leaves nothing behind.
        for (const auto& entry : fs::directory_iterator(program)) {
            EXPECT_EQ(entry.path().filename(), L"MiravoEditor.ini");
        }
    }
    fs::remove_all(fs::path(root.Path()));
}

INSTANTIATE_TEST_SUITE_P(Cases, DataFolderTest,
                         testing::Values(DataFolderCase{"WritableProgramFolder", true, nullptr,
                                                        nullptr, false, nullptr},
                                         DataFolderCase{"WritableWithItsSettings", true,
                                                        "[Option]\r\n", nullptr, false, nullptr},
                                         DataFolderCase{"NotWritableFallsBackAndCreatesTheFolder",
                                                        false, nullptr, nullptr, true, nullptr},
                                         DataFolderCase{"NotWritableKeepsTheLocalSettings", false,
                                                        nullptr, "local", true, "local"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DataFolder, FolderIsWritableTellsAWritableFolderFromAMissingOne) {
    TempFolder root;
    EXPECT_TRUE(FolderIsWritable(root.Path()));
    EXPECT_TRUE(fs::is_empty(fs::path(root.Path())));
    EXPECT_FALSE(FolderIsWritable(fs::path(root.Path()) / L"missing"));
}

TEST(DataFolder, NoLocalAppDataKeepsTheProgramFolder) {
    TempFolder root;
    const fs::path missing = fs::path(root.Path()) / L"missing";
    EXPECT_EQ(ChooseDataFolder(missing, {}), missing);
}

} // namespace
