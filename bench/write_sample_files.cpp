// Writes a log of three sessions a day and its days file, for measuring the report command itself
// on a log of any length, for example with /usr/bin/time -v. Run:
//   build/native/bench/write_sample_files DIRECTORY SESSIONS
#include "sample_log.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: write_sample_files DIRECTORY SESSIONS\n";
        return 2;
    }
    const int sessions = std::stoi(argv[2]);
    quillmarten::bench::writeSampleLog(argv[1], quillmarten::bench::threeSessionsADay, sessions);
    quillmarten::bench::writeSampleDaysFile(argv[1], quillmarten::bench::threeSessionsADay,
                                            sessions);
    return 0;
}
