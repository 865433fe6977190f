#include "platform/win_accessible.h"

namespace torvane {

namespace {

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// An empty text is "no such property" (S_FALSE with no string), as the
// system's own objects answer.
HRESULT TextAnswer(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (text.empty())
        return S_FALSE;
    *out = SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetLong(VARIANT* out, long value)
{
    out->vt = VT_I4;
    out->lVal = value;
}

// COM interfaces have no virtual destructor: the object deletes itself in
// Release, and nothing deletes it through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// One control's client object. Calls arrive on the window's thread (the
// program's single-threaded apartment), so no locking.
class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    AccessibleObject(AccessibleSource& source, HWND window) : source_(&source), window_(window) {}

    void Disconnect() { source_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
        } else if (riid == __uuidof(IOleWindow)) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: the object is reached through its vtable only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return count ? S_OK : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IOleWindow: how WindowFromAccessibleObject finds the window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (!window)
            return E_POINTER;
        *window = window_;
        return source_ ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        if (!source_)
            return RPC_E_DISCONNECTED;
        // A client object's parent is its window's object.
        return AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return source_ ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override
    {
        if (child)
            *child = nullptr;
        return source_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Text(child, name, [this] { return source_->AccessibleName(); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Text(child, value, [this] { return source_->AccessibleValue(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return Text(child, text, [] { return std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Number(child, role, [this] { return source_->AccessibleRole(); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Number(child, state, [this] { return source_->AccessibleState(); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Text(child, help, [] { return std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override
    {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return source_ ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Text(child, shortcut, [this] { return source_->AccessibleShortcut(); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!focus)
            return E_POINTER;
        focus->vt = VT_EMPTY;
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (GetFocus() == window_)
            SetLong(focus, CHILDID_SELF);
        return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        if (selection)
            selection->vt = VT_EMPTY;
        return source_ ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Text(child, action, [this] { return source_->DefaultActionName(); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (!IsSelf(child))
            return E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS) {
            SetFocus(window_);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (!IsSelf(child))
            return E_INVALIDARG;
        RECT place = {};
        GetClientRect(window_, &place);
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&place), 2);
        *left = place.left;
        *top = place.top;
        *width = place.right - place.left;
        *height = place.bottom - place.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override
    {
        // A leaf: its siblings are its window object's business.
        if (end)
            end->vt = VT_EMPTY;
        return source_ ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override
    {
        if (!hit)
            return E_POINTER;
        hit->vt = VT_EMPTY;
        if (!source_)
            return RPC_E_DISCONNECTED;
        RECT place = {};
        GetClientRect(window_, &place);
        POINT at = {x, y};
        ScreenToClient(window_, &at);
        if (!PtInRect(&place, at))
            return S_FALSE;
        SetLong(hit, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (!IsSelf(child))
            return E_INVALIDARG;
        return source_->DoDefaultAction() ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    template <typename Read>
    HRESULT Text(const VARIANT& child, BSTR* out, Read read)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (!IsSelf(child))
            return E_INVALIDARG;
        return TextAnswer(read(), out);
    }

    template <typename Read>
    HRESULT Number(const VARIANT& child, VARIANT* out, Read read)
    {
        if (!out)
            return E_POINTER;
        out->vt = VT_EMPTY;
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (!IsSelf(child))
            return E_INVALIDARG;
        SetLong(out, read());
        return S_OK;
    }

    ULONG references_ = 1;
    AccessibleSource* source_;
    HWND window_;
};

#pragma GCC diagnostic pop

} // namespace

long WindowAccessibleState(HWND window)
{
    long state = 0;
    if (!IsWindowEnabled(window))
        state |= STATE_SYSTEM_UNAVAILABLE;
    if (!IsWindowVisible(window))
        state |= STATE_SYSTEM_INVISIBLE;
    if (GetFocus() == window)
        state |= STATE_SYSTEM_FOCUSED;
    return state;
}

AccessibleAnswer::~AccessibleAnswer()
{
    if (object_) {
        static_cast<AccessibleObject*>(object_)->Disconnect();
        object_->Release();
    }
}

LRESULT AccessibleAnswer::Answer(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
        return 0;
    if (!object_)
        object_ = new AccessibleObject(source_, window);
    // A failure is a negative HRESULT, which the caller reads as such.
    return LresultFromObject(__uuidof(IAccessible), wParam, object_);
}

} // namespace torvane
