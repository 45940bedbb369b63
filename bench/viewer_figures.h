// The viewers' benchmark figures: the media player's skin browser on the
// bar, the animated-theme viewer changing themes, and the Today screen
// playing an animated theme, each against a baseline measured now.
#pragma once

#include "figures.h"

struct ViewerFigures {
    int previews = 0;      // skins the browser shows while measured
    int cpuSeconds = 0;    // wall time of the Today screen's processor figure
    Timing skinSwitch;     // menu command to the skin browser painted / the same to About
    Timing skinPreviews;   // menu command to its last preview made / the same pictures decoded and stretched
    Timing themeToFrame;   // a theme chosen in the viewer to its movie's first frame painted /
                           // a view made and navigated straight to that theme's page, to the same
    Timing todayCpu;       // the Today screen's processor time while it plays a movie / wall time
};

// Adds skin folders to the player's (taken away afterwards) and applies an
// animated sample (the theme in force put back afterwards).
ViewerFigures MeasureViewers(const BenchPlaces& places, int runs);
