#include "programs/viewer/viewer_program.h"
#include "viewer/win32_single_instance.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

// Screen readers in other processes reach the chart's accessible object through COM, which
// brings their calls to this thread's messages.
class ComApartment {
  public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (joined_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool joined_;
};

} // namespace

// A second start in the same session wakes the first viewer and ends. Nothing may end the
// process through an exception: whatever escapes ends it with a failure code instead.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const ComApartment apartment;
    try {
        const quillmarten::Win32SingleInstance instance;
        if (!instance.isFirst()) {
            instance.wakeFirst();
            return 0;
        }
        quillmarten::ViewerProgram program(GetCommandLineW());
        return program.run();
    } catch (...) {
        return 1;
    }
}
