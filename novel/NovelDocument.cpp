#include "novel/NovelDocument.h"

#include "novel/ByteStream.h"
#include "novel/FileAccess.h"

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
void Tell(ILoadNotices& notices, const char* text, const char* caption, NoticeKind kind) {
    notices.Notice(LoadNotice{text, caption, kind});
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

NovelLoadResult ParseNovel(CNovelModel& model, std::string_view bytes, ILoadNotices& notices,
                           const NovelReadOptions& options) {
    ByteReader stream(bytes);
    CNovelFileHeader& header = model.Header;
    header.LoadFromStream(stream);
    if (!header.HasNovelMagic()) {
        Tell(notices, kWrongMagicMessage, kWrongMagicCaption, NoticeKind::Refusal);
        return NovelLoadResult::Rejected;
    }
    if (header.Version > kNovelFileVersion) {
        Tell(notices, kTooNewMessage, kTooNewCaption, NoticeKind::Refusal);
        return NovelLoadResult::Rejected;
    }
    if (header.Version < kNovelFileVersion)
        Tell(notices, kOldFormatMessage, kOldFormatCaption, NoticeKind::Information);
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
                              ILoadNotices& notices) {
    // Read whole and closed before any message is shown; no other program may have the file
    // open meanwhile.
    const std::string bytes = ReadWholeFile(path, true);
    return ParseNovel(model, bytes, notices);
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
