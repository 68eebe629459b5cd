// The writing command dialogs under Wine, each driven alone against a recording command sink:
// the lines they write, the values they keep and the rules of their fields.
#include "editor/script/CommandDialogResources.h"
#include "editor/script/CounterForms.h"
#include "editor/script/DisplayForms.h"
#include "editor/script/SoundForms.h"
#include "editor/script/TimeForms.h"
#include "editor/widgets/CuteButton.h"
#include "editor/widgets/NumeralEdit.h"
#include "editor/widgets/WideText.h"
#include "tests/editor/support/GuiDriver.h"
#include "tests/editor/support/Screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace miravo {
namespace {

using test::DialogDriver;

struct RecordingOut : ICommandOut {
    std::vector<std::string> lines;
    void CommandOut(const std::string& line) override { lines.push_back(line); }
};

// Text set into a numeral edit is a commit of what it stands for, as typing and leaving is.
void Commit(DialogDriver& driver, int id, std::wstring_view text) { driver.SetText(id, text); }

// The up arrow in a numeral edit: one step up.
void StepUp(DialogDriver& driver, int id) {
    const auto edit = reinterpret_cast<HWND>(SendMessageW(driver.Item(id), NEM_GETEDIT, 0, 0));
    SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
}

void Choose(DialogDriver& driver, int id, int row) {
    SendMessageW(driver.Item(id), CB_SETCURSEL, WPARAM(row), 0);
    SendMessageW(driver.Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(driver.Item(id)));
}

void Tick(DialogDriver& driver, int id, bool checked) {
    driver.SetCheck(id, checked);
    test::Click(driver.Item(id));
}

class CommandDialogsTest : public testing::Test {
protected:
    test::ScriptedInteraction ui;
    RecordingOut out;
};

TEST_F(CommandDialogsTest, TimeDialogsKeepTheirTimes) {
    TComWaitForm wait(ui, out);
    {
        DialogDriver driver(wait);
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"1000");
        Commit(driver, IDC_COM_NUMBER, L"-5"); // forced to 0
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    TComMidiFadeoutForm fadeout(ui, out);
    fadeout.SetBGMMode();
    {
        DialogDriver driver(fadeout);
        EXPECT_EQ(test::TextOf(driver.Handle()), L"BGMフェードアウト");
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"2000");
        Commit(driver, IDC_COM_NUMBER, L"3500");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    fadeout.SetMidiMode();
    {
        DialogDriver driver(fadeout);
        EXPECT_EQ(test::TextOf(driver.Handle()), L"MIDIフェードアウト");
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"3500"); // the last time used for BGM
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    {
        DialogDriver driver(wait);
        EXPECT_EQ(driver.Press(IDCANCEL), IDCANCEL);
    }
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{".Wait 0", ".BGMFadeout 3500", ".MidiFadeout 3500"}));
}

TEST_F(CommandDialogsTest, CounterDialogsBoundsAndRangeRule) {
    std::vector<CNovelCounter> counters(2);
    counters[0].Name = "HP";
    counters[0].MinValue = 0;
    counters[0].MaxValue = 10;
    counters[0].InitialValue = 3;
    counters[1].Name = NarrowToShiftJis(L"好感度");

    TComCtSetForm set(ui, out);
    set.SetCounters(&counters);
    {
        DialogDriver driver(set);
        EXPECT_FALSE(IsWindowEnabled(driver.Item(IDOK)));
        EXPECT_FALSE(IsWindowEnabled(driver.Item(IDC_COM_NUMBER)));
        Choose(driver, IDC_COM_COUNTERS, 0);
        EXPECT_TRUE(IsWindowEnabled(driver.Item(IDOK)));
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"3");
        Commit(driver, IDC_COM_NUMBER, L"11");
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"10");
        test::Pump(100);
        test::SaveScreenshot(driver.Handle(), "counter-set");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    TComCtRndSetForm rndSet(ui, out);
    rndSet.SetCounters(&counters);
    {
        DialogDriver driver(rndSet);
        Choose(driver, IDC_COM_COUNTERS, 0);
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"0");
        // A step of the low value past the high value carries the high value along at once.
        StepUp(driver, IDC_COM_NUMBER);
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"1");
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER2), L"1");
        Commit(driver, IDC_COM_NUMBER, L"5");
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER2), L"5");
        Commit(driver, IDC_COM_NUMBER2, L"2");
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"2");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    TComCtRndPlusForm rndPlus(ui, out);
    rndPlus.SetCounters(&counters);
    {
        DialogDriver driver(rndPlus);
        Choose(driver, IDC_COM_COUNTERS, 1);
        Commit(driver, IDC_COM_NUMBER, L"-7");
        Commit(driver, IDC_COM_NUMBER2, L"200");
        test::Pump(100);
        test::SaveScreenshot(driver.Handle(), "counter-random-plus");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    TComCtPlusForm plus(ui, out);
    std::vector<CNovelCounter> none;
    plus.SetCounters(&none);
    {
        DialogDriver driver(plus);
        EXPECT_EQ(SendMessageW(driver.Item(IDC_COM_COUNTERS), CB_GETCOUNT, 0, 0), 0);
        EXPECT_FALSE(IsWindowEnabled(driver.Item(IDOK)));
        EXPECT_EQ(driver.Press(IDOK), std::nullopt);
    }
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{".CounterSet \"HP\" 10", ".CounterRndSet \"HP\" 2 2",
                                        ".CounterRndPlus \"" + counters[1].Name + "\" -7 200"}));
}

TEST_F(CommandDialogsTest, CharacterDeleteAndFont) {
    TComCharDeleteForm remove(ui, out);
    remove.SetName(L"春香");
    {
        DialogDriver driver(remove);
        EXPECT_EQ(driver.Text(IDC_COM_NAME), L"春香");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    {
        DialogDriver driver(remove);
        driver.SetText(IDC_COM_NAME, L"");
        EXPECT_EQ(driver.Press(IDOK), IDOK); // an empty name is accepted
    }

    TComFontForm font(ui, out);
    {
        DialogDriver driver(font);
        EXPECT_EQ(driver.Press(IDOK), IDOK); // nothing ticked: nothing written
    }
    ui.colorAnswers.push_back(0x0080FF);
    {
        DialogDriver driver(font);
        EXPECT_FALSE(IsWindowEnabled(driver.Item(IDC_COM_NUMBER)));
        Tick(driver, IDC_FONT_SIZE, true);
        EXPECT_TRUE(IsWindowEnabled(driver.Item(IDC_COM_NUMBER)));
        Commit(driver, IDC_COM_NUMBER, L"300");
        EXPECT_EQ(driver.Text(IDC_COM_NUMBER), L"200");
        const auto swatch = [&] {
            return std::uint32_t(SendMessageW(driver.Item(IDC_FONT_SWATCH), CBM_GETCOLOR, 0, 0));
        };
        EXPECT_EQ(swatch(), std::uint32_t(GetSysColor(COLOR_BTNFACE))); // not ticked
        Tick(driver, IDC_FONT_COLOR, true);
        EXPECT_EQ(swatch(), 0xFFFFFFu);
        test::Click(driver.Item(IDC_FONT_COLOR_CHANGE));
        ASSERT_EQ(ui.colorDialogs.size(), 1u);
        EXPECT_EQ(ui.colorDialogs[0], 0xFFFFFFu);
        EXPECT_EQ(swatch(), 0x0080FFu);
        test::Pump(100);
        test::SaveScreenshot(driver.Handle(), "font");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    {
        // Ticking the colour box again resets the chosen colour to white.
        DialogDriver driver(font);
        EXPECT_FALSE(driver.Checked(IDC_FONT_SIZE)); // cleared on opening
        Tick(driver, IDC_FONT_COLOR, true);
        Tick(driver, IDC_FONT_FACE, true);
        driver.SetCheck(IDC_FONT_GOTHIC, false);
        driver.SetCheck(IDC_FONT_MINCHO, true);
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{".CharDelete \"" + NarrowToShiftJis(L"春香") + "\"",
                                        ".CharDelete \"\"", ".FontSize 200", ".FontColor 255 128 0",
                                        ".FontType MINCHO", ".FontColor 255 255 255"}));
}

struct RecordingPlayer : ITestPlayer {
    std::vector<std::string> played;
    int stops = 0;
    std::optional<std::wstring> failure;
    std::optional<std::wstring> Play(std::string_view path) override {
        played.emplace_back(path);
        return failure;
    }
    void Stop() override { ++stops; }
};

TEST_F(CommandDialogsTest, SoundAndMidiDialogs) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("miravo-sound-" + std::to_string(GetTickCount()));
    std::filesystem::create_directories(folder / "bgm");
    std::ofstream(folder / "bgm" / "town.ogg") << "x";
    std::ofstream(folder / "hit.wav") << "x";
    std::ofstream(folder / "song.mid") << "x";

    RecordingPlayer player;
    TComSoundForm sound(ui, player);
    sound.SetNovelFolder(folder);
    sound.SetBGMMode();
    {
        DialogDriver driver(sound);
        EXPECT_EQ(test::TextOf(driver.Handle()), L"BGM再生");
        const HWND list = driver.Item(IDC_COM_FILES);
        ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2); // *.wav, then *.ogg
        SendMessageW(list, LB_SETCURSEL,
                     WPARAM(SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1),
                                         reinterpret_cast<LPARAM>(L"bgm\\town.ogg"))),
                     0);
        SendMessageW(driver.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COM_FILES, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(driver.Text(IDC_COM_FILE), L"bgm\\town.ogg");
        test::Click(driver.Item(IDC_SOUND_PLAY));
        ASSERT_EQ(player.played.size(), 1u);
        EXPECT_NE(player.played[0].find("town.ogg"), std::string::npos);
        Tick(driver, IDC_SOUND_FADE_IN, true);
        Commit(driver, IDC_COM_NUMBER, L"1500");
        test::Pump(100);
        test::SaveScreenshot(driver.Handle(), "sound-bgm");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(sound.Result(), "\"bgm\\town.ogg\" 1500");
    EXPECT_GE(player.stops, 1); // closing stops the test playback
    sound.SetSoundEffectMode();
    {
        DialogDriver driver(sound);
        EXPECT_EQ(driver.Text(IDC_COM_FILE), L"bgm\\town.ogg"); // the BGM's file
        EXPECT_EQ(driver.Item(IDC_SOUND_FADE_IN), nullptr);
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(sound.Result(), "\"bgm\\town.ogg\"");

    RecordingPlayer midiPlayer;
    midiPlayer.failure = L"no device";
    TComMidiForm midi(ui, midiPlayer);
    midi.SetNovelFolder(folder);
    {
        DialogDriver driver(midi);
        ASSERT_EQ(SendMessageW(driver.Item(IDC_COM_FILES), LB_GETCOUNT, 0, 0), 1);
        driver.SetText(IDC_COM_FILE, L"song.mid");
        test::Click(driver.Item(IDC_SOUND_PLAY));
        ASSERT_EQ(ui.messages.size(), 1u); // the device's error, and the dialog stays open
        EXPECT_EQ(ui.messages[0].text, "no device");
        EXPECT_EQ(driver.Press(IDOK), IDOK);
    }
    EXPECT_EQ(midi.Result(), "\"song.mid\"");
    EXPECT_EQ(midi.RememberedFile(), L"song.mid");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace miravo
