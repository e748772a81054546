#include "viewer/win32_accessible_name.h"

namespace quillmarten {

Win32AccessibleName::Win32AccessibleName(HWND control, const std::wstring& name)
    : control_(control) {
    SetWindowTextW(control, name.c_str());
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices,
                                   reinterpret_cast<void**>(&annotations_)))) {
        annotations_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                     PROPID_ACC_NAME, name.c_str());
    }
}

Win32AccessibleName::~Win32AccessibleName() {
    if (annotations_ != nullptr) {
        MSAAPROPID name = PROPID_ACC_NAME;
        annotations_->ClearHwndProps(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                     &name, 1);
        annotations_->Release();
    }
}

} // namespace quillmarten
