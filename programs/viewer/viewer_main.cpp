#include "programs/viewer/viewer_program.h"
#include "viewer/win32_single_instance.h"

#include <commctrl.h>

// A second start in the same session wakes the first viewer and ends. Nothing may end the
// process through an exception: whatever escapes ends it with a failure code instead.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
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
