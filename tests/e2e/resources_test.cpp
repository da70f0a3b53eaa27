// The resources built into lindmorh.exe, read from the file itself: the
// hidden "BlankDlg" template byte for byte, the version information, and
// the application manifest with the settings the program relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "harness.h"

namespace {

// The executable loaded as data: its resources can be read, none of its
// code runs.
class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExA(e2e::ProgramUnderTest().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot load " << e2e::ProgramUnderTest() << " as data";
    }
    void TearDown() override
    {
        if (module_) FreeLibrary(module_);
    }

    // The bytes of a resource; empty when it is missing.
    std::string Resource(const char* name, const char* type) const
    {
        HRSRC found = FindResourceA(module_, name, type);
        if (!found) return "";
        HGLOBAL loaded = LoadResource(module_, found);
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        DWORD size = SizeofResource(module_, found);
        return bytes ? std::string(static_cast<const char*>(bytes), size) : "";
    }

    HMODULE module_ = nullptr;
};

// Reads little-endian values from a resource in order.
class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    uint16_t Word()
    {
        uint16_t v = 0;
        if (pos_ + 2 <= bytes_.size()) std::memcpy(&v, bytes_.data() + pos_, 2);
        pos_ += 2;
        return v;
    }
    uint32_t Dword()
    {
        uint32_t v = Word();
        return v | static_cast<uint32_t>(Word()) << 16;
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    void AlignDword() { pos_ = (pos_ + 3) & ~static_cast<size_t>(3); }
    size_t Pos() const { return pos_; }

private:
    const std::string& bytes_;
    size_t pos_ = 0;
};

TEST_F(ProgramResources, BlankDialogIsAnInvisibleChildWithOneHiddenEdit)
{
    const std::string bytes = Resource("BlankDlg", MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    ASSERT_FALSE(bytes.empty()) << "no dialog template BlankDlg";
    Reader r(bytes);

    // DLGTEMPLATE (not the extended form, which starts with 1, 0xFFFF).
    EXPECT_EQ(r.Dword(), 0x40000000u) << "style: WS_CHILD and nothing else";
    EXPECT_EQ(r.Dword(), 0u) << "extended style";
    EXPECT_EQ(r.Word(), 1u) << "number of items";
    EXPECT_EQ(r.Short(), 0) << "x";
    EXPECT_EQ(r.Short(), 0) << "y";
    EXPECT_EQ(r.Short(), 0) << "cx";
    EXPECT_EQ(r.Short(), 0) << "cy";
    EXPECT_EQ(r.Word(), 0u) << "menu: none";
    EXPECT_EQ(r.Word(), 0u) << "class: the default dialog class";
    EXPECT_EQ(r.Word(), 0u) << "title: empty";
    // No DS_SETFONT, so no font follows; the item starts on a DWORD boundary.
    r.AlignDword();

    EXPECT_EQ(r.Dword(), 0x40810081u)
        << "item style: WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER, not visible";
    EXPECT_EQ(r.Dword(), 0u) << "item extended style";
    EXPECT_EQ(r.Short(), 161) << "item x";
    EXPECT_EQ(r.Short(), 168) << "item y";
    EXPECT_EQ(r.Short(), 57) << "item cx";
    EXPECT_EQ(r.Short(), 13) << "item cy";
    EXPECT_EQ(r.Word(), 300u) << "item id";
    EXPECT_EQ(r.Word(), 0xFFFFu) << "item class given by atom";
    EXPECT_EQ(r.Word(), 0x0081u) << "item class: Edit";
    EXPECT_EQ(r.Word(), 0u) << "item text: empty";
    EXPECT_EQ(r.Word(), 0u) << "item creation data: none";
    EXPECT_LE(r.Pos(), bytes.size()) << "template shorter than its contents";
    EXPECT_GE(r.Pos() + 3, bytes.size()) << "bytes after the one item";
}

TEST_F(ProgramResources, VersionInformationNamesVersion31)
{
    const std::string bytes = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16) /* RT_VERSION */);
    ASSERT_FALSE(bytes.empty()) << "no version resource";
    const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};  // VS_FIXEDFILEINFO, 0xFEEF04BD
    size_t at = bytes.find(std::string(signature, 4));
    ASSERT_NE(at, std::string::npos) << "no fixed file information";
    ASSERT_LE(at + sizeof(VS_FIXEDFILEINFO), bytes.size());
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, bytes.data() + at, sizeof info);
    EXPECT_EQ(info.dwFileVersionMS, 0x00030001u) << "file version 3.1";
    EXPECT_EQ(info.dwProductVersionMS, 0x00030001u) << "product version 3.1";
    EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(ProgramResources, ManifestAsksForNoElevationWindows10CommonControls6AndDpiAwareness)
{
    const std::string manifest = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    ASSERT_FALSE(manifest.empty()) << "no manifest with id 1";
    for (const char* needle :
         {"requestedExecutionLevel level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
          "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"", "<dpiAware"}) {
        EXPECT_NE(manifest.find(needle), std::string::npos) << "manifest lacks " << needle;
    }
}

}  // namespace
