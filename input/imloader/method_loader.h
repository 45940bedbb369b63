// Makes an input method of a class in this process, and holds its library
// until Unload (after the method's last Release).
#pragma once
#include <windows.h>

#include <sip.h>

class CMethodLoader {
public:
    CMethodLoader() = default;
    ~CMethodLoader();
    CMethodLoader(const CMethodLoader&) = delete;
    CMethodLoader& operator=(const CMethodLoader&) = delete;

    // The new method (one reference), or null when its class has no library
    // or the library makes none.
    IInputMethod* Create(const CLSID& clsid);
    void Unload();

private:
    HMODULE m_library = nullptr;
};
