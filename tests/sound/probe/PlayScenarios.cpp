// The playing side of the recorded scenarios.
#include "tests/sound/probe/Events.h"
#include "tests/sound/probe/Host.h"
#include "tests/sound/probe/ProbeFiles.h"
#include "tests/sound/probe/Scenarios.h"
#include "tests/sound/support/Win32Files.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>

namespace probe {
namespace {

using Play = std::function<bool(CHost&, const std::string& folder, CEvents&)>;

bool PlayAndWait(CHost& host, const char* track, const std::string& path, double limit = 10) {
    if (!host.Sound().Play(track, path.c_str(), 0))
        return false;
    return host.WaitUntilStopped(track, limit) >= 0;
}

bool PlayTone(CHost& host, const std::string& folder, CEvents&) {
    return PlayAndWait(host, "tone", folder + kTone440Wave);
}

bool PlayOgg(CHost& host, const std::string& folder, CEvents&) {
    return PlayAndWait(host, "tone", folder + kTone660Ogg);
}

bool PlayMix(CHost& host, const std::string& folder, CEvents&) {
    auto& sound = host.Sound();
    if (!sound.Play("a", (folder + kMix440).c_str(), 0) ||
        !sound.Play("b", (folder + kMix660).c_str(), 0))
        return false;
    return host.WaitUntilStopped("a", 10) >= 0 && host.WaitUntilStopped("b", 10) >= 0;
}

bool PlayReplace(CHost& host, const std::string& folder, CEvents& events) {
    auto& sound = host.Sound();
    if (!sound.Play("bgm", (folder + kLong440).c_str(), 0))
        return false;
    host.Sleep(1.0);
    if (!sound.Play("bgm", (folder + kTone660Ogg).c_str(), 0))
        return false;
    events.Put("playing_after_replace", sound.IsPlaying("bgm"));
    return host.WaitUntilStopped("bgm", 10) >= 0;
}

bool PlayEnd(CHost& host, const std::string& folder, CEvents& events) {
    auto& sound = host.Sound();
    const double start = CHost::Now();
    if (!sound.Play("se", (folder + kShort).c_str(), 0))
        return false;
    events.Put("playing_at_start", sound.IsPlaying("se"));
    const double waited = host.WaitUntilStopped("se", 10);
    events.Put("stopped_after", waited < 0 ? -1 : CHost::Now() - start);
    return waited >= 0;
}

bool PlayLoop(CHost& host, const std::string& folder, CEvents&) {
    auto& sound = host.Sound();
    sound.SetLooping("bgm", 1);
    if (!sound.Play("bgm", (folder + kLoop).c_str(), 0))
        return false;
    host.Sleep(3.0);
    sound.Stop("bgm");
    return true;
}

bool PlayFadeIn(CHost& host, const std::string& folder, CEvents& events) {
    auto& sound = host.Sound();
    if (!sound.Play("bgm", (folder + kLong440).c_str(), 1500))
        return false;
    events.Put("playing_at_start", sound.IsPlaying("bgm"));
    host.Sleep(2.5);
    sound.Stop("bgm");
    return true;
}

bool PlayFadeOut(CHost& host, const std::string& folder, CEvents& events) {
    auto& sound = host.Sound();
    if (!sound.Play("bgm", (folder + kLong440).c_str(), 0))
        return false;
    host.Sleep(0.5);
    const double start = CHost::Now();
    sound.FadeOut("bgm", 1000);
    host.Sleep(0.3);
    sound.FadeOut("bgm", 3000); // ignored: a fade is running
    const double waited = host.WaitUntilStopped("bgm", 10);
    events.Put("stopped_after", waited < 0 ? -1 : CHost::Now() - start);
    sound.FadeOut("bgm", 1000); // not playing: nothing
    events.Put("playing_after_fade", sound.IsPlaying("bgm"));
    return waited >= 0;
}

// A looping sound faded out while its 2 s fade-in still runs.
bool PlayFadeInOut(CHost& host, const std::string& folder, CEvents& events) {
    auto& sound = host.Sound();
    sound.SetLooping("bgm", 1);
    if (!sound.Play("bgm", (folder + kLong440).c_str(), 2000))
        return false;
    host.Sleep(1.0);
    const double start = CHost::Now();
    sound.FadeOut("bgm", 500);
    const double waited = host.WaitUntilStopped("bgm", 5);
    events.Put("stopped_after", waited < 0 ? -1 : CHost::Now() - start);
    sound.Stop("bgm");
    return true;
}

// A volume set half a second into a 2 s fade-in.
bool PlayFadeVolume(CHost& host, const std::string& folder, CEvents&) {
    auto& sound = host.Sound();
    if (!sound.Play("bgm", (folder + kLong440).c_str(), 2000))
        return false;
    host.Sleep(0.5);
    sound.SetVolume("bgm", -5000);
    host.Sleep(2.5);
    sound.Stop("bgm");
    return true;
}

bool PlayVolume(CHost& host, const std::string& folder, CEvents&) {
    host.Sound().SetVolume("se", -5000);
    return PlayAndWait(host, "se", folder + kTone440Wave);
}

bool PlayWindow(CHost& host, const std::string& folder, CEvents&) {
    auto& sound = host.Sound();
    const std::string container = folder + kContainer;
    const int length = int(ContainedWave().size());
    const bool played =
        sound.PlayFromFilePartition("w", container.c_str(), 0, kContainerJunkBefore, length) &&
        host.WaitUntilStopped("w", 10) >= 0;
    host.Sleep(0.5);
    return played && PlayAndWait(host, "w", folder + kContained);
}

bool PlayStress(CHost& host, const std::string& folder, CEvents& events) {
    const char* configured = std::getenv("SOUND_STRESS_SECONDS");
    const double seconds = configured ? std::atof(configured) : 60;
    auto& sound = host.Sound();
    // The reference: what the process holds with the device initialized once and finalized,
    // after a first error report (the system's message text is loaded once, on first use).
    PlayAndWait(host, "warm", folder + kShort);
    sound.Play("warm", (folder + "missing.wav").c_str(), 0);
    host.Finalize();
    host.Sleep(0.5);
    const int threadsBefore = soundtest::ThreadsOfThisProcess();
    const int handlesBefore = soundtest::HandlesOfThisProcess();
    if (!host.Reinitialize())
        return false;

    const std::string files[] = {folder + kTone440Wave, folder + kTone660Ogg, folder + kShort,
                                 folder + kLoop, folder + "missing.wav"};
    std::mt19937 random(4711);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    char name[] = "track0";
    int calls = 0;
    const double end = CHost::Now() + seconds;
    while (CHost::Now() < end) {
        name[5] = char('0' + pick(8));
        switch (pick(12)) {
        case 0:
        case 1: sound.Play(name, files[pick(5)].c_str(), pick(3) == 0 ? pick(800) : 0); break;
        case 2:
            sound.PlayFromFilePartition(name, (folder + kContainer).c_str(), pick(300),
                                        kContainerJunkBefore, int(ContainedWave().size()));
            break;
        case 3:
        case 4: sound.Stop(name); break;
        case 5:
        case 6: sound.FadeOut(name, pick(600)); break;
        case 7: sound.SetLooping(name, pick(2)); break;
        case 8: sound.SetVolume(name, -pick(10001)); break;
        default: sound.IsPlaying(name); break;
        }
        ++calls;
        host.Sleep(pick(20) / 1000.0);
    }
    events.Put("calls", calls);
    host.Finalize();
    host.Sleep(1.0);
    events.Put("threads_before", threadsBefore);
    events.Put("threads_after", soundtest::ThreadsOfThisProcess());
    events.Put("handles_before", handlesBefore);
    events.Put("handles_after", soundtest::HandlesOfThisProcess());
    for (char track = '0'; track < '8'; ++track) {
        name[5] = track;
        if (sound.IsPlaying(name))
            return false;
    }
    return true;
}

// Not a test: the benchmark of how many tracks play at once (see the check side), and what the
// process spends on them.
bool PlayTracks(CHost& host, const std::string& folder, CEvents& events) {
    const int count = std::getenv("SOUND_TRACKS") ? std::atoi(std::getenv("SOUND_TRACKS")) : 16;
    const double seconds = 6;
    for (int i = 0; i < count; ++i)
        WriteFile(folder + TrackFileName(i), TrackTone(i, count));
    auto& sound = host.Sound();
    const double idleStart = ProcessCpuSeconds();
    host.Sleep(seconds);
    const double idle = ProcessCpuSeconds() - idleStart;
    const double busyStart = ProcessCpuSeconds();
    for (int i = 0; i < count; ++i) {
        const std::string track = "t" + std::to_string(i);
        sound.SetLooping(track.c_str(), 1);
        if (!sound.Play(track.c_str(), (folder + TrackFileName(i)).c_str(), 0))
            return false;
    }
    host.Sleep(seconds);
    const double busy = ProcessCpuSeconds() - busyStart;
    events.Put("tracks", count);
    events.Put("cpu_idle_per_second", idle / seconds);
    events.Put("cpu_per_track_per_second", (busy - idle) / seconds / count);
    for (int i = 0; i < count; ++i)
        sound.Stop(("t" + std::to_string(i)).c_str());
    return true;
}

const std::map<std::string, Play>& Scenarios() {
    static const std::map<std::string, Play> scenarios = {{"tone", PlayTone},
                                                          {"ogg", PlayOgg},
                                                          {"mix", PlayMix},
                                                          {"replace", PlayReplace},
                                                          {"end", PlayEnd},
                                                          {"loop", PlayLoop},
                                                          {"fadein", PlayFadeIn},
                                                          {"fadeout", PlayFadeOut},
                                                          {"volume", PlayVolume},
                                                          {"window", PlayWindow},
                                                          {"stress", PlayStress},
                                                          {"tracks", PlayTracks},
                                                          {"fadeinout", PlayFadeInOut},
                                                          {"fadevolume", PlayFadeVolume}};
    return scenarios;
}

} // namespace

int PlayScenario(const std::string& scenario, const std::string& library,
                 const std::string& folder) {
    const auto found = Scenarios().find(scenario);
    if (found == Scenarios().end()) {
        std::printf("unknown scenario %s\n", scenario.c_str());
        return 2;
    }
    CEvents events;
    bool ok = false;
    {
        CHost host;
        if (!host.Open(library))
            return 1;
        ok = found->second(host, folder, events);
        host.Finalize();
    }
    events.Put("reports", double(CHost::Reports().size()));
    events.Save(folder + "events.txt");
    if (!ok)
        std::printf("scenario %s did not run through\n", scenario.c_str());
    return ok ? 0 : 1;
}

} // namespace probe
