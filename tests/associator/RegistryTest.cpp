#include "associator/Registry.h"
#include "associator/Association.h"
#include "associator/ParamStr.h"
#include "vintara/Text.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace vintara;

namespace {

const char kTestKey[] = "Software\\MiravoTest\\Registry";

std::string Ansi(const char* utf8) { return Utf8ToAnsi(utf8); }

// The message of the EIOError that `action` raises, checking that it names CRegistry.
template <class Action> std::string IOErrorOf(Action action) {
    try {
        action();
    } catch (const EIOError& error) {
        EXPECT_EQ(error.GetSource(), "class vintara::CRegistry");
        return error.GetMessage();
    }
    ADD_FAILURE() << "no EIOError";
    return {};
}

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { registry_.OpenKey(HKEY_CURRENT_USER, kTestKey, true); }
    void TearDown() override {
        registry_.CloseKey();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\MiravoTest");
    }
    CRegistry registry_;
};

} // namespace

TEST_F(RegistryTest, ValuesRoundTrip) {
    registry_.WriteString("", Ansi("既定の値"));
    registry_.WriteString("name", "text");
    registry_.WriteInteger("number", 0xDEADBEEF);
    const unsigned char bytes[] = {1, 2, 0, 255};
    registry_.WriteBinary("bytes", bytes, sizeof bytes);

    EXPECT_EQ(registry_.ReadString(""), Ansi("既定の値"));
    EXPECT_EQ(registry_.ReadString("name"), "text");
    EXPECT_EQ(registry_.ReadInteger("number"), 0xDEADBEEFu);
    unsigned char read[8] = {};
    EXPECT_EQ(registry_.ReadBinary("bytes", read, sizeof read), 4);
    EXPECT_EQ(read[3], 255);

    // Reopening an existing key with the create flag keeps its values.
    registry_.OpenKey(HKEY_CURRENT_USER, kTestKey, true);
    EXPECT_EQ(registry_.ReadString("name"), "text");
    registry_.OpenKey(HKEY_CURRENT_USER, kTestKey, false);
    EXPECT_EQ(registry_.ReadInteger("number"), 0xDEADBEEFu);
}

TEST_F(RegistryTest, ReadsCheckTheStoredType) {
    registry_.WriteString("text", "x");
    registry_.WriteInteger("number", 7);
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadInteger("text"); }),
              "Registry value type different: text");
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadString("number"); }),
              "Registry value type different: number");
    unsigned char buffer[4];
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadBinary("text", buffer, 4); }),
              "Registry value type different: text");
    // A REG_DWORD must be exactly four bytes; eight stored bytes of that type are refused.
    const std::uint64_t wide = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, kTestKey, "odd", REG_DWORD, &wide, sizeof wide);
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadInteger("odd"); }),
              "Registry value type different: odd");
}

TEST_F(RegistryTest, BinaryLargerThanTheBufferIsRefused) {
    const unsigned char bytes[16] = {};
    registry_.WriteBinary("blob", bytes, sizeof bytes);
    unsigned char buffer[8];
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadBinary("blob", buffer, sizeof buffer); }),
              "Registry value binary size too big: blob");
}

TEST_F(RegistryTest, MissingValuesAndClosedKeys) {
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadString("absent"); }),
              "Error on registry query value: absent");
    registry_.CloseKey();
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadString("x"); }), "Registry key is not open");
    EXPECT_EQ(IOErrorOf([&] { registry_.WriteString("x", "y"); }), "Registry key is not open");
    EXPECT_EQ(IOErrorOf([&] { registry_.WriteInteger("x", 1); }), "Registry key is not open");
    unsigned char byte = 0;
    EXPECT_EQ(IOErrorOf([&] { registry_.WriteBinary("x", &byte, 1); }), "Registry key is not open");
}

TEST_F(RegistryTest, OpeningAMissingKeyWithoutCreateFailsAndLeavesItClosed) {
    EXPECT_EQ(IOErrorOf([&] {
                  registry_.OpenKey(HKEY_CURRENT_USER, "Software\\MiravoTest\\Absent", false);
              }),
              "Cannot open registry key: HKEY_CURRENT_USER\\Software\\MiravoTest\\Absent");
    EXPECT_EQ(IOErrorOf([&] { registry_.ReadString(""); }), "Registry key is not open");
}

TEST(RegistryRootNames, KnownAndUnknownRoots) {
    EXPECT_EQ(RootKeyName(HKEY_CLASSES_ROOT), "HKEY_CLASSES_ROOT\\");
    EXPECT_EQ(RootKeyName(HKEY_CURRENT_USER), "HKEY_CURRENT_USER\\");
    EXPECT_EQ(RootKeyName(HKEY_LOCAL_MACHINE), "HKEY_LOCAL_MACHINE\\");
    EXPECT_EQ(RootKeyName(HKEY_USERS), "HKEY_USERS\\");
    EXPECT_EQ(RootKeyName(HKEY_PERFORMANCE_DATA), "HKEY_PERFORMANCE_DATA\\");
    EXPECT_EQ(RootKeyName(HKEY_CURRENT_CONFIG), "HKEY_CURRENT_CONFIG\\");
    EXPECT_EQ(RootKeyName(HKEY_DYN_DATA), "HKEY_DYN_DATA\\");
    EXPECT_EQ(RootKeyName(reinterpret_cast<HKEY>(std::uintptr_t(0x1a4))),
              "(unknown_root_key:0x1a4)\\");
}

TEST(EditorPath, IsBesideTheToolWithOneBackslash) {
    EXPECT_EQ(EditorPathBeside("C:\\Tool\\MiravoAssociator.exe"), "C:\\Tool\\Miravo.exe");
    EXPECT_EQ(EditorPathBeside("C:\\MiravoAssociator.exe"), "C:\\Miravo.exe");
    EXPECT_EQ(EditorPathBeside("MiravoAssociator.exe"), "\\Miravo.exe");
    // "ソ" is 0x83 0x5C: its second byte is not a separator.
    EXPECT_EQ(EditorPathBeside(Ansi("D:\\ソ\\x.exe")), Ansi("D:\\ソ\\Miravo.exe"));
    EXPECT_EQ(EditorPathBeside(Ansi("D:\\ソ")), "D:\\Miravo.exe");
}

TEST(ErrorBox, TextNamesDetailKindAndSource) {
    CRegistry registry;
    const EIOError error(registry, "Cannot open registry key: HKEY_CLASSES_ROOT\\.mve");
    EXPECT_EQ(ErrorBoxText(error),
              Ansi("アプリケーション例外が発生しました.\n実行を中止します.\n\n"
                   "詳細: Cannot open registry key: HKEY_CLASSES_ROOT\\.mve\n\n"
                   "例外: class vintara::EIOError\n発生元: class vintara::CRegistry"));
    EXPECT_EQ(ErrorBoxText(EInvalidParameter("")),
              Ansi("アプリケーション例外が発生しました.\n実行を中止します.\n\n詳細: 不明\n\n"
                   "例外: class vintara::EInvalidParameter\n発生元: 不明"));
}

TEST(ProgramTitle, IsTheFileNameWithoutFolderAndExtension) {
    EXPECT_EQ(ProgramTitle("C:\\Tool\\MiravoAssociator.exe"), "MiravoAssociator");
    EXPECT_EQ(ProgramTitle("C:\\a.b\\tool"), "tool");
}

TEST(Arguments, LowerCasingKeepsDoubleByteCharacters) {
    EXPECT_EQ(LowerCaseAnsi("/ASSOC:MVE"), "/assoc:mve");
    // "ア" is 0x83 0x41: its trail byte is a capital A and must stay.
    EXPECT_EQ(LowerCaseAnsi(Ansi("アX")), Ansi("アx"));
}

TEST(Arguments, ParamStrOutsideTheArgumentsIsRefused) {
    EXPECT_FALSE(ParamStr(0).empty());
    try {
        ParamStr(ParamCount() + 5);
        FAIL() << "no exception";
    } catch (const EInvalidParameter& error) {
        EXPECT_EQ(error.GetMessage(), "ParamStr(" + std::to_string(ParamCount() + 5) +
                                          Ansi("): パラメータの範囲が不正です."));
        EXPECT_EQ(error.GetSource(), "");
    }
    EXPECT_THROW(ParamStr(-1), EInvalidParameter);
}
