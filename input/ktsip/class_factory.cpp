#include "class_factory.h"

#include <new>

#include "ktim.h"

namespace {

// One static class object; it does not keep the library in use itself,
// only LockServer does.
class KtIMClassFactory : public IClassFactory {
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
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        KtIM* method = new (std::nothrow) KtIM();
        if (!method)
            return E_OUTOFMEMORY;
        HRESULT hr = method->QueryInterface(iid, object);
        method->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            KtSipLock();
        else
            KtSipUnlock();
        return S_OK;
    }
};

KtIMClassFactory g_factory;

}  // namespace

IClassFactory* KtIMFactory()
{
    return &g_factory;
}
