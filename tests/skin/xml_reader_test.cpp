// The XML readers over the platform's DOM: loading, XPath selection, text,
// attributes and numbers, and reference handling.
#include <gtest/gtest.h>

#include <ole2.h>
#include <msxml2.h>

#include <climits>
#include <thread>

#include "xmlaccess.h"

#include "ketra_testkit.h"


namespace {

using namespace testkit;

const wchar_t kSkins[] =
    L"<skins>"
    L"<skin name='full'><window x='10' y='-20' w='240' h='abc'/>"
    L"<scale>2.5e1x</scale><big>99999999999</big><empty/><blank>   </blank>"
    L"<buttons><button id='A'/><button id='B' x=''/><button id='C'/></buttons></skin>"
    L"<skin name='mini'><window x='1'/></skin>"
    L"</skins>";

class XmlReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.IsReady());
        ASSERT_TRUE(reader.Initialize());
        ASSERT_TRUE(reader.LoadXml(kSkins));
    }

    std::wstring Text(const wchar_t* path)
    {
        BSTR text = nullptr;
        int ok = reader.GetChildNodeText(path, &text);
        std::wstring result = ok ? std::wstring(text) : L"<failed>";
        SysFreeString(text);
        return result;
    }

    CXmlComScope com;
    CXmlReader reader;
};

} // namespace

TEST_F(XmlReaderTest, SelectsWithXPath)
{
    CXmlNodeListReader skins;
    ASSERT_TRUE(reader.GetNodeList(L"/skins/skin", &skins));
    EXPECT_EQ(2, skins.GetCount());
    CXmlNodeReader second;
    ASSERT_TRUE(skins.GetNode(1, &second));
    EXPECT_FALSE(skins.GetNode(2, &second));
    EXPECT_TRUE(second.IsEmpty());

    // Positions count from 1, and full expressions work.
    CXmlNodeReader first;
    ASSERT_TRUE(reader.GetNode(L"/skins/skin[1]", &first));
    BSTR name = nullptr;
    EXPECT_TRUE(first.GetAttributeText(L"name", &name));
    EXPECT_STREQ(L"full", name);
    SysFreeString(name);
    EXPECT_TRUE(reader.CheckExistNode(L"/skins/skin[@name='mini']/window[@x='1']"));
    EXPECT_FALSE(reader.CheckExistNode(L"/skins/skin[3]"));
    EXPECT_FALSE(reader.CheckExistNode(L"/skins/[")); // not an expression

    // Node-relative queries.
    CXmlNodeListReader buttons;
    ASSERT_TRUE(first.GetNodeList(L"buttons/button", &buttons));
    EXPECT_EQ(3, buttons.GetCount());
    EXPECT_TRUE(first.CheckExistNode(L"window"));
    EXPECT_FALSE(first.CheckExistNode(L"/skins/nothing"));
    EXPECT_EQ(L"<failed>", Text(L"window"));  // document-relative: no such root
    CXmlNodeListReader none;
    ASSERT_TRUE(reader.GetNodeList(L"/skins/nothing", &none)); // an empty list
    EXPECT_EQ(0, none.GetCount());
}

TEST_F(XmlReaderTest, AttributeFailuresGiveZero)
{
    CXmlNodeReader window;
    ASSERT_TRUE(reader.GetNode(L"/skins/skin/window", &window));
    int value = 77;
    double number = 7.5;
    EXPECT_TRUE(window.GetAttributeInt(L"y", &value));
    EXPECT_EQ(-20, value);
    EXPECT_FALSE(window.GetAttributeInt(L"missing", &value));
    EXPECT_EQ(0, value);
    value = 77;
    EXPECT_FALSE(window.GetAttributeDouble(L"missing", &number));
    EXPECT_EQ(0.0, number);
    // Text that is no number converts as far as it goes.
    EXPECT_TRUE(window.GetAttributeInt(L"h", &value));
    EXPECT_EQ(0, value);

    CXmlNodeReader button;
    ASSERT_TRUE(reader.GetNode(L"//button[@id='B']", &button));
    value = 77;
    EXPECT_FALSE(button.GetAttributeInt(L"x", &value)); // present but empty
    EXPECT_EQ(0, value);
    BSTR text = reinterpret_cast<BSTR>(1);
    EXPECT_FALSE(button.GetAttributeText(L"x", &text));
    SysFreeString(text);
    text = reinterpret_cast<BSTR>(1);
    EXPECT_FALSE(button.GetAttributeText(L"none", &text));
    EXPECT_EQ(nullptr, text);
}

TEST_F(XmlReaderTest, ChildTextFailsWhenMissingOrEmpty)
{
    EXPECT_EQ(L"2.5e1x", Text(L"/skins/skin/scale"));
    EXPECT_EQ(L"<failed>", Text(L"/skins/skin/empty"));
    EXPECT_EQ(L"<failed>", Text(L"/skins/skin/blank")); // white space only
    EXPECT_EQ(L"<failed>", Text(L"/skins/skin/missing"));

    int value = 5;
    EXPECT_FALSE(reader.GetChildNodeInt(L"/skins/skin/empty", &value));
    EXPECT_EQ(0, value);
    double number = 5.0;
    EXPECT_TRUE(reader.GetChildNodeDouble(L"/skins/skin/scale", &number));
    EXPECT_EQ(25.0, number);
    EXPECT_FALSE(reader.GetChildNodeDouble(L"/skins/skin/missing", &number));
    EXPECT_EQ(0.0, number);
    // An over-long number is clamped to the int range.
    EXPECT_TRUE(reader.GetChildNodeInt(L"/skins/skin/big", &value));
    EXPECT_EQ(INT_MAX, value);

    CXmlNodeReader skin;
    ASSERT_TRUE(reader.GetNode(L"/skins/skin", &skin));
    BSTR text = nullptr;
    EXPECT_FALSE(skin.GetChildNodeText(L"empty", &text));
    SysFreeString(text);
    EXPECT_TRUE(skin.GetChildNodeInt(L"big", &value));
}

TEST_F(XmlReaderTest, EmptyReadersFailEveryQuery)
{
    CXmlReader empty;
    BSTR text = reinterpret_cast<BSTR>(1);
    int value = 3;
    EXPECT_FALSE(empty.LoadXml(L"<a/>"));
    EXPECT_FALSE(empty.GetChildNodeText(L"/a", &text));
    EXPECT_EQ(nullptr, text);
    EXPECT_FALSE(empty.GetChildNodeInt(L"/a", &value));
    EXPECT_EQ(0, value);
    EXPECT_FALSE(empty.CheckExistNode(L"/a"));

    CXmlNodeReader node;
    EXPECT_FALSE(node.GetText(&text));
    EXPECT_FALSE(node.GetAttributeText(L"x", &text));
    EXPECT_FALSE(node.CheckExistNode(L"x"));
    CXmlNodeListReader list;
    EXPECT_EQ(0, list.GetCount());
    EXPECT_FALSE(list.GetNode(0, &node));
}

TEST_F(XmlReaderTest, ReadersHoldOneReferenceEach)
{
    CXmlNodeReader node;
    ASSERT_TRUE(reader.GetNode(L"/skins/skin[1]", &node));
    IXMLDOMNode* first = node.GetInterface();
    ULONG held = first->AddRef();

    CXmlNodeReader copy(node);
    CXmlNodeReader assigned;
    assigned = node;
    EXPECT_EQ(held + 3, first->AddRef());
    first->Release();

    // Passing a reader that still holds a node as an out parameter drops
    // that node's reference instead of leaking it.
    ASSERT_TRUE(reader.GetNode(L"/skins/skin[2]", &node));
    ASSERT_TRUE(reader.GetNode(L"/skins/skin[2]", &copy));
    assigned = node;
    // Only the reference taken above is left.
    EXPECT_EQ(held - 2, first->Release());

    // A copied document reader shares the document.
    CXmlReader shared(reader);
    EXPECT_EQ(reader.GetInterface(), shared.GetInterface());
    reader = CXmlReader();
    EXPECT_TRUE(shared.CheckExistNode(L"/skins/skin"));
}

TEST_F(XmlReaderTest, LoadsFilesInUtf8AndRejectsBrokenOnes)
{
    ScratchFolder scratch(L"xml_load");
    const std::wstring text = L"Temp\u00E9rature \u00B0C \u4E2D \U0001F600";
    ASSERT_TRUE(WriteBytes(scratch / L"unicode.xml", "<a><t>" + ToUtf8(text) + "</t></a>"));
    ASSERT_TRUE(WriteBytes(scratch / L"broken.xml", "<a><t>x</a>"));
    ASSERT_TRUE(WriteBytes(scratch / L"odd name %41 #1.xml", "<a><t>odd</t></a>"));

    ASSERT_TRUE(reader.LoadXmlFile((scratch / L"unicode.xml").c_str()));
    EXPECT_EQ(text, Text(L"/a/t"));
    EXPECT_FALSE(reader.LoadXmlFile((scratch / L"broken.xml").c_str()));
    EXPECT_FALSE(reader.LoadXmlFile((scratch / L"missing.xml").c_str()));
    EXPECT_FALSE(reader.LoadXmlFile(L""));
    EXPECT_FALSE(reader.LoadXml(L"<a><b></a>"));
    EXPECT_FALSE(reader.LoadXml(L""));
    ASSERT_TRUE(reader.LoadXmlFile((scratch / L"odd name %41 #1.xml").c_str()));
    EXPECT_EQ(L"odd", Text(L"/a/t"));
}

TEST(XmlComScope, StartsAndStopsInBalance)
{
    // Each check runs on a thread of its own, which starts with the component
    // system stopped.
    auto onFreshThread = [](auto check) { std::thread(check).join(); };

    onFreshThread([] {
        { CXmlComScope scope; EXPECT_TRUE(scope.IsReady()); }
        // Stopped again: a new start is a first start.
        EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        CoUninitialize();
    });
    onFreshThread([] {
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        {
            // The other model: usable, and not ours to stop.
            CXmlComScope apartment(COINIT_APARTMENTTHREADED);
            EXPECT_TRUE(apartment.IsReady());
            CXmlComScope nested;
            CXmlReader reader;
            EXPECT_TRUE(reader.Initialize());
        }
        // Still started by the thread's own call: S_FALSE.
        EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        CoUninitialize();
        CoUninitialize();
    });
}
