#include "tools/mvtool/Console.h"
#include "tools/mvtool/MvTool.h"

#include <iostream>

int main(int argc, char** argv) {
    miravo::PrepareConsole();
    const int code = miravo::RunMvTool(miravo::Utf8Arguments(argc, argv), std::cout, std::cerr);
    std::cout.flush();
    return code;
}
