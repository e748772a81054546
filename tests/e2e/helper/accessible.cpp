#include "helper.h"

#include "platform/win32_text.h"

#include <oleacc.h>

namespace e2e {

namespace {

struct Release {
    void operator()(IUnknown* object) const { object->Release(); }
};
using Text = std::unique_ptr<OLECHAR, CloseWith<&SysFreeString>>;

VARIANT child(LONG id) {
    VARIANT variant{};
    variant.vt = VT_I4;
    variant.lVal = id;
    return variant;
}

std::wstring asked(HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*),
                   IAccessible& object, LONG id) {
    BSTR answer = nullptr;
    (object.*property)(child(id), &answer);
    const Text text(answer);
    return text ? std::wstring(text.get()) : L"";
}

std::wstring roleText(IAccessible& object) {
    VARIANT role{};
    object.get_accRole(child(CHILDID_SELF), &role);
    wchar_t text[64] = {};
    GetRoleTextW(static_cast<DWORD>(role.lVal), text, 64);
    return text;
}

} // namespace

// Asks a window's client area, as a screen reader does, through the accessible object it gives
// (or the system's standard one): lines role TEXT, name TEXT, children COUNT, focus CHILD (none
// when another has the keyboard), then child ID NAME VALUE for each.
void accessibleCommand(const Words& words) {
    const HWND window = firstWindowAt(words[0]);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* found = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&found)))) {
        throw Failure{L"no accessible object for " + words[0]};
    }
    const std::unique_ptr<IAccessible, Release> object(found);
    LONG children = 0;
    object->get_accChildCount(&children);
    VARIANT focus{};
    object->get_accFocus(&focus);
    printLine(L"role\t" + roleText(*object));
    printLine(L"name\t" + asked(&IAccessible::get_accName, *object, CHILDID_SELF));
    printLine(L"children\t" + std::to_wstring(children));
    printLine(L"focus\t" + (focus.vt == VT_I4 ? std::to_wstring(focus.lVal) : L"none"));
    for (LONG id = 1; id <= children; ++id) {
        printLine(L"child\t" + std::to_wstring(id) + L"\t" +
                  asked(&IAccessible::get_accName, *object, id) + L"\t" +
                  asked(&IAccessible::get_accValue, *object, id));
    }
}

} // namespace e2e
