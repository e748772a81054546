#include "report/report_command.h"

#include "log_file/posix_file_system.h"

#include <iostream>

int main(int argc, char** argv) {
    quillmarten::PosixFileSystem files;
    return quillmarten::runReport(std::vector<std::string>(argv + 1, argv + argc), files, std::cout,
                                  std::cerr);
}
