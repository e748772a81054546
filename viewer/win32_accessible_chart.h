#pragma once

#include "viewer/usage_chart.h"

#include <windows.h>

#include <oleacc.h>

#include <cstddef>
#include <optional>

namespace quillmarten {

// What the chart's accessible object asks of the chart's window.
class AccessibleChartSource {
  public:
    virtual ~AccessibleChartSource() = default;
    virtual const UsageChart& shownChart() const = 0;
    virtual std::optional<std::size_t> focusedBar() const = 0;
    virtual bool hasKeyboardFocus() const = 0;
    // In screen pixels.
    virtual RECT barBounds(std::size_t bar) const = 0;
    virtual std::optional<std::size_t> barAt(POINT screen) const = 0;
    virtual void focusBar(std::size_t bar, bool takeKeyboardFocus) = 0;
};

// The chart as Microsoft Active Accessibility shows it to screen readers (and, through it, to UI
// Automation): the chart itself as child 0, named by its span, and each bar as a simple element,
// children 1 and on, named by its period with its time as value. Where the chart says nothing of
// its own (its place, parent and state as a window), the system's standard object of its window
// answers. Reference-counted; a client may hold it after the chart is gone, and is told so then.
class Win32AccessibleChart final : public IAccessible {
  public:
    // With one reference, the caller's; nullptr when the standard object cannot be had.
    static Win32AccessibleChart* create(HWND window, AccessibleChartSource& source);
    // The chart is going: every later question fails.
    void disconnect() { source_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  private:
    // What a child id stands for: the chart itself, a bar, or nothing it has.
    struct Target {
        bool valid = false;
        std::optional<std::size_t> bar; // nullopt: the chart itself
    };

    Win32AccessibleChart(HWND window, AccessibleChartSource& source, IAccessible* standard);
    ~Win32AccessibleChart();
    Target targetOf(const VARIANT& child) const;

    LONG references_ = 1;
    HWND window_;
    AccessibleChartSource* source_;
    IAccessible* standard_; // owned: one reference
};

} // namespace quillmarten
