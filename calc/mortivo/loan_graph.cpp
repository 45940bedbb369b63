// The amortization graph.
#include "loan_graph.h"

void DrawLoanGraph(HDC dc, const SGraphBar* bars, int count)
{
    RECT all = {0, 0, kGraphWidth, kGraphHeight};
    HBRUSH white = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    ::FillRect(dc, &all, white);
    HBRUSH red = ::CreateSolidBrush(kInterestColour);
    HBRUSH green = ::CreateSolidBrush(kPrincipalColour);
    for (int i = 0; i < count; ++i) {
        const SGraphBar& bar = bars[i];
        RECT interest = {bar.left, 0, bar.left + bar.width, bar.redBottom};
        RECT principal = {bar.left, bar.redBottom, bar.left + bar.width, kGraphHeight};
        ::FillRect(dc, &interest, red);
        ::FillRect(dc, &principal, green);
    }
    ::DeleteObject(red);
    ::DeleteObject(green);
}
