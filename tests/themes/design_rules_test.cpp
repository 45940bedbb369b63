// The theme designer's rules without a window: the chooser's custom
// colours, which item a tap on the mock-up selects, the items' editors.
#include <gtest/gtest.h>

#include <set>

#include "design_rules.h"

namespace {

// Colours far apart from each other in every channel, so that only the
// entries a test sets up come near one another.
CTskColor Spread()
{
    CTskColor theme;
    const COLORREF spread[CTskColor::kCount] = {
        RGB(0, 0, 0),       RGB(60, 0, 0),     RGB(120, 0, 0),   RGB(180, 0, 0),
        RGB(240, 0, 0),     RGB(0, 60, 0),     RGB(0, 120, 0),   RGB(0, 180, 0),
        RGB(0, 240, 0),     RGB(0, 0, 60),     RGB(0, 0, 120)};
    for (int i = 0; i < CTskColor::kCount; ++i)
        theme.m_color[i] = spread[i];
    return theme;
}

}  // namespace

TEST(DesignCustomColours, TheThemeColoursComeFirstThenSumsOfPairs)
{
    CTskColor theme = Spread();
    COLORREF custom[kCustomColours];
    BuildCustomColours(theme, custom);
    for (int i = 0; i < CTskColor::kCount; ++i)
        EXPECT_EQ(theme.m_color[i], custom[i]) << i;
    // Colour 2 + colour 7: far from everything before it.
    EXPECT_EQ((theme.m_color[2] + theme.m_color[7]) % 0x00FFFFFF, custom[12]);
}

TEST(DesignCustomColours, ANearColourTurnsBlueAndAnEqualOneMovesOn)
{
    CTskColor theme = Spread();
    theme.m_color[6] = RGB(61, 49, 10);  // within 49 of colour 1 in each channel
    COLORREF custom[kCustomColours];
    BuildCustomColours(theme, custom);
    EXPECT_EQ(0x00FF0000u, custom[6]);
    EXPECT_EQ(RGB(60, 0, 0), custom[1]) << "the earlier of the two stays";

    theme = Spread();
    theme.m_color[6] = RGB(110, 50, 0);  // 50 away from colour 1 in red, from colour 2 in green
    BuildCustomColours(theme, custom);
    EXPECT_EQ(RGB(110, 50, 0), custom[6]) << "a difference of 50 is not near";

    theme = Spread();
    theme.m_color[4] = theme.m_color[3];  // equal: moved on by entry 15 - 4
    BuildCustomColours(theme, custom);
    EXPECT_NE(custom[3], custom[4]);
    std::set<COLORREF> distinct(custom, custom + kCustomColours);
    EXPECT_EQ(static_cast<size_t>(kCustomColours), distinct.size());
}

TEST(DesignHotAreas, TapsSelectTheItemOfTheFirstAreaHoldingThem)
{
    EXPECT_EQ(0, DesignItemAt({5, 90})) << "the Start flag before the Today applet around it";
    EXPECT_EQ(6, DesignItemAt({40, 120}));
    EXPECT_EQ(2, DesignItemAt({40, 85}));
    EXPECT_EQ(1, DesignItemAt({10, 200}));
    EXPECT_EQ(4, DesignItemAt({149, 267}));
    EXPECT_EQ(3, DesignItemAt({150, 115}));
    EXPECT_EQ(5, DesignItemAt({239, 209}));
    EXPECT_EQ(7, DesignItemAt({239, 210}));
    EXPECT_EQ(-1, DesignItemAt({100, 50})) << "the panel";
    EXPECT_EQ(-1, DesignItemAt({200, 100}));
    EXPECT_EQ(-1, DesignItemAt({10, 268}));
}

TEST(DesignItems, EveryEditorHasItsPairOfButtonsAndOneThingToEdit)
{
    std::set<int> ids;
    std::set<int> colours;
    for (int i = 0; i < kItemCount; ++i) {
        const DesignItem& item = GetDesignItem(i);
        for (int e = 0; e < item.editorCount; ++e) {
            const DesignEditor& editor = item.editors[e];
            EXPECT_EQ(editor.labelId, editor.swatchId + 13) << item.text;
            EXPECT_TRUE(ids.insert(editor.swatchId).second);
            if (editor.edits >= 0)
                EXPECT_TRUE(colours.insert(editor.edits).second) << "colour " << editor.edits << " twice";
        }
    }
    EXPECT_EQ(13u, ids.size());
    EXPECT_EQ(static_cast<size_t>(CTskColor::kCount), colours.size());
    EXPECT_EQ(5, GetDesignItem(4).editors[0].edits) << "the command bar";
}
