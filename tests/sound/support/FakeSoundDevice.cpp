#include "tests/sound/support/FakeSoundDevice.h"

#include <algorithm>
#include <cstring>

namespace soundtest {
namespace {

using Guard = std::unique_lock<std::mutex>;
using vintara::BufferResult;

class CFakeSoundBuffer : public vintara::ISoundBuffer {
public:
    CFakeSoundBuffer(std::shared_ptr<FakeBufferState> state, const std::atomic<bool>& failNotify)
        : state_(std::move(state)), failNotifications_(failNotify) {}

    ~CFakeSoundBuffer() override {
        Guard lock(state_->mutex);
        state_->released = true;
        state_->playing = false;
        state_->changed.notify_all();
    }

    BufferResult Play(bool looping) override {
        Guard lock(state_->mutex);
        if (state_->lost)
            return BufferResult::Lost;
        state_->playing = true;
        state_->looping = looping;
        ++state_->playCalls;
        return BufferResult::Ok;
    }

    void Stop() override {
        Guard lock(state_->mutex);
        if (!state_->playing)
            return;
        state_->playing = false;
        state_->stopsAt.push_back(static_cast<long long>(state_->played.size()));
        if (state_->segments > 0)
            state_->pending[std::size_t(state_->segments)] = true;
        state_->changed.notify_all();
    }

    bool IsPlaying() override {
        Guard lock(state_->mutex);
        return state_->playing;
    }

    bool IsLost() override {
        Guard lock(state_->mutex);
        return state_->lost;
    }

    BufferResult Restore() override {
        Guard lock(state_->mutex);
        if (!state_->restorable)
            return BufferResult::Lost;
        state_->lost = false;
        return BufferResult::Ok;
    }

    void SetCurrentPosition(int position) override {
        Guard lock(state_->mutex);
        state_->cursor = position - position % state_->frameBytes;
        state_->playingSegment = -1;
    }

    bool GetCurrentPosition(int& playCursor) override {
        Guard lock(state_->mutex);
        playCursor = state_->cursor;
        return true;
    }

    BufferResult Lock(int offset, int bytes, bool entireBuffer,
                      vintara::LockedRegion& region) override {
        Guard lock(state_->mutex);
        if (state_->lost)
            return BufferResult::Lost;
        ++state_->lockCalls;
        const int size = int(state_->ring.size());
        if (entireBuffer) {
            offset = 0;
            bytes = size;
        }
        if (offset < 0 || offset >= size || bytes <= 0 || bytes > size)
            return BufferResult::Failed;
        region = {};
        region.first = state_->ring.data() + offset;
        region.firstBytes = std::min(bytes, size - offset);
        if (bytes > region.firstBytes) {
            region.second = state_->ring.data();
            region.secondBytes = bytes - region.firstBytes;
        }
        if (state_->playing && state_->playingSegment >= 0 && state_->segmentBytes > 0) {
            const int first = offset / state_->segmentBytes;
            const int last = (offset + region.firstBytes - 1) / state_->segmentBytes;
            if (state_->playingSegment >= first && state_->playingSegment <= last)
                ++state_->writesIntoPlaying;
        }
        return BufferResult::Ok;
    }

    void Unlock(const vintara::LockedRegion& region) override {
        Guard lock(state_->mutex);
        if (state_->segmentBytes <= 0)
            return;
        auto mark = [&](void* at, int bytes) {
            if (!at || bytes <= 0)
                return;
            const int offset = int(static_cast<unsigned char*>(at) - state_->ring.data());
            for (int s = offset / state_->segmentBytes;
                 s <= (offset + bytes - 1) / state_->segmentBytes && s < state_->segments; ++s)
                state_->fresh[std::size_t(s)] = true;
        };
        mark(region.first, region.firstBytes);
        mark(region.second, region.secondBytes);
        state_->changed.notify_all();
    }

    void SetVolume(int attenuation) override {
        Guard lock(state_->mutex);
        if (attenuation < -10000 || attenuation > 0)
            return; // DirectSound refuses it
        state_->volume = attenuation;
        state_->volumes.emplace_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - state_->created)
                .count(),
            attenuation);
    }

    int GetVolume() override {
        Guard lock(state_->mutex);
        return state_->volume;
    }

    void SetPan(int pan) override {
        Guard lock(state_->mutex);
        state_->pan = pan;
    }

    int GetPan() override {
        Guard lock(state_->mutex);
        return state_->pan;
    }

    bool SetNotifications(int segmentBytes, int segments) override {
        if (failNotifications_)
            return false;
        Guard lock(state_->mutex);
        state_->segmentBytes = segmentBytes;
        state_->segments = segments;
        state_->pending.assign(std::size_t(segments) + 1, false);
        state_->fresh.assign(std::size_t(segments), false);
        return true;
    }

    int WaitForNotification(int timeoutMilliseconds) override {
        Guard lock(state_->mutex);
        auto pending = [&] {
            return std::find(state_->pending.begin(), state_->pending.end(), true) !=
                   state_->pending.end();
        };
        if (timeoutMilliseconds == kWaitForever)
            state_->changed.wait(lock, pending);
        else if (!state_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMilliseconds),
                                           pending))
            return kWaitTimedOut;
        const auto found = std::find(state_->pending.begin(), state_->pending.end(), true);
        *found = false;
        return int(found - state_->pending.begin());
    }

    void WakeWaiter() override {
        Guard lock(state_->mutex);
        if (!state_->pending.empty())
            state_->pending.back() = true;
        state_->changed.notify_all();
    }

    void ClearNotifications() override {
        Guard lock(state_->mutex);
        std::fill(state_->pending.begin(), state_->pending.end(), false);
    }

private:
    std::shared_ptr<FakeBufferState> state_;
    const std::atomic<bool>& failNotifications_;
};

} // namespace

CFakeSoundDevice::CFakeSoundDevice() : CFakeSoundDevice(Options{}) {}

CFakeSoundDevice::CFakeSoundDevice(Options options)
    : options_(options), mixer_([this] { MixerLoop(); }) {}

CFakeSoundDevice::~CFakeSoundDevice() {
    quit_ = true;
    for (auto& state : Buffers()) {
        Guard lock(state->mutex);
        state->changed.notify_all();
    }
    mixer_.join();
}

std::unique_ptr<vintara::ISoundBuffer>
CFakeSoundDevice::CreateSoundBuffer(const vintara::SoundBufferDesc& desc) {
    if (failCreations_ > 0) {
        --failCreations_;
        return nullptr;
    }
    if (!desc.format || desc.bytes <= 0 || desc.format->nBlockAlign == 0)
        return nullptr;
    auto state = std::make_shared<FakeBufferState>();
    state->desc = desc;
    const auto* format = reinterpret_cast<const unsigned char*>(desc.format);
    state->formatBlock.assign(format, format + sizeof(vintara::WaveFormat) + desc.format->cbSize);
    state->desc.format = reinterpret_cast<const vintara::WaveFormat*>(state->formatBlock.data());
    state->ring.assign(std::size_t(desc.bytes), desc.format->wBitsPerSample == 8 ? 0x80 : 0);
    state->frameBytes = desc.format->nBlockAlign;
    state->bytesPerSecond = int(desc.format->nAvgBytesPerSec);
    {
        std::lock_guard lock(mutex_);
        buffers_.push_back(state);
    }
    return std::make_unique<CFakeSoundBuffer>(state, failNotifications_);
}

std::vector<std::shared_ptr<FakeBufferState>> CFakeSoundDevice::Buffers() {
    std::lock_guard lock(mutex_);
    return buffers_;
}

std::shared_ptr<FakeBufferState> CFakeSoundDevice::LastBuffer() {
    std::lock_guard lock(mutex_);
    return buffers_.empty() ? nullptr : buffers_.back();
}

void CFakeSoundDevice::MixerLoop() {
    const auto period =
        std::chrono::duration<double>(options_.periodMilliseconds / 1000.0 / options_.speed);
    auto next = std::chrono::steady_clock::now();
    while (!quit_) {
        next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period);
        std::this_thread::sleep_until(next);
        const auto now = std::chrono::steady_clock::now();
        if (now - next > std::chrono::milliseconds(50))
            next = now; // far behind (a slow sanitizer run): do not race to catch up
        for (auto& state : Buffers()) {
            int bytes = state->bytesPerSecond / 1000 * options_.periodMilliseconds;
            bytes -= bytes % state->frameBytes;
            Advance(*state, std::max(bytes, state->frameBytes));
        }
    }
}

void CFakeSoundDevice::Advance(FakeBufferState& state, int bytes) {
    Guard lock(state.mutex);
    const int size = int(state.ring.size());
    const int seg = state.segmentBytes;
    while (bytes > 0 && state.playing && !state.released && !state.lost && !quit_) {
        if (seg > 0 && state.cursor % seg == 0) {
            const auto index = std::size_t(state.cursor / seg);
            if (!state.fresh[index] && options_.lockstep) {
                state.changed.wait_for(lock, std::chrono::seconds(2), [&] {
                    return state.fresh[index] || !state.playing || state.released || quit_;
                });
                if (!state.playing || state.released || quit_)
                    return;
            }
            if (!state.fresh[index])
                ++state.underruns;
            state.fresh[index] = false;
            state.playingSegment = int(index);
        }
        int n = std::min(bytes, size - state.cursor);
        if (seg > 0)
            n = std::min(n, seg - state.cursor % seg);
        if (options_.keepPlayed)
            state.played.insert(state.played.end(), state.ring.begin() + state.cursor,
                                state.ring.begin() + state.cursor + n);
        state.cursor += n;
        state.playedBytes += n;
        bytes -= n;
        if (seg > 0 && state.cursor % seg == 0) {
            state.playingSegment = -1;
            state.pending[std::size_t(state.cursor / seg - 1)] = true;
            state.changed.notify_all();
        }
        if (state.cursor == size) {
            if (state.looping) {
                state.cursor = 0;
            } else {
                state.playing = false;
                state.stopsAt.push_back(static_cast<long long>(state.played.size()));
                if (seg > 0)
                    state.pending[std::size_t(state.segments)] = true;
                state.changed.notify_all();
            }
        }
    }
}

} // namespace soundtest
