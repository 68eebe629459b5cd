#include "novel/NovelDocument.h"

#include "novel/ByteStream.h"
#include "novel/EditorError.h"
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

namespace {

// The header and what it means: the refusals and the old-format notice. False when refused.
bool ReadHeader(CNovelFileHeader& header, ByteReader& stream, ILoadNotices& notices) {
    header.LoadFromStream(stream);
    if (!header.HasNovelMagic()) {
        Tell(notices, kWrongMagicMessage, kWrongMagicCaption, NoticeKind::Refusal);
        return false;
    }
    if (header.Version > kNovelFileVersion) {
        Tell(notices, kTooNewMessage, kTooNewCaption, NoticeKind::Refusal);
        return false;
    }
    if (header.Version < kNovelFileVersion)
        Tell(notices, kOldFormatMessage, kOldFormatCaption, NoticeKind::Information);
    return true;
}

void ReadBlocks(CNovelModel& model, ByteReader& stream, const NovelReadOptions& options) {
    CNovelFileHeader& header = model.Header;
    if (header.Version == 2 || header.Version == 3)
        header.ConvertLegacyFadeNumber();
    if (header.Version == 3 || header.Version == 4)
        model.Counters.LoadOldFromStream(stream);
    else if (header.Version >= 5)
        model.Counters.LoadFromStream(stream);
    if (header.Version >= 9)
        model.TextWindows.LoadFromStream(stream);
    model.Items.LoadFromStream(stream, options.appendTrailingEmptyLine);
}

// True when `start` holds a whole header that loading would refuse. A start too short for a
// header is not refused here: reading the whole file then gives the read error.
bool HeaderRefused(std::string_view start) {
    CNovelFileHeader header;
    ByteReader stream(start);
    try {
        header.LoadFromStream(stream);
    } catch (const FileReadError&) {
        return false;
    }
    return !header.HasNovelMagic() || header.Version > kNovelFileVersion;
}

} // namespace

NovelLoadResult ParseNovel(CNovelModel& model, std::string_view bytes, ILoadNotices& notices,
                           const NovelReadOptions& options) {
    ByteReader stream(bytes);
    if (!ReadHeader(model.Header, stream, notices))
        return NovelLoadResult::Rejected;
    try {
        ReadBlocks(model, stream, options);
    } catch (const EditorError& error) {
        // A read error or a table limit past the header: what was read before it stays, so
        // that the author can save it under another name.
        Tell(notices, error.what(), "", NoticeKind::ReadError);
        return NovelLoadResult::PartlyRead;
    }
    return NovelLoadResult::Loaded;
}

NovelLoadResult LoadNovelFile(CNovelModel& model, const std::filesystem::path& path,
                              ILoadNotices& notices) {
    // The header decides before the rest is read, so that a large file of another kind costs
    // nothing. Closed before any notice is told; no other program may have the file open
    // meanwhile.
    std::string bytes;
    {
        FileReader file(path, true);
        file.ReadInto(bytes, kHeaderSizeV8);
        if (!HeaderRefused(bytes))
            file.ReadRestInto(bytes);
    }
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
