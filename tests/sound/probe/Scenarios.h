#pragma once

#include <string>

namespace probe {

// The playing side: runs a scenario through MVSound.mvx loaded from `library`, with the files in
// `folder`, and saves what it measured there. 0 when the scenario ran.
int PlayScenario(const std::string& scenario, const std::string& library,
                 const std::string& folder);

// The checking side: analyses the null sink's recording (16-bit stereo, 44100 Hz) of the scenario.
// 0 when the sound was right; what was wrong is printed.
int CheckScenario(const std::string& scenario, const std::string& recording,
                  const std::string& folder);

} // namespace probe
