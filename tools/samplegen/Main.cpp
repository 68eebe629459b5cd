// samplegen FOLDER: writes the sample novel and its pictures and sounds into FOLDER, for
// `make run` and the tests.
#include "tools/samplegen/SampleGenerator.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: samplegen FOLDER\n");
        return 2;
    }
    try {
        const auto written = miravo::samplegen::GenerateSample(argv[1]);
        std::printf("samplegen: %zu files written to %s\n", written.size(), argv[1]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "samplegen: %s\n", error.what());
        return 1;
    }
}
