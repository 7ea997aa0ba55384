#include "accessible.h"

#include <new>

#include <oleacc.h>

#include "accessibility_api.h"
#include "data_exchange.h"
#include "subclass.h"

namespace {

// Requests from other programs are answered on the window's own thread,
// between its messages, when that thread is a single-threaded apartment.
// The first request makes it one, if nothing else has; the apartment ends
// with the program.
class ComApartment {
public:
    ~ComApartment()
    {
        if (m_entered)
            Accessibility()->uninitializeCom();
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

HRESULT Reply(const char* text, BSTR* out)
{
    if (out == nullptr)
        return E_INVALIDARG;
    *out = NewAccessibleString(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// A call of the interface that the standard object answers alone, passed on
// as it came.
#define FORWARD_TO_STANDARD(method, parameters, arguments) \
    HRESULT STDMETHODCALLTYPE method parameters override { return m_standard->method arguments; }

// The accessible object of one control (its client, or its window): the
// standard object the platform makes for it, with the answers of an
// AccessibleOverride put over it. The control holds one reference from the
// moment it is exposed until it is destroyed; clients hold theirs as long
// as they like, and the object then answers from what it copied and from a
// standard object whose window is gone.
class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    AccessibleControl(HWND control, LONG object, const AccessibleOverride& what)
        : m_control(control), m_object(object), m_role(what.role),
          m_textIsValue(what.textIsValue), m_name(what.name), m_value(what.value),
          m_action(what.defaultAction != nullptr      ? what.defaultAction
                   : what.role == ROLE_SYSTEM_PUSHBUTTON ? "Press"
                                                         : nullptr),
          m_fullText(what.fullText)
    {
    }

    // The window object that answers beside this client object, when there
    // is one; owned.
    AccessibleControl* m_window = nullptr;

    // The answer to WM_GETOBJECT for this object; 0 lets the standard
    // handling answer instead.
    LRESULT Answer(WPARAM flags)
    {
        const AccessibilityApi* api = Accessibility();
        if (api == nullptr)
            return 0;
        g_apartment.Enter(*api);
        if (m_standard == nullptr &&
            FAILED(api->createStandardObject(m_control, m_object, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&m_standard)))) {
            m_standard = nullptr;
            return 0;
        }
        const LRESULT result = api->resultFromObject(__uuidof(IAccessible), flags,
                                                     static_cast<IAccessible*>(this));
        return result > 0 ? result : 0;
    }

    // The control is being destroyed: what the object still answers comes
    // from its copies and the standard object, never from the full text's
    // source, which may go with the control's window.
    void Detach()
    {
        m_fullText = nullptr;
        if (m_window != nullptr)
            m_window->Detach();
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

    // IDispatch, for the callers that name what they ask for (a script, a
    // late-bound client): each call is made on this object, so that they
    // get the answers below too and not the standard object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr)
            return E_INVALIDARG;
        *count = AccessibleTypeInfo() != nullptr ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        if (info == nullptr)
            return E_INVALIDARG;
        *info = index == 0 ? AccessibleTypeInfo() : nullptr;
        if (*info == nullptr)
            return DISP_E_BADINDEX;
        (*info)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override
    {
        ITypeInfo* const info = AccessibleTypeInfo();
        return info != nullptr ? info->GetIDsOfNames(names, count, ids) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* error, UINT* badArgument) override
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* const info = AccessibleTypeInfo();
        if (info == nullptr)
            return E_NOTIMPL;
        return info->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, error,
                            badArgument);
    }

    // IAccessible: the overridden answers
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (m_name.IsEmpty() || !IsSelf(child))
            return m_standard->get_accName(child, name);
        return Reply(m_name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (m_role == 0 || !IsSelf(child) || m_object != OBJID_CLIENT)
            return m_standard->get_accRole(child, role);
        if (role == nullptr)
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = m_role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (IsSelf(child) && !m_value.IsEmpty())
            return Reply(m_value, value);
        if (IsSelf(child) && m_textIsValue)
            return Reply(ControlText(m_control), value);
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        CString full;
        if (IsSelf(child) && m_fullText != nullptr && m_fullText->FullText(m_control, full))
            return Reply(full, text);
        return m_standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (m_action.IsEmpty() || !IsSelf(child))
            return m_standard->get_accDefaultAction(child, action);
        return Reply(m_action, action);
    }
    // Posted: the click is handled on the window's thread, after this call
    // has returned to the client. The focus stays where it is, as with a
    // keyboard shortcut: moving it first would set off whatever leaving
    // the focused control sets off, before the click.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (m_action.IsEmpty() || !IsSelf(child))
            return m_standard->accDoDefaultAction(child);
        const HWND parent = ::GetParent(m_control);
        const WPARAM clicked = MAKEWPARAM(::GetDlgCtrlID(m_control), 0);  // BN_ or STN_CLICKED
        if (parent == nullptr ||
            !::PostMessageA(parent, WM_COMMAND, clicked, reinterpret_cast<LPARAM>(m_control)))
            return E_FAIL;
        return S_OK;
    }

    // IAccessible, the standard object's answers
    FORWARD_TO_STANDARD(get_accParent, (IDispatch** parent), (parent))
    FORWARD_TO_STANDARD(get_accChildCount, (LONG* count), (count))
    FORWARD_TO_STANDARD(get_accChild, (VARIANT child, IDispatch** object), (child, object))
    FORWARD_TO_STANDARD(get_accState, (VARIANT child, VARIANT* state), (child, state))
    FORWARD_TO_STANDARD(get_accHelp, (VARIANT child, BSTR* text), (child, text))
    FORWARD_TO_STANDARD(get_accHelpTopic, (BSTR* file, VARIANT child, LONG* topic),
                        (file, child, topic))
    FORWARD_TO_STANDARD(get_accKeyboardShortcut, (VARIANT child, BSTR* keys), (child, keys))
    FORWARD_TO_STANDARD(get_accFocus, (VARIANT* child), (child))
    FORWARD_TO_STANDARD(get_accSelection, (VARIANT* children), (children))
    FORWARD_TO_STANDARD(accSelect, (LONG flags, VARIANT child), (flags, child))
    FORWARD_TO_STANDARD(accLocation, (LONG* left, LONG* top, LONG* width, LONG* height,
                                      VARIANT child), (left, top, width, height, child))
    FORWARD_TO_STANDARD(accNavigate, (LONG direction, VARIANT start, VARIANT* end),
                        (direction, start, end))
    FORWARD_TO_STANDARD(accHitTest, (LONG x, LONG y, VARIANT* child), (x, y, child))
    FORWARD_TO_STANDARD(put_accName, (VARIANT child, BSTR name), (child, name))
    FORWARD_TO_STANDARD(put_accValue, (VARIANT child, BSTR value), (child, value))

private:
    ~AccessibleControl()
    {
        if (m_window != nullptr)
            m_window->Release();
        if (m_standard != nullptr)
            m_standard->Release();
    }

    const HWND m_control;
    const LONG m_object;  // OBJID_CLIENT or OBJID_WINDOW
    IAccessible* m_standard = nullptr;  // made by the first request, owned
    ULONG m_references = 1;
    const LONG m_role;
    const bool m_textIsValue;
    const CString m_name;
    const CString m_value;
    const CString m_action;  // empty: the standard one
    FullTextSource* m_fullText;  // until the control is destroyed
};

#undef FORWARD_TO_STANDARD

// The control's link in its subclass chain; `data` is its client object.
LRESULT AccessibleControlProc(void* data, HWND control, UINT message, WPARAM wParam,
                              LPARAM lParam, const SubclassNext& next)
{
    auto* const self = static_cast<AccessibleControl*>(data);
    if (message == WM_GETOBJECT) {
        AccessibleControl* const object = static_cast<LONG>(lParam) == OBJID_CLIENT   ? self
                                          : static_cast<LONG>(lParam) == OBJID_WINDOW ? self->m_window
                                                                                      : nullptr;
        if (object != nullptr)
            if (const LRESULT answer = object->Answer(wParam))
                return answer;
    }
    const LRESULT result = next(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->Detach();
        self->Release();
    }
    return result;
}

}  // namespace

bool ExposeAccessible(HWND control, const AccessibleOverride& what)
{
    if (control == nullptr)
        return false;
    auto* self = new (std::nothrow) AccessibleControl(control, OBJID_CLIENT, what);
    if (self == nullptr)
        return false;
    if (what.windowToo)
        self->m_window = new (std::nothrow) AccessibleControl(control, OBJID_WINDOW, what);
    if (!AddSubclass(control, &AccessibleControlProc, self)) {
        self->Release();
        return false;
    }
    return true;
}
