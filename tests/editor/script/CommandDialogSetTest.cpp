// The dialog set as the command menu uses it: each entry opens its dialog modally and the
// confirmed dialog's line reaches the sink, with the command word of the returning dialogs.
#include "editor/script/CommandDialogSet.h"
#include "tests/editor/support/GuiDriver.h"

#include <gtest/gtest.h>

namespace miravo {
namespace {

struct RecordingOut : ICommandOut {
    std::vector<std::string> lines;
    void CommandOut(const std::string& line) override { lines.push_back(line); }
};

// Presses OK in whatever dialog the modal loop shows, once it is up.
void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = GetActiveWindow();
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, timer);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

TEST(CommandDialogSetTest, EachEntryWritesItsLine) {
    test::ScriptedInteraction ui;
    TCommandDialogs dialogs(ui, nullptr);
    RecordingOut out;
    CNovelFileHeader header;
    CommandDialogContext context{{}, &header, nullptr, nullptr};
    for (CommandDialog which :
         {CommandDialog::Wait, CommandDialog::GraphLoad, CommandDialog::BGMFadeout,
          CommandDialog::MidiPlay, CommandDialog::GraphFill, CommandDialog::Font}) {
        SetTimer(nullptr, 0, 150, &PressOk);
        EXPECT_TRUE(dialogs.Run(which, nullptr, context, out)) << int(which);
    }
    EXPECT_EQ(out.lines, (std::vector<std::string>{".Wait 1000", ".GraphLoad \"*.jpg;*.bmp\" ",
                                                   ".BGMFadeout 2000", ".MidiPlay \"\"",
                                                   ".GraphFill 255 255 255 100 "}));
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace miravo
