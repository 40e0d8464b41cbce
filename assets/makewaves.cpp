// Build-time tool: writes the game's wave cues into the folder given as its argument.

#include "waves.h"

#include <iostream>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: zubbo_makewaves FOLDER\n";
        return 2;
    }
    if (!Waves::writeCues(argv[1])) {
        std::cerr << "zubbo_makewaves: cannot write the wave files into " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
