// A small deterministic synthesiser for the default sounds: additive voices written into a
// mono float buffer at 22050 Hz, rendered to signed 16-bit samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pinstage {

enum class Wave { Sine, Square, Triangle, Saw };

// Linear attack and release at the ends of a note, and an exponential decay over its length.
struct Envelope {
    double attack = 0.005;
    double release = 0.02;
    double decayPerSecond = 0.0;
};

// One melody note: a MIDI key number (60 = middle C; below 0 a rest) and a length in beats.
struct Note {
    int key;
    double beats;
};

double keyFrequency(int key);

class SoundSynth {
public:
    static constexpr int kRate = 22050;

    explicit SoundSynth(double seconds, uint32_t seed = 1);

    double seconds() const { return double(buf_.size()) / kRate; }

    // A note of fixed pitch.
    void tone(double start, double length, double freq, double amp, Wave wave, Envelope env = {});
    // A glide from f0 to f1 (exponential in pitch).
    void sweep(double start, double length, double f0, double f1, double amp, Wave wave, Envelope env = {});
    // A struck metal: inharmonic partials, the higher ones dying faster.
    void bell(double start, double freq, double amp, double decaySeconds);
    // Noise through a one-pole low-pass, with an envelope.
    void noise(double start, double length, double amp, double cutoffHz, Envelope env = {});
    // Notes one after another at `bpm`; each note sounds for `legato` of its length.
    // Returns the time after the last note.
    double melody(double start, double bpm, const std::vector<Note>& notes, double amp, Wave wave,
                  Envelope env = {}, double legato = 0.9);

    // Scales the whole buffer so its peak is `peak` of full scale (silence stays silence).
    std::vector<int16_t> render(double peak = 0.8) const;

private:
    size_t sampleAt(double t) const;
    double envelopeAt(const Envelope& env, double t, double length) const;
    static double waveAt(Wave wave, double phase, double freq);
    double nextNoise();

    std::vector<float> buf_;
    uint32_t seed_;
};

} // namespace pinstage
