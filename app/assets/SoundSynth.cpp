#include "SoundSynth.h"

#include <algorithm>
#include <cmath>

namespace pinstage {

namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr double kNyquist = SoundSynth::kRate / 2.0;
} // namespace

double keyFrequency(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

SoundSynth::SoundSynth(double seconds, uint32_t seed)
    : buf_(size_t(std::max(0.0, seconds) * kRate + 0.5), 0.0f), seed_(seed ? seed : 1) {}

size_t SoundSynth::sampleAt(double t) const {
    return std::min(buf_.size(), size_t(std::max(0.0, t) * kRate));
}

double SoundSynth::envelopeAt(const Envelope& env, double t, double length) const {
    double a = 1.0;
    if (env.attack > 0 && t < env.attack)
        a = t / env.attack;
    if (env.release > 0 && length - t < env.release)
        a = std::min(a, std::max(0.0, (length - t) / env.release));
    if (env.decayPerSecond > 0)
        a *= std::exp(-env.decayPerSecond * t);
    return a;
}

// Square, triangle and saw are summed from their harmonics below the Nyquist frequency, so
// they do not alias into whistles at 22050 Hz.
double SoundSynth::waveAt(Wave wave, double phase, double freq) {
    if (wave == Wave::Sine)
        return std::sin(phase);
    int top = std::max(1, int(kNyquist / std::max(freq, 1.0)));
    top = std::min(top, 40);
    double sum = 0.0;
    switch (wave) {
    case Wave::Square:
        for (int k = 1; k <= top; k += 2)
            sum += std::sin(k * phase) / k;
        return sum * 4.0 / M_PI * 0.8;
    case Wave::Triangle:
        for (int k = 1, sign = 1; k <= top; k += 2, sign = -sign)
            sum += sign * std::sin(k * phase) / (double(k) * k);
        return sum * 8.0 / (M_PI * M_PI);
    case Wave::Saw:
        for (int k = 1; k <= top; ++k)
            sum += std::sin(k * phase) / k;
        return sum * 2.0 / M_PI * 0.8;
    case Wave::Sine:
        break;
    }
    return 0.0;
}

double SoundSynth::nextNoise() {
    // xorshift32: the same noise on every run.
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    return double(seed_) / 2147483648.0 - 1.0;
}

void SoundSynth::tone(double start, double length, double freq, double amp, Wave wave, Envelope env) {
    sweep(start, length, freq, freq, amp, wave, env);
}

void SoundSynth::sweep(double start, double length, double f0, double f1, double amp, Wave wave,
                       Envelope env) {
    size_t from = sampleAt(start);
    size_t to = sampleAt(start + length);
    double phase = 0.0;
    for (size_t i = from; i < to; ++i) {
        double t = double(i - from) / kRate;
        double f = f0 * std::pow(f1 / f0, t / length);
        buf_[i] += float(amp * envelopeAt(env, t, length) * waveAt(wave, phase, f));
        phase = std::fmod(phase + kTwoPi * f / kRate, kTwoPi * 64);
    }
}

void SoundSynth::bell(double start, double freq, double amp, double decaySeconds) {
    // Partial ratios of a small bell, with their weights.
    static constexpr double kRatios[] = {0.5, 1.0, 1.183, 1.506, 2.0, 2.514, 2.662, 3.011};
    static constexpr double kWeights[] = {0.35, 1.0, 0.45, 0.4, 0.3, 0.2, 0.15, 0.1};
    double length = std::min(decaySeconds * 5.0, seconds() - start);
    for (size_t p = 0; p < std::size(kRatios); ++p) {
        double f = freq * kRatios[p];
        if (f >= kNyquist * 0.95)
            continue;
        Envelope env{0.002, 0.01, 1.0 / (decaySeconds / (1.0 + p * 0.5))};
        tone(start, length, f, amp * kWeights[p], Wave::Sine, env);
    }
}

void SoundSynth::noise(double start, double length, double amp, double cutoffHz, Envelope env) {
    size_t from = sampleAt(start);
    size_t to = sampleAt(start + length);
    double alpha = 1.0 - std::exp(-kTwoPi * cutoffHz / kRate);
    double low = 0.0;
    for (size_t i = from; i < to; ++i) {
        double t = double(i - from) / kRate;
        low += alpha * (nextNoise() - low);
        buf_[i] += float(amp * envelopeAt(env, t, length) * low);
    }
}

double SoundSynth::melody(double start, double bpm, const std::vector<Note>& notes, double amp, Wave wave,
                          Envelope env, double legato) {
    double beat = 60.0 / bpm;
    double t = start;
    for (const Note& n : notes) {
        double length = n.beats * beat;
        if (n.key >= 0)
            tone(t, length * legato, keyFrequency(n.key), amp, wave, env);
        t += length;
    }
    return t;
}

std::vector<int16_t> SoundSynth::render(double peak) const {
    float top = 0.0f;
    for (float s : buf_)
        top = std::max(top, std::fabs(s));
    double scale = top > 0.0f ? peak * 32767.0 / top : 0.0;
    std::vector<int16_t> out(buf_.size());
    for (size_t i = 0; i < buf_.size(); ++i)
        out[i] = int16_t(std::lround(std::clamp(buf_[i] * scale, -32768.0, 32767.0)));
    return out;
}

} // namespace pinstage
