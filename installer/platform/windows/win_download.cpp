#include "installer/platform/windows/win_download.h"

#include "installer/platform/windows/win_error.h"

#include <windows.h>
#include <urlmon.h>

#include <exception>
#include <string>

namespace WinPlatform {

namespace {

using TURLDownloadToFileW = HRESULT(WINAPI *)(IUnknown *, LPCWSTR, LPCWSTR, DWORD, IBindStatusCallback *);

// The service's library is loaded on the first download and kept for the
// life of the process; a failed load is not retried.
TURLDownloadToFileW DownloadService()
{
    static const TURLDownloadToFileW Function = [] {
        HMODULE Library = LoadLibraryW(L"urlmon.dll");
        if (!Library)
            return TURLDownloadToFileW(nullptr);
        return reinterpret_cast<TURLDownloadToFileW>(
            reinterpret_cast<void *>(GetProcAddress(Library, "URLDownloadToFileW")));
    }();
    return Function;
}

// Lives on the caller's stack for the length of one transfer; the service's
// references do not own it.
class TBindStatusCallback final : public IBindStatusCallback, public IHttpNegotiate
{
public:
    explicit TBindStatusCallback(const TWinDownloadProgress &OnProgress) : fOnProgress(OnProgress) {}

    ~TBindStatusCallback() { ReleaseBinding(); }

    bool Cancelled = false;
    std::exception_ptr HandlerError;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void **Object) override
    {
        if (!Object)
            return E_POINTER;
        if (IsEqualIID(Iid, IID_IUnknown) || IsEqualIID(Iid, IID_IBindStatusCallback)) {
            *Object = static_cast<IBindStatusCallback *>(this);
            AddRef();
            return S_OK;
        }
        if (IsEqualIID(Iid, IID_IHttpNegotiate)) {
            *Object = static_cast<IHttpNegotiate *>(this);
            AddRef();
            return S_OK;
        }
        *Object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&fReferences); }
    ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&fReferences); }

    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding *Binding) override
    {
        if (fBinding)
            fBinding->Release();
        fBinding = Binding;
        if (fBinding)
            fBinding->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override
    {
        ReleaseBinding();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD *, BINDINFO *) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC *, STGMEDIUM *) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown *) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE OnProgress(ULONG Progress, ULONG ProgressMax, ULONG StatusCode,
                                         LPCWSTR StatusText) override
    {
        if (Cancelled)
            return E_ABORT;
        if (!fOnProgress)
            return S_OK;
        bool Cancel = false;
        // The handler's exceptions must not unwind through the service's frames.
        try {
            const TDownloadProgressValues Values = ScaleDownloadProgress(Progress, ProgressMax);
            fOnProgress(Values.Progress, Values.ProgressMax, DownloadStatusOf(StatusCode), StatusText ? StatusText : L"",
                        Cancel);
        } catch (...) {
            HandlerError = std::current_exception();
            Cancel = true;
        }
        if (!Cancel)
            return S_OK;
        // Not every implementation of the service heeds the answer once data
        // flows, so the binding is aborted too, and the download counts as
        // failed whatever the service reports afterwards.
        Cancelled = true;
        if (fBinding)
            fBinding->Abort();
        return E_ABORT;
    }

    void ReleaseBinding()
    {
        if (fBinding)
            fBinding->Release();
        fBinding = nullptr;
    }

    // Some implementations of the service store the body of an HTTP error
    // page and report success; the status line of the response tells.
    DWORD HttpStatus = 0;

    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR *AdditionalHeaders) override
    {
        if (AdditionalHeaders)
            *AdditionalHeaders = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnResponse(DWORD ResponseCode, LPCWSTR, LPCWSTR, LPWSTR *AdditionalHeaders) override
    {
        if (AdditionalHeaders)
            *AdditionalHeaders = nullptr;
        HttpStatus = ResponseCode;
        return S_OK;
    }

private:
    const TWinDownloadProgress &fOnProgress;
    IBinding *fBinding = nullptr;
    LONG fReferences = 1;
};

std::wstring FolderOf(const std::wstring &FileName)
{
    size_t Slash = FileName.find_last_of(L"\\/");
    if (Slash == std::wstring::npos)
        return L".";
    if (Slash == 0 || (Slash == 2 && FileName[1] == L':'))
        return FileName.substr(0, Slash + 1); // the root keeps its separator
    return FileName.substr(0, Slash);
}

// COM is usually initialised by the window's toolkit already; this only
// makes sure the service also works from a thread where it is not.
struct TComScope
{
    HRESULT Result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~TComScope()
    {
        if (SUCCEEDED(Result))
            CoUninitialize();
    }
};

} // namespace

TWinDownloadStatus DownloadStatusOf(unsigned long BindStatus)
{
    switch (BindStatus) {
    case BINDSTATUS_FINDINGRESOURCE: return TWinDownloadStatus::FindingResource;
    case BINDSTATUS_CONNECTING: return TWinDownloadStatus::Connecting;
    case BINDSTATUS_REDIRECTING: return TWinDownloadStatus::Redirecting;
    case BINDSTATUS_BEGINDOWNLOADDATA: return TWinDownloadStatus::BeginDownloadData;
    case BINDSTATUS_DOWNLOADINGDATA: return TWinDownloadStatus::DownloadingData;
    case BINDSTATUS_ENDDOWNLOADDATA: return TWinDownloadStatus::EndDownloadData;
    case BINDSTATUS_SENDINGREQUEST: return TWinDownloadStatus::SendingRequest;
    case BINDSTATUS_MIMETYPEAVAILABLE: return TWinDownloadStatus::MimeTypeAvailable;
    default: return TWinDownloadStatus::Unknown;
    }
}

void DownloadFile(const std::wstring &URL, const std::wstring &FileName, const TWinDownloadProgress &OnProgress,
                  std::wstring *Reason)
{
    auto Because = [Reason](const std::wstring &Text) {
        if (Reason)
            *Reason = Text;
    };
    Because(std::wstring());
    TURLDownloadToFileW Download = DownloadService();
    if (!Download) {
        Because(L"urlmon.dll cannot be loaded");
        throw EWinError("Exception", L"Unable to load urlmon.dll");
    }

    const std::wstring Failure = L"Error downloading URL: " + URL;
    wchar_t Partial[MAX_PATH + 1] = {};
    // Creates an empty file of a unique name that the service then fills.
    if (!GetTempFileNameW(FolderOf(FileName).c_str(), L"dl", 0, Partial)) {
        Because(L"no file can be made in " + FolderOf(FileName));
        DeleteFileW(FileName.c_str());
        throw EWinError("Exception", Failure);
    }

    TComScope Com;
    TBindStatusCallback Callback(OnProgress);
    HRESULT Result = Download(nullptr, URL.c_str(), Partial, 0, &Callback);

    const bool HttpError = Callback.HttpStatus >= 400;
    if (Result == S_OK && !HttpError && !Callback.Cancelled &&
        MoveFileExW(Partial, FileName.c_str(), MOVEFILE_REPLACE_EXISTING))
        return;

    DeleteFileW(Partial);
    // No file under the target name after a failure: an older download of the
    // same name must not be mistaken for this one and started.
    DeleteFileW(FileName.c_str());
    if (Callback.Cancelled)
        Because(L"cancelled");
    else if (HttpError)
        Because(L"server answered " + std::to_wstring(Callback.HttpStatus));
    else if (Result != S_OK) {
        std::wstring Code = L"0x";
        for (int Shift = 28; Shift >= 0; Shift -= 4)
            Code += L"0123456789ABCDEF"[(static_cast<unsigned long>(Result) >> Shift) & 0xF];
        Because(L"the download service failed with " + Code);
    } else
        Because(L"the download cannot be put in place");
    if (Callback.HandlerError)
        std::rethrow_exception(Callback.HandlerError);
    throw EWinError("Exception", Failure);
}

} // namespace WinPlatform
