// The XML writer: its two text forms, its limits, and files that read back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "xmlaccess.h"

#include "ketra_testkit.h"


namespace {

using namespace testkit;

std::wstring Serialized(const CXmlWriter& writer, int formatted)
{
    wchar_t* text = writer.Serialize(formatted);
    std::wstring result = text ? text : L"<failed>";
    free(text);
    return result;
}

// Text of the node at path in a file, through the reader.
std::wstring ReadBack(const std::wstring& file, const wchar_t* path, const wchar_t* attribute = nullptr)
{
    CXmlReader reader;
    if (!reader.Initialize() || !reader.LoadXmlFile(file.c_str()))
        return L"<not loaded>";
    CXmlNodeReader node;
    if (!reader.GetNode(path, &node))
        return L"<no node>";
    BSTR text = nullptr;
    int ok = attribute ? node.GetAttributeText(attribute, &text) : node.GetText(&text);
    std::wstring result = ok ? std::wstring(text) : L"<empty>";
    SysFreeString(text);
    return result;
}

} // namespace

TEST(XmlWriter, CompactForm)
{
    CXmlWriter empty(L"a");
    EXPECT_EQ(L"<a></a>", Serialized(empty, 0));

    CXmlWriter root(L"converters");
    ASSERT_TRUE(root.SetAttribute(L"version", 2));
    ASSERT_TRUE(root.SetAttribute(L"by", L"unit"));
    ASSERT_TRUE(root.CreateChildNode(L"converter"));
    CXmlWriter* converter = root.GetCurrentChild();
    ASSERT_TRUE(converter->CreateChildNode(L"category"));
    ASSERT_TRUE(converter->GetCurrentChild()->SetText(L"LENGTH"));
    ASSERT_TRUE(converter->CreateChildNode(L"unit1"));
    ASSERT_TRUE(converter->GetCurrentChild()->SetText(-5));
    EXPECT_EQ(L"<converters version='2' by='unit'><converter><category>LENGTH</category>"
              L"<unit1>-5</unit1></converter></converters>",
              Serialized(root, 0));
}

TEST(XmlWriter, FormattedForm)
{
    CXmlWriter a(L"a");
    ASSERT_TRUE(a.CreateChildNode(L"b"));
    ASSERT_TRUE(a.GetCurrentChild()->SetText(L"t"));
    EXPECT_EQ(L"<a>\r\n  <b>\r\n    t\r\n  </b>\r\n</a>", Serialized(a, 1));

    ASSERT_TRUE(a.SetText(L"top"));
    ASSERT_TRUE(a.SetAttribute(L"k", L"v"));
    ASSERT_TRUE(a.CreateChildNode(L"c"));
    EXPECT_EQ(L"<a k='v'>\r\n  top\r\n  <b>\r\n    t\r\n  </b>\r\n  <c>\r\n  </c>\r\n</a>", Serialized(a, 1));
}

TEST(XmlWriter, NameAndTextAreSetOnce)
{
    CXmlWriter named(L"first");
    EXPECT_FALSE(named.SetName(L"second"));
    EXPECT_STREQ(L"first", named.GetName());

    CXmlWriter unnamed;
    EXPECT_TRUE(unnamed.SetName(L"late"));
    EXPECT_FALSE(unnamed.SetName(L"later"));
    EXPECT_STREQ(L"late", unnamed.GetName());
    EXPECT_TRUE(unnamed.SetText(7));
    EXPECT_FALSE(unnamed.SetText(L"8"));
    EXPECT_STREQ(L"7", unnamed.GetText());
}

TEST(XmlWriter, RefusesThe65thChildAndThe33rdAttribute)
{
    CXmlWriter root(L"r");
    for (int i = 0; i < CXmlWriter::kMaxChildren; ++i)
        ASSERT_TRUE(root.CreateChildNode(L"c")) << i;
    CXmlWriter* last = root.GetCurrentChild();
    EXPECT_FALSE(root.CreateChildNode(L"extra"));
    EXPECT_EQ(64, root.GetChildCount());
    EXPECT_EQ(last, root.GetCurrentChild());
    EXPECT_EQ(nullptr, root.GetChild(64));

    for (int i = 0; i < CXmlWriter::kMaxAttributes; ++i)
        ASSERT_TRUE(root.SetAttribute(L"a", i)) << i;
    EXPECT_FALSE(root.SetAttribute(L"extra", L"x"));
    EXPECT_EQ(32, root.GetAttributeCount());
    std::wstring text = Serialized(root, 0);
    EXPECT_EQ(std::wstring::npos, text.find(L"extra"));
    EXPECT_NE(std::wstring::npos, text.find(L"a='31'>"));
}

TEST(XmlWriter, CutsLongTextToTheFieldsAndNeverSplitsACharacter)
{
    std::wstring longText(300, L'x');
    CXmlWriter root(std::wstring(400, L'n').c_str());
    ASSERT_TRUE(root.SetText(longText.c_str()));
    ASSERT_TRUE(root.SetAttribute(std::wstring(300, L'k').c_str(), longText.c_str()));
    EXPECT_EQ(255u, wcslen(root.GetName()));
    EXPECT_EQ(255u, wcslen(root.GetText()));
    EXPECT_EQ(255u, wcslen(root.GetAttributeName(0)));
    EXPECT_EQ(255u, wcslen(root.GetAttributeValue(0)));

    // A pair of surrogates across the cut is dropped whole.
    std::wstring pairs = std::wstring(254, L'y') + L"\U0001F600";
    CXmlWriter child(L"c");
    ASSERT_TRUE(child.SetText(pairs.c_str()));
    EXPECT_EQ(std::wstring(254, L'y'), child.GetText());
}

TEST(XmlWriter, SavedFilesReadBackUnchanged)
{
    CXmlComScope com;
    ScratchFolder scratch(L"xml_save");
    const std::wstring special = L"a&b<c>'d\"e";
    const std::wstring foreign = L"\u00B0C \u00B5m \u00E9t\u00E9 \u4E2D\u6587 \U0001F600";

    CXmlWriter root(L"data");
    ASSERT_TRUE(root.SetAttribute(L"value", special.c_str()));
    ASSERT_TRUE(root.SetAttribute(L"lines", L"one\r\ntwo\tthree"));
    ASSERT_TRUE(root.CreateChildNode(L"special"));
    ASSERT_TRUE(root.GetCurrentChild()->SetText(special.c_str()));
    ASSERT_TRUE(root.CreateChildNode(L"foreign"));
    ASSERT_TRUE(root.GetCurrentChild()->SetText(foreign.c_str()));
    ASSERT_TRUE(root.GetCurrentChild()->SetAttribute(L"unit", foreign.c_str()));

    for (int formatted = 0; formatted <= 1; ++formatted) {
        std::wstring file = scratch / (formatted ? L"formatted.xml" : L"compact.xml");
        ASSERT_TRUE(root.SaveXml(file.c_str(), formatted));
        EXPECT_EQ(special, ReadBack(file, L"/data", L"value"));
        EXPECT_EQ(L"one\r\ntwo\tthree", ReadBack(file, L"/data", L"lines"));
        EXPECT_EQ(special, ReadBack(file, L"/data/special"));
        EXPECT_EQ(foreign, ReadBack(file, L"/data/foreign"));
        EXPECT_EQ(foreign, ReadBack(file, L"/data/foreign", L"unit"));

        // The file is the text in UTF-8, every byte of it.
        std::string bytes;
        ASSERT_TRUE(ReadBytes(file, &bytes));
        EXPECT_EQ(ToUtf8(Serialized(root, formatted)), bytes);
    }
}

TEST(XmlWriter, AsciiOutputIsTheTextByteForByte)
{
    ScratchFolder scratch(L"xml_ascii");
    CXmlWriter root(L"r");
    ASSERT_TRUE(root.CreateChildNode(L"c"));
    ASSERT_TRUE(root.GetCurrentChild()->SetText(L"plain text"));
    ASSERT_TRUE(root.SaveXml((scratch / L"r.xml").c_str(), 1));
    std::string bytes;
    ASSERT_TRUE(ReadBytes(scratch / L"r.xml", &bytes));
    EXPECT_EQ("<r>\r\n  <c>\r\n    plain text\r\n  </c>\r\n</r>", bytes);
}

TEST(XmlWriter, SaveFailsWithoutHarmingTheOldFile)
{
    ScratchFolder scratch(L"xml_fail");
    CXmlWriter root(L"r");
    EXPECT_FALSE(root.SaveXml(L"", 0));
    EXPECT_FALSE(root.SaveXml(nullptr, 0));
    EXPECT_FALSE(root.SaveXml((scratch / L"no\\such\\folder.xml").c_str(), 0));

    // A read-only target stays as it was, and no temporary file is left.
    std::wstring file = scratch / L"locked.xml";
    ASSERT_TRUE(WriteBytes(file, "<old/>"));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(root.SaveXml(file.c_str(), 0));
    std::string bytes;
    ASSERT_TRUE(ReadBytes(file, &bytes));
    EXPECT_EQ("<old/>", bytes);
    EXPECT_FALSE(FileExists(file + L".new~"));

    // A tree the reader could not parse back is not written.
    CXmlWriter nameless;
    EXPECT_EQ(L"<failed>", Serialized(nameless, 0));
    EXPECT_FALSE(nameless.SaveXml((scratch / L"nameless.xml").c_str(), 0));
    CXmlWriter badAttribute(L"r");
    ASSERT_TRUE(badAttribute.SetAttribute(L"a b", L"v"));
    EXPECT_FALSE(badAttribute.SaveXml((scratch / L"bad.xml").c_str(), 0));
    EXPECT_FALSE(FileExists(scratch / L"bad.xml"));
}
