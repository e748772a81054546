#include "viewer/win32_accessible_chart.h"

#include "viewer/chart_focus.h"

#include "platform/win32_text.h"

#include <string>

namespace quillmarten {

namespace {

// A bar's child id is its place from the oldest, counted from 1: 0 is the chart itself.
LONG childIdOf(std::size_t bar) {
    return static_cast<LONG>(bar) + 1;
}

void setChild(VARIANT& variant, LONG id) {
    variant.vt = VT_I4;
    variant.lVal = id;
}

HRESULT answerText(const std::string& text, BSTR* answer) {
    *answer = SysAllocString(widen(text).c_str());
    return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The answer of an element that has no such property.
HRESULT answerNoText(BSTR* answer) {
    *answer = nullptr;
    return S_FALSE;
}

} // namespace

Win32AccessibleChart* Win32AccessibleChart::create(HWND window, AccessibleChartSource& source) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&standard)))) {
        return nullptr;
    }
    return new Win32AccessibleChart(window, source, standard);
}

Win32AccessibleChart::Win32AccessibleChart(HWND window, AccessibleChartSource& source,
                                           IAccessible* standard)
    : window_(window), source_(&source), standard_(standard) {}

Win32AccessibleChart::~Win32AccessibleChart() {
    standard_->Release();
}

HRESULT Win32AccessibleChart::QueryInterface(REFIID id, void** object) {
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// Only the user-interface thread calls: clients in other processes reach it through COM, which
// brings their calls to this thread's messages.
ULONG Win32AccessibleChart::AddRef() {
    return static_cast<ULONG>(++references_);
}

ULONG Win32AccessibleChart::Release() {
    const LONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT Win32AccessibleChart::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT Win32AccessibleChart::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT Win32AccessibleChart::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT Win32AccessibleChart::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) {
    return E_NOTIMPL;
}

Win32AccessibleChart::Target Win32AccessibleChart::targetOf(const VARIANT& child) const {
    if (source_ == nullptr || child.vt != VT_I4 || child.lVal < 0) {
        return {};
    }
    if (child.lVal == CHILDID_SELF) {
        return {true, std::nullopt};
    }
    const auto bar = static_cast<std::size_t>(child.lVal - 1);
    return {bar < source_->shownChart().bars.size(), bar};
}

HRESULT Win32AccessibleChart::get_accParent(IDispatch** parent) {
    return source_ != nullptr ? standard_->get_accParent(parent) : E_FAIL;
}

HRESULT Win32AccessibleChart::get_accChildCount(LONG* count) {
    if (source_ == nullptr) {
        return E_FAIL;
    }
    *count = static_cast<LONG>(source_->shownChart().bars.size());
    return S_OK;
}

// The bars are simple elements: their questions go to the chart with their child id.
HRESULT Win32AccessibleChart::get_accChild(VARIANT child, IDispatch** object) {
    *object = nullptr;
    return targetOf(child).valid ? S_FALSE : E_INVALIDARG;
}

HRESULT Win32AccessibleChart::get_accName(VARIANT child, BSTR* name) {
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    const UsageChart& chart = source_->shownChart();
    return answerText(target.bar ? chart.bars[*target.bar].period : chartName(chart.span), name);
}

HRESULT Win32AccessibleChart::get_accValue(VARIANT child, BSTR* value) {
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    return target.bar ? answerText(barValue(source_->shownChart().bars[*target.bar]), value)
                      : answerNoText(value);
}

HRESULT Win32AccessibleChart::get_accDescription(VARIANT child, BSTR* description) {
    return targetOf(child).valid ? answerNoText(description) : E_INVALIDARG;
}

// The keyboard moves along the bars as along a list's items.
HRESULT Win32AccessibleChart::get_accRole(VARIANT child, VARIANT* role) {
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    role->vt = VT_I4;
    role->lVal = target.bar ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_CHART;
    return S_OK;
}

HRESULT Win32AccessibleChart::get_accState(VARIANT child, VARIANT* state) {
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    if (!target.bar) {
        return standard_->get_accState(child, state);
    }
    LONG flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_READONLY;
    if (source_->focusedBar() == target.bar) {
        flags |= STATE_SYSTEM_SELECTED;
        if (source_->hasKeyboardFocus()) {
            flags |= STATE_SYSTEM_FOCUSED;
        }
    }
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
}

HRESULT Win32AccessibleChart::get_accHelp(VARIANT child, BSTR* help) {
    return targetOf(child).valid ? answerNoText(help) : E_INVALIDARG;
}

HRESULT Win32AccessibleChart::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    *file = nullptr;
    *topic = -1;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT Win32AccessibleChart::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return targetOf(child).valid ? answerNoText(shortcut) : E_INVALIDARG;
}

HRESULT Win32AccessibleChart::get_accFocus(VARIANT* child) {
    if (source_ == nullptr) {
        return E_FAIL;
    }
    child->vt = VT_EMPTY;
    if (source_->hasKeyboardFocus()) {
        const auto bar = source_->focusedBar();
        setChild(*child, bar ? childIdOf(*bar) : CHILDID_SELF);
    }
    return S_OK;
}

HRESULT Win32AccessibleChart::get_accSelection(VARIANT* children) {
    if (source_ == nullptr) {
        return E_FAIL;
    }
    children->vt = VT_EMPTY;
    if (const auto bar = source_->focusedBar()) {
        setChild(*children, childIdOf(*bar));
    }
    return S_OK;
}

HRESULT Win32AccessibleChart::get_accDefaultAction(VARIANT child, BSTR* action) {
    return targetOf(child).valid ? answerNoText(action) : E_INVALIDARG;
}

HRESULT Win32AccessibleChart::accSelect(long how, VARIANT child) {
    const Target target = targetOf(child);
    if (!target.valid || !target.bar || (how & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) == 0) {
        return E_INVALIDARG;
    }
    source_->focusBar(*target.bar, (how & SELFLAG_TAKEFOCUS) != 0);
    return S_OK;
}

HRESULT Win32AccessibleChart::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) {
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    RECT bounds{};
    if (target.bar) {
        bounds = source_->barBounds(*target.bar);
    } else {
        GetWindowRect(window_, &bounds);
    }
    *left = bounds.left;
    *top = bounds.top;
    *width = bounds.right - bounds.left;
    *height = bounds.bottom - bounds.top;
    return S_OK;
}

// Among the bars, and from the chart to its first and last; the rest as the window's own.
HRESULT Win32AccessibleChart::accNavigate(long direction, VARIANT start, VARIANT* end) {
    const Target target = targetOf(start);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    const auto bars = static_cast<LONG>(source_->shownChart().bars.size());
    LONG id = 0;
    if (!target.bar) {
        if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
            return standard_->accNavigate(direction, start, end);
        }
        id = direction == NAVDIR_FIRSTCHILD ? 1 : bars;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) {
        id = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) {
        id = start.lVal - 1;
    }
    end->vt = VT_EMPTY;
    if (id < 1 || id > bars) {
        return S_FALSE;
    }
    setChild(*end, id);
    return S_OK;
}

HRESULT Win32AccessibleChart::accHitTest(long left, long top, VARIANT* child) {
    if (source_ == nullptr) {
        return E_FAIL;
    }
    const POINT point{left, top};
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    child->vt = VT_EMPTY;
    if (PtInRect(&bounds, point) == FALSE) {
        return S_FALSE;
    }
    const auto bar = source_->barAt(point);
    setChild(*child, bar ? childIdOf(*bar) : CHILDID_SELF);
    return S_OK;
}

HRESULT Win32AccessibleChart::accDoDefaultAction(VARIANT) {
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT Win32AccessibleChart::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT Win32AccessibleChart::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

} // namespace quillmarten
