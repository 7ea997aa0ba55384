#include "accessible.h"

#include <new>

#include <oleacc.h>

#include "system_library.h"

namespace {

// What the wrapper needs of the accessibility and automation libraries,
// looked up on first use so that a program nobody inspects never loads them.
struct AccessibilityApi {
    HRESULT(WINAPI* createStandardObject)(HWND, LONG, REFIID, void**);
    LRESULT(WINAPI* resultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    BSTR(WINAPI* allocString)(const OLECHAR*);
    BSTR(WINAPI* allocStringLength)(const OLECHAR*, UINT);
    void(WINAPI* freeString)(BSTR);
    HRESULT(WINAPI* initializeCom)(LPVOID, DWORD);
    void(WINAPI* uninitializeCom)();
};

AccessibilityApi g_api;
bool g_apiLoaded = false;
bool g_apiTried = false;

const AccessibilityApi* Api()
{
    if (!g_apiTried) {
        g_apiTried = true;
        const HMODULE oleacc = LoadSystemLibrary(L"oleacc.dll");
        const HMODULE oleaut = LoadSystemLibrary(L"oleaut32.dll");
        const HMODULE ole = LoadSystemLibrary(L"ole32.dll");
        g_apiLoaded = FindFunction(oleacc, "CreateStdAccessibleObject", g_api.createStandardObject) &&
                      FindFunction(oleacc, "LresultFromObject", g_api.resultFromObject) &&
                      FindFunction(oleaut, "SysAllocString", g_api.allocString) &&
                      FindFunction(oleaut, "SysAllocStringLen", g_api.allocStringLength) &&
                      FindFunction(oleaut, "SysFreeString", g_api.freeString) &&
                      FindFunction(ole, "CoInitializeEx", g_api.initializeCom) &&
                      FindFunction(ole, "CoUninitialize", g_api.uninitializeCom);
    }
    return g_apiLoaded ? &g_api : nullptr;
}

// Requests from other programs are answered on the window's own thread,
// between its messages, when that thread is a single-threaded apartment.
// The first request makes it one, if nothing else has; the apartment ends
// with the program.
class ComApartment {
public:
    ~ComApartment()
    {
        if (m_entered)
            g_api.uninitializeCom();
    }
    void Enter(const AccessibilityApi& api)
    {
        if (m_tried)
            return;
        m_tried = true;
        m_entered = SUCCEEDED(api.initializeCom(nullptr, COINIT_APARTMENTTHREADED));
    }

private:
    bool m_tried = false;
    bool m_entered = false;
};

ComApartment g_apartment;

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

template <std::size_t N>
void Widen(const char* text, wchar_t (&out)[N])
{
    out[0] = L'\0';
    if (text != nullptr && ::MultiByteToWideChar(CP_ACP, 0, text, -1, out, N) == 0)
        out[N - 1] = L'\0';
}

// The accessible object of one control: the standard object the platform
// makes for it, with the answers of an AccessibleOverride put over it. The
// control holds one reference from the moment it is exposed until it is
// destroyed; clients hold theirs as long as they like, and the object then
// answers from what it copied and from a standard object whose window is
// gone.
class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    AccessibleControl(HWND control, WNDPROC previous, const AccessibleOverride& what)
        : m_control(control), m_previous(previous), m_role(what.role),
          m_textIsValue(what.textIsValue), m_hasName(what.name != nullptr),
          m_hasValue(what.value != nullptr), m_hasAction(what.defaultAction != nullptr)
    {
        Widen(what.name, m_name);
        Widen(what.value, m_value);
        Widen(what.defaultAction, m_action);
    }

    WNDPROC Previous() const { return m_previous; }

    // The answer to WM_GETOBJECT for the client object; 0 lets the standard
    // handling answer instead.
    LRESULT Answer(WPARAM flags)
    {
        const AccessibilityApi* api = Api();
        if (api == nullptr)
            return 0;
        g_apartment.Enter(*api);
        if (m_standard == nullptr &&
            FAILED(api->createStandardObject(m_control, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&m_standard)))) {
            m_standard = nullptr;
            return 0;
        }
        const LRESULT result = api->resultFromObject(__uuidof(IAccessible), flags,
                                                     static_cast<IAccessible*>(this));
        return result > 0 ? result : 0;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    // IOleWindow: the control, so that a client can go from object to window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (window == nullptr)
            return E_POINTER;
        *window = m_control;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch, forwarded
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                                     UINT* badArgument) override
    {
        return m_standard->Invoke(id, iid, locale, flags, params, result, error, badArgument);
    }

    // IAccessible: the overridden answers
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!m_hasName || !IsSelf(child))
            return m_standard->get_accName(child, name);
        return Copy(m_name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (m_role == 0 || !IsSelf(child))
            return m_standard->get_accRole(child, role);
        if (role == nullptr)
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = m_role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (IsSelf(child) && m_hasValue)
            return Copy(m_value, value);
        if (IsSelf(child) && m_textIsValue)
            return CopyText(value);
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!m_hasAction || !IsSelf(child))
            return m_standard->get_accDefaultAction(child, action);
        return Copy(m_action, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!m_hasAction || !IsSelf(child))
            return m_standard->accDoDefaultAction(child);
        // Posted: the click is handled on the window's thread, after this
        // call has returned to the client.
        const HWND parent = ::GetParent(m_control);
        const WPARAM clicked = MAKEWPARAM(::GetDlgCtrlID(m_control), 0);  // BN_ or STN_CLICKED
        if (parent == nullptr ||
            !::PostMessageA(parent, WM_COMMAND, clicked, reinterpret_cast<LPARAM>(m_control)))
            return E_FAIL;
        return S_OK;
    }

    // IAccessible, forwarded
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return m_standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override
    {
        return m_standard->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return m_standard->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

private:
    ~AccessibleControl()
    {
        if (m_standard != nullptr)
            m_standard->Release();
    }

    static HRESULT Copy(const wchar_t* text, BSTR* out)
    {
        if (out == nullptr)
            return E_INVALIDARG;
        *out = g_api.allocString(text);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT CopyText(BSTR* out) const
    {
        if (out == nullptr)
            return E_INVALIDARG;
        const int length = ::GetWindowTextLengthW(m_control);
        BSTR text = g_api.allocStringLength(nullptr, static_cast<UINT>(length));
        if (text == nullptr)
            return E_OUTOFMEMORY;
        const int copied = ::GetWindowTextW(m_control, text, length + 1);
        if (copied != length) {  // the text changed in between: keep what was read
            BSTR shorter = g_api.allocStringLength(text, static_cast<UINT>(copied > 0 ? copied : 0));
            g_api.freeString(text);
            text = shorter;
        }
        *out = text;
        return text != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    const HWND m_control;
    const WNDPROC m_previous;
    IAccessible* m_standard = nullptr;  // made by the first request, owned
    ULONG m_references = 1;
    const LONG m_role;
    const bool m_textIsValue;
    const bool m_hasName;
    const bool m_hasValue;
    const bool m_hasAction;
    wchar_t m_name[128];
    wchar_t m_value[128];
    wchar_t m_action[32];
};

// The control's object rides in the control's user data, which the standard
// controls leave to the program. Reading it is a plain read, where a window
// property costs, under Wine, a round trip to the server on every message
// the control gets, from the first paint on.
AccessibleControl* ObjectOf(HWND control)
{
    return reinterpret_cast<AccessibleControl*>(::GetWindowLongPtrA(control, GWLP_USERDATA));
}

LRESULT CALLBACK AccessibleControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    AccessibleControl* const self = ObjectOf(control);
    if (self == nullptr)
        return ::DefWindowProcA(control, message, wParam, lParam);
    const WNDPROC previous = self->Previous();
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT answer = self->Answer(wParam))
            return answer;
    } else if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ::SetWindowLongPtrA(control, GWLP_USERDATA, 0);
        self->Release();
    }
    return ::CallWindowProcA(previous, control, message, wParam, lParam);
}

// UI Automation's notification, where the platform has it.
void RaiseNotification(HWND control, const char* text)
{
    using HostProvider = HRESULT(WINAPI*)(HWND, IUnknown**);
    using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int kind, int processing, BSTR text,
                                                    BSTR activity);
    constexpr int kActionCompleted = 2;     // NotificationKind_ActionCompleted
    constexpr int kImportantMostRecent = 1;  // NotificationProcessing_ImportantMostRecent

    static bool tried = false;
    static HostProvider hostProvider = nullptr;
    static RaiseNotificationEvent raise = nullptr;
    if (!tried) {
        tried = true;
        const HMODULE automation = LoadSystemLibrary(L"uiautomationcore.dll");
        if (!FindFunction(automation, "UiaRaiseNotificationEvent", raise) ||
            !FindFunction(automation, "UiaHostProviderFromHwnd", hostProvider))
            raise = nullptr;
    }
    const AccessibilityApi* api = raise != nullptr ? Api() : nullptr;
    if (api == nullptr)
        return;

    wchar_t wide[256];
    Widen(text, wide);
    IUnknown* provider = nullptr;
    if (FAILED(hostProvider(control, &provider)) || provider == nullptr)
        return;
    BSTR said = api->allocString(wide);
    BSTR activity = api->allocString(L"Velquor.Result");
    if (said != nullptr && activity != nullptr)
        raise(provider, kActionCompleted, kImportantMostRecent, said, activity);
    api->freeString(said);
    api->freeString(activity);
    provider->Release();
}

}  // namespace

AnnounceFunction g_announce = &RaiseNotification;

bool ExposeAccessible(HWND control, const AccessibleOverride& what)
{
    if (control == nullptr || ObjectOf(control) != nullptr)
        return false;  // exposed already, or the user data holds something else
    const auto previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(control, GWLP_WNDPROC));
    auto* self = new (std::nothrow) AccessibleControl(control, previous, what);
    if (self == nullptr)
        return false;
    ::SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AccessibleControlProc));
    return true;
}

void AnnounceToScreenReader(HWND control, const char* text)
{
    if (g_announce != nullptr && text != nullptr)
        g_announce(control, text);
}
