#include "platform/win32/Accessibility.h"

#include "platform/Runtime.h"
#include "platform/win32/Text.h"

#include <commctrl.h>
#include <oleacc.h>

#include <utility>

namespace {

enum class Role : DWORD_PTR { Dialog = ROLE_SYSTEM_DIALOG, Link = ROLE_SYSTEM_LINK };

// Not defined by the headers: the annotation service, its interface, and UI Automation's
// live setting.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kLiveSetting = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

constexpr std::int16_t kFollowLink = 300;  // the string of a link's default action

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// Windows' own object for a window's client area, in another role; everything else, and
// every question about the children, is the standard object's. A whole object rather than
// Direct Annotation (IAccPropServices), which could give the role and the action's name but
// not what the action does: a static control's standard object does nothing on it. Nor could
// annotations be checked here: Wine keeps none.
class RoleObject final : public IAccessible {
public:
    RoleObject(IAccessible* standard, HWND window, Role role)
        : standard_(standard), window_(window), role_(role) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(iid, object);  // its window and its children
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception,
                                 argumentError);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = static_cast<LONG>(role_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (role_ != Role::Link || !IsSelf(child)) {
            return standard_->get_accDefaultAction(child, action);
        }
        *action = SysAllocString(ToWide(LoadResString(kFollowLink)).c_str());
        return *action != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    // Posted as the label posts a click of its own, so that a screen reader is not kept
    // waiting while what the click opens runs.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (role_ != Role::Link || !IsSelf(child)) return standard_->accDoDefaultAction(child);
        if (!IsWindow(window_)) return E_FAIL;
        const WPARAM command = MAKEWPARAM(GetDlgCtrlID(window_), STN_CLICKED);
        PostMessageW(GetParent(window_), WM_COMMAND, command, reinterpret_cast<LPARAM>(window_));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~RoleObject() { standard_->Release(); }

    IAccessible* const standard_;
    const HWND window_;
    const Role role_;
    LONG references_ = 1;
};

constexpr UINT_PTR kRoleSubclass = 1;

// Asked for the role a window is in each time a screen reader asks for its object.
using RoleSource = std::function<AccessibleRole()>;

// Answers a request for the window's client object with the object in the role its source
// gives now, where that is a dialog or a link; other objects are Windows' own.
LRESULT CALLBACK AnswerInRole(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
    auto* const source = reinterpret_cast<RoleSource*>(data);
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const AccessibleRole role = (*source)();
        IAccessible* standard = nullptr;
        if ((role == AccessibleRole::Dialog || role == AccessibleRole::Link) &&
            SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&standard)))) {
            auto* object = new RoleObject(
                standard, window, role == AccessibleRole::Dialog ? Role::Dialog : Role::Link);
            const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object);
            object->Release();
            if (answer > 0) return answer;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, AnswerInRole, kRoleSubclass);
        delete source;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// The live setting is a UI Automation property, given to the label's standard object by
// annotation; where Windows does not know the property (before Windows 8) it refuses it, and
// the label stays as it was.
void SetLiveSetting(HWND label, const VARIANT* setting) {
    IAccPropServices* annotations = nullptr;
    if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                reinterpret_cast<void**>(&annotations)))) {
        return;
    }
    if (setting != nullptr) {
        annotations->SetHwndProp(label, OBJID_CLIENT, CHILDID_SELF, kLiveSetting, *setting);
    } else {
        annotations->ClearHwndProps(label, OBJID_CLIENT, CHILDID_SELF, &kLiveSetting, 1);
    }
    annotations->Release();
}

}  // namespace

void ShowInRole(HWND window, std::function<AccessibleRole()> role) {
    SetWindowSubclass(window, AnswerInRole, kRoleSubclass,
                      reinterpret_cast<DWORD_PTR>(new RoleSource(std::move(role))));
}

void MakeLiveRegion(HWND label) {
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    SetLiveSetting(label, &polite);
}

void ForgetLiveRegion(HWND label) { SetLiveSetting(label, nullptr); }

// NVDA speaks the label's name on this event; UI Automation passes it on to Narrator as a
// live region change, spoken as the live setting says.
void AnnounceLiveRegion(HWND label) {
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, label, OBJID_CLIENT, CHILDID_SELF);
}
