#include "programs/quillmarten/quillmarten_program.h"

#include <commctrl.h>

// Nothing may end the process through an exception: whatever escapes the program's own
// handlers ends it with a failure code instead of an abort.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        quillmarten::QuillmartenProgram program;
        return program.run(GetCommandLineW());
    } catch (...) {
        return 1;
    }
}
