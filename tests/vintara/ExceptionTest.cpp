#include "vintara/Exception.h"
#include "vintara/MemoryStream.h"
#include "vintara/Text.h"

#include <gtest/gtest.h>

using namespace vintara;

namespace {
std::string Ansi(const char* utf8) { return Utf8ToAnsi(utf8); }
} // namespace

TEST(ClassName, IsTheUndecoratedRunTimeName) {
    CMemoryStream stream;
    IStream& asInterface = stream;
    EXPECT_EQ(ClassNameOf(asInterface), "class vintara::CMemoryStream");
    EXPECT_EQ(ClassNameOf(EReadError("x")), "class vintara::EReadError");
    const EException& base = EInvalidFileFormat("x");
    EXPECT_EQ(ClassNameOf(base), "class vintara::EInvalidFileFormat");
}

TEST(Exception, CarriesMessageAndTheRaisersClass) {
    CMemoryStream raiser;
    const EWriteError error(raiser, "message");
    EXPECT_EQ(error.GetMessage(), "message");
    EXPECT_EQ(error.GetSource(), "class vintara::CMemoryStream");
    const EWriteError copy = error;
    EXPECT_EQ(copy.GetSource(), error.GetSource());
    EXPECT_EQ(EException("alone").GetSource(), "");
}

TEST(Exception, CatchableThroughItsFamily) {
    try {
        throw EFileOpenError("f");
    } catch (const EIOError& error) {
        EXPECT_EQ(ClassNameOf(error), "class vintara::EFileOpenError");
    }
    try {
        throw EInvalidParameter("p");
    } catch (const EException& error) {
        EXPECT_EQ(error.GetMessage(), "p");
    }
}

TEST(ErrorReport, HasThreeLinesInShiftJis) {
    CMemoryStream raiser;
    const EWriteError error(raiser, Ansi("Write(): 書き込みが禁止されています."));
    EXPECT_EQ(ErrorReport(error), Ansi("例外: class vintara::EWriteError\n"
                                       "発生元: class vintara::CMemoryStream\n"
                                       "詳細: Write(): 書き込みが禁止されています."));
    // Shift-JIS, not UTF-8: "例" is 0x97 0xE1.
    EXPECT_EQ(ErrorReport(error).substr(0, 2), "\x97\xE1");
}

TEST(ErrorReport, ShowsUnknownForEmptyParts) {
    EXPECT_EQ(ErrorReport(EInvalidFileFormat("bad")),
              Ansi("例外: class vintara::EInvalidFileFormat\n発生元: 不明\n詳細: bad"));
    EXPECT_EQ(ErrorReport(EException("")),
              Ansi("例外: class vintara::EException\n発生元: 不明\n詳細: 不明"));
}

TEST(Text, ConvertsBetweenUtf8AndShiftJis) {
    EXPECT_EQ(Utf8ToAnsi("表示"), "\x95\x5C\x8E\xA6");
    EXPECT_EQ(AnsiToUtf8("\x95\x5C\x8E\xA6"), "表示");
    EXPECT_EQ(Utf8ToAnsi("plain"), "plain");
    EXPECT_EQ(Utf8ToAnsi(""), "");
}
