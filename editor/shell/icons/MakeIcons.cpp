// Writes the program's icons into a folder: Miravo.ico (the program) and MiravoNovel.ico (the
// novel document). Run at build time; the resources of Miravo.exe include both.
#include "editor/shell/icons/ProgramIcons.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-icons FOLDER\n";
        return 1;
    }
    const std::string folder = argv[1];
    for (const auto& [name, draw] : {std::pair{"/Miravo.ico", &miravo::DrawProgramIcon},
                                     std::pair{"/MiravoNovel.ico", &miravo::DrawNovelIcon}}) {
        std::vector<miravo::IconImage> images;
        for (const int size : miravo::kIconSizes)
            images.push_back(draw(size));
        std::ofstream file(folder + name, std::ios::binary);
        file << miravo::IcoFileBytes(images);
        if (!file.flush()) {
            std::cerr << "make-icons: cannot write " << folder << name << "\n";
            return 1;
        }
    }
    return 0;
}
