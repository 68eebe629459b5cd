#pragma once

#include <map>
#include <string>

namespace miravo::test {

// The seed corpus of a fuzzer lives in tests/fuzz/corpus/<fuzzer>/ and is made by our own code:
// the seed tests compare the committed files with what the code makes now, and rewrite them
// when MIRAVO_UPDATE_CORPUS=1 is set. Returns the names that differ (empty: up to date).
std::string CheckSeeds(const std::string& fuzzer, const std::map<std::string, std::string>& seeds);

} // namespace miravo::test
