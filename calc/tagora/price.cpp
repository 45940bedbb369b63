// A price with a discount and sales tax.
#include "price.h"

SPrice PriceWithTax(double price, double discountPercent, double taxPercent)
{
    SPrice result;
    result.discounted = (100 - discountPercent) * price * 0.01;
    result.withTax = (taxPercent + 100) * result.discounted * 0.01;
    return result;
}
