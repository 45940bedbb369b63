// Small pieces for the device's in-process component servers (the built-in
// keyboard and test input methods): the server's object and lock count, a
// class factory, and registration as a device input method.
#pragma once
#include <objbase.h>
#include <olectl.h>
#include <windows.h>

#include <new>

// Objects alive plus locks held; DllCanUnloadNow answers S_OK only at 0.
void ComServerAddRef();
void ComServerRelease();
HRESULT ComServerCanUnloadNow();

// A class factory making objects of T (which starts with one reference).
template<class T>
class ComClassFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is static: it is not counted.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        T* made = new (std::nothrow) T();
        if (!made)
            return E_OUTOFMEMORY;
        HRESULT hr = made->QueryInterface(iid, object);
        made->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ComServerAddRef();
        else
            ComServerRelease();
        return S_OK;
    }
};

// Registers clsid as an in-process server of module (apartment-threaded),
// named name, and as a device input method (IsSIPInputMethod = "1").
HRESULT ComRegisterInputMethod(HMODULE module, const CLSID& clsid, const wchar_t* name);
// Removes the class key with everything under it.
HRESULT ComUnregisterClass(const CLSID& clsid);
