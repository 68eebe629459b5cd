#include "vintara/FileStream.h"
#include "vintara/Exception.h"
#include "vintara/MemoryStream.h"
#include "vintara/Text.h"
#include "vintara/Win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace vintara;

namespace {

std::string Ansi(const char* utf8) { return Utf8ToAnsi(utf8); }

unsigned char PatternByte(int i) { return static_cast<unsigned char>((i * 13 + 5) & 0xFF); }

// A file of `size` pattern bytes in the temp folder, removed afterwards.
class TempFile {
public:
    explicit TempFile(int size, const char* prefix = "mvs") {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        char name[MAX_PATH];
        GetTempFileNameA(folder, prefix, 0, name);
        path_ = name;
        std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
        for (int i = 0; i < size; ++i)
            bytes[std::size_t(i)] = PatternByte(i);
        HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), DWORD(size), &written, nullptr);
        CloseHandle(file);
    }
    ~TempFile() { DeleteFileA(path_.c_str()); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

int ReadByte(vintara::IStream& stream) {
    unsigned char byte = 0;
    return stream.Read(&byte, 1) == 1 ? byte : -1;
}

} // namespace

TEST(FileStream, SeekRules) {
    TempFile file(1000);
    CFileStream stream(file.Path(), kAccessRead, kShareRead);
    EXPECT_EQ(stream.GetSize(), 1000);
    EXPECT_EQ(stream.GetPosition(), 0);
    EXPECT_EQ(stream.Seek(100, kSeekBegin), 100);
    EXPECT_EQ(ReadByte(stream), PatternByte(100));
    EXPECT_EQ(stream.Seek(-500, kSeekCurrent), 0);
    EXPECT_EQ(stream.Seek(1500, kSeekCurrent), 1500); // past the end is allowed
    EXPECT_EQ(stream.Read(nullptr, 0), 0);
    unsigned char buffer[8];
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    EXPECT_EQ(stream.Seek(-10, kSeekEnd), 990);
    EXPECT_EQ(stream.Seek(-2000, kSeekEnd), 0);
    EXPECT_EQ(stream.Seek(5, kSeekEnd), 1005);
    EXPECT_THROW(stream.Seek(0, 3), EInvalidParameter);
    try {
        stream.Seek(0, -1);
    } catch (const EInvalidParameter& error) {
        EXPECT_EQ(error.GetMessage(), Ansi("シーク指示が異常です."));
        EXPECT_EQ(error.GetSource(), "class vintara::CFileStream");
    }
}

TEST(FileStream, ReadsShortAtTheEndOfTheFile) {
    TempFile file(100);
    CFileStream stream(file.Path(), kAccessRead, kShareRead);
    stream.Seek(90, kSeekBegin);
    unsigned char buffer[64];
    EXPECT_EQ(stream.Read(buffer, 64), 10);
    EXPECT_EQ(buffer[9], PatternByte(99));
    EXPECT_EQ(stream.Read(buffer, 64), 0);
}

TEST(FileStream, OpenFailureNamesThePathInQuotes) {
    const std::string missing = "C:\\no-such-folder\\" + Ansi("音楽.ogg");
    try {
        CFileStream stream(missing, kAccessRead, kShareRead);
        FAIL() << "opened a missing file";
    } catch (const EFileOpenError& error) {
        EXPECT_EQ(error.GetMessage(), Ansi("ファイルを開けませんでした: ") + "\"" + missing + "\"");
        EXPECT_EQ(error.GetSource(), "class vintara::CFileStream");
    }
    TempFile file(10);
    EXPECT_THROW(CFileStream(file.Path(), 4, kShareRead), EFileOpenError);
}

TEST(FileStream, AccessModes) {
    TempFile file(50);
    {
        CFileStream writer(file.Path(), kAccessWrite, kShareNone);
        EXPECT_EQ(writer.GetSize(), 0); // created anew
        EXPECT_EQ(writer.Write("hello", 5), 5);
        unsigned char byte;
        EXPECT_THROW(writer.Read(&byte, 1), EReadError); // no read access
    }
    {
        CFileStream both(file.Path(), kAccessReadWrite, kShareNone);
        EXPECT_EQ(both.GetSize(), 5); // opened, not truncated
        both.Seek(0, kSeekEnd);
        both.Write("!", 1);
        both.Seek(0, kSeekBegin);
        EXPECT_EQ(ReadByte(both), 'h');
        // Share mode none: nobody else gets in.
        EXPECT_THROW(CFileStream(file.Path(), kAccessRead, kShareRead), EFileOpenError);
    }
    {
        CFileStream zero(file.Path(), 0, kShareRead);
        EXPECT_EQ(zero.GetSize(), 0); // mode 0 acts as write
    }
    {
        CFileStream reader(file.Path(), kAccessRead, kShareRead);
        try {
            reader.Write("x", 1);
            FAIL() << "wrote through a read-only handle";
        } catch (const EWriteError& error) {
            EXPECT_EQ(error.GetMessage(), Ansi("ファイルストリームの書き込みに失敗しました."));
        }
    }
}

TEST(FileStream, SetSizeKeepsThePosition) {
    TempFile file(100);
    {
        CFileStream stream(file.Path(), kAccessReadWrite, kShareNone);
        stream.Seek(30, kSeekBegin);
        EXPECT_EQ(stream.SetSize(40), 40);
        EXPECT_EQ(stream.GetSize(), 40);
        EXPECT_EQ(stream.GetPosition(), 30);
    }
    CFileStream reader(file.Path(), kAccessRead, kShareRead);
    EXPECT_THROW(
        {
            try {
                reader.SetSize(10);
            } catch (const EWriteError& error) {
                EXPECT_EQ(error.GetMessage(), Ansi("ファイルストリームのサイズを設定できません."));
                throw;
            }
        },
        EWriteError);
}

TEST(FileStream, CloneIsIndependent) {
    TempFile file(300);
    CFileStream stream(file.Path(), kAccessRead, kShareRead);
    stream.Seek(120, kSeekBegin);
    std::unique_ptr<vintara::IStream> clone(stream.Clone());
    EXPECT_EQ(clone->GetPosition(), 120);
    EXPECT_EQ(ReadByte(*clone), PatternByte(120));
    clone->Seek(0, kSeekEnd);
    EXPECT_EQ(stream.GetPosition(), 120);
    EXPECT_EQ(ReadByte(stream), PatternByte(120));
}

TEST(FileStream, CloneOfAWriteStreamKeepsTheFileContents) {
    TempFile file(0);
    CFileStream writer(file.Path(), kAccessWrite, kShareReadWrite);
    writer.Write("abcdef", 6);
    std::unique_ptr<vintara::IStream> clone(writer.Clone());
    EXPECT_EQ(clone->GetSize(), 6);
    EXPECT_EQ(clone->GetPosition(), 6);
}

TEST(FileStream, CopyFromAFileAcrossBlockBoundaries) {
    for (int size : {8191, 8192, 8193, 20000}) {
        TempFile file(size);
        CFileStream source(file.Path(), kAccessRead, kShareRead);
        CMemoryStream target;
        EXPECT_EQ(target.CopyFrom(source, 0), size);
        ASSERT_EQ(target.GetSize(), size);
        const auto* bytes = static_cast<const unsigned char*>(target.GetBuffer());
        for (int i = 0; i < size; ++i)
            ASSERT_EQ(bytes[i], PatternByte(i)) << "size " << size << " byte " << i;
    }
}

class PartitionStream : public testing::Test {
protected:
    // A 100-byte window at offset 200 of a 1000-byte file.
    TempFile file_{1000};
    CFilePartitionStream stream_{200, 100, file_.Path(), kAccessRead, kShareRead};
};

TEST_F(PartitionStream, PositionsAreRelativeToTheWindow) {
    EXPECT_EQ(stream_.GetPosition(), 0);
    EXPECT_EQ(stream_.GetSize(), 100);
    EXPECT_EQ(ReadByte(stream_), PatternByte(200));
    EXPECT_EQ(stream_.Seek(30, kSeekBegin), 230); // absolute result
    EXPECT_EQ(stream_.GetPosition(), 30);
}

TEST_F(PartitionStream, SeekFromTheCurrentPosition) {
    stream_.Seek(80, kSeekBegin);
    stream_.Seek(50, kSeekCurrent); // would pass the end: no move
    EXPECT_EQ(stream_.GetPosition(), 80);
    stream_.Seek(20, kSeekCurrent); // exactly to the end is allowed
    EXPECT_EQ(stream_.GetPosition(), 100);
    stream_.Seek(-200, kSeekCurrent);
    EXPECT_EQ(stream_.GetPosition(), 0);
}

TEST_F(PartitionStream, SeekFromTheEnd) {
    stream_.Seek(10, kSeekEnd);
    EXPECT_EQ(stream_.GetPosition(), 100);
    stream_.Seek(-105, kSeekEnd);
    EXPECT_EQ(stream_.GetPosition(), 0);
    stream_.Seek(-1, kSeekEnd);
    EXPECT_EQ(ReadByte(stream_), PatternByte(299));
    try {
        stream_.Seek(0, 9);
        FAIL() << "accepted origin 9";
    } catch (const EInvalidParameter& error) {
        EXPECT_EQ(error.GetMessage(), Ansi("Seek(): シーク指示が異常です."));
        EXPECT_EQ(error.GetSource(), "class vintara::CFilePartitionStream");
    }
}

TEST_F(PartitionStream, ReadsStopAtTheWindowEnds) {
    stream_.Seek(90, kSeekBegin);
    unsigned char buffer[100];
    EXPECT_EQ(stream_.Read(buffer, 100), 10);
    EXPECT_EQ(buffer[9], PatternByte(299));
    EXPECT_EQ(stream_.Read(buffer, 100), 0);
    // Moved before the window by an absolute seek: nothing outside the window is read.
    stream_.Seek(-50, kSeekBegin);
    EXPECT_EQ(stream_.GetPosition(), -50);
    EXPECT_EQ(stream_.Read(buffer, 100), 0);
}

TEST_F(PartitionStream, WritingIsRefusedWithAThreeLineReport) {
    try {
        stream_.Write("x", 1);
        FAIL() << "wrote to a partition";
    } catch (const EWriteError& error) {
        EXPECT_EQ(ErrorReport(error), Ansi("例外: class vintara::EWriteError\n"
                                           "発生元: class vintara::CFilePartitionStream\n"
                                           "詳細: Write(): 書き込みが禁止されています."));
    }
    try {
        stream_.SetSize(1);
        FAIL() << "resized a partition";
    } catch (const EWriteError& error) {
        EXPECT_EQ(error.GetMessage(), Ansi("SetSize(): 書き込みが禁止されています."));
    }
}

TEST_F(PartitionStream, CloneTakesTheWindowAndThePosition) {
    stream_.Seek(40, kSeekBegin);
    std::unique_ptr<vintara::IStream> clone(stream_.Clone());
    EXPECT_EQ(clone->GetPosition(), 40);
    EXPECT_EQ(clone->GetSize(), 100);
    EXPECT_EQ(ReadByte(*clone), PatternByte(240));
    clone->Seek(0, kSeekEnd);
    EXPECT_EQ(stream_.GetPosition(), 40);
}

TEST_F(PartitionStream, CopyFromCopiesOnlyTheWindow) {
    CMemoryStream target;
    EXPECT_EQ(target.CopyFrom(stream_, 0), 100);
    const auto* bytes = static_cast<const unsigned char*>(target.GetBuffer());
    EXPECT_EQ(bytes[0], PatternByte(200));
    EXPECT_EQ(bytes[99], PatternByte(299));
}

TEST(PartitionStreamOpen, FailureIsReportedByTheFileStream) {
    try {
        CFilePartitionStream stream(0, 10, "C:\\missing\\data.bin", kAccessRead, kShareRead);
        FAIL() << "opened a missing file";
    } catch (const EFileOpenError& error) {
        EXPECT_EQ(error.GetSource(), "class vintara::CFileStream");
        EXPECT_EQ(ErrorReport(error).substr(0, ErrorReport(error).find('\n')),
                  Ansi("例外: class vintara::EFileOpenError"));
    }
}
