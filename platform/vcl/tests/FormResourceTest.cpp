// The form resource text: what it parses into, and the line-numbered errors
// of the texts it refuses.

#include <gtest/gtest.h>

#include "CaseName.h"
#include "vcl/FormResource.h"

namespace {

TEST(FormResource, ParsesComponentsPropertiesAndValues)
{
    TResourceComponent Root = ParseFormResource(R"(
// a comment line
TForm1 Form1 {
    Caption = "VTX \"7430\"\n週一"; Left = -8
    Font.Height = $1F   // a comment after a value
    Items = ["1", two, 3,]
    Panels = < { Text = "COM"; Width = 55 } { Width = 50 } >
    TPanel Panel1 {
        TCheckBox CheckBox1 { Checked = True }
    }
    TTimer Timer1 { }
}
)");
    EXPECT_EQ(Root.ClassName, "TForm1");
    EXPECT_EQ(Root.Name, "Form1");
    EXPECT_EQ(Root.Line, 3);
    ASSERT_EQ(Root.Properties.size(), 5u);
    EXPECT_EQ(Root.Properties[0].Property.Name, "Caption");
    EXPECT_EQ(Root.Properties[0].Property.Value.Text, "VTX \"7430\"\n週一");
    EXPECT_EQ(Root.Properties[1].Property.Value.AsInt(), -8);
    EXPECT_EQ(Root.Properties[2].Property.Name, "Font.Height");
    EXPECT_EQ(Root.Properties[2].Property.Value.AsInt(), 31);
    EXPECT_EQ(Root.Properties[2].Line, 5);
    EXPECT_EQ(Root.Properties[3].Property.Value.Items, (std::vector<AnsiString>{"1", "two", "3"}));
    EXPECT_EQ(Root.Properties[3].Property.Value.Text.front(), '[');

    auto Items = ParseCollectionItems(Root.Properties[4].Property.Value);
    ASSERT_EQ(Items.size(), 2u);
    ASSERT_EQ(Items[0].size(), 2u);
    EXPECT_EQ(Items[0][0].Name, "Text");
    EXPECT_EQ(Items[0][0].Value.Text, "COM");
    EXPECT_EQ(Items[0][1].Value.AsInt(), 55);
    EXPECT_EQ(Items[1][0].Name, "Width");

    ASSERT_EQ(Root.Children.size(), 2u);
    EXPECT_EQ(Root.Children[0].Name, "Panel1");
    EXPECT_EQ(Root.Children[0].Line, 8);
    ASSERT_EQ(Root.Children[0].Children.size(), 1u);
    EXPECT_EQ(Root.Children[0].Children[0].ClassName, "TCheckBox");
    EXPECT_EQ(Root.Children[0].Children[0].StoredProperties()[0].Value.Text, "True");
    EXPECT_TRUE(Root.Children[1].Properties.empty());
}

struct TBadResource {
    const char* Text;
    const char* Message;
};

class FormResourceErrors : public ::testing::TestWithParam<TBadResource> {};

TEST_P(FormResourceErrors, NameTheLine)
{
    try {
        ParseFormResource(GetParam().Text);
        FAIL() << "accepted: " << GetParam().Text;
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message, GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormResourceErrors,
    ::testing::Values(
        TBadResource{"", "Form resource line 1: expected a class name, found end of resource"},
        TBadResource{"TForm1 Form1 {\n  Left = 1\n", "Form resource line 3: missing '}' of Form1"},
        TBadResource{"TForm1 Form1 { }\nTForm1 Form2 { }", "Form resource line 2: one form per resource: unexpected 'TForm1'"},
        TBadResource{"TForm1 Form1 {\n Caption = \"open\n}", "Form resource line 2: string not closed on its line"},
        TBadResource{"TForm1 Form1 { Caption = \"a\\qb\" }", "Form resource line 1: unknown escape '\\q' in a string"},
        TBadResource{"TForm1 Form1 {\n\n Left 5 }", "Form resource line 3: expected '=' after Left, found '5'"},
        TBadResource{"TForm1 Form1 { Left = }", "Form resource line 1: expected a value for Left, found '}'"},
        TBadResource{"TForm1 Form1 { Items = [\"a\" \"b\"] }",
                     "Form resource line 1: expected ',' or ']' in Items, found string \"b\""},
        TBadResource{"TForm1 Form1 { Left = 1 @ }", "Form resource line 1: unexpected character '@'"},
        TBadResource{"TForm1 Form1 { Top = - }", "Form resource line 1: a number expected after '-'"},
        TBadResource{"TForm1 Form1 {\n Panels = < { Text = \"a\" \n }", "Form resource line 3: expected '{' of an item of Panels, found end of resource"},
        TBadResource{"TForm1 { }", "Form resource line 1: expected the name of the TForm1, found '{'"}),
    [](const auto& Info) { return CaseNameOfMessage(Info.param.Message); });

TEST(FormResource, CollectionItemErrorsNameTheResourceLine)
{
    TResourceComponent Root = ParseFormResource("TForm1 Form1 {\n\n Panels = < { Text = \"a\" } > }");
    EXPECT_EQ(ParseCollectionItems(Root.Properties[0].Property.Value)[0][0].Value.Text, "a");
    TStoredValue NotACollection("COM");
    EXPECT_THROW(ParseCollectionItems(NotACollection), EReadError);
}

} // namespace
