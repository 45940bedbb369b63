// Skin files against mutated input: the XML reader loads them (from text
// or from a file) and, when one loads, every query the skin loader makes
// runs over it.
#include <string>

#include "fuzz_parser.h"
#include "xmlaccess.h"

namespace {

// Insertions that matter to an XML parser, separated by '|'.
const char kTokens[] = "<|>|&|'|\"|/|=|<!--|-->|<![CDATA[|]]>|&#0;|&#xFFFF;|&amp|&unknown;|"
                       "99999999999999999999|-2147483649|1e999|\xC3|\xFF\xFE|\xEF\xBB\xBF|"
                       "<!DOCTYPE skins [<!ENTITY e 'eee'>]>|&e;|<?xml version='1.0' encoding='bogus'?>|"
                       "<skin>|</skin>|<button id='X' x='1'/>|xmlns:a='urn:a'";

enum Kind { kText = 0, kFile = 1, kCutShort = 2 };

// The queries a skin loader makes, over every skin, button and control.
void ReadLikeTheSkinLoader(const CXmlReader& reader)
{
    CXmlNodeListReader skins;
    if (!reader.GetNodeList(L"/skins/skin", &skins))
        return;
    const wchar_t* rectangle[] = {L"x", L"y", L"w", L"h"};
    for (int s = 0; s < skins.GetCount() && s < 4; ++s) {
        CXmlNodeReader skin;
        if (!skins.GetNode(s, &skin))
            continue;
        int value = 0;
        CXmlText text;  // each read frees the text before
        CXmlNodeReader node;
        for (const wchar_t* child : {L"window", L"move"}) {
            if (skin.GetNode(child, &node))
                for (const wchar_t* a : rectangle)
                    node.GetAttributeInt(a, &value);
        }
        skin.GetChildNodeText(L"background", &text);
        if (skin.GetNode(L"background", &node)) {
            node.GetAttributeInt(L"head", &value);
            node.GetAttributeInt(L"foot", &value);
        }
        for (const wchar_t* image : {L"buttons/enable", L"buttons/pushed", L"buttons/mask"}) {
            skin.GetChildNodeText(image, &text);
        }
        CXmlNodeListReader list;
        if (skin.GetNodeList(L"buttons/button", &list)) {
            for (int b = 0; b < list.GetCount(); ++b) {
                CXmlNodeReader button;
                if (!list.GetNode(b, &button))
                    continue;
                button.GetAttributeText(L"id", &text);
                for (const wchar_t* a : rectangle)
                    button.GetAttributeInt(a, &value);
                for (const wchar_t* look : {L"enable", L"pushed", L"disable"}) {
                    if (button.GetNode(look, &node)) {
                        node.GetAttributeInt(L"x", &value);
                        node.GetAttributeInt(L"y", &value);
                    }
                }
                if (button.GetNode(L"mask", &node))
                    for (const wchar_t* c : {L"r", L"g", L"b"})
                        node.GetAttributeInt(c, &value);
            }
        }
        if (skin.GetNodeList(L"controls/control", &list)) {
            for (int c = 0; c < list.GetCount(); ++c) {
                CXmlNodeReader control;
                if (!list.GetNode(c, &control))
                    continue;
                wchar_t field[16];
                for (const wchar_t* a : {L"type", L"id", L"align"})
                    control.GetAttributeText(a, field, 16);
                double number = 0;
                control.GetAttributeDouble(L"x", &number);
            }
        }
    }
}

std::wstring FromUtf8(const std::string& bytes)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return text;
}

class CSkinXmlFuzz : public FuzzParser {
public:
    bool SetUp(const FuzzContext& context, std::string* why) override
    {
        file_ = context.scratch + L"\\skin.xml";
        if (!com_.IsReady() || !reader_.Initialize()) {
            *why = "the XML component cannot be started";
            return false;
        }
        return true;
    }

    FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random) override
    {
        const std::string& seed = seeds[random.Below(static_cast<uint32_t>(seeds.size()))];
        // Any cut before the root's end tag leaves the document unfinished.
        const size_t rootEnd = seed.rfind("</skins>");
        FuzzInput input;
        if (rootEnd != std::string::npos && random.OneIn(8)) {
            input.bytes = Truncate(seed, rootEnd, random);
            input.kind = kCutShort | (random.OneIn(2) ? kFile : kText);
        } else {
            input.bytes = Scramble(seed, random, kTokens);
            input.kind = random.OneIn(8) ? kFile : kText;
        }
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        int loaded;
        if (input.kind & kFile) {
            if (!FuzzWriteFile(file_, input.bytes))
                return "the scratch file cannot be written";
            loaded = reader_.LoadXmlFile(file_.c_str());
        } else {
            loaded = reader_.LoadXml(FromUtf8(input.bytes).c_str());
        }
        if (loaded && (input.kind & kCutShort))
            return "a cut-off skin file loaded";
        if (loaded)
            ReadLikeTheSkinLoader(reader_);
        return std::string();
    }

private:
    CXmlComScope com_;
    CXmlReader reader_;  // one document takes every case: each load replaces what it held
    std::wstring file_;
};

}  // namespace

KETRA_FUZZ_PARSER(CSkinXmlFuzz)
