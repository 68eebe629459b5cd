// sound_probe: the Windows side of the recorded sound tests (tests/sound/record.sh).
//   sound_probe write FOLDER\                      writes the sound files
//   sound_probe play SCENARIO MVSOUND.MVX FOLDER\  plays a scenario, keeps its measurements
//   sound_probe check SCENARIO RECORDING FOLDER\   analyses the recording of the null sink
#include "tests/sound/probe/ProbeFiles.h"
#include "tests/sound/probe/Scenarios.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 3) {
        probe::WriteProbeFiles(argv[2]);
        return 0;
    }
    if (command == "play" && argc == 5)
        return probe::PlayScenario(argv[2], argv[3], argv[4]);
    if (command == "check" && argc == 5)
        return probe::CheckScenario(argv[2], argv[3], argv[4]);
    std::fprintf(stderr, "usage: sound_probe write FOLDER | play SCENARIO LIBRARY FOLDER | "
                         "check SCENARIO RECORDING FOLDER\n");
    return 2;
}
