#include "WavFixtures.h"

#include "config/SoundParams.h"
#include "platform/DataRoot.h"
#include "platform/PinError.h"
#include "sound/DefaultSoundNames.h"
#include "sound/RecordingSoundEngine.h"
#include "sound/SoundParamsSaver.h"
#include "sound/SoundSystem.h"
#include "sound/WavWriter.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace pinstage;
using namespace pinstage::testing;
using Call = RecordingSoundEngine::Call;

namespace {

// A silent 22050 Hz mono file lasting `ms` milliseconds.
void writeWav(const std::filesystem::path& path, int ms) {
    std::vector<int16_t> samples(size_t(22050 * ms / 1000), 0);
    auto image = encodeWav16(22050, 1, samples);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
}

void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A sounds directory holding every default file (the k-th distinct file lasts 10 * (k + 1) ms)
// and a record naming the defaults, every function silent.
class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = freshTempDir("sounds");
        auto files = defaultSoundFiles();
        for (size_t k = 0; k < files.size(); ++k)
            writeWav(dir / files[k], 10 * int(k + 1));
        for (int i = 0; i < kSoundCount; ++i)
            record.entries[size_t(i)].fileName.setUtf8(defaultSoundFileName(i));
        for (auto& e : record.entries)
            e.soundNumber = kNoSound;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    static int defaultDuration(int sound) {
        auto files = defaultSoundFiles();
        auto it = std::find(files.begin(), files.end(), defaultSoundFileName(sound));
        return 10 * int(it - files.begin() + 1);
    }

    SoundSystem makeSystem() {
        return SoundSystem(engine, record, dir, [this] {
            ++saves;
            savedNames.push_back(record.entries[0].fileName.utf8());
        });
    }

    std::filesystem::path dir;
    SoundsRecord record;
    RecordingSoundEngine engine;
    int saves = 0;
    std::vector<std::string> savedNames;
};

} // namespace

TEST_F(SoundSystemTest, LoadsTheSixtyFourSoundsTheRecordNames) {
    writeWav(dir / "perso.wav", 777);
    record.entries[12].fileName.setUtf8("perso.wav");
    auto sounds = makeSystem();
    sounds.initSound();
    sounds.loadSounds();
    for (int i = 0; i < kSoundCount; ++i) {
        EXPECT_TRUE(engine.hasBuffer(i)) << i;
        EXPECT_TRUE(sounds.isLoaded(i)) << i;
    }
    EXPECT_EQ(sounds.soundDuration(12), 777);
    EXPECT_EQ(sounds.soundDuration(0), defaultDuration(0));
    EXPECT_EQ(sounds.soundDuration(48), defaultDuration(48));
    EXPECT_EQ(sounds.soundDuration(40), defaultDuration(21)); // the coin sound
    EXPECT_EQ(sounds.soundDuration(64), 0);
    EXPECT_EQ(sounds.soundDuration(-1), 0);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(record.entries[12].fileName.utf8(), "perso.wav");

    sounds.releaseSound();
    EXPECT_FALSE(engine.isOpen());
    EXPECT_FALSE(sounds.isLoaded(0));
    EXPECT_EQ(sounds.soundDuration(12), 0);
}

TEST_F(SoundSystemTest, ANameThatDoesNotReadFallsBackToTheDefaultAndSavesAtOnce) {
    // Absent file, a RIFF file without data chunk, a path out of the directory, an empty name.
    record.entries[0].fileName.setUtf8("absent.wav");
    writeBytes(dir / "sansdata.wav", riffImage({{"fmt ", fmtData(1, 22050, 16)}}));
    record.entries[5].fileName.setUtf8("sansdata.wav");
    writeWav(dir.parent_path() / "dehors.wav", 500);
    record.entries[6].fileName.setUtf8("../dehors.wav");
    record.entries[7].fileName.setUtf8("");
    auto sounds = makeSystem();
    sounds.initSound();
    sounds.loadSounds();
    EXPECT_EQ(record.entries[0].fileName.utf8(), "rouleau.wav");
    EXPECT_EQ(record.entries[5].fileName.utf8(), "carmagnole.wav");
    EXPECT_EQ(record.entries[6].fileName.utf8(), "rigolade.wav");
    EXPECT_EQ(record.entries[7].fileName.utf8(), "catherinetta.wav");
    EXPECT_EQ(sounds.soundDuration(5), defaultDuration(5));
    EXPECT_EQ(sounds.soundDuration(6), defaultDuration(6));
    // One save per repair, each with the record already rewritten.
    EXPECT_EQ(saves, 4);
    ASSERT_FALSE(savedNames.empty());
    EXPECT_EQ(savedNames[0], "rouleau.wav");
    std::filesystem::remove(dir.parent_path() / "dehors.wav");
}

TEST_F(SoundSystemTest, NamesIgnoreCaseLikeTheOriginalFileSystem) {
    std::filesystem::rename(dir / "Tilt.wav", dir / "TILT.WAV");
    auto sounds = makeSystem();
    sounds.initSound();
    sounds.loadSounds();
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(sounds.soundDuration(13), defaultDuration(13));
}

TEST_F(SoundSystemTest, MissingDefaultStopsLoadingWithTheMessage) {
    std::filesystem::remove(dir / "rouleau.wav");
    auto sounds = makeSystem();
    sounds.initSound();
    try {
        sounds.loadSounds();
        FAIL() << "loaded without rouleau.wav";
    } catch (const PinError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Erreur de lecture ou fichier par defaut rouleau.wav introuvable dans le "
                  "répertoire " +
                      dir.string());
    }
    EXPECT_FALSE(sounds.isLoaded(0));
    EXPECT_FALSE(engine.hasBuffer(1)); // loading stopped there
    EXPECT_EQ(saves, 0);
}

TEST_F(SoundSystemTest, SoundsLoadedBeforeAnErrorStay) {
    record.entries[30].fileName.setUtf8("autre.wav");
    std::filesystem::remove(dir / "sortiebille.wav");
    auto sounds = makeSystem();
    sounds.initSound();
    try {
        sounds.loadSounds();
        FAIL();
    } catch (const PinError& e) {
        EXPECT_NE(std::string(e.what()).find("sortiebille.wav introuvable"), std::string::npos);
    }
    EXPECT_TRUE(sounds.isLoaded(29));
    EXPECT_FALSE(sounds.isLoaded(30));
    EXPECT_FALSE(sounds.isLoaded(31));
    EXPECT_EQ(record.entries[30].fileName.utf8(), "autre.wav"); // nothing to repair it with
}

TEST_F(SoundSystemTest, DeviceAndBufferFailuresCarryTheirMessages) {
    auto sounds = makeSystem();
    engine.failOpen = true;
    try {
        sounds.initSound();
        FAIL();
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "impossible de créer l'objet direct sound");
    }
    engine.failOpen = false;
    sounds.initSound();
    engine.failBuffers = true;
    try {
        sounds.loadSounds();
        FAIL();
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "Erreur de création du buffer secondaire");
    }
    EXPECT_FALSE(sounds.isLoaded(0));
}

TEST_F(SoundSystemTest, FunctionSoundIsTheStoredNumberOr255) {
    record.entries[0].soundNumber = 0;
    record.entries[1].soundNumber = 63;
    record.entries[2].soundNumber = 64;
    record.entries[3].soundNumber = -1;
    record.entries[4].soundNumber = 100000;
    record.entries[95].soundNumber = 7;
    auto sounds = makeSystem();
    EXPECT_EQ(sounds.functionSound(0), 0);
    EXPECT_EQ(sounds.functionSound(1), 63);
    EXPECT_EQ(sounds.functionSound(2), 255);
    EXPECT_EQ(sounds.functionSound(3), 255);
    EXPECT_EQ(sounds.functionSound(4), 255);
    EXPECT_EQ(sounds.functionSound(5), 255);
    EXPECT_EQ(sounds.functionSound(95), 7);
    EXPECT_EQ(sounds.functionSound(96), 255);
    EXPECT_EQ(sounds.functionSound(-1), 255);
}

TEST_F(SoundSystemTest, TheThreeWaysToPlayAFunction) {
    record.entries[3].soundNumber = 3;
    record.entries[30].soundNumber = 20;
    record.entries[1].soundNumber = 1;
    auto sounds = makeSystem();
    sounds.initSound();
    sounds.loadSounds();
    engine.clearCalls();

    sounds.playFunctionOnce(3);
    EXPECT_EQ(engine.calls(), (std::vector<RecordingSoundEngine::Record>{{Call::Play, 3, false, 0}}));
    engine.clearCalls();
    sounds.restartFunction(1);
    EXPECT_EQ(engine.calls(), (std::vector<RecordingSoundEngine::Record>{{Call::Stop, 1, false, 0},
                                                                         {Call::Play, 1, false, 0}}));
    engine.clearCalls();
    sounds.loopFunction(30);
    EXPECT_EQ(engine.calls(), (std::vector<RecordingSoundEngine::Record>{{Call::Stop, 20, false, 0},
                                                                         {Call::Play, 20, true, 0}}));
    EXPECT_TRUE(sounds.isPlaying(20));
    engine.clearCalls();
    sounds.stopFunction(30);
    EXPECT_EQ(engine.calls(), (std::vector<RecordingSoundEngine::Record>{{Call::Stop, 20, false, 0}}));
    EXPECT_FALSE(sounds.isPlaying(20));

    // A function set to 255, or to a number outside the table, plays nothing and stops nothing.
    engine.clearCalls();
    record.entries[2].soundNumber = 64;
    for (int f : {2, 9, 17, 200}) {
        sounds.playFunctionOnce(f);
        sounds.restartFunction(f);
        sounds.loopFunction(f);
        sounds.stopFunction(f);
    }
    sounds.playSound(64, false);
    sounds.stopSound(-1);
    EXPECT_TRUE(engine.calls().empty());
}

TEST_F(SoundSystemTest, TraceSeesEveryPlayAndStop) {
    record.entries[20].soundNumber = 28;
    auto sounds = makeSystem();
    std::vector<SoundTraceEvent> seen;
    sounds.setTraceHook([&](const SoundTraceEvent& e) { seen.push_back(e); });
    sounds.initSound();
    sounds.loadSounds();
    sounds.loopFunction(20);
    sounds.playSound(0, false);
    sounds.playSound(99, false);
    ASSERT_TRUE(sounds.playSystemSound("gongo.wav"));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].action, SoundAction::Stop);
    EXPECT_EQ(seen[0].sound, 28);
    EXPECT_EQ(seen[1].action, SoundAction::Play);
    EXPECT_TRUE(seen[1].looping);
    EXPECT_EQ(seen[2].sound, 0);
    EXPECT_FALSE(seen[2].looping);
    EXPECT_EQ(seen[3].action, SoundAction::PlaySystem);
    EXPECT_EQ(seen[3].fileName, "gongo.wav");
}

TEST_F(SoundSystemTest, SystemSoundsPlayFromTheSoundsDirectoryEvenBeforeSetUp) {
    auto sounds = makeSystem();
    // The table-choice screen plays "ting.wav" before the sound table exists.
    EXPECT_TRUE(sounds.playSystemSound(kFlipperButtonSound));
    EXPECT_TRUE(engine.isOpen());
    ASSERT_FALSE(engine.calls().empty());
    EXPECT_EQ(engine.calls().back().call, Call::PlaySystem);
    EXPECT_EQ(engine.calls().back().bytes, int32_t(22050 * defaultDuration(27) / 1000 * 2));

    engine.clearCalls();
    EXPECT_FALSE(sounds.playSystemSound("absent.wav"));
    EXPECT_FALSE(sounds.playSystemSound("../fichiers sons/gongo.wav"));
    EXPECT_TRUE(engine.calls().empty());

    sounds.releaseSound();
    engine.failOpen = true;
    EXPECT_FALSE(sounds.playSystemSound(kStartButtonSound)); // no device: silence, no error
}

TEST(SoundParamsSaver, ARepairIsWrittenToTheConfigurationsSoundFile) {
    auto rootDir = freshTempDir("root");
    DataRoot root(rootDir);
    root.ensureDirectories();
    auto sons = root.dir(DataDir::Sons);
    for (const auto& name : defaultSoundFiles())
        writeWav(sons / name, 30);
    SoundsRecord record = defaultSoundParams(ContactsRecord{});
    record.entries[3].fileName.setUtf8("disparu.wav");
    RecordingSoundEngine engine;
    SoundSystem sounds(engine, record, sons, soundParamsSaver(root, 2, record));
    sounds.initSound();
    sounds.loadSounds();

    auto saved = root.file(DataDir::Datas, "SonsParam2.fli");
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(std::filesystem::file_size(saved), kSoundsFileSize);
    SoundsRecord back = defaultSoundParams(ContactsRecord{});
    back.entries[3].fileName.setUtf8("autre.wav");
    loadSoundParams(saved, back);
    EXPECT_EQ(back.entries[3].fileName.utf8(), "bonus.wav");
    EXPECT_EQ(encodeSoundParams(back), encodeSoundParams(record));

    // A save that cannot be made stops the loading with the store's message.
    record.entries[4].fileName.setUtf8("disparu.wav");
    std::filesystem::remove(saved);
    std::filesystem::create_directory(saved); // a directory where the file should go
    try {
        sounds.loadSounds();
        FAIL() << "loaded although the repair could not be saved";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "Impossible de créer le fichier de paramètrages du son");
    }
    std::filesystem::remove_all(rootDir);
}

TEST(RecordingSoundEngine, CountsAndPlayingStateFollowTheCalls) {
    RecordingSoundEngine engine;
    auto wav = parseWav(encodeWav16(22050, 1, std::vector<int16_t>(100, 5)));
    ASSERT_TRUE(wav);
    EXPECT_THROW(engine.createBuffer(2, *wav), PinError); // not open
    engine.open();
    engine.createBuffer(2, *wav);
    EXPECT_EQ(engine.calls().back(), (RecordingSoundEngine::Record{Call::CreateBuffer, 2, false, 200}));
    engine.play(2, false);
    engine.play(2, true);
    engine.play(3, false); // no buffer: recorded, never playing
    engine.stop(2);
    EXPECT_EQ(engine.playCount(2), 2);
    EXPECT_EQ(engine.playCount(3), 1);
    EXPECT_EQ(engine.stopCount(2), 1);
    EXPECT_FALSE(engine.isPlaying(2));
    EXPECT_FALSE(engine.isPlaying(3));
    engine.play(2, false);
    EXPECT_TRUE(engine.isPlaying(2));
    engine.finish(2);
    EXPECT_FALSE(engine.isPlaying(2));
    engine.close();
    EXPECT_FALSE(engine.hasBuffer(2));
}
