// The playtest dialog and the build wizard as the author uses them, in the whole editor under
// Wine: F5's dialog starting a stand-in runtime, and the wizard walked page by page to programs
// that the real runtime reads back with "/report:".
#include "editor/distribution/DistributionResource.h"
#include "editor/distribution/ExeWizardForm.h"
#include "editor/distribution/TestPlayForm.h"
#include "editor/script/TextForm.h"
#include "editor/shell/Resource.h"
#include "editor/widgets/WideText.h"
#include "novel/FileAccess.h"
#include "novel/NovelDocument.h"
#include "novel/NovelNames.h"
#include "novel/PackageReader.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/novel/TempFolder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace miravo {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// The build tree's Unix paths, seen through drive Z:.
fs::path BuildTreePath(const char* path) { return PathFromUtf8(std::string("Z:") + path); }

// Starts the command line and waits for the program; its exit code, or -1.
int RunAndWait(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(code);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class DistributionGuiTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void SetUp() override {
        fs::create_directories(programFolder);
        fs::create_directories(novelFolder / "bg");
    }
    void TearDown() override { Stop(); }

    // The editor's start-up questions (the first run's association, a missing sound engine)
    // are not what these tests look at.
    void StartEditor() {
        EditorDriver::Start({.programFolder = programFolder});
        Pump(100);
        ui.messages.clear();
    }
    // A novel with a title picture, a background in a subfolder, a sound found by its other
    // extension and, when asked, a music file that does not exist.
    fs::path OpenNovel(bool withMissingFile) {
        CNovelModel model;
        model.Header.Title = sjis::FromUtf8("浜辺の物語");
        model.Header.TitleGraphic = "title.bmp";
        model.Items.Add().Name = "opening";
        model.Items[0].Text = {".GraphLoad bg\\room.bmp", ".SoundPlay se.wav", "The sea."};
        if (withMissingFile)
            model.Items[0].Text = {".GraphLoad bg\\room.bmp", ".SoundPlay se.wav",
                                   ".BGMPlay missing", "The sea."};
        TempFolder::Write(novelFolder / "title.bmp", "BM title picture");
        TempFolder::Write(novelFolder / "bg" / "room.bmp", "BM room picture");
        TempFolder::Write(novelFolder / "se.ogg", "OggS a sound");
        const fs::path path = novelFolder / "story.mve";
        SaveNovelFile(model, path);
        Editor().Session().Lifecycle().OpenNovelFile(path);
        Pump(50);
        return path;
    }
    EditorState& State() { return Editor().Session().State(); }

    TempFolder temp;
    fs::path programFolder = temp / "program";
    fs::path novelFolder = temp / "novels";
};

// ----- Playtest --------------------------------------------------------------------------------

class PlaytestGuiTest : public DistributionGuiTest {
protected:
    void SetUp() override {
        DistributionGuiTest::SetUp();
        fs::copy_file(BuildTreePath(MIRAVO_PLAYTEST_RECORDER), programFolder / "MiravoRun.exe");
    }
    fs::path Recorded() const { return programFolder / "commandline.txt"; }
};

TEST_F(PlaytestGuiTest, StartsTheRuntimeWithTheCommandLineAndKeepsTheOptions) {
    StartEditor();
    OpenNovel(false);
    // F5, the menu item and the tool button carry one command, enabled once there is an item.
    EXPECT_TRUE(Editor().MainForm().Commands().IsEnabled(ID_TESTPLAY));
    Editor().MainForm().UpdateCommands();
    EXPECT_TRUE(
        SendMessageW(Editor().MainForm().Tools().Handle(), TB_ISBUTTONENABLED, ID_TESTPLAY, 0));
    // An edit in the text editor makes the novel modified; the playtest leaves it so.
    ScriptEditControl& editor = Window<TTextForm>().Editor();
    editor.SelectAll();
    editor.ReplaceSelection(NarrowToShiftJis(L".GraphLoad bg\\room.bmp\r\n海を見た."));
    Pump(50);
    ASSERT_TRUE(State().modified);
    const std::wstring title = Title();

    TTestPlayForm& form = Window<TTestPlayForm>();
    {
        test::DialogDriver dialog(form, Main());
        EXPECT_EQ(dialog.Text(IDOK), L"スタート");
        EXPECT_FALSE(dialog.Checked(IDC_TESTPLAY_DEBUG));
        EXPECT_FALSE(dialog.Checked(IDC_TESTPLAY_HICOLOR));
        dialog.SetCheck(IDC_TESTPLAY_DEBUG, true);
        dialog.SetCheck(IDC_TESTPLAY_HICOLOR, true);
        Pump(100);
        test::SaveScreenshot(dialog.Handle(), "testplay-dialog");
        EXPECT_EQ(dialog.Press(IDOK), IDOK);
    }
    ASSERT_TRUE(test::PumpUntil([this] { return fs::exists(Recorded()); }, 20000));
    const std::string line = TempFolder::Read(Recorded());
    EXPECT_EQ(line, form.LastCommandLine());
    const std::string folder = sjis::FromUtf8(PathToUtf8(programFolder)) + "\\";
    const std::string novels = sjis::FromUtf8(PathToUtf8(novelFolder)) + "\\";
    EXPECT_EQ(line, "\"" + folder + "MiravoRun.exe\" /16 /debug \"*" + novels + "\" \"" + folder +
                        "$testplay.tmp\" \"=" + LocaleLower(novels + "story.mvb") + "\" ");
    // The scratch file holds the edit; the document's name and state are untouched.
    CNovelModel scratch;
    struct : ILoadNotices {
        void Notice(const LoadNotice&) override {}
    } notices;
    LoadNovelFile(scratch, programFolder / "$testplay.tmp", notices);
    EXPECT_EQ(sjis::ToUtf8(std::string(scratch.Items[0].Text[1])), "海を見た.");
    EXPECT_TRUE(State().modified);
    EXPECT_EQ(Title(), title);
    EXPECT_TRUE(ui.messages.empty());

    // The options are kept for the next playtest; a missing runtime gets the failure box.
    fs::remove(Recorded());
    fs::remove(programFolder / "MiravoRun.exe");
    fs::remove(programFolder / "$testplay.tmp");
    {
        test::DialogDriver dialog(form, Main());
        EXPECT_TRUE(dialog.Checked(IDC_TESTPLAY_DEBUG));
        EXPECT_TRUE(dialog.Checked(IDC_TESTPLAY_HICOLOR));
        dialog.SetCheck(IDC_TESTPLAY_DEBUG, false);
        EXPECT_EQ(dialog.Press(IDOK), IDOK);
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "テストプレイの実行に失敗しました.\rMiravo "
                                   "が正しくインストールされているか確認してください.");
    EXPECT_EQ(ui.messages[0].caption, "エラー");
    EXPECT_TRUE(fs::exists(programFolder / "$testplay.tmp"));
    EXPECT_TRUE(Contains(form.LastCommandLine(), "MiravoRun.exe\" /16 \"*"));
}

// ----- Build wizard ----------------------------------------------------------------------------

class WizardGuiTest : public DistributionGuiTest {
protected:
    void SetUp() override {
        DistributionGuiTest::SetUp();
        fs::copy_file(BuildTreePath(MIRAVO_RUNTIME_PROGRAM), programFolder / "MiravoRun.exe");
        fs::copy_file(BuildTreePath(MIRAVO_SOUND_ENGINE), programFolder / "MVSound.mvx");
        StartEditor();
    }
    TExeWizardForm& Wizard() { return Window<TExeWizardForm>(); }
    static bool Enabled(const test::DialogDriver& dialog, int id) {
        return IsWindowEnabled(dialog.Item(id)) != FALSE;
    }
    static bool Visible(const test::DialogDriver& dialog, int id) {
        return IsWindowVisible(dialog.Item(id)) != FALSE;
    }
    void Shot(const test::DialogDriver& dialog, const char* name) {
        RedrawWindow(dialog.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(150);
        test::SaveScreenshot(dialog.Handle(), name);
    }
    // Runs the built program with "/report:" and returns the report.
    std::string Report(const fs::path& program) {
        const fs::path report = temp / "report.txt";
        fs::remove(report);
        EXPECT_EQ(
            RunAndWait(L"\"" + program.wstring() + L"\" \"/report:" + report.wstring() + L"\""), 0);
        return TempFolder::Read(report);
    }
    std::string ListLine(const test::DialogDriver& dialog, int index) {
        const HWND list = dialog.Item(IDC_EXEONLY_ERROR_LOG1);
        std::wstring text(std::size_t(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
        text.resize(std::size_t(
            SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
        return NarrowToUtf8(text);
    }
};

TEST_F(WizardGuiTest, SingleFileBuildWithAMissingFilePageByPage) {
    OpenNovel(true);
    test::DialogDriver dialog(Wizard(), Main());
    EXPECT_EQ(test::TextOf(dialog.Handle()), L"実行形式 作成ウィザード");
    EXPECT_EQ(Wizard().Page(), WizardPage::StartPage);
    EXPECT_FALSE(Enabled(dialog, IDC_WIZ_BACK));
    EXPECT_EQ(dialog.Text(IDOK), L"次へ >>");
    EXPECT_TRUE(Visible(dialog, IDC_START_TITLE));
    EXPECT_FALSE(Visible(dialog, IDC_TYPE_TITLE));
    Shot(dialog, "wizard-1-start");

    dialog.Press(IDOK);
    EXPECT_EQ(Wizard().Page(), WizardPage::TypeSelect);
    EXPECT_TRUE(dialog.Checked(IDC_RADIO_EXE_ARC));
    EXPECT_TRUE(Enabled(dialog, IDC_WIZ_BACK));
    Shot(dialog, "wizard-2-type");

    // The survey stops on the error page: the music file is missing.
    dialog.Press(IDOK);
    EXPECT_EQ(Wizard().Page(), WizardPage::ExeOnlyHome);
    EXPECT_EQ(Wizard().Survey(), TExeWizardForm::SurveyPage::Error);
    EXPECT_EQ(Wizard().Collected(),
              (std::vector<std::string>{"title.bmp", "bg\\room.bmp", "se.ogg", "missing"}));
    EXPECT_EQ(SendMessageW(dialog.Item(IDC_EXEONLY_ERROR_LOG1), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(ListLine(dialog, 0), "missing");
    EXPECT_TRUE(Visible(dialog, IDC_ERROR_TITLE));
    EXPECT_FALSE(Visible(dialog, IDC_SEARCH_TEXT));
    EXPECT_TRUE(Enabled(dialog, IDOK) && Enabled(dialog, IDCANCEL) &&
                Enabled(dialog, IDC_WIZ_BACK));
    Shot(dialog, "wizard-3-error");

    dialog.Press(IDOK);
    EXPECT_EQ(Wizard().Page(), WizardPage::ExeOnlyInput);
    EXPECT_EQ(dialog.Text(IDOK), L"作成 >>");
    EXPECT_EQ(fs::path(dialog.Text(IDC_EXEONLY_EDIT1)), novelFolder / "Exe" / "story.exe");
    Shot(dialog, "wizard-4-input");
    // Back skips the survey; going forward repeats it.
    dialog.Press(IDC_WIZ_BACK);
    EXPECT_EQ(Wizard().Page(), WizardPage::TypeSelect);
    dialog.Press(IDOK);
    EXPECT_EQ(Wizard().Survey(), TExeWizardForm::SurveyPage::Error);
    dialog.Press(IDOK);
    // Browse puts the chosen name into the edit; a name with another extension is built as .exe.
    ui.saveAnswers.push_back(temp / "out" / "story.bin");
    dialog.Press(IDC_EXEONLY_FILE_REF_BTN);
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].title, "実行ファイル名の指定");
    EXPECT_EQ(ui.saveDialogs[0].filter, "実行可能ファイル(*.exe)|*.exe");
    EXPECT_EQ(ui.saveDialogs[0].fileName, fs::path("story.exe"));
    EXPECT_TRUE(ui.saveDialogs[0].overwritePrompt);
    EXPECT_EQ(fs::path(dialog.Text(IDC_EXEONLY_EDIT1)), temp / "out" / "story.bin");

    dialog.Press(IDOK);
    EXPECT_EQ(Wizard().Page(), WizardPage::ExeOnlyFinish);
    const fs::path program = temp / "out" / "story.exe";
    EXPECT_EQ(fs::path(dialog.Text(IDC_EXEONLY_EDIT1)), program);
    EXPECT_TRUE(Wizard().LastBuild().success);
    const std::string log = NarrowToUtf8(dialog.Text(IDC_EXEONLY_MAKE_LOG));
    EXPECT_TRUE(Contains(log, "ランタイムEXEをコピーしました")) << log;
    EXPECT_TRUE(Contains(log, "   ファイル missingを開けません")) << log;
    const std::string summary = NarrowToUtf8(dialog.Text(IDC_EXEONLY_MAKE_MEMO));
    EXPECT_TRUE(Contains(
        summary, "\r\nEXEファイル結合 モード\r\n\r\n以下の実行ファイルが作成されました :\r\n   " +
                     PathToUtf8(program) + "\r\n   ファイルサイズ: "))
        << summary;
    EXPECT_EQ(SendMessageW(dialog.Item(IDC_EXEONLY_MAKE_PROGRESS), PBM_GETPOS, 0, 0), 100);
    // The warning box, then only the next button, captioned "完了".
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "ウイルスに注意");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialog.Text(IDOK), L"完了");
    EXPECT_FALSE(Enabled(dialog, IDC_WIZ_BACK));
    EXPECT_FALSE(Enabled(dialog, IDCANCEL));
    Shot(dialog, "wizard-6-finish");
    EXPECT_EQ(dialog.Press(IDOK), IDOK);

    // The program finds its novel and every data file in its package, the missing one aside.
    const std::string report = Report(program);
    EXPECT_TRUE(Contains(report, "Novel: package " + PathToUtf8(program) + "\n")) << report;
    EXPECT_TRUE(Contains(report, "Title: 浜辺の物語\n")) << report;
    for (const char* name : {"title.bmp", "bg\\room.bmp", "se.ogg"})
        EXPECT_TRUE(Contains(report, std::string("File: ") + name + " = package\n")) << report;
    EXPECT_TRUE(Contains(report, "Missing: 1\n")) << report;
}

TEST_F(WizardGuiTest, SeparateDataBuildAndAFailedBuild) {
    OpenNovel(false);
    {
        test::DialogDriver dialog(Wizard(), Main());
        dialog.Press(IDOK);
        dialog.SetCheck(IDC_RADIO_EXE_ARC, false);
        dialog.SetCheck(IDC_RADIO_COPY, true);
        // No file missing: the survey goes on to the output name at once.
        dialog.Press(IDOK);
        EXPECT_EQ(Wizard().Page(), WizardPage::ExeOnlyInput);
        EXPECT_EQ(Wizard().Mode(), BuildMode::SeparateData);
        EXPECT_EQ(NarrowToUtf8(dialog.Text(IDC_EXEONLY_HOME_LABEL1)), "合計ファイルサイズは 0KB");
        dialog.SetText(IDC_EXEONLY_EDIT1, (temp / "two" / "story.exe").wstring());
        dialog.Press(IDOK);
        EXPECT_EQ(Wizard().Page(), WizardPage::ExeOnlyFinish);
        const std::string summary = NarrowToUtf8(dialog.Text(IDC_EXEONLY_MAKE_MEMO));
        EXPECT_TRUE(Contains(summary, "EXEファイル+データファイル モード")) << summary;
        EXPECT_TRUE(Contains(summary, "3 個のデータファイルがコピーされました.")) << summary;
        EXPECT_EQ(dialog.Press(IDOK), IDOK);
    }
    const fs::path program = temp / "two" / "story.exe";
    const std::string report = Report(program);
    for (const char* name : {"title.bmp", "bg\\room.bmp", "se.ogg"})
        EXPECT_TRUE(Contains(report, std::string("File: ") + name + " = program folder\n"))
            << report;
    EXPECT_TRUE(fs::exists(temp / "two" / "MVSound.mvx"));

    // The mode is kept for the next use. Without the runtime the build stops with its error,
    // the summary says so and only the next button leads on.
    fs::remove(programFolder / "MiravoRun.exe");
    ui.messages.clear();
    test::DialogDriver dialog(Wizard(), Main());
    dialog.Press(IDOK);
    EXPECT_TRUE(dialog.Checked(IDC_RADIO_COPY));
    dialog.Press(IDOK);
    dialog.SetText(IDC_EXEONLY_EDIT1, (temp / "three" / "story.exe").wstring());
    dialog.Press(IDOK);
    EXPECT_EQ(Wizard().Page(), WizardPage::ExeOnlyMake);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(NarrowToUtf8(dialog.Text(IDC_EXEONLY_MAKE_MEMO)),
              "\r\nEXEファイル+データファイル モード\r\n\r\n作成中にエラーがありました.");
    EXPECT_FALSE(Enabled(dialog, IDC_WIZ_BACK));
    EXPECT_TRUE(Enabled(dialog, IDOK));
    EXPECT_FALSE(Enabled(dialog, IDCANCEL));
    Shot(dialog, "wizard-5-make-failed");
    // Escape does nothing while there is no cancel.
    SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(Wizard().Result().has_value());
    dialog.Press(IDOK);
    EXPECT_EQ(Wizard().Page(), WizardPage::ExeOnlyFinish);
    EXPECT_EQ(ui.messages.size(), 2u);
}

} // namespace
} // namespace miravo
