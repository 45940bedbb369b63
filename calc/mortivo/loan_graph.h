// The amortization graph: one bar per year in a white kGraphWidth ×
// kGraphHeight picture, the year's interest in red above its principal in
// green.
#pragma once

#include <windows.h>

#include "loan_math.h"

const COLORREF kInterestColour = RGB(255, 0, 0);
const COLORREF kPrincipalColour = RGB(0, 255, 0);

// Draws the picture with its top-left corner at the context's origin.
void DrawLoanGraph(HDC dc, const SGraphBar* bars, int count);
