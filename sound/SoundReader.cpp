#include "sound/SoundReader.h"

#include "sound/OggVorbisReader.h"
#include "sound/WaveSoundReader.h"
#include "vintara/Exception.h"
#include "vintara/Text.h"

#include <cstring>

namespace vintara {

std::unique_ptr<ISoundReader> CreateSoundReader(IStream& stream) {
    const int position = stream.GetPosition();
    unsigned char header[16] = {};
    stream.Read(header, sizeof header);
    stream.Seek(position, kSeekBegin);

    std::unique_ptr<ISoundReader> reader;
    if (std::memcmp(header, "Ogg", 3) == 0)
        reader = std::make_unique<COggVorbisReader>();
    else if (std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0)
        reader = std::make_unique<CWaveSoundReader>();
    else
        throw EInvalidFileFormat(
            Utf8ToAnsi("CreateSoundReader(): 対応していない音声フォーマットです."));
    reader->Open(stream);
    return reader;
}

} // namespace vintara
