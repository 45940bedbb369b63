// Controls placed in the page's <object> boxes (see htmlembed.h).
#pragma once
#include <windows.h>

#include <vector>

#include "html_page.h"

struct IHtmlEmbed;

class EmbeddedObjects {
public:
    EmbeddedObjects() = default;
    ~EmbeddedObjects() { Clear(); }
    EmbeddedObjects(const EmbeddedObjects&) = delete;
    EmbeddedObjects& operator=(const EmbeddedObjects&) = delete;

    // Creates a control for every object box of the page whose class is
    // registered, marking its item as hosted; boxes of a page laid out again
    // keep their controls and move them.
    void Place(HWND view, html::Page& page, int scrollY);
    // Destroys the controls and releases their objects.
    void Clear();

private:
    struct Hosted {
        size_t item;  // index of the box in the page's layout
        HWND window;
        IHtmlEmbed* object;
    };
    std::vector<Hosted> hosted_;
    bool placed_ = false;
};
