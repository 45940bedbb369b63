// The four cities the world clock shows, kept in the configuration section
// "Dalvo": "City0".."City3" and "Nation0".."Nation3".  The program writes
// them; the applet reads them when it starts and when the bar relays 1032.
#pragma once

#include <windows.h>

#include <zonath.h>

namespace globora {

class CCitySlots {
public:
    enum { kCount = 4 };

    // A slot is filled when both texts are there and name a city of the
    // table; every other slot is empty.
    void Load();
    // Writes each filled slot's name and country; false when one could not
    // be written.
    bool Save() const;

    const CCityInfo* Get(int slot) const { return InRange(slot) ? m_cities[slot] : nullptr; }
    void Set(int slot, const CCityInfo* city)
    {
        if (InRange(slot))
            m_cities[slot] = city;
    }

private:
    static bool InRange(int slot) { return slot >= 0 && slot < kCount; }

    const CCityInfo* m_cities[kCount] = {};
};

} // namespace globora
