// The XML readers' text in its three forms: a held BSTR (CXmlText), a fixed
// field cut to fit, and a std::wstring.
#include <gtest/gtest.h>

#include <string>

#include "ketra_testkit.h"
#include "xmlaccess.h"

namespace {

const wchar_t kDocument[] =
    L"<skins><skin id='Graphite' empty=''><description>A dark skin</description>"
    L"<window w='240'/></skin></skins>";

class XmlTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.IsReady());
        ASSERT_TRUE(reader.Initialize());
        ASSERT_TRUE(reader.LoadXml(kDocument));
        ASSERT_TRUE(reader.GetNode(L"/skins/skin", &skin));
    }

    CXmlComScope com;
    CXmlReader reader;
    CXmlNodeReader skin;
};

TEST_F(XmlTextTest, AHeldTextIsReplacedByTheNextRead)
{
    CXmlText text;
    EXPECT_STREQ(L"", text.c_str());
    EXPECT_TRUE(text.IsEmpty());
    ASSERT_TRUE(skin.GetAttributeText(L"id", &text));
    EXPECT_STREQ(L"Graphite", text.c_str());
    EXPECT_EQ(8u, text.Length());
    ASSERT_TRUE(skin.GetChildNodeText(L"description", &text));
    EXPECT_EQ(L"A dark skin", text.ToString());
    EXPECT_FALSE(skin.GetAttributeText(L"missing", &text));
    EXPECT_TRUE(text.IsEmpty());

    CXmlText moved(std::move(text));
    EXPECT_TRUE(text.IsEmpty());
}

// Fields are cut to fit and terminated, never written past; the caller
// learns whether the text was cut.
TEST_F(XmlTextTest, FieldsAreCutToFitAndSaySo)
{
    wchar_t field[8];
    wmemset(field, L'#', 8);
    bool cut = false;
    EXPECT_TRUE(skin.GetAttributeText(L"id", field, 5, &cut));
    EXPECT_STREQ(L"Grap", field);
    EXPECT_TRUE(cut);
    EXPECT_EQ(L'#', field[5]) << "written past the capacity";

    EXPECT_TRUE(reader.GetChildNodeText(L"/skins/skin/description", field, 8, &cut));
    EXPECT_STREQ(L"A dark ", field);
    EXPECT_TRUE(cut);
    // Eight characters need nine places.
    EXPECT_TRUE(skin.GetAttributeText(L"id", field, 8, &cut));
    EXPECT_STREQ(L"Graphit", field);
    EXPECT_TRUE(cut);

    wchar_t whole[16];
    EXPECT_TRUE(skin.GetChildNodeText(L"description", whole, 16, &cut));
    EXPECT_STREQ(L"A dark skin", whole);
    EXPECT_FALSE(cut);

    // Absent and empty texts give 0 and an empty field.
    EXPECT_FALSE(skin.GetAttributeText(L"missing", whole, 16, &cut));
    EXPECT_STREQ(L"", whole);
    EXPECT_FALSE(cut);
    EXPECT_FALSE(skin.GetAttributeText(L"empty", whole, 16));
    EXPECT_STREQ(L"", whole);

    // No room at all: nothing written.
    wchar_t none = L'#';
    EXPECT_FALSE(skin.GetAttributeText(L"id", &none, 0, &cut));
    EXPECT_EQ(L'#', none);
    EXPECT_TRUE(cut);
}

TEST_F(XmlTextTest, StringsTakeTheWholeText)
{
    std::wstring text = L"old";
    EXPECT_TRUE(reader.GetChildNodeText(L"/skins/skin/description", &text));
    EXPECT_EQ(L"A dark skin", text);
    CXmlNodeReader window;
    ASSERT_TRUE(skin.GetNode(L"window", &window));
    EXPECT_TRUE(window.GetAttributeText(L"w", &text));
    EXPECT_EQ(L"240", text);
    CXmlNodeReader description;
    ASSERT_TRUE(skin.GetNode(L"description", &description));
    EXPECT_TRUE(description.GetText(&text));
    EXPECT_EQ(L"A dark skin", text);
    EXPECT_FALSE(skin.GetChildNodeText(L"nothing", &text));
    EXPECT_EQ(L"", text);
}

}  // namespace
