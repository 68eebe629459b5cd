// The novel properties dialog in the whole editor under Wine: its pages, the header's edge
// cases through OK, the file read back, the previews and the choosers' save-first rule, and the
// main window's command.
#include "editor/properties/NovelPropertyForm.h"
#include "editor/properties/NovelPropertyResource.h"
#include "editor/script/CommandDialogResources.h"
#include "editor/shell/Resource.h"
#include "novel/NovelDocument.h"
#include "novel/ShiftJis.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"
#include "tests/novel/RecordingInteraction.h"
#include "tests/novel/TempFolder.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace miravo {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// A 24-bit BMP of `width` x `height` in one colour.
std::string BmpFile(int width, int height) {
    const int row = (width * 3 + 3) & ~3;
    const int size = 54 + row * height;
    std::string bytes(size, '\0');
    const auto put = [&](int at, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put(2, size, 4), put(10, 54, 4), put(14, 40, 4), put(18, width, 4), put(22, height, 4);
    put(26, 1, 2), put(28, 24, 2), put(34, row * height, 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(54 + y * row + x * 3, 0x3080E0, 3);
    return bytes;
}

// While a modal dialog runs: the first active window whose caption ends with `caption` gets
// `file` in its file field (when given) and is confirmed with OK, from a thread timer that the
// modal loop dispatches.
struct ModalConfirmer {
    static inline std::wstring caption;
    static inline std::wstring file;
    static inline HWND seen = nullptr;
    explicit ModalConfirmer(std::wstring wanted, std::wstring fileText = {}) {
        caption = std::move(wanted);
        file = std::move(fileText);
        seen = nullptr;
        timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            const HWND active = GetActiveWindow();
            wchar_t text[128] = {};
            GetWindowTextW(active, text, 128);
            if (active != seen && std::wstring_view(text).ends_with(caption)) {
                seen = active;
                if (!file.empty())
                    SetDlgItemTextW(active, IDC_COM_FILE, file.c_str());
                PostMessageW(active, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        });
    }
    ~ModalConfirmer() { KillTimer(nullptr, timer); }
    UINT_PTR timer = 0;
};

class NovelPropertyFormTest : public ::testing::Test, protected test::EditorDriver {
protected:
    void SetUp() override {
        fs::create_directories(programFolder);
        fs::create_directories(novelFolder);
        Start({.programFolder = programFolder});
        Pump(100);
        ui.messages.clear();
        ui.openDialogs.clear();
    }
    void TearDown() override { Stop(); }

    // A novel with the edge cases of the header: SkipMode 0, an unknown fade name, a start item
    // that names no item, a tip colour of its own; a title picture beside it.
    fs::path OpenNovel() {
        CNovelModel model;
        model.Header.SetDefaults();
        model.Header.Title = sjis::FromUtf8("浜辺の物語");
        model.Header.SkipMode = 0;
        model.Header.FadeName = "SPARKLE";
        model.Header.StartItem = "gone";
        model.Header.TipColor = 0x00123456;
        model.Header.TitleGraphic = "title.bmp";
        model.Header.LegacyFadeNumber = 6;
        model.Header.ReservedInt = 42;
        model.Items.Add().Name = "Opening";
        model.Items.Add().Name = "Second";
        TempFolder::Write(novelFolder / "title.bmp", BmpFile(64, 32));
        const fs::path path = novelFolder / "story.mve";
        SaveNovelFile(model, path);
        Editor().Session().Lifecycle().OpenNovelFile(path);
        Pump(50);
        return path;
    }
    TNovelPropertyForm& Form() { return Window<TNovelPropertyForm>(); }
    EditorState& State() { return Editor().Session().State(); }
    CNovelFileHeader& Header() { return Editor().Session().Model().Header; }
    static bool Visible(const test::DialogDriver& dialog, int id) {
        return IsWindowVisible(dialog.Item(id)) != FALSE;
    }
    static int ComboSelection(const test::DialogDriver& dialog) {
        return int(SendMessageW(dialog.Item(IDC_LINK_TO_COMBO), CB_GETCURSEL, 0, 0));
    }

    TempFolder temp;
    fs::path programFolder = temp / "program";
    fs::path novelFolder = temp / "novels";
};

TEST_F(NovelPropertyFormTest, EdgeCasesAreShownAndSavedAsTheRulesSayAndReadBack) {
    const fs::path path = OpenNovel();
    ASSERT_FALSE(State().modified);
    CNovelFileHeader before = Header();
    {
        test::DialogDriver dialog(Form(), Main());
        EXPECT_EQ(test::TextOf(dialog.Handle()), L"story.mve のプロパティ");
        EXPECT_EQ(dialog.Text(IDC_TITLE_EDIT), L"浜辺の物語");
        EXPECT_EQ(ComboSelection(dialog), CB_ERR); // "gone" names no item
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_LINK_TO_COMBO), CB_GETCOUNT, 0, 0), 2);
        EXPECT_TRUE(dialog.Checked(IDC_SKIP_MENULINK_RADIO));
        EXPECT_FALSE(dialog.Checked(IDC_SKIP_ITEM_RADIO));
        EXPECT_EQ(dialog.Text(IDC_FADE_TYPE_LABEL), L"標準のフェード効果");
        EXPECT_EQ(dialog.Text(IDC_FADE_VAR_LABEL), L"バリエーション : 0");
        EXPECT_EQ(dialog.Text(IDC_FADE_SPEED_LABEL), L"スピード : 500ミリ秒");
        EXPECT_EQ(dialog.Text(IDC_CHAR_FADE_TYPE_LABEL), L"効果なし");
        // Nothing changed, and OK still marks the novel modified.
        EXPECT_EQ(dialog.Press(IDOK), IDOK);
    }
    EXPECT_TRUE(State().modified);
    EXPECT_EQ(Header().SkipMode, 2);
    EXPECT_EQ(Header().FadeName, "DEFAULT");
    EXPECT_EQ(Header().StartItem, "");
    EXPECT_EQ(Header().TipColor, 0x00123456);
    before.SkipMode = 2, before.FadeName = "DEFAULT", before.StartItem = "";
    EXPECT_EQ(Header(), before); // nothing else moved, the untouched fields included

    Editor().Session().Lifecycle().Save();
    CNovelModel saved;
    test::RecordingInteraction quiet;
    ASSERT_EQ(LoadNovelFile(saved, path, quiet), NovelLoadResult::Loaded);
    EXPECT_EQ(saved.Header.SkipMode, 2);
    EXPECT_EQ(saved.Header.FadeName, "DEFAULT");
    EXPECT_EQ(saved.Header.StartItem, "");
    EXPECT_EQ(saved.Header.TipColor, 0x00123456);
    EXPECT_EQ(saved.Header.LegacyFadeNumber, 6);
    EXPECT_EQ(saved.Header.ReservedInt, 42);
}

TEST_F(NovelPropertyFormTest, PagesShowTheirControlsAndOkWritesWhatWasChanged) {
    OpenNovel();
    // The mark is on "Second".
    State().currentItem = 1;
    Editor().Session().Chart().SetMark();
    ui.colorAnswers.push_back(0x0000FF00);
    {
        test::DialogDriver dialog(Form(), Main());
        const HWND tree = dialog.Item(IDC_PROPERTY_TREE);
        EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), TNovelPropertyForm::kPageCount);
        EXPECT_EQ(dialog.Text(IDC_PROPERTY_TREE_LABEL), L"設定項目");
        // One page at a time; the hidden controls stay hidden on their page.
        struct PageCheck {
            int page;
            int shown;
        };
        const PageCheck pages[] = {
            {0, IDC_TITLE_EDIT},         {1, IDC_PROPERTY_FONT_GOTHIC}, {2, IDC_CHAR_FADE_BUTTON},
            {3, IDC_DISP_WINDOW_RADIO},  {4, IDC_LOGO_PREVIEW},         {5, IDC_TITLE_PREVIEW},
            {6, IDC_SAVE_MANUAL_RADIO},  {7, IDC_MIDI_DEFAULT_BTN},     {8, IDC_SKIP_ITEM_RADIO},
            {9, IDC_NUMBERING_ALPHABET},
        };
        EXPECT_EQ(Form().ActivePage(), 0);
        for (const PageCheck& page : pages) {
            SCOPED_TRACE(page.page);
            Form().SelectPage(page.page);
            test::Pump(30);
            EXPECT_EQ(Form().ActivePage(), page.page);
            EXPECT_EQ(dialog.Text(IDC_PROPERTY_HEADING),
                      TNovelPropertyForm::PageCaptions()[page.page]);
            EXPECT_TRUE(Visible(dialog, page.shown));
            for (const PageCheck& other : pages) {
                if (other.page != page.page) {
                    EXPECT_FALSE(Visible(dialog, other.shown));
                }
            }
            EXPECT_FALSE(Visible(dialog, IDC_TIP_COLOR));
            EXPECT_FALSE(Visible(dialog, IDC_TIP_COLOR_LABEL));
            EXPECT_FALSE(Visible(dialog, IDC_SAVE_AUTO_RADIO));
            test::SaveScreenshot(dialog.Handle(),
                                 ("novel_property_page" + std::to_string(page.page)).c_str());
        }
        EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_SAVE_AUTO_RADIO)));
        EXPECT_EQ(Form().HintOf(IDC_FONT_AA_CHECK),
                  L"文字がよりきれいになりますが、表示速度が若干落ちます。");

        // The previews: none for the logo, the title picture fitted to the panel's width.
        EXPECT_EQ(dialog.Text(IDC_LOGO_PREVIEW), L"(画像なし)");
        ASSERT_TRUE(Form().TitlePreview().picture.has_value());
        EXPECT_EQ(Form().TitlePreview().fit, (PreviewFit{0, 26, 212, 106}));
        dialog.SetText(IDC_LOGO_GRAPHIC_EDIT, L"missing.bmp");
        EXPECT_EQ(dialog.Text(IDC_LOGO_PREVIEW), L"(ファイルが見つかりません)");
        dialog.SetText(IDC_LOGO_GRAPHIC_EDIT, L"title.bmp");
        EXPECT_TRUE(Form().LogoPreview().picture.has_value());

        // The mark's item, a colour, the MIDI defaults, a numbering and the title.
        dialog.Press(IDC_SET_START_TO_MARK);
        EXPECT_EQ(ComboSelection(dialog), 1);
        dialog.Press(IDC_NORMAL_COLOR);
        ASSERT_EQ(ui.colorDialogs.size(), 1u);
        EXPECT_EQ(ui.colorDialogs[0], 0xFFFFFFu);
        dialog.SetCheck(IDC_MIDI_GM_CHECK, true);
        dialog.SetCheck(IDC_MIDI_QUICK_CHECK, false);
        dialog.Press(IDC_MIDI_DEFAULT_BTN);
        EXPECT_FALSE(dialog.Checked(IDC_MIDI_GM_CHECK));
        EXPECT_TRUE(dialog.Checked(IDC_MIDI_QUICK_CHECK));
        dialog.SetCheck(IDC_MIDI_GS_CHECK, true);
        dialog.SetCheck(IDC_NUMBERING_NUMERIC, false);
        dialog.SetCheck(IDC_NUMBERING_ALPHABET, true);
        dialog.SetCheck(IDC_PROPERTY_FONT_GOTHIC, false);
        dialog.SetCheck(IDC_PROPERTY_FONT_MINCHO, true);
        dialog.SetText(IDC_TITLE_EDIT, L"新しい題");
        EXPECT_EQ(dialog.Press(IDOK), IDOK);
    }
    EXPECT_EQ(Header().StartItem, "Second");
    EXPECT_EQ(Header().NormalColor, 0x0000FF00);
    EXPECT_EQ(Header().LogoGraphic, "title.bmp");
    EXPECT_TRUE(Header().MidiGSReset);
    EXPECT_TRUE(Header().MidiQuickStart);
    EXPECT_EQ(Header().SelectionNumbering, 2);
    EXPECT_EQ(Header().FontKind, 1);
    EXPECT_EQ(Header().Title, sjis::FromUtf8("新しい題"));
}

TEST_F(NovelPropertyFormTest, ChoosersNeedASavedNovelAndCancelWritesNothing) {
    // The new novel of the start has no file name.
    const CNovelFileHeader before = Header();
    {
        test::DialogDriver dialog(Form(), Main());
        for (const int button :
             {IDC_LOGO_GRAPH_SELECT, IDC_TITLE_MIDI_SELECT, IDC_LOGO_WAVE_SELECT}) {
            ui.messages.clear();
            dialog.Press(button);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text.Utf8(), "参照するには、データを一度保存してください。");
            EXPECT_EQ(ui.messages[0].caption.Utf8(), "エラー");
        }
        // The fade dialog without its standard choices: its first choice comes back into the
        // labels, not into the header.
        {
            ModalConfirmer confirm(L"フェード効果");
            dialog.Press(IDC_FADE_BUTTON);
            EXPECT_NE(ModalConfirmer::seen, nullptr);
        }
        EXPECT_EQ(dialog.Text(IDC_FADE_TYPE_LABEL), L"ブレンド");
        EXPECT_EQ(dialog.Text(IDC_FADE_VAR_LABEL), L"バリエーション : 1");
        EXPECT_EQ(dialog.Text(IDC_FADE_SPEED_LABEL), L"スピード : 500ミリ秒");
        EXPECT_EQ(Header().FadeName, "BLEND");
        EXPECT_EQ(Header().FadeVariation, 0);
        dialog.SetText(IDC_TITLE_EDIT, L"捨てる題");
        EXPECT_EQ(dialog.Press(IDCANCEL), IDCANCEL);
    }
    EXPECT_EQ(Header(), before);
    EXPECT_FALSE(State().modified);
}

// With a saved novel the "参照" buttons borrow the command dialogs: the graphic dialog without
// its fade panel, the MIDI dialog and the sound dialog captioned "サウンド再生".
TEST_F(NovelPropertyFormTest, ChoosersFillTheFieldsOfASavedNovel) {
    OpenNovel();
    test::DialogDriver dialog(Form(), Main());
    Form().SelectPage(4);
    EXPECT_EQ(dialog.Text(IDC_LOGO_PREVIEW), L"(画像なし)");
    struct Chooser {
        int button;
        const wchar_t* caption;
        const wchar_t* file;
        int edit;
    };
    const Chooser choosers[] = {
        {IDC_LOGO_GRAPH_SELECT, L"グラフィック", L"title.bmp", IDC_LOGO_GRAPHIC_EDIT},
        {IDC_LOGO_MIDI_SELECT, L"MIDI再生", L"bgm\\logo.mid", IDC_LOGO_MIDI_EDIT},
        {IDC_LOGO_WAVE_SELECT, L"サウンド再生", L"se\\logo.ogg", IDC_LOGO_WAVE_EDIT},
    };
    for (const Chooser& chooser : choosers) {
        SCOPED_TRACE(chooser.button);
        ModalConfirmer confirm(chooser.caption, chooser.file);
        dialog.Press(chooser.button);
        EXPECT_NE(ModalConfirmer::seen, nullptr);
        EXPECT_EQ(dialog.Text(chooser.edit), chooser.file);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(Form().LogoPreview().picture.has_value());
    test::Pump(200);
    test::SaveScreenshot(dialog.Handle(), "novel_property_logo_chosen");
    EXPECT_EQ(dialog.Press(IDOK), IDOK);
    EXPECT_EQ(Header().LogoGraphic, "title.bmp");
    EXPECT_EQ(Header().LogoMidi, "bgm\\logo.mid");
    EXPECT_EQ(Header().LogoWave, "se\\logo.ogg");
}

// The menu's command (also Ctrl+P and the tool button) shows the dialog modally and rebuilds
// the title afterwards.
TEST_F(NovelPropertyFormTest, TheCommandOpensTheDialogAndTheTitleFollows) {
    ASSERT_TRUE(Editor().MainForm().Commands().IsEnabled(ID_NOVEL_PROPERTY));
    ASSERT_FALSE(State().modified);
    {
        ModalConfirmer confirm(L" のプロパティ");
        Command(ID_NOVEL_PROPERTY);
        EXPECT_NE(ModalConfirmer::seen, nullptr);
    }
    EXPECT_TRUE(State().modified);
    EXPECT_NE(Title().find(L" *"), std::wstring::npos);
}

} // namespace
} // namespace miravo
