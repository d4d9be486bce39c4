#include "DefaultTunes.h"

#include "SoundSynth.h"

namespace pinstage {

namespace {

// MIDI key numbers.
enum Key : int {
    R = -1, // rest
    G3 = 55,
    A3 = 57,
    B3 = 59,
    C4 = 60,
    D4 = 62,
    E4 = 64,
    F4 = 65,
    Fs4 = 66,
    G4 = 67,
    A4 = 69,
    B4 = 71,
    C5 = 72,
    D5 = 74,
    E5 = 76,
    F5 = 77,
    G5 = 79,
    A5 = 81,
};

// Melody plus a bass line an octave and a fifth below the notes given, on the beat.
std::vector<int16_t> song(double bpm, const std::vector<Note>& tune, const std::vector<Note>& bass, Wave lead,
                          uint32_t seed) {
    double beats = 0;
    for (const Note& n : tune)
        beats += n.beats;
    double length = beats * 60.0 / bpm + 0.25;
    SoundSynth s(length, seed);
    s.melody(0.0, bpm, tune, 0.5, lead, Envelope{0.006, 0.04, 0.8});
    if (!bass.empty())
        s.melody(0.0, bpm, bass, 0.3, Wave::Triangle, Envelope{0.004, 0.05, 2.0}, 0.6);
    return s.render(0.8);
}

} // namespace

std::vector<int16_t> tuneMarseillaise() {
    // "Allons enfants de la Patrie"
    return song(
        112,
        {{D4, .75}, {D4, .25}, {G4, 1}, {G4, 1}, {A4, 1}, {A4, 1}, {D5, 1.5}, {B4, .5}, {G4, 1.5}, {R, .5}},
        {{R, 1},
         {G3 - 12, 1},
         {D4 - 12, 1},
         {G3 - 12, 1},
         {D4 - 12, 1},
         {G3 - 12, 1},
         {D4 - 12, 1},
         {G3 - 12, 2}},
        Wave::Square, 14);
}

std::vector<int16_t> tunePontAvignon() {
    // "Sur le pont d'Avignon, on y danse, on y danse"
    return song(220,
                {{C4, .5}, {C4, .5}, {C4, 1},  {D4, .5}, {D4, .5}, {D4, 1},  {E4, .5}, {F4, .5}, {G4, .5},
                 {C5, .5}, {B4, .5}, {G4, .5}, {G4, 1},  {C4, .5}, {C4, .5}, {C4, 1},  {D4, .5}, {D4, .5},
                 {D4, 1},  {E4, .5}, {F4, .5}, {G4, .5}, {C5, .5}, {G4, 1},  {C4, 1}},
                {{C4 - 24, 2},
                 {G3 - 24, 2},
                 {C4 - 24, 2},
                 {G3 - 24, 2},
                 {C4 - 24, 2},
                 {G3 - 24, 2},
                 {C4 - 24, 2},
                 {C4 - 24, 2}},
                Wave::Triangle, 15);
}

std::vector<int16_t> tuneCarmagnole() {
    // "Dansons la carmagnole, vive le son, vive le son"
    return song(180,
                {{G4, .5},
                 {G4, .5},
                 {C5, .5},
                 {C5, .5},
                 {E5, .5},
                 {D5, .5},
                 {C5, 1},
                 {D5, .5},
                 {D5, .5},
                 {B4, 1},
                 {D5, .5},
                 {D5, .5},
                 {B4, 1},
                 {C5, .5},
                 {D5, .5},
                 {E5, .5},
                 {D5, .5},
                 {C5, 2}},
                {{C4 - 12, 1},
                 {G3 - 12, 1},
                 {C4 - 12, 1},
                 {G3 - 12, 1},
                 {G3 - 12, 1},
                 {D4 - 12, 1},
                 {G3 - 12, 1},
                 {D4 - 12, 1},
                 {C4 - 12, 1},
                 {G3 - 12, 1},
                 {C4 - 12, 2}},
                Wave::Square, 5);
}

std::vector<int16_t> tuneCatherinetta() {
    // A waltz.
    return song(260,
                {{E4, 1},
                 {G4, 1},
                 {C5, 1},
                 {C5, 2},
                 {B4, 1},
                 {A4, 1},
                 {C5, 1},
                 {F5, 1},
                 {E5, 3},
                 {D5, 1},
                 {B4, 1},
                 {G4, 1},
                 {C5, 3}},
                {{C4 - 12, 1},
                 {R, 2},
                 {C4 - 12, 1},
                 {R, 2},
                 {F4 - 12, 1},
                 {R, 2},
                 {C4 - 12, 1},
                 {R, 2},
                 {G3 - 12, 1},
                 {R, 2},
                 {C4 - 12, 3}},
                Wave::Triangle, 7);
}

std::vector<int16_t> tuneChapeauxRonds() {
    // "Ils ont des chapeaux ronds, vive la Bretagne"
    return song(190,
                {{C5, .5},
                 {C5, .5},
                 {C5, .5},
                 {G4, .5},
                 {A4, .5},
                 {A4, .5},
                 {G4, 1},
                 {E5, .5},
                 {E5, .5},
                 {D5, .5},
                 {D5, .5},
                 {C5, 2},
                 {G4, .5},
                 {G4, .5},
                 {C5, .5},
                 {E5, .5},
                 {D5, .5},
                 {B4, .5},
                 {C5, 1}},
                {{C4 - 12, 1},
                 {G3 - 12, 1},
                 {F4 - 12, 1},
                 {C4 - 12, 1},
                 {G3 - 12, 1},
                 {G3 - 12, 1},
                 {C4 - 12, 2},
                 {C4 - 12, 1},
                 {G3 - 12, 1},
                 {G3 - 12, 1},
                 {C4 - 12, 1}},
                Wave::Square, 8);
}

std::vector<int16_t> tuneLalalala() {
    // "Au clair de la lune", sung "la la la".
    return song(
        230,
        {{C5, 1}, {C5, 1}, {C5, 1}, {D5, 1}, {E5, 2}, {D5, 2}, {C5, 1}, {E5, 1}, {D5, 1}, {D5, 1}, {C5, 4}},
        {}, Wave::Triangle, 9);
}

std::vector<int16_t> tuneChanson() {
    // "Frère Jacques"
    return song(210,
                {{C5, 1},
                 {D5, 1},
                 {E5, 1},
                 {C5, 1},
                 {C5, 1},
                 {D5, 1},
                 {E5, 1},
                 {C5, 1},
                 {E5, 1},
                 {F5, 1},
                 {G5, 2},
                 {E5, 1},
                 {F5, 1},
                 {G5, 2}},
                {{C4 - 12, 2},
                 {G3 - 12, 2},
                 {C4 - 12, 2},
                 {G3 - 12, 2},
                 {C4 - 12, 2},
                 {G3 - 12, 2},
                 {C4 - 12, 2},
                 {C4 - 12, 2}},
                Wave::Triangle, 10);
}

std::vector<int16_t> tuneLorraine() {
    // "En passant par la Lorraine avec mes sabots"
    return song(300,
                {{D4, 1},
                 {G4, 1},
                 {G4, 1},
                 {G4, 1},
                 {A4, 1},
                 {B4, 1},
                 {A4, 1},
                 {G4, 1},
                 {A4, 1},
                 {B4, 1},
                 {G4, 2},
                 {D5, 1},
                 {D5, 1},
                 {D5, 1},
                 {C5, 1},
                 {B4, 1},
                 {A4, 1},
                 {G4, 3}},
                {{R, 1},
                 {G3 - 12, 2},
                 {D4 - 12, 2},
                 {G3 - 12, 2},
                 {D4 - 12, 2},
                 {G3 - 12, 3},
                 {D4 - 12, 2},
                 {D4 - 12, 2},
                 {D4 - 12, 2},
                 {G3 - 12, 3}},
                Wave::Square, 11);
}

std::vector<int16_t> tuneMusiqueFin() {
    // The closing "ta-da-da-da-da ... da-da".
    return song(200, {{C5, 1}, {G4, .5}, {G4, .5}, {A4, 1}, {G4, 1}, {R, 1}, {B4, 1}, {C5, 2}},
                {{C4 - 12, 2}, {F4 - 12, 2}, {R, 1}, {G3 - 12, 1}, {C4 - 12, 2}}, Wave::Square, 28);
}

std::vector<int16_t> tuneTutu() {
    // "tu tu tu tu tu": short trumpet blasts, the last one higher.
    SoundSynth s(1.05, 17);
    double t = 0.0;
    for (int k = 0; k < 5; ++k) {
        double f = keyFrequency(k == 4 ? C5 : G4);
        double len = k == 4 ? 0.3 : 0.12;
        s.tone(t, len, f, 0.5, Wave::Square, Envelope{0.01, 0.03, 1.5});
        s.tone(t, len, f * 2, 0.12, Wave::Sine, Envelope{0.01, 0.03, 3.0});
        t += 0.17;
    }
    return s.render(0.8);
}

std::vector<int16_t> tuneFond() {
    // Four chords of arpeggios over a drone whose frequency makes whole cycles in 4 s, so the
    // loop point joins without a click; every note ends inside the loop.
    SoundSynth s(4.0, 20);
    s.tone(0.0, 4.0, 110.0, 0.12, Wave::Sine, Envelope{0.0, 0.0, 0.0});
    s.tone(0.0, 4.0, 165.0, 0.06, Wave::Sine, Envelope{0.0, 0.0, 0.0});
    const int chords[4][4] = {{A3, C4, E4, A4}, {F4 - 12, A3, C4, F4}, {C4, E4, G4, C5}, {G3, B3, D4, G4}};
    double t = 0.0;
    for (const auto& chord : chords) {
        for (int k : {0, 1, 2, 3}) {
            s.tone(t, 0.22, keyFrequency(chord[k]), 0.25, Wave::Triangle, Envelope{0.01, 0.08, 3.0});
            t += 0.25;
        }
    }
    return s.render(0.5);
}

} // namespace pinstage
