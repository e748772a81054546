#include "report/report_command.h"

#include "log_file/win32_file_system.h"
#include "platform/win32_text.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <iostream>

// The arguments arrive in UTF-16 and go on in UTF-8, so that any file name opens. The report
// goes out byte for byte: in text mode the C runtime would turn CSV's CR LF into CR CR LF.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments;
    for (int at = 1; at < argc; ++at) {
        arguments.push_back(quillmarten::narrow(argv[at]));
    }
    quillmarten::Win32FileSystem files;
    return quillmarten::runReport(arguments, files, std::cout, std::cerr);
}
