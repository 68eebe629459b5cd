#include "editor/NovelDocument.h"

#include "editor/ByteStream.h"
#include "editor/FileAccess.h"
#include "editor/UserInteraction.h"

namespace miravo {

const char* const kWrongMagicMessage =
    "ファイル形式が違います.\r\n"
    "違うアプリケーションのファイルを開こうとしたか、あるいはファイルが壊れています.";
const char* const kWrongMagicCaption = "ファイルヘッダ・エラー";
const char* const kOldFormatMessage = "このファイルは古いファイル形式です.\r\n"
                                      "保存すると新しい形式に変換されます.";
const char* const kOldFormatCaption = "情報";
const char* const kTooNewMessage = "指定したファイルは、このバージョンでは開けません.\r\n"
                                   "新しいバージョンの Miravo を使用してください.";
const char* const kTooNewCaption = "ファイルバージョンエラー";

namespace {
void Show(IUserInteraction& ui, const char* text, const char* caption, MessageIcon icon) {
    ui.ShowMessage(MessageRequest{text, caption, MessageButtons::Ok, icon});
}
} // namespace

std::string SerializeNovel(CNovelModel& model) {
    ByteWriter stream;
    model.Header.SaveToStream(stream);
    model.Counters.SaveToStream(stream);
    model.TextWindows.SaveToStream(stream);
    model.Items.SaveToStream(stream);
    return stream.TakeBytes();
}

void SaveNovelFile(CNovelModel& model, const std::filesystem::path& path) {
    // Everything is in memory before the target is touched: a failure on the way cannot leave a
    // half-written novel.
    WriteFileAtomically(path, SerializeNovel(model));
}

NovelLoadResult ParseNovel(CNovelModel& model, std::string_view bytes, IUserInteraction& ui,
                           const NovelReadOptions& options) {
    ByteReader stream(bytes);
    CNovelFileHeader& header = model.Header;
    header.LoadFromStream(stream);
    if (!header.HasNovelMagic()) {
        Show(ui, kWrongMagicMessage, kWrongMagicCaption, MessageIcon::Error);
        return NovelLoadResult::Rejected;
    }
    if (header.Version > kNovelFileVersion) {
        Show(ui, kTooNewMessage, kTooNewCaption, MessageIcon::Error);
        return NovelLoadResult::Rejected;
    }
    if (header.Version < kNovelFileVersion)
        Show(ui, kOldFormatMessage, kOldFormatCaption, MessageIcon::Information);
    if (header.Version == 2 || header.Version == 3)
        header.ConvertLegacyFadeNumber();
    if (header.Version == 3 || header.Version == 4)
        model.Counters.LoadOldFromStream(stream);
    else if (header.Version >= 5)
        model.Counters.LoadFromStream(stream);
    if (header.Version >= 9)
        model.TextWindows.LoadFromStream(stream);
    model.Items.LoadFromStream(stream, options.appendTrailingEmptyLine);
    return NovelLoadResult::Loaded;
}

NovelLoadResult LoadNovelFile(CNovelModel& model, const std::filesystem::path& path,
                              IUserInteraction& ui) {
    // Read whole and closed before any message is shown; no other program may have the file
    // open meanwhile.
    const std::string bytes = ReadWholeFile(path, true);
    return ParseNovel(model, bytes, ui);
}

void ParseAlphaNovel(CNovelModel& model, std::string_view bytes) {
    ByteReader stream(bytes);
    model.Header.SetDefaults();
    model.Header.ChartWidth = stream.ReadInt32();
    model.Header.ChartHeight = stream.ReadInt32();
    model.Items.LoadFromStream(stream);
}

void LoadAlphaFile(CNovelModel& model, const std::filesystem::path& path) {
    ParseAlphaNovel(model, ReadWholeFile(path, true));
}

} // namespace miravo
