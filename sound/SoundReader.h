#pragma once

#include "sound/WaveFormat.h"
#include "vintara/Object.h"
#include "vintara/Stream.h"

#include <memory>

namespace vintara {

// Turns a stream of sound data into interleaved PCM bytes. A reader keeps a reference to its
// stream and never closes or deletes it: the stream must outlive the reader.
class ISoundReader : public IInterface {
public:
    virtual void Open(IStream& stream) = 0;
    // The format of what Read delivers; owned by the reader, valid until the next Open.
    virtual WaveFormat* GetFormat() = 0;
    // The next Read starts again at the first sample.
    virtual void Rewind() = 0;
    // Up to `count` PCM bytes; fewer only at the end of the data, 0 at the end.
    virtual int Read(void* buffer, int count) = 0;
    // Total PCM bytes of the whole sound.
    virtual int GetSize() = 0;
};

// A new, opened reader chosen by the stream's first bytes ("Ogg", or "RIFF"...."WAVE"); the
// stream stays where it was. Raises EInvalidFileFormat for anything else.
std::unique_ptr<ISoundReader> CreateSoundReader(IStream& stream);

} // namespace vintara
