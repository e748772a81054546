#include "pictures.h"

#include <exception>
#include <iostream>

// Build-time helper: draws the program's icons, cursor and bitmap into the directory given.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_pictures OUTDIR\n";
        return 2;
    }
    try {
        quillmarten::pictures::writePictures(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "make_pictures: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
