#pragma once
// The editor's window on the offscreen platform, driven as a user would:
// each test runs in a folder of its own (the editor's working folder, where
// it looks for its language file), with a fresh module state and a
// responder that answers the message boxes and file dialogs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "V7430_p8_src.h"
#include "vcl/testing/Responder.h"
#include "vcl/testing/User.h"

// The seven field texts of one grid row, in field order.
using TRowTexts = std::vector<std::string>;

class TEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string Template = (std::filesystem::temp_directory_path() / "vtx-editor-XXXXXX").string();
        ASSERT_NE(::mkdtemp(Template.data()), nullptr);
        Folder = Template;
        PreviousFolder = std::filesystem::current_path();
        std::filesystem::current_path(Folder);
        // A fresh program start: the unit's tables and variables as at start.
        FinalizeUnitTables();
        InitializeUnitTables();
    }

    void TearDown() override
    {
        Form.reset();
        Form1 = nullptr;
        std::filesystem::current_path(PreviousFolder);
        std::error_code Ignored;
        std::filesystem::remove_all(Folder, Ignored);
    }

    // Builds the window from its resource (FormCreate runs) and shows it.
    void StartEditor()
    {
        Form = NewForm<TForm1>();
        Form1 = Form.get();
        TUser::ShowForm(Form.get());
    }

    TForm1& F() { return *Form; }

    std::string PathOf(const std::string& Name) const { return (Folder / Name).string(); }

    static void WriteText(const std::string& Path, const std::string& Text)
    {
        std::ofstream Out(Path, std::ios::binary);
        Out << Text;
    }

    static std::string ReadText(const std::string& Path)
    {
        std::ifstream In(Path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
    }

    void ShowDay(int Day) { ASSERT_TRUE(TUser::ChoosePage(F().PageControl1, Day - 1)); }
    void ShowSystemPage() { ASSERT_TRUE(TUser::ChoosePage(F().PageControl1, 12)); }

    // Types the non-empty texts of a row into the field columns of a day
    // table, on its page.
    void TypeRow(int Day, int Row, const TRowTexts& Texts)
    {
        ShowDay(Day);
        for (int Field = 0; Field < 7; ++Field) {
            if (!Texts[Field].empty()) {
                ASSERT_TRUE(TUser::TypeIntoCell(F().StringGrid[Day], EntryColumns[Field], Row, Texts[Field]))
                    << "row " << Row << " field " << Field;
            }
        }
    }

    TRowTexts RowOf(int Day, int Row)
    {
        TRowTexts Texts;
        for (int Column : EntryColumns)
            Texts.push_back(F().StringGrid[Day]->Cells(Column, Row));
        return Texts;
    }

    static TRowTexts EmptyRow() { return TRowTexts(7); }

    void Press(TControl* Control) { ASSERT_TRUE(TUser::Click(Control)); }
    void Press(TMenuItem* Item) { ASSERT_TRUE(TUser::Click(Item)); }

    AnsiString PanelText(int Index) { return F().StatusBar1->Panels()->Items(Index)->Text(); }

    std::filesystem::path Folder;
    std::filesystem::path PreviousFolder;
    TTestResponder Responder;
    TFormPtr<TForm1> Form;
};
