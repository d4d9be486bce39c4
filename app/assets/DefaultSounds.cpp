#include "DefaultSounds.h"

#include "DefaultTunes.h"
#include "SoundSynth.h"
#include "platform/FileIo.h"
#include "platform/PinError.h"
#include "sound/DefaultSoundNames.h"
#include "sound/WavWriter.h"

#include <cmath>
#include <functional>
#include <map>
#include <system_error>

namespace pinstage {

namespace {

using Samples = std::vector<int16_t>;

// Reel coil: a short dry click.
Samples rouleau() {
    SoundSynth s(0.06, 100);
    s.noise(0.0, 0.05, 0.8, 6000, Envelope{0.0005, 0.005, 120});
    s.tone(0.0, 0.05, 2400, 0.35, Wave::Sine, Envelope{0.0005, 0.005, 150});
    s.tone(0.0, 0.05, 900, 0.3, Wave::Sine, Envelope{0.0005, 0.005, 80});
    return s.render(0.85);
}

// Reel transfer: a heavier clunk with a low thump.
Samples bob2() {
    SoundSynth s(0.25, 101);
    s.sweep(0.0, 0.24, 140, 70, 0.9, Wave::Sine, Envelope{0.001, 0.02, 18});
    s.noise(0.0, 0.08, 0.6, 2500, Envelope{0.0005, 0.01, 60});
    s.tone(0.0, 0.2, 1300, 0.15, Wave::Sine, Envelope{0.001, 0.02, 30});
    return s.render(0.9);
}

// "mer-ci": two chimes, down a third.
Samples merci() {
    SoundSynth s(0.8, 102);
    s.bell(0.0, 1318.5, 0.6, 0.18);
    s.bell(0.25, 1046.5, 0.7, 0.25);
    return s.render(0.8);
}

// Bonus count: a quick rise and a ding.
Samples bonus() {
    SoundSynth s(0.4, 103);
    s.sweep(0.0, 0.12, 600, 1200, 0.4, Wave::Square, Envelope{0.002, 0.02, 0});
    s.bell(0.1, 1568, 0.6, 0.1);
    return s.render(0.8);
}

// "at-tends": two held tones, the second lower.
Samples attends() {
    SoundSynth s(0.8, 104);
    s.tone(0.0, 0.3, 392, 0.5, Wave::Triangle, Envelope{0.02, 0.05, 0});
    s.tone(0.32, 0.45, 329.6, 0.5, Wave::Triangle, Envelope{0.02, 0.15, 1});
    return s.render(0.8);
}

// Laughter: six "ha" falling in pitch, with breath.
Samples rigolade() {
    SoundSynth s(1.2, 105);
    for (int k = 0; k < 6; ++k) {
        double t = 0.05 + k * 0.17;
        double f = 420 - k * 22;
        s.sweep(t, 0.12, f, f * 0.82, 0.5, Wave::Saw, Envelope{0.01, 0.04, 4});
        s.noise(t, 0.12, 0.15, 3000, Envelope{0.005, 0.05, 6});
    }
    return s.render(0.8);
}

// Rubber rebound: "boing".
Samples rebond() {
    SoundSynth s(0.3, 106);
    s.sweep(0.0, 0.3, 320, 110, 0.7, Wave::Sine, Envelope{0.001, 0.03, 8});
    s.sweep(0.0, 0.15, 960, 330, 0.15, Wave::Sine, Envelope{0.001, 0.03, 20});
    return s.render(0.85);
}

// Tilt: a harsh beating buzz.
Samples tilt() {
    SoundSynth s(1.0, 107);
    s.tone(0.0, 1.0, 110, 0.4, Wave::Square, Envelope{0.01, 0.08, 0});
    s.tone(0.0, 1.0, 116.5, 0.4, Wave::Square, Envelope{0.01, 0.08, 0});
    s.tone(0.0, 1.0, 55, 0.3, Wave::Saw, Envelope{0.01, 0.08, 0});
    return s.render(0.8);
}

// Lottery: a fast climbing arpeggio ending on a bell.
Samples loterie() {
    SoundSynth s(1.2, 108);
    const double steps[] = {523.3, 659.3, 784.0, 1046.5, 1318.5, 1568.0};
    for (int k = 0; k < 15; ++k)
        s.tone(k * 0.05, 0.045, steps[k % 6] * std::pow(2.0, k / 6 - 1), 0.35, Wave::Square,
               Envelope{0.002, 0.01, 0});
    s.bell(0.75, 2093, 0.7, 0.15);
    return s.render(0.8);
}

// Spinner: ticks slowing down.
Samples spinner() {
    SoundSynth s(0.8, 109);
    double gap = 0.025;
    for (double t = 0.0; t < 0.75; gap *= 1.12) {
        s.noise(t, 0.008, 0.7, 5000, Envelope{0.0005, 0.002, 200});
        s.tone(t, 0.008, 1800, 0.3, Wave::Sine, Envelope{0.0005, 0.002, 200});
        t += gap;
    }
    return s.render(0.8);
}

// "waouh": up and down.
Samples waouh() {
    SoundSynth s(0.8, 110);
    s.sweep(0.0, 0.35, 200, 600, 0.5, Wave::Saw, Envelope{0.03, 0.0, 0});
    s.sweep(0.35, 0.45, 600, 250, 0.5, Wave::Saw, Envelope{0.0, 0.2, 0});
    return s.render(0.8);
}

// Coin: "ka-ching".
Samples sonpiece() {
    SoundSynth s(0.5, 111);
    s.noise(0.0, 0.02, 0.3, 8000, Envelope{0.0005, 0.005, 100});
    s.bell(0.0, 1975.5, 0.5, 0.08);
    s.bell(0.08, 2637.0, 0.7, 0.12);
    return s.render(0.8);
}

// Cave: a drop and its echoes over a low rumble.
Samples cave() {
    SoundSynth s(1.2, 112);
    s.noise(0.0, 1.2, 0.15, 150, Envelope{0.2, 0.4, 0});
    double amp = 0.7;
    for (double t : {0.05, 0.3, 0.55, 0.8}) {
        s.sweep(t, 0.12, 800, 1400, amp, Wave::Sine, Envelope{0.001, 0.02, 30});
        amp *= 0.5;
    }
    return s.render(0.8);
}

// "c'est difficile": a sad trombone.
Samples cdifficile() {
    SoundSynth s(1.8, 113);
    const double notes[] = {196.0, 185.0, 174.6};
    for (int k = 0; k < 3; ++k)
        s.tone(k * 0.38, 0.34, notes[k], 0.5, Wave::Saw, Envelope{0.02, 0.05, 0});
    // The last note wavers as it dies.
    for (int k = 0; k < 8; ++k)
        s.sweep(1.14 + k * 0.08, 0.08, k % 2 ? 160 : 166, k % 2 ? 166 : 160, 0.5, Wave::Saw,
                Envelope{0.0, 0.0, 0.0});
    return s.render(0.8);
}

// Three gong-like strokes.
Samples dongX3() {
    SoundSynth s(1.8, 114);
    for (double t : {0.0, 0.5, 1.0})
        s.bell(t, 392.0, 0.7, 0.3);
    return s.render(0.8);
}

// "du sang": a low, dark chord stab.
Samples dusang() {
    SoundSynth s(1.0, 115);
    for (double f : {130.8, 155.6, 185.0})
        s.tone(0.0, 1.0, f, 0.35, Wave::Saw, Envelope{0.01, 0.2, 2.5});
    s.noise(0.0, 0.15, 0.3, 400, Envelope{0.001, 0.05, 20});
    return s.render(0.85);
}

// "encore": a short fanfare.
Samples encore() {
    SoundSynth s(1.0, 116);
    s.melody(0.0, 480, {{67, 1}, {72, 1}, {76, 1}, {79, 4}}, 0.5, Wave::Square, Envelope{0.005, 0.05, 1});
    return s.render(0.8);
}

// A small high bell.
Samples ting() {
    SoundSynth s(0.4, 117);
    s.bell(0.0, 2093.0, 0.8, 0.09);
    return s.render(0.8);
}

// Ball return: a rolling rumble.
Samples retourbille() {
    SoundSynth s(0.6, 118);
    s.noise(0.0, 0.6, 0.8, 400, Envelope{0.05, 0.2, 0});
    for (double t = 0.05; t < 0.5; t += 0.07)
        s.noise(t, 0.01, 0.3, 3000, Envelope{0.001, 0.005, 100});
    return s.render(0.8);
}

// Ball exit: a falling glide ending in a thud.
Samples sortiebille() {
    SoundSynth s(0.6, 119);
    s.sweep(0.0, 0.45, 900, 200, 0.4, Wave::Triangle, Envelope{0.005, 0.05, 0});
    s.sweep(0.45, 0.15, 120, 60, 0.8, Wave::Sine, Envelope{0.001, 0.03, 20});
    return s.render(0.8);
}

// Bounces, closer and softer each time.
Samples rebonds() {
    SoundSynth s(1.0, 120);
    double t = 0.0;
    double gap = 0.3;
    double amp = 0.9;
    while (t < 0.92) {
        s.sweep(t, 0.08, 200, 90, amp, Wave::Sine, Envelope{0.001, 0.01, 30});
        s.noise(t, 0.01, amp * 0.3, 2000, Envelope{0.0005, 0.005, 200});
        t += gap;
        gap *= 0.7;
        amp *= 0.8;
    }
    return s.render(0.8);
}

// One knock, as the knocker strikes the cabinet.
Samples rebond1() {
    SoundSynth s(0.2, 121);
    s.tone(0.0, 0.2, 180, 0.8, Wave::Sine, Envelope{0.0005, 0.02, 25});
    s.tone(0.0, 0.1, 540, 0.25, Wave::Sine, Envelope{0.0005, 0.02, 50});
    s.noise(0.0, 0.015, 0.5, 4000, Envelope{0.0002, 0.005, 150});
    return s.render(0.9);
}

// Five little bells rising.
Samples cinqClochettes() {
    SoundSynth s(1.5, 122);
    const double notes[] = {1046.5, 1174.7, 1318.5, 1568.0, 1760.0};
    for (int k = 0; k < 5; ++k)
        s.bell(k * 0.15, notes[k], 0.5, 0.3);
    return s.render(0.8);
}

// The flipper bell: one strong chime.
Samples clocheFlipper() {
    SoundSynth s(1.0, 123);
    s.bell(0.0, 880.0, 0.8, 0.3);
    s.bell(0.0, 1320.0, 0.2, 0.15);
    return s.render(0.85);
}

// A gong for the start button.
Samples gongo() {
    SoundSynth s(2.0, 124);
    s.noise(0.0, 0.1, 0.3, 800, Envelope{0.001, 0.05, 30});
    s.sweep(0.0, 2.0, 112, 108, 0.5, Wave::Sine, Envelope{0.003, 0.3, 1.5});
    s.bell(0.0, 220.0, 0.6, 0.5);
    return s.render(0.85);
}

const std::map<std::string, std::function<Samples()>>& generators() {
    static const std::map<std::string, std::function<Samples()>> table = {
        {"rouleau.wav", rouleau},
        {"bob2.wav", bob2},
        {"merci.wav", merci},
        {"bonus.wav", bonus},
        {"attends.wav", attends},
        {"carmagnole.wav", tuneCarmagnole},
        {"rigolade.wav", rigolade},
        {"catherinetta.wav", tuneCatherinetta},
        {"chapeauxronds.wav", tuneChapeauxRonds},
        {"lalalala.wav", tuneLalalala},
        {"chanson.wav", tuneChanson},
        {"Lorraine.wav", tuneLorraine},
        {"rebond.wav", rebond},
        {"Tilt.wav", tilt},
        {"marseillaise.wav", tuneMarseillaise},
        {"pontAvignon.wav", tunePontAvignon},
        {"loterie.wav", loterie},
        {"tututututu.wav", tuneTutu},
        {"spinner.wav", spinner},
        {"waouh.wav", waouh},
        {"fond.wav", tuneFond},
        {"sonpiece.wav", sonpiece},
        {"cave.wav", cave},
        {"cdifficile.wav", cdifficile},
        {"dongX3.wav", dongX3},
        {"dusang.wav", dusang},
        {"encore.wav", encore},
        {"ting.wav", ting},
        {"musiquefin.wav", tuneMusiqueFin},
        {"retourbille.wav", retourbille},
        {"sortiebille.wav", sortiebille},
        {"rebonds.wav", rebonds},
        {"rebond1.wav", rebond1},
        {"5_clochettes.wav", cinqClochettes},
        {"Cloche_flipper.wav", clocheFlipper},
        {"gongo.wav", gongo},
    };
    return table;
}

} // namespace

std::vector<int16_t> synthesizeDefaultSound(const std::string& fileName) {
    auto it = generators().find(fileName);
    return it == generators().end() ? Samples{} : it->second();
}

std::vector<uint8_t> defaultSoundWav(const std::string& fileName) {
    auto samples = synthesizeDefaultSound(fileName);
    if (samples.empty())
        return {};
    return encodeWav16(kDefaultSoundRate, 1, samples);
}

std::vector<std::string> writeDefaultSounds(const std::filesystem::path& soundsDir) {
    std::vector<std::string> written;
    std::error_code ec;
    std::filesystem::create_directories(soundsDir, ec);
    for (const std::string& name : defaultSoundFiles()) {
        auto path = soundsDir / name;
        if (std::filesystem::exists(path, ec))
            continue;
        auto wav = defaultSoundWav(name);
        if (wav.empty() || !writeFileAtomically(path, wav))
            throw PinError("Impossible d'écrire le fichier son " + path.string());
        written.push_back(name);
    }
    return written;
}

} // namespace pinstage
