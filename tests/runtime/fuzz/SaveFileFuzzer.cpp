// The save file comes from outside: any bytes read as a save, and a save that reads is written
// back to the same form, applied to a play and played on for a few stops without harm.
#include "novel/NovelData.h"
#include "runtime/SaveFile.h"

#include <cstdlib>
#include <string_view>

using namespace miravo;
using namespace miravo::runtime;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<SaveData> read = ReadSaveData(text);
    if (!read)
        return 0;
    const std::string written = WriteSaveData(*read);
    const std::optional<SaveData> again = ReadSaveData(written);
    if (!again || WriteSaveData(*again) != written)
        std::abort();

    static const CNovelModel model = [] {
        CNovelModel m;
        CNovelCounter& counter = m.Counters.Add();
        counter.Name = "c";
        counter.CarryOver = true;
        m.TextWindows.Add().Name = "w";
        CNovelItem& item = m.Items.Add();
        item.Name = "a";
        item.Text = {"one@two", ".Wait 10", "\x83@@x", ".CounterPlus \"c\" 1"};
        item.LinkType = kLinkAuto;
        item.Links[0].Target = "a";
        return m;
    }();
    IPlayerEffects nothing;
    ScriptPlayer player(model, nothing, [](std::int32_t low, std::int32_t) { return low; });
    player.StartNewPlay();
    ApplySaveData(*read, player, model, true);
    for (int stop = 0; stop < 8; ++stop)
        player.Run();
    return 0;
}
