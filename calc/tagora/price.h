// A price with a discount and sales tax.
#pragma once

struct SPrice {
    double discounted;
    double withTax;
};

// The discounted price and the amount with tax on it (the tax counted on
// the discounted price as computed, not as shown).
SPrice PriceWithTax(double price, double discountPercent, double taxPercent);
