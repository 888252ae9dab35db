// Draws the sheet border that the program ships beside its executables.
#include "gdalhost/BorderDrawing.h"
#include "gdalhost/DgnFile.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: mardex_make_border OUTPUT.dgn [SEED.dgn]\n";
        return 2;
    }
    const std::string seed = argc == 3 ? argv[2] : mardex::dgn::GdalSeedFile();
    std::string error;
    if (!mardex::dgn::DrawBorderFile(argv[1], seed, error)) {
        std::cerr << "mardex_make_border: " << error << "\n";
        return 1;
    }
    return 0;
}
