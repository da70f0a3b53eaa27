#include <gtest/gtest.h>

#include "file_dialog.h"

namespace {

TEST(FilterFromBars, BarsBecomeSeparatorsAndTheListEndsEmpty)
{
    const std::wstring expected(L"Gedcom Files (*.GED)\0*.ged\0\0", 28);
    EXPECT_EQ(FilterFromBars(L"Gedcom Files (*.GED)|*.ged|"), expected);
    const std::wstring two(L"A\0*.a\0B\0*.b\0\0", 13);
    EXPECT_EQ(FilterFromBars(L"A|*.a|B|*.b|"), two);
}

TEST(FileDialogRecord, AddsLongNamesAlwaysAndExplorerFromVersionFour)
{
    TZivaRariDialog::TData data(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"A|*.a|", nullptr, L"", L"LMY");
    EXPECT_TRUE(data.Flags & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(data.Flags & OFN_HIDEREADONLY);
    EXPECT_TRUE(data.Flags & OFN_LONGNAMES);
    const bool explorerSystem = LOBYTE(LOWORD(GetVersion())) >= 4;
    EXPECT_EQ((data.Flags & OFN_EXPLORER) != 0, explorerSystem);
    EXPECT_EQ(data.DefExt, L"LMY");
    EXPECT_EQ(data.GetFileName(), L"");
}

TEST(FileDialogRecord, NameBufferHoldsTheLongestPathAndGrowsBeyond)
{
    TZivaRariDialog::TData data(0, L"A|*.a|", nullptr, L"", L"GED");
    EXPECT_GE(data.FileName.size(), 32768u);
    std::wstring longName = L"C:\\" + std::wstring(40000, L'n') + L".ged";
    data.SetFileName(longName);
    EXPECT_EQ(data.GetFileName(), longName);
    data.SetFileName(L"C:\\short.ged");
    EXPECT_EQ(data.GetFileName(), L"C:\\short.ged");
}

// Exposes the flags a Save As dialog is really shown with.
class SaveFlags : public TFileSaveDialog {
public:
    using TFileSaveDialog::TFileSaveDialog;
    DWORD Shown(DWORD flags) const { return AdjustFlags(flags); }
};

TEST(SaveAsDialog, AcceptsNewNames)
{
    TZivaRariDialog::TData data(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"A|*.a|", nullptr, L"", L"LMY");
    SaveFlags dialog(nullptr, data);
    DWORD shown = dialog.Shown(data.Flags | OFN_OVERWRITEPROMPT);
    EXPECT_FALSE(shown & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(shown & OFN_PATHMUSTEXIST);
    EXPECT_TRUE(shown & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(shown & OFN_HIDEREADONLY);
    // The record itself keeps its flags for the Open dialog.
    EXPECT_TRUE(data.Flags & OFN_FILEMUSTEXIST);
}

}  // namespace
