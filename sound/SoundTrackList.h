#pragma once

#include "sound/StreamingSound.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// The host's track names mapped to streaming sounds: one sound per name, and the volume the host
// last set for that name. Names are byte strings compared byte by byte (std::string orders
// its characters as unsigned char), case-sensitive. Used from the host's thread only.
class CSoundTrackList : public vintara::CNonCopyable {
public:
    // Keeps playing when the host's window loses the focus; its volume can be set.
    static constexpr std::uint32_t kTrackFlags =
        vintara::kBufferGlobalFocus | vintara::kBufferCtrlVolume;

    class CSoundTrack {
    public:
        CSoundTrack() : sound(kTrackFlags) {}
        vintara::CStreamingSound sound;
        int volume = 0; // on the volume scale
    };

    ~CSoundTrackList() override { Clear(); }

    // Every track's sound is destroyed: its threads are joined, its buffer, decoder and stream
    // released.
    virtual void Clear();
    // Created on first use; never null.
    virtual CSoundTrack* Get(const std::string& name);
    virtual int Remove(const std::string& name);
    virtual int GetVolume(const std::string& name);
    // Stores the volume and applies it at once if the sound has a buffer.
    virtual void SetVolume(const std::string& name, int volume);
    virtual void ApplyVolume(const std::string& name);

    // Every sound's ended threads let go (CStreamingSound::ForgetEndedThreads), then Clear.
    void ClearAfterThreadsEnded();

    // In the list's order.
    std::vector<std::string> Names() const;

private:
    std::map<std::string, std::shared_ptr<CSoundTrack>> tracks_;
};
