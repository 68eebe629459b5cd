// The compiled help opens in Windows' own reader of compiled help files (the ITStorage class
// that the help viewer reads with) and holds its pages and its contents in Japanese.
#include "vintara/Win32.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <regex>
#include <set>
#include <string>

// The help reader's storage interface, as documented for HTML Help: only the methods up to
// the one used here are declared, in their order. Outside the unnamed namespace: a class there
// with no implementation in this file would let the compiler assume its methods are never
// called.
const CLSID kClsidITStorage = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidITStorage = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

struct IITStorage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                   IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                     IStorage**) = 0;
};

namespace {

template <class T> struct Released {
    T* pointer = nullptr;
    ~Released() {
        if (pointer)
            pointer->Release();
    }
};

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        wchar_t path[MAX_PATH];
        GetFullPathNameW(MIRAVO_HELP_FILE, MAX_PATH, path, nullptr);
        ASSERT_NE(GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES) << "not built";
        ASSERT_TRUE(
            SUCCEEDED(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER,
                                       kIidITStorage, reinterpret_cast<void**>(&reader_.pointer))));
        ASSERT_TRUE(SUCCEEDED(reader_.pointer->StgOpenStorage(
            path, nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage_.pointer)));
    }
    void TearDown() override {
        if (storage_.pointer)
            storage_.pointer->Release();
        storage_.pointer = nullptr;
        if (reader_.pointer)
            reader_.pointer->Release();
        reader_.pointer = nullptr;
        CoUninitialize();
    }

    // The bytes of a file of the help, or nothing when it is not there.
    std::string Read(const std::wstring& name) {
        Released<IStream> stream;
        if (FAILED(storage_.pointer->OpenStream(
                name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream.pointer)))
            return {};
        std::string bytes;
        char buffer[4096];
        ULONG read = 0;
        while (SUCCEEDED(stream.pointer->Read(buffer, sizeof buffer, &read)) && read > 0)
            bytes.append(buffer, read);
        return bytes;
    }

    Released<IITStorage> reader_;
    Released<IStorage> storage_;
};

std::wstring FromShiftJis(const std::string& bytes) {
    int length = MultiByteToWideChar(932, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring text(std::size_t(length), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), int(bytes.size()), text.data(), length);
    return text;
}

const std::wstring kPages[] = {L"index.html", L"getting-started.html", L"screen.html",
                               L"files.html"};

} // namespace

TEST_F(HelpFile, HoldsItsPagesInJapaneseAndEveryLinkLeadsToOne) {
    std::set<std::string> present;
    for (const std::wstring& page : kPages) {
        const std::string html = Read(page);
        ASSERT_FALSE(html.empty()) << std::string(page.begin(), page.end());
        EXPECT_NE(html.find("charset=utf-8"), std::string::npos);
        present.insert(std::string(page.begin(), page.end()));
    }
    EXPECT_NE(Read(L"index.html").find("Miravo について"), std::string::npos);
    EXPECT_NE(Read(L"screen.html").find("ウィンドウ位置を初期化(I)..."), std::string::npos);
    EXPECT_FALSE(Read(L"style.css").empty());

    const std::regex link("href=\"([^\"#]+)(#[^\"]*)?\"");
    for (const std::wstring& page : kPages) {
        const std::string html = Read(page);
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1];
            EXPECT_TRUE(present.count(target) || target == "style.css")
                << std::string(page.begin(), page.end()) << " links to " << target;
        }
    }
}

TEST_F(HelpFile, ContentsAreShiftJisAndNameEveryPage) {
    const std::wstring contents = FromShiftJis(Read(L"MiravoHelp.hhc"));
    ASSERT_FALSE(contents.empty());
    for (const wchar_t* title : {L"Miravo について", L"はじめてのノベル作り", L"画面の説明",
                                 L"ファイル", L"最近使ったファイル", L"設定ファイル"})
        EXPECT_NE(contents.find(title), std::wstring::npos);
    for (const std::wstring& page : kPages)
        EXPECT_NE(contents.find(L"\"" + page), std::wstring::npos);
}
