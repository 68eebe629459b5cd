#pragma once

namespace miravo {
struct CNovelModel;
}

// The sample novel 「夏の終わりの図書室」: thirteen items joined by menu, automatic and ending
// links, three of them conditional on counters; three counters (one carried over between
// plays); two text windows; scripts that use the commands of the script language on the
// pictures and sounds of SampleAssets.h, by paths relative to the novel folder.
namespace miravo::samplegen {

// The model holds the sample afterwards (whatever it held before is replaced).
void BuildSampleNovel(CNovelModel& model);

} // namespace miravo::samplegen
