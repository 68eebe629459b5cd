#include "sound/SoundTrackList.h"

void CSoundTrackList::Clear() {
    // Taken out first, so that the list is already empty while the sounds wind down.
    auto tracks = std::move(tracks_);
    tracks_.clear();
    tracks.clear();
}

void CSoundTrackList::ClearAfterThreadsEnded() {
    for (auto& [name, track] : tracks_)
        track->sound.ForgetEndedThreads();
    Clear();
}

CSoundTrackList::CSoundTrack* CSoundTrackList::Get(const std::string& name) {
    auto found = tracks_.find(name);
    if (found == tracks_.end())
        found = tracks_.emplace(name, std::make_shared<CSoundTrack>()).first;
    return found->second.get();
}

int CSoundTrackList::Remove(const std::string& name) {
    auto found = tracks_.find(name);
    if (found == tracks_.end())
        return 0;
    auto track = std::move(found->second);
    tracks_.erase(found);
    return 1;
}

int CSoundTrackList::GetVolume(const std::string& name) { return Get(name)->volume; }

void CSoundTrackList::SetVolume(const std::string& name, int volume) {
    CSoundTrack* track = Get(name);
    track->volume = volume;
    track->sound.SetVolume(volume);
}

void CSoundTrackList::ApplyVolume(const std::string& name) {
    CSoundTrack* track = Get(name);
    track->sound.SetVolume(track->volume);
}

std::vector<std::string> CSoundTrackList::Names() const {
    std::vector<std::string> names;
    for (const auto& [name, track] : tracks_)
        names.push_back(name);
    return names;
}
