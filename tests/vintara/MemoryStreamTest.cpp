#include "vintara/MemoryStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

using namespace vintara;

namespace {

std::vector<unsigned char> Pattern(int size) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        bytes[std::size_t(i)] = static_cast<unsigned char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

void Fill(CMemoryStream& stream, const std::vector<unsigned char>& bytes) {
    ASSERT_EQ(stream.Write(bytes.data(), int(bytes.size())), int(bytes.size()));
}

std::vector<unsigned char> Contents(CMemoryStream& stream) {
    auto* data = static_cast<unsigned char*>(stream.GetBuffer());
    return data ? std::vector<unsigned char>(data, data + stream.GetSize())
                : std::vector<unsigned char>{};
}

} // namespace

TEST(MemoryStream, SeekClampsToTheDataAndIgnoresUnknownOrigins) {
    CMemoryStream stream;
    Fill(stream, Pattern(10));
    EXPECT_EQ(stream.Seek(50, kSeekBegin), 10);
    EXPECT_EQ(stream.Seek(-3, kSeekBegin), 0);
    EXPECT_EQ(stream.Seek(4, kSeekBegin), 4);
    EXPECT_EQ(stream.Seek(7, 7), 4);
    EXPECT_EQ(stream.Seek(3, kSeekCurrent), 7);
    EXPECT_EQ(stream.Seek(-20, kSeekCurrent), 0);
    EXPECT_EQ(stream.Seek(-2, kSeekEnd), 8);
    EXPECT_EQ(stream.Seek(5, kSeekEnd), 10);
}

TEST(MemoryStream, ReadStopsAtTheEndAndRefusesNonPositiveCounts) {
    CMemoryStream stream;
    const auto bytes = Pattern(100);
    Fill(stream, bytes);
    stream.Seek(90, kSeekBegin);
    unsigned char buffer[64] = {};
    EXPECT_EQ(stream.Read(buffer, 64), 10);
    EXPECT_EQ(buffer[0], bytes[90]);
    EXPECT_EQ(stream.Read(buffer, 64), 0);
    stream.Seek(0, kSeekBegin);
    EXPECT_EQ(stream.Read(buffer, 0), 0);
    EXPECT_EQ(stream.Read(buffer, -5), 0);
    EXPECT_EQ(stream.GetPosition(), 0);
}

TEST(MemoryStream, WriteOverwritesAndGrows) {
    CMemoryStream stream;
    EXPECT_EQ(stream.GetSize(), 0);
    EXPECT_EQ(stream.GetBuffer(), nullptr);
    Fill(stream, {1, 2, 3, 4});
    stream.Seek(2, kSeekBegin);
    Fill(stream, {9, 9, 9});
    EXPECT_EQ(Contents(stream), (std::vector<unsigned char>{1, 2, 9, 9, 9}));
    EXPECT_EQ(stream.GetPosition(), 5);
    EXPECT_EQ(stream.Write("x", 0), 0);
    EXPECT_EQ(stream.Write("x", -1), 0);
}

TEST(MemoryStream, SetSizeKeepsThePositionAndWritingBeyondTheEndZeroesTheGap) {
    CMemoryStream stream;
    Fill(stream, Pattern(20));
    EXPECT_EQ(stream.SetSize(5), 5);
    EXPECT_EQ(stream.GetPosition(), 20);
    unsigned char byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 0);
    Fill(stream, {0xAA});
    ASSERT_EQ(stream.GetSize(), 21);
    const auto contents = Contents(stream);
    for (int i = 5; i < 20; ++i)
        EXPECT_EQ(contents[std::size_t(i)], 0) << i;
    EXPECT_EQ(contents[20], 0xAA);
    EXPECT_EQ(stream.SetSize(0), 0);
    EXPECT_EQ(stream.GetBuffer(), nullptr);
    EXPECT_EQ(stream.SetSize(-1), 0);
}

TEST(MemoryStream, CloneIsIndependentAndStartsAtTheSamePosition) {
    CMemoryStream stream;
    Fill(stream, Pattern(32));
    stream.Seek(12, kSeekBegin);
    std::unique_ptr<IStream> clone(stream.Clone());
    EXPECT_EQ(clone->GetPosition(), 12);
    EXPECT_EQ(clone->GetSize(), 32);
    clone->Write("zz", 2);
    clone->Seek(0, kSeekEnd);
    EXPECT_EQ(stream.GetPosition(), 12);
    unsigned char original[2] = {};
    stream.Read(original, 2);
    EXPECT_EQ(original[0], Pattern(32)[12]);

    CMemoryStream empty;
    std::unique_ptr<IStream> emptyClone(empty.Clone());
    EXPECT_EQ(emptyClone->GetSize(), 0);
    EXPECT_EQ(emptyClone->GetPosition(), 0);
}

class CopyFromSizes : public testing::TestWithParam<int> {};

TEST_P(CopyFromSizes, CopiesEveryByteAcrossBlockBoundaries) {
    const int size = GetParam();
    const auto bytes = Pattern(size);
    CMemoryStream source;
    Fill(source, bytes);
    source.Seek(3, kSeekBegin);

    CMemoryStream target;
    Fill(target, {0x55});
    EXPECT_EQ(target.CopyFrom(source, 0), size); // 0: everything, from the start
    auto expected = bytes;
    expected.insert(expected.begin(), 0x55);
    EXPECT_EQ(Contents(target), expected);
    EXPECT_EQ(source.GetPosition(), size);
}
INSTANTIATE_TEST_SUITE_P(Blocks, CopyFromSizes,
                         testing::Values(1, 8191, 8192, 8193, 16384, 3 * 8192 + 17));

TEST(MemoryStream, CopyFromIsLimitedToWhatTheSourceHoldsAfterItsPosition) {
    const auto bytes = Pattern(20000);
    CMemoryStream source;
    Fill(source, bytes);
    source.Seek(10000, kSeekBegin);
    CMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 50000), 10000);
    EXPECT_EQ(Contents(target), std::vector<unsigned char>(bytes.begin() + 10000, bytes.end()));

    source.Seek(100, kSeekBegin);
    CMemoryStream partial;
    EXPECT_EQ(partial.CopyFrom(source, 8200), 8200);
    EXPECT_EQ(Contents(partial),
              std::vector<unsigned char>(bytes.begin() + 100, bytes.begin() + 8300));

    CMemoryStream none;
    EXPECT_EQ(none.CopyFrom(source, -4), 0);
    EXPECT_EQ(none.GetSize(), 0);
}

TEST(MemoryStream, StringsRoundTripAndStopAtTheFirstZero) {
    CMemoryStream stream;
    EXPECT_EQ(stream.WriteString("abc"), 7);
    EXPECT_EQ(stream.WriteString(std::string("de\0fg", 5)), 9);
    EXPECT_EQ(stream.WriteString(""), 4);
    const auto contents = Contents(stream);
    EXPECT_EQ(contents[0], 3);
    EXPECT_EQ(contents[1], 0);
    stream.Seek(0, kSeekBegin);
    EXPECT_EQ(stream.ReadString(), "abc");
    EXPECT_EQ(stream.ReadString(), "de");
    EXPECT_EQ(stream.GetPosition(), 16);
    EXPECT_EQ(stream.ReadString(), "");
}

TEST(MemoryStream, ReadStringWithADamagedLengthReadsOnlyWhatIsThere) {
    CMemoryStream stream;
    const unsigned char huge[] = {0xFF, 0xFF, 0xFF, 0x7F, 'h', 'i'};
    stream.Write(huge, sizeof huge);
    stream.Seek(0, kSeekBegin);
    EXPECT_EQ(stream.ReadString(), "hi");

    CMemoryStream negative;
    const unsigned char minus[] = {0xFE, 0xFF, 0xFF, 0xFF, 'x'};
    negative.Write(minus, sizeof minus);
    negative.Seek(0, kSeekBegin);
    EXPECT_EQ(negative.ReadString(), "");
}
