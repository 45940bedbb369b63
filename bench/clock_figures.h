// The world clock's figures: Zonath's nearest-city search and name lookup
// against bare loops over the same records, and the program (Globora.exe)
// measured from outside against the empty program: a stylus move over the
// map, a full repaint and its start.
#pragma once

#include "figures.h"

struct ClockFigures {
    Timing nearest;    // nearest-seven searches / a bare distance loop over the cities
    Timing lookup;     // name and country lookups / a bare comparing loop
    Timing stylus;     // one stylus move over the map, handled / one BitBlt of header and map
    Timing repaint;    // full repaint / one BitBlt of the client
    Timing start;      // start to first paint / the empty program's
};

ClockFigures MeasureWorldClock(const BenchPlaces& places, int runs, int starts);
