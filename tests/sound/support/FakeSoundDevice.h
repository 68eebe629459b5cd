#pragma once

// A sound device for the portable tests: buffers in memory whose play cursor a mixer thread
// moves on in real time (or faster), firing position and stop notifications like DirectSound
// and keeping every byte the cursor passes, so a test can compare what "played" with what should
// have. In lockstep mode the mixer never enters a streaming segment that has not been written
// since it last played: slow threads (sanitizers) then slow the simulated time down instead of
// producing stale audio, and what the engine wrote is checked exactly.

#include "sound/SoundBuffer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace soundtest {

struct FakeBufferState {
    std::mutex mutex;
    std::condition_variable changed;

    vintara::SoundBufferDesc desc;
    std::vector<unsigned char> formatBlock;
    std::vector<unsigned char> ring;
    int frameBytes = 1;
    int bytesPerSecond = 0;

    bool released = false;
    bool playing = false;
    bool looping = false;
    bool lost = false;
    bool restorable = true; // Restore answers "still lost" while false
    int cursor = 0;
    int volume = 0;
    int pan = 0;

    // Notifications: 0..segments-1 for the segments, `segments` for the stop.
    int segmentBytes = 0;
    int segments = 0;
    std::vector<bool> pending;
    std::vector<bool> fresh; // written since it last played
    int playingSegment = -1; // the segment under the cursor, -1 at a boundary

    // What happened.
    std::vector<unsigned char> played;
    long long playedBytes = 0;                   // also when `played` is not kept
    std::vector<std::pair<double, int>> volumes; // (seconds since creation, attenuation)
    std::vector<long long> stopsAt;              // played bytes at each stop
    long long playCalls = 0;
    long long lockCalls = 0;
    int underruns = 0;         // a segment played again without having been written
    int writesIntoPlaying = 0; // a lock of the segment under the cursor
    std::chrono::steady_clock::time_point created = std::chrono::steady_clock::now();
};

class CFakeSoundDevice : public vintara::ISoundDevice {
public:
    struct Options {
        double speed = 1.0; // simulated seconds per real second
        bool lockstep = true;
        int periodMilliseconds = 5;
        bool softwareBuffers = true;
        bool keepPlayed = true; // off: only the counts, for long runs of many buffers
    };

    CFakeSoundDevice();
    explicit CFakeSoundDevice(Options options);
    ~CFakeSoundDevice() override;

    std::unique_ptr<vintara::ISoundBuffer>
    CreateSoundBuffer(const vintara::SoundBufferDesc& desc) override;
    bool UsesSoftwareBuffers() const override { return options_.softwareBuffers; }

    void FailBufferCreation(int count) { failCreations_ = count; }
    void FailNotifications(bool fail) { failNotifications_ = fail; }
    std::vector<std::shared_ptr<FakeBufferState>> Buffers();
    std::shared_ptr<FakeBufferState> LastBuffer();
    const Options& GetOptions() const { return options_; }

private:
    void MixerLoop();
    void Advance(FakeBufferState& state, int bytes);

    Options options_;
    std::mutex mutex_;
    std::vector<std::shared_ptr<FakeBufferState>> buffers_;
    std::atomic<int> failCreations_{0};
    std::atomic<bool> failNotifications_{false};
    std::atomic<bool> quit_{false};
    std::thread mixer_;
};

} // namespace soundtest
