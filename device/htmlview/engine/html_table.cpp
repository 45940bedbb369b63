// Tables: the grid of rows and cells, column widths from what the cells
// hold (narrowest and widest) within the width there is, and rows laid out
// cell by cell.
#include <algorithm>

#include "html_layout_engine.h"
#include "html_limits.h"
#include "html_text.h"

namespace html {

namespace {

const int kCellIndent = 20;  // lists, definitions and quotes inside a cell
const COLORREF kBorderColor = RGB(0x80, 0x80, 0x80);

bool IsCell(Tag tag)
{
    return tag == Tag::kTd || tag == Tag::kTh;
}

}  // namespace

// What measuring walks through: the line being measured and the widest
// unbreakable piece so far.
struct Measure {
    MinMax size;
    int line = 0;    // width of the current line, without the indent
    int indent = 0;
    int run = 0;     // width of the unbreakable piece being measured
    int gap = 0;     // white space waiting before the next word

    void EndLine()
    {
        size.max = std::max(size.max, indent + line);
        line = 0;
        run = 0;
        gap = 0;
    }
    void Add(int width, bool breakable)
    {
        int gapHere = line > 0 ? gap : 0;
        run = breakable ? width : run + gapHere + width;
        size.min = std::max(size.min, indent + run);
        line += gapHere + width;
        gap = 0;
    }
};

MinMax Layouter::MeasureContent(int node)
{
    Measure m;
    for (int c = doc_.nodes[node].firstChild; c >= 0; c = doc_.nodes[c].nextSibling)
        MeasureVisit(c, m);
    m.EndLine();
    return m.size;
}

void Layouter::MeasureVisit(int node, Measure& m)
{
    const Node& n = doc_.nodes[node];
    const NodeStyle& style = styles_[node];
    switch (n.tag) {
    case Tag::kText: {
        const wchar_t* text = doc_.Text(node);
        bool pre = (style.flags & kStylePre) != 0;
        bool breakable = !pre && (style.flags & kStyleNoWrap) == 0;
        int space = fonts_.Width(style.font, L' ');
        uint32_t i = 0;
        while (i < n.textLength) {
            wchar_t c = text[i];
            if (pre && c == L'\n') {
                m.EndLine();
                ++i;
            } else if (c == L' ' || (pre && (c == L'\t' || c == L'\r'))) {
                m.gap = pre ? m.gap + (c == L'\t' ? 8 * space : c == L' ' ? space : 0) : std::max(m.gap, space);
                ++i;
            } else {
                uint32_t j = i;
                while (j < n.textLength && text[j] != L' ' &&
                       !(pre && (text[j] == L'\n' || text[j] == L'\t' || text[j] == L'\r')))
                    ++j;
                m.Add(fonts_.Width(style.font, text + i, j - i), breakable);
                i = j;
            }
        }
        return;
    }
    case Tag::kBr: case Tag::kHr:
        m.EndLine();
        return;
    case Tag::kImg: case Tag::kObject: case Tag::kEmbed: {
        int natural = n.tag == Tag::kImg ? 20 : 32;
        if (n.tag == Tag::kImg) {
            const std::wstring* src = doc_.Attr(node, L"src");
            int image = src && !src->empty() ? images_.Find(*src) : -1;
            if (image >= 0 && images_.Get(image).bitmap)
                natural = std::min(images_.Get(image).width, kMaxAttributePixels);
        }
        m.Add(BoxSize(node, L"width", 0, natural), (style.flags & kStyleNoWrap) == 0);
        return;
    }
    case Tag::kTable: {
        m.EndLine();
        const TableGrid& grid = Grid(node);
        m.size.min = std::max(m.size.min, m.indent + grid.size.min);
        m.size.max = std::max(m.size.max, m.indent + grid.size.max);
        return;
    }
    case Tag::kParam: case Tag::kVoidOther:
        return;
    default:
        break;
    }
    if (!IsBlockTag(n.tag)) {
        for (int c = n.firstChild; c >= 0; c = doc_.nodes[c].nextSibling)
            MeasureVisit(c, m);
        return;
    }
    m.EndLine();
    int indent = m.indent;
    if (n.tag == Tag::kUl || n.tag == Tag::kOl || n.tag == Tag::kDd)
        m.indent += kCellIndent;
    else if (n.tag == Tag::kBlockquote)
        m.indent += 2 * kCellIndent;
    for (int c = n.firstChild; c >= 0; c = doc_.nodes[c].nextSibling)
        MeasureVisit(c, m);
    m.EndLine();
    m.indent = indent;
}

void Layouter::CollectGrid(int table, TableGrid& grid)
{
    int number = 0;
    if (const std::wstring* v = doc_.Attr(table, L"border"))
        grid.border = ParseLength(*v, 32, &number) ? number : 1;  // a bare "border" means 1
    if (const std::wstring* v = doc_.Attr(table, L"cellspacing"))
        if (ParseLength(*v, 64, &number))
            grid.spacing = number;
    if (const std::wstring* v = doc_.Attr(table, L"cellpadding"))
        if (ParseLength(*v, 64, &number))
            grid.padding = number;

    auto addRow = [&](int tr) {
        if (grid.rows.size() >= static_cast<size_t>(kMaxTableRows)) {
            out_.cuts |= kCutRows;
            return false;
        }
        int row = static_cast<int>(grid.rows.size());
        grid.rows.push_back(tr);
        int column = 0;
        for (int c = doc_.nodes[tr].firstChild; c >= 0; c = doc_.nodes[c].nextSibling) {
            if (!IsCell(doc_.nodes[c].tag))
                continue;
            if (column >= kMaxTableColumns) {
                out_.cuts |= kCutColumns;
                break;
            }
            int span = 1;
            if (const std::wstring* v = doc_.Attr(c, L"colspan"))
                if (ParseLength(*v, kMaxTableColumns, &span))
                    span = std::max(1, span);
            span = std::min(span, kMaxTableColumns - column);
            grid.cells.push_back({c, row, column, span});
            column += span;
        }
        grid.columns = std::max(grid.columns, column);
        return true;
    };
    for (int c = doc_.nodes[table].firstChild; c >= 0; c = doc_.nodes[c].nextSibling) {
        Tag tag = doc_.nodes[c].tag;
        if (tag == Tag::kTr) {
            if (!addRow(c))
                return;
        } else if (tag == Tag::kThead || tag == Tag::kTbody || tag == Tag::kTfoot) {
            for (int r = doc_.nodes[c].firstChild; r >= 0; r = doc_.nodes[r].nextSibling)
                if (doc_.nodes[r].tag == Tag::kTr && !addRow(r))
                    return;
        }
    }
}

const TableGrid& Layouter::Grid(int table)
{
    auto found = grids_.find(table);
    if (found != grids_.end())
        return found->second;
    TableGrid grid;
    CollectGrid(table, grid);
    const int columns = grid.columns;
    grid.columnMin.assign(columns, 0);
    grid.columnMax.assign(columns, 0);
    grid.columnPercent.assign(columns, 0);

    // Single cells set their column's widths; spanning cells then widen the
    // columns they span where those fall short.
    for (int pass = 0; pass < 2; ++pass) {
        for (const TableGrid::Cell& cell : grid.cells) {
            if ((cell.span > 1) != (pass == 1))
                continue;
            MinMax content = MeasureContent(cell.node);
            int cellMin = content.min + 2 * grid.padding;
            int cellMax = std::max(cellMin, content.max + 2 * grid.padding);
            int width = 0;
            bool percent = false;
            if (const std::wstring* v = doc_.Attr(cell.node, L"width"))
                if (ParseLength(*v, kMaxAttributePixels, &width, &percent)) {
                    if (percent && cell.span == 1)
                        grid.columnPercent[cell.column] = std::max(grid.columnPercent[cell.column], std::min(width, 100));
                    else if (!percent)
                        cellMax = std::max(cellMin, width);  // a preferred width, not a minimum
                }
            if (cell.span == 1) {
                grid.columnMin[cell.column] = std::max(grid.columnMin[cell.column], cellMin);
                grid.columnMax[cell.column] = std::max(grid.columnMax[cell.column], cellMax);
                continue;
            }
            int spanMin = grid.spacing * (cell.span - 1), spanMax = spanMin;
            for (int c = cell.column; c < cell.column + cell.span; ++c) {
                spanMin += grid.columnMin[c];
                spanMax += grid.columnMax[c];
            }
            for (int c = cell.column; c < cell.column + cell.span; ++c) {
                if (cellMin > spanMin)
                    grid.columnMin[c] += (cellMin - spanMin + cell.span - 1) / cell.span;
                if (cellMax > spanMax)
                    grid.columnMax[c] += (cellMax - spanMax + cell.span - 1) / cell.span;
            }
        }
    }
    int outer = 2 * grid.border + grid.spacing * (columns + 1);
    grid.size.min = grid.size.max = outer;
    for (int c = 0; c < columns; ++c) {
        grid.columnMax[c] = std::max(grid.columnMax[c], grid.columnMin[c]);
        grid.size.min += grid.columnMin[c];
        grid.size.max += grid.columnMax[c];
    }
    int width = 0;
    bool percent = false;
    if (const std::wstring* v = doc_.Attr(table, L"width"))
        if (ParseLength(*v, kMaxAttributePixels, &width, &percent) && !percent) {
            grid.size.min = std::max(grid.size.min, width);
            grid.size.max = grid.size.min;
        }
    return grids_.emplace(table, std::move(grid)).first->second;
}

// Column widths that fill `content` pixels: percentages first, then the
// rest between each column's narrowest and widest.
static std::vector<int> ColumnWidths(const TableGrid& grid, int content)
{
    const int columns = grid.columns;
    std::vector<int> widths(columns, 0);
    int remaining = content;
    int sumMin = 0, sumMax = 0;
    for (int c = 0; c < columns; ++c) {
        if (grid.columnPercent[c] > 0) {
            widths[c] = std::max(grid.columnMin[c], content * grid.columnPercent[c] / 100);
            remaining -= widths[c];
        } else {
            sumMin += grid.columnMin[c];
            sumMax += grid.columnMax[c];
        }
    }
    remaining = std::max(remaining, 0);
    int used = 0, lastFree = -1;
    for (int c = 0; c < columns; ++c) {
        if (grid.columnPercent[c] > 0)
            continue;
        lastFree = c;
        long long min = grid.columnMin[c], max = grid.columnMax[c];
        if (sumMax <= remaining)
            widths[c] = static_cast<int>(sumMax > 0 ? max + (remaining - sumMax) * max / sumMax : remaining / columns);
        else if (sumMin <= remaining)
            widths[c] = static_cast<int>(min + (max - min) * (remaining - sumMin) / std::max(1, sumMax - sumMin));
        else
            widths[c] = static_cast<int>(min);
        used += widths[c];
    }
    // Rounding leftovers go to the last column that can take them.
    if (lastFree >= 0 && sumMin <= remaining && used < remaining)
        widths[lastFree] += remaining - used;
    return widths;
}

int Layouter::LayoutCell(int cell, int x, int width, int y, int padding)
{
    Flow flow;
    flow.left = x + padding;
    flow.right = std::max(flow.left + 1, x + width - padding);
    flow.y = y + padding;
    flow.align = styles_[cell].align;
    Flow* outer = flow_;
    flow_ = &flow;
    NoteAnchor(cell);
    Children(cell);
    EndLine(false, styles_[cell].font);
    flow_ = outer;
    return flow.y - (y + padding);
}

void Layouter::Table(int node)
{
    EndLine(false, styles_[node].font);
    if (flow_->markerPending) {
        StartContent();
        PlaceMarker(flow_->y + fonts_.Ascent(styles_[node].font), fonts_.Ascent(styles_[node].font));
    }
    const TableGrid& grid = Grid(node);
    if (grid.rows.empty() || grid.columns == 0)
        return;
    StartContent();
    Flow& f = *flow_;
    const int available = AvailableWidth();

    int tableWidth = std::min(available, grid.size.max);
    int width = 0;
    bool percent = false;
    if (const std::wstring* v = doc_.Attr(node, L"width"))
        if (ParseLength(*v, kMaxAttributePixels, &width, &percent))
            tableWidth = percent ? available * std::min(width, 100) / 100 : width;
    tableWidth = std::max(tableWidth, grid.size.min);
    std::vector<int> widths =
        ColumnWidths(grid, tableWidth - 2 * grid.border - grid.spacing * (grid.columns + 1));
    std::vector<int> columnX(grid.columns + 1, 0);
    for (int c = 0; c < grid.columns; ++c)
        columnX[c + 1] = columnX[c] + widths[c] + grid.spacing;

    Align align = f.align;
    if (const std::wstring* v = doc_.Attr(node, L"align")) {
        if (_wcsicmp(v->c_str(), L"center") == 0)
            align = Align::kCenter;
        else if (_wcsicmp(v->c_str(), L"right") == 0)
            align = Align::kRight;
        else if (_wcsicmp(v->c_str(), L"left") == 0)
            align = Align::kLeft;
    }
    int spare = std::max(0, available - tableWidth);
    const int left = f.left + (align == Align::kCenter ? spare / 2 : align == Align::kRight ? spare : 0);
    const int top = f.y;

    // Backgrounds and borders go first and get their height at the end.
    size_t tableFill = SIZE_MAX, tableFrame = SIZE_MAX;
    COLORREF color;
    if (const std::wstring* v = doc_.Attr(node, L"bgcolor"))
        if (ParseColor(*v, &color)) {
            Item fill;
            fill.kind = ItemKind::kFill;
            fill.node = node;
            fill.color = color;
            tableFill = out_.items.size();
            Emit(fill);
        }
    if (grid.border > 0) {
        Item frame;
        frame.kind = ItemKind::kFrame;
        frame.variant = static_cast<uint8_t>(grid.border);
        frame.node = node;
        frame.color = kBorderColor;
        tableFrame = out_.items.size();
        Emit(frame);
    }

    struct Placed {
        size_t fill = SIZE_MAX, frame = SIZE_MAX, content = 0, end = 0;
        int height = 0;
        int valign = 1;  // 0 top, 1 middle, 2 bottom
    };
    std::vector<Placed> placed;
    int y = top + grid.border + grid.spacing;
    size_t next = 0;
    for (size_t r = 0; r < grid.rows.size() && !stopped_; ++r) {
        const int tr = grid.rows[r];
        const int rowTop = y;
        int rowHeight = 0;
        placed.clear();
        COLORREF rowColor;
        bool rowFilled = false;
        if (const std::wstring* v = doc_.Attr(tr, L"bgcolor"))
            rowFilled = ParseColor(*v, &rowColor);
        int rowValign = 1;
        if (const std::wstring* v = doc_.Attr(tr, L"valign"))
            rowValign = _wcsicmp(v->c_str(), L"top") == 0 ? 0 : _wcsicmp(v->c_str(), L"bottom") == 0 ? 2 : 1;
        for (; next < grid.cells.size() && grid.cells[next].row == static_cast<int>(r) && !stopped_; ++next) {
            const TableGrid::Cell& cell = grid.cells[next];
            const int x = left + grid.border + grid.spacing + columnX[cell.column];
            const int cellWidth = columnX[cell.column + cell.span] - columnX[cell.column] - grid.spacing;
            Placed p;
            p.valign = rowValign;
            if (const std::wstring* v = doc_.Attr(cell.node, L"valign"))
                p.valign = _wcsicmp(v->c_str(), L"top") == 0 ? 0 : _wcsicmp(v->c_str(), L"bottom") == 0 ? 2 : 1;
            COLORREF cellColor = rowColor;
            bool filled = rowFilled;
            if (const std::wstring* v = doc_.Attr(cell.node, L"bgcolor"))
                if (ParseColor(*v, &color)) {
                    cellColor = color;
                    filled = true;
                }
            if (filled) {
                Item fill;
                fill.kind = ItemKind::kFill;
                fill.node = cell.node;
                fill.color = cellColor;
                fill.rect = {x, rowTop, x + cellWidth, rowTop};
                p.fill = out_.items.size();
                Emit(fill);
            }
            if (grid.border > 0) {
                Item frame;
                frame.kind = ItemKind::kFrame;
                frame.variant = 1;
                frame.node = cell.node;
                frame.color = kBorderColor;
                frame.rect = {x, rowTop, x + cellWidth, rowTop};
                p.frame = out_.items.size();
                Emit(frame);
            }
            p.content = out_.items.size();
            p.height = LayoutCell(cell.node, x, cellWidth, rowTop, grid.padding) + 2 * grid.padding;
            int wanted = 0;
            if (const std::wstring* v = doc_.Attr(cell.node, L"height"))
                if (ParseLength(*v, kMaxAttributePixels, &wanted))
                    p.height = std::max(p.height, wanted);
            p.end = out_.items.size();
            rowHeight = std::max(rowHeight, p.height);
            placed.push_back(p);
        }
        int wanted = 0;
        if (const std::wstring* v = doc_.Attr(tr, L"height"))
            if (ParseLength(*v, kMaxAttributePixels, &wanted))
                rowHeight = std::max(rowHeight, wanted);
        for (const Placed& p : placed) {
            if (p.fill != SIZE_MAX)
                out_.items[p.fill].rect.bottom = rowTop + rowHeight;
            if (p.frame != SIZE_MAX)
                out_.items[p.frame].rect.bottom = rowTop + rowHeight;
            int spare = rowHeight - p.height;
            int dy = p.valign == 0 ? 0 : p.valign == 2 ? spare : spare / 2;
            if (dy != 0)
                for (size_t i = p.content; i < p.end; ++i) {
                    out_.items[i].rect.top += dy;
                    out_.items[i].rect.bottom += dy;
                }
        }
        y = rowTop + rowHeight + grid.spacing;
        if (y > kMaxPageHeight) {
            stopped_ = true;
            out_.cuts |= kCutHeight;
        }
    }
    const int bottom = y + grid.border;
    const RECT box = {left, top, left + tableWidth, bottom};
    if (tableFill != SIZE_MAX)
        out_.items[tableFill].rect = box;
    if (tableFrame != SIZE_MAX)
        out_.items[tableFrame].rect = box;
    flow_->y = bottom;
}

}  // namespace html
