// Outside data through the decoders: CreateSoundReader, a full decode in odd-sized pieces, a
// rewind, and the streaming ring looping over it. Anything but an EException is a finding.
#include "sound/SoundReader.h"
#include "sound/StreamRing.h"
#include "vintara/Exception.h"
#include "vintara/MemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vintara::CMemoryStream stream;
    stream.Write(data, int(size));
    stream.Seek(0, vintara::kSeekBegin);
    try {
        auto reader = vintara::CreateSoundReader(stream);
        const vintara::WaveFormat format = *reader->GetFormat();
        reader->GetSize();
        std::vector<unsigned char> buffer(8192);
        long long total = 0;
        for (int i = 0; total < (16 << 20); ++i) {
            const int wanted = 4096 + i % 13;
            const int got = reader->Read(buffer.data(), wanted);
            if (got < 0 || got > wanted)
                std::abort();
            if (got == 0)
                break;
            total += got;
        }
        reader->Rewind();
        reader->Read(buffer.data(), 100);

        // Looping over what decodes (or nothing) must neither spin nor throw.
        const int ring = vintara::CStreamRing::RingBytesFor(format);
        if (ring > 0 && ring <= (1 << 20)) {
            vintara::CStreamRing streamRing;
            streamRing.Attach(reader.get(), format, ring);
            std::vector<unsigned char> segment(std::size_t(streamRing.SegmentBytes()));
            for (int i = 0; i < 20; ++i)
                streamRing.Fill(segment.data(), streamRing.SegmentBytes(), i < 12);
        }
    } catch (const vintara::EException&) {
    }
    return 0;
}
