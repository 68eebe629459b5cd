#include "CorpusSeeds.h"

#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>

namespace miravo::test {

std::string CheckSeeds(const std::string& fuzzer, const std::map<std::string, std::string>& seeds) {
    const std::filesystem::path folder =
        std::filesystem::path(MIRAVO_SOURCE_DIR) / "tests" / "fuzz" / "corpus" / fuzzer;
    const char* update = std::getenv("MIRAVO_UPDATE_CORPUS");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        for (const auto& [name, bytes] : seeds)
            TempFolder::Write(folder / name, bytes);
    }
    std::string differing;
    for (const auto& [name, bytes] : seeds) {
        if (!std::filesystem::exists(folder / name) || TempFolder::Read(folder / name) != bytes)
            differing += " " + name;
    }
    return differing;
}

} // namespace miravo::test
