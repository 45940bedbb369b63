// Inside of LayoutPage: the flow of lines and blocks (html_layout.cpp) and
// tables with their width measuring (html_table.cpp).
#pragma once
#include <unordered_map>

#include "html_layout.h"

namespace html {

// Narrowest and widest width some content can take.
struct MinMax {
    int min = 0;
    int max = 0;
};

// Rows and cells of one table, with its measured columns.
struct TableGrid {
    struct Cell {
        int node;
        int row;
        int column;
        int span;
    };
    std::vector<int> rows;  // <tr> nodes
    std::vector<Cell> cells;
    int columns = 0;
    int border = 0;
    int spacing = 2;
    int padding = 1;
    std::vector<int> columnMin, columnMax, columnPercent;
    MinMax size;
};

class Layouter {
public:
    Layouter(const Document& doc, const std::vector<NodeStyle>& styles, const PageStyle& page, FontSet& fonts,
             ImageStore& images, PageLayout& out);
    void Run(int width);

private:
    // One thing placed on the line being filled.
    struct Piece {
        Item item;      // rect.left is the x within the line, rect.top unused yet
        int ascent = 0;
        int descent = 0;
    };
    // A place lines are poured into: the page or a table cell.
    struct Flow {
        int left = 0;
        int right = 0;
        Align align = Align::kLeft;
        int y = 0;               // top of the line being filled
        int x = 0;               // width of the line so far
        std::vector<Piece> pieces;
        int gap = 0;             // white space waiting before the next word
        bool keepGap = false;    // the gap counts at a line start too (<pre>)
        bool wrapped = false;    // the line began at a soft break
        int margin = 0;          // vertical margin waiting before the next content
        bool atTop = true;       // nothing placed yet: top margins are dropped
        // The list marker waiting for its item's first line.
        bool markerPending = false;
        Item marker;
    };

    // ---- flow (html_layout.cpp) ----
    void Children(int node);
    void Visit(int node);
    void Text(int node);
    void Word(int node, uint32_t start, uint32_t length, bool breakable);
    void Place(Piece piece, bool breakable);
    void Box(int node, ItemKind kind);
    void Block(int node);
    void ListItem(int node);
    void Rule(int node);
    void EndLine(bool forced, int font);
    void PlaceLine();
    void PlaceMarker(int baseline, int ascent);
    void StartContent();
    void AddMargin(int pixels);
    void Emit(const Item& item);
    void NoteAnchor(int node);
    bool CheckHeight();
    int AvailableWidth() const { return flow_->right - flow_->left; }
    int BoxSize(int node, const wchar_t* attr, int reference, int fallback) const;

    // ---- tables (html_table.cpp) ----
    void Table(int node);
    const TableGrid& Grid(int table);
    void CollectGrid(int table, TableGrid& grid);
    MinMax MeasureContent(int node);
    void MeasureVisit(int node, struct Measure& m);
    int LayoutCell(int cell, int x, int width, int y, int padding);

    const Document& doc_;
    const std::vector<NodeStyle>& styles_;
    const PageStyle& page_;
    FontSet& fonts_;
    ImageStore& images_;
    PageLayout& out_;
    Flow* flow_ = nullptr;
    std::vector<int> listCounters_;
    std::unordered_map<int, TableGrid> grids_;
    bool stopped_ = false;
};

}  // namespace html
