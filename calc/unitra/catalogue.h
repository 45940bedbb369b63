// The unit converter's catalogue: six categories of units with the ratios
// the converter has always used (stored as they are; they are not exact
// reciprocals of each other).  No window code: the tests compile it
// directly.
#pragma once

#include <unit_model.h>

// The categories in catalogue order: temperature, length, area, volume,
// mass, bytes.
class CConverterSet : public CCategorySet {
public:
    void AddCategories() override;
};
