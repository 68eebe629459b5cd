#pragma once

#include "tools/samplegen/Synth.h"

// The music and sound effects of the sample novel.
namespace miravo::samplegen {

Sound ComposeAfternoon(); // a calm piano loop in C major, stereo
Sound ComposeEvening();   // slow chords in A minor, mono
Sound ComposeTitle();     // a short rising theme for the title screen, stereo
Sound MakeDoor();         // a sliding door and a knock
Sound MakeChime();        // the school chime
Sound MakePageTurn();     // a page turning
Sound MakeFootsteps();    // four steps in a corridor

} // namespace miravo::samplegen
