// A task: subject, note and whether it is complete, from the store file's
// columns; nothing is written back.
#include "pimstore_private.h"


namespace {

class CTask : public PimObject<ITask> {
public:
    CTask(IPOutlookApp* app, std::shared_ptr<const PimRecord> record)
        : PimObject(IID_ITask), app_(app), record_(std::move(record))
    {
        app_->AddRef();
    }
    ~CTask() override { app_->Release(); }

    HRESULT STDMETHODCALLTYPE get_Subject(BSTR* value) override { return PimReturnText(record_->Field(L"Subject"), value); }
    HRESULT STDMETHODCALLTYPE get_Body(BSTR* value) override { return PimReturnText(record_->Field(L"Body"), value); }
    HRESULT STDMETHODCALLTYPE get_Categories(BSTR* value) override { return PimReturnText(L"", value); }
    HRESULT STDMETHODCALLTYPE get_Complete(VARIANT_BOOL* complete) override
    {
        if (!complete)
            return E_POINTER;
        *complete = record_->Field(L"Complete") == L"1" ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_IsRecurring(VARIANT_BOOL* recurring) override
    {
        if (!recurring)
            return E_POINTER;
        *recurring = VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Oid(long* oid) override
    {
        if (!oid)
            return E_POINTER;
        *oid = record_->oid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Application(IPOutlookApp** app) override { return PimShareApplication(app_, app); }

    // Not offered by the simulated device.
    HRESULT STDMETHODCALLTYPE ClearRecurrencePattern() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRecurrencePattern(IRecurrencePattern**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_StartDate(DATE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DueDate(DATE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_DateCompleted(DATE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Importance(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Sensitivity(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_TeamTask(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderSet(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderSoundFile(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderTime(DATE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_ReminderOptions(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Subject(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Categories(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_StartDate(DATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_DueDate(DATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Importance(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Complete(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Sensitivity(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_TeamTask(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Body(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderSet(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderSoundFile(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderTime(DATE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_ReminderOptions(long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SkipRecurrence() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Copy(ITask**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Display() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_BodyInk(CEBLOB*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_BodyInk(CEBLOB*) override { return E_NOTIMPL; }

private:
    IPOutlookApp* app_;
    std::shared_ptr<const PimRecord> record_;
};

} // namespace

ITask* PimNewTask(IPOutlookApp* app, std::shared_ptr<const PimRecord> record)
{
    return new (std::nothrow) CTask(app, std::move(record));
}
