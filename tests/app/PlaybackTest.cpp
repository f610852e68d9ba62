// The playback controller on the in-memory sound device and a virtual clock the test ticks:
// events fall due on the clock's ticks, tracks start at their offsets and stop when removed,
// the session ends at its length, and Stop followed by Play goes on without applying anything
// twice.

#include "PlaybackWindowFixture.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "audio/device/MemoryAudioBackend.h"
#include "audio/tracks/PlayUtils.h"
#include "base/ThreadClock.h"
#include "model/Cp1251.h"
#include "model/Session.h"
#include "model/SessionState.h"
#include "play/PlaybackController.h"
#include "tests/common/SanitizerBuild.h"
#include "ui/PaintBox.h"
#include "visual/FullScreenWindow.h"
#include "visual/VideoThread.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>

namespace umbrascope {

namespace {

const std::string Volume = Cp1251Literal("Аудиосопровождение -> Громкость");
const std::string AddTrack = Cp1251Literal("Аудиосопровождение -> Добавить аудиотрек");
const std::string RemoveTrack = Cp1251Literal("Аудиосопровождение -> Убрать аудиотрек");
const std::string PhraseFile = Cp1251Literal("Текстовые фразы -> Файл");
const std::string TextOff = Cp1251Literal("Текстовые фразы -> Выключить");
const std::string Noise = ".&03%0@50";

struct Applied {
    std::int32_t position;
    std::int32_t eventIndex;
    int volume;
};

class Playback : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        document.SessionLength = 300000;
        timer.setInterval(50);
        PlaybackDisplay display;
        display.UpdateDisplay = [this] {
            if (controller && transport.IsPlaying())
                applied.push_back({transport.SessionPosition, controller->LastEventIndex(),
                                   transport.CurrentValues.AudioVolume});
        };
        display.RepaintTimeline = [this] { ticks.push_back(transport.SessionPosition); };
        display.ShowPlaying = [this](bool playing) {
            shownPlaying.push_back(playing);
            if (playing && failStart)
                throw std::runtime_error("cannot start");
        };
        display.Report = [this](const UserText& text) {
            reports << QString::fromStdString(text.Text());
        };
        // The test ticks the clock itself: the timer is never connected.
        controller = std::make_unique<PlaybackController>(document, transport, timer, nullptr,
                                                          std::move(display));
    }

    void TearDown() override {
        controller->StopButtonClick();
        controller.reset();
    }

    void PlayFrom(std::int32_t position) {
        transport.SessionPosition = position;
        ASSERT_FALSE(transport.ComputeStateAt(document.Contents(), position));
        controller->PlayButtonClick(false);
        ASSERT_TRUE(transport.IsPlaying());
    }

    // One tick of the timer, 50 ms of session time later.
    void Tick() {
        clock.Advance(50);
        controller->ControlTimerTimer();
    }

    // Ticks until the condition holds; false when a minute of session time passes first.
    bool TickUntil(const std::function<bool()>& condition) {
        for (int tick = 0; tick < 1200 && !condition(); ++tick)
            Tick();
        return condition();
    }

    bool WaitForEvent(std::int32_t index) {
        return TickUntil([&] { return controller->LastEventIndex() >= index; });
    }

    // The last tick before the one at this position.
    std::int32_t TickBefore(std::int32_t position) const {
        std::int32_t before = -1;
        for (const std::int32_t tick : ticks)
            if (tick < position)
                before = tick;
        return before;
    }

    std::string FilePath(const QString& name) {
        const QString path = folder.filePath(name);
        WriteBytes(path, "RIFF");
        return Cp1251Literal(path.toStdString());
    }

    QTemporaryDir folder;
    MemoryAudioBackend backend;
    ScopedAudioBackend scopedBackend{backend};
    QTimer timer;
    SessionDocument document;
    Transport transport{std::make_unique<VirtualClock>()};
    VirtualClock& clock = static_cast<VirtualClock&>(transport.Clock());
    std::unique_ptr<PlaybackController> controller;
    std::vector<Applied> applied;
    std::vector<std::int32_t> ticks;
    std::vector<bool> shownPlaying;
    bool failStart = false;
    QStringList reports;
};

TEST_F(Playback, EventsAreAppliedInListOrderAtTheFirstTickAtOrAfterTheirTime) {
    document.Events = {{Volume, 60150, "40"}, {Volume, 60150, "60"}, {TextOff, 60400, ""}};
    PlayFrom(60000);
    EXPECT_EQ(shownPlaying, std::vector<bool>{true});
    ASSERT_TRUE(WaitForEvent(2));
    ASSERT_EQ(applied.size(), 3u);
    for (std::size_t i = 0; i < applied.size(); ++i) {
        const TSessionEvent& event = document.Events[i];
        EXPECT_EQ(applied[i].eventIndex, static_cast<std::int32_t>(i));
        EXPECT_GE(applied[i].position, event.EventTime);
        EXPECT_LT(TickBefore(applied[i].position), event.EventTime);
    }
    // Both events of one time in the same tick, each followed by its own refresh; on the
    // test's clock the ticks fall exactly at their times.
    EXPECT_EQ(applied[0].position, 60150);
    EXPECT_EQ(applied[1].position, 60150);
    EXPECT_EQ(applied[2].position, 60400);
    EXPECT_EQ(applied[0].volume, 40);
    EXPECT_EQ(applied[1].volume, 60);
    // What the threads see is republished after each change.
    EXPECT_EQ(transport.Published()->CurrentValues()->AudioVolume, 60);
    EXPECT_FALSE(transport.Published()->CurrentValues()->TextEnabled);
    EXPECT_FALSE(controller->TimerBusy());
}

TEST_F(Playback, AnEventAtTheStartPositionTakesEffectAndIsNotRepeatedAfterStop) {
    document.Events = {{AddTrack, 0, Noise}, {Volume, 0, "30"}};
    PlayFrom(0);
    ASSERT_TRUE(WaitForEvent(1));
    EXPECT_EQ(transport.CurrentValues.AudioVolume, 30);
    ASSERT_EQ(controller->PlayThreads().size(), 1u);
    EXPECT_EQ(controller->PlayThreads()[0]->StartOffset, 0);

    controller->StopButtonClick();
    EXPECT_FALSE(transport.IsPlaying());
    const std::int32_t stoppedAt = transport.SessionPosition;
    // Play again from where Stop left: the track comes from the state, the events are done.
    controller->PlayButtonClick(false);
    ASSERT_EQ(controller->PlayThreads().size(), 1u);
    EXPECT_EQ(controller->PlayThreads()[0]->StartOffset, stoppedAt);
    EXPECT_EQ(controller->LastEventIndex(), 1);
    for (int tick = 0; tick < 4; ++tick)
        Tick();
    EXPECT_EQ(controller->PlayThreads().size(), 1u);
    EXPECT_EQ(transport.CurrentValues.Waves.size(), 1u);
}

TEST_F(Playback, TracksStartWithTheirOffsetsIntoTheSession) {
    document.SessionLength = 1800000;
    const std::string a = FilePath("a.wav");
    const std::string b = FilePath("b.wav");
    document.StartValues.Waves = {Noise, a, FilePath("missing.txt") + "-gone.wav"};
    document.Events = {{AddTrack, 600000, b}};
    PlayFrom(720000);
    const auto& threads = controller->PlayThreads();
    ASSERT_EQ(threads.size(), 3u); // the track that does not resolve gets no thread
    EXPECT_EQ(threads[0]->Descriptor, Noise);
    EXPECT_EQ(threads[0]->StartOffset, 720000);
    EXPECT_EQ(threads[1]->Descriptor, a);
    EXPECT_EQ(threads[1]->StartOffset, 720000);
    EXPECT_EQ(threads[2]->Descriptor, b);
    EXPECT_EQ(threads[2]->StartOffset, 120000);
    EXPECT_EQ(transport.CurrentValues.Waves.size(), 4u);
}

TEST_F(Playback, ARemovalStopsTheLaterStartedOfTwoEqualTracks) {
    document.StartValues.Waves = {Noise, Noise};
    document.Events = {{RemoveTrack, 1100, Noise}};
    PlayFrom(1000);
    ASSERT_EQ(controller->PlayThreads().size(), 2u);
    const TrackHandle first = controller->PlayThreads()[0];
    const TrackHandle second = controller->PlayThreads()[1];
    ASSERT_TRUE(WaitForEvent(0));
    EXPECT_TRUE(first->Running);
    EXPECT_FALSE(second->Running);
    ASSERT_EQ(controller->PlayThreads().size(), 1u);
    EXPECT_EQ(controller->PlayThreads()[0], first);
    EXPECT_EQ(transport.CurrentValues.Waves.size(), 1u);
}

TEST_F(Playback, ARemovalNamesItsTrackInAnyLetterCase) {
    const std::string rain = FilePath("Rain.wav");
    std::string shouted = rain;
    shouted.replace(shouted.size() - 8, 8, "rAIN.WAV");
    document.StartValues.Waves = {rain};
    document.Events = {{RemoveTrack, 1100, shouted}};
    PlayFrom(1000);
    const TrackHandle track = controller->PlayThreads().at(0);
    ASSERT_TRUE(WaitForEvent(0));
    EXPECT_FALSE(track->Running);
    EXPECT_TRUE(controller->PlayThreads().empty());
    EXPECT_TRUE(transport.CurrentValues.Waves.empty());
}

TEST_F(Playback, ARemovalFindsATrackThatMovedWithTheProject) {
    document.ProjectFileName = Cp1251Literal(folder.filePath("session.usp").toStdString());
    const std::string beside = FilePath("loop.wav");
    const std::string stored = "C:\\Old Place\\loop.wav";
    document.Events = {{AddTrack, 1100, stored}, {RemoveTrack, 1300, stored}};
    PlayFrom(1000);
    ASSERT_TRUE(WaitForEvent(0));
    EXPECT_EQ(document.Events[0].EventValue, stored) << "playing never changes the session";
    EXPECT_EQ(transport.CurrentValues.Waves.at(0).Track, beside);
    ASSERT_EQ(controller->PlayThreads().size(), 1u);
    const TrackHandle added = controller->PlayThreads()[0];
    EXPECT_EQ(added->Descriptor, beside);
    ASSERT_TRUE(WaitForEvent(1));
    EXPECT_FALSE(added->Running);
    EXPECT_TRUE(controller->PlayThreads().empty());
    EXPECT_TRUE(transport.CurrentValues.Waves.empty());
    EXPECT_EQ(document.Events[1].EventValue, stored);
}

TEST_F(Playback, TheSessionEndsAtItsLastMillisecond) {
    document.StartValues.Waves = {Noise};
    PlayFrom(299800);
    const TrackHandle track = controller->PlayThreads().at(0);
    ASSERT_TRUE(TickUntil([this] { return !transport.IsPlaying(); }));
    EXPECT_EQ(transport.SessionPosition, 299999);
    EXPECT_EQ(shownPlaying, (std::vector<bool>{true, false}));
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(track->Running);
    EXPECT_TRUE(controller->PlayThreads().empty());
}

TEST_F(Playback, ASessionOfNoLengthEndsAtOnceAtZero) {
    for (const std::int32_t length : {0, std::numeric_limits<std::int32_t>::min()}) {
        document.SessionLength = length;
        PlayFrom(0);
        ASSERT_TRUE(TickUntil([this] { return !transport.IsPlaying(); }));
        EXPECT_EQ(transport.SessionPosition, 0) << length;
    }
}

TEST_F(Playback, ASessionListingThousandsOfTracksStartsNoMoreThanTheLimit) {
    document.StartValues.Waves.assign(5000, Noise);
    PlayFrom(0);
    EXPECT_EQ(controller->PlayThreads().size(), EventPlayhead::MaxPlayingTracks);
    EXPECT_EQ(reports.size(), 1) << "the limit is reported once";
    EXPECT_LE(transport.Tracks().Count(), EventPlayhead::MaxPlayingTracks);
}

TEST_F(Playback, AFailingEventIsReportedOnceAndTheClockGoesOn) {
    document.Events = {{Volume, 1050, "abc"}, {Volume, 1060, "abc"}, {Volume, 1200, "20"}};
    PlayFrom(1000);
    ASSERT_TRUE(WaitForEvent(2));
    EXPECT_EQ(reports, QStringList({"'abc' is not a valid integer value"}));
    EXPECT_EQ(transport.CurrentValues.AudioVolume, 20);
    EXPECT_FALSE(controller->TimerBusy());
    EXPECT_TRUE(transport.IsPlaying());
}

TEST_F(Playback, PhraseFilesThatCannotBeReadCountAsNotFound) {
    document.StartValues.PhraseFile = Cp1251Literal(folder.path().toStdString()); // a folder
    const std::string phrases = FilePath("phrases.txt");
    document.Events = {{PhraseFile, 1100, phrases}, {PhraseFile, 1300, "gone.txt"}};
    PlayFrom(1000);
    EXPECT_FALSE(controller->HasPhraseReader());
    ASSERT_TRUE(WaitForEvent(0));
    EXPECT_TRUE(controller->HasPhraseReader());
    ASSERT_TRUE(WaitForEvent(1));
    EXPECT_FALSE(controller->HasPhraseReader());
    EXPECT_EQ(transport.CurrentValues.PhraseFile, "gone.txt");
    EXPECT_TRUE(transport.IsPlaying());
}

TEST_F(Playback, AFailureWhileStartingReturnsToIdle) {
    document.StartValues.Waves = {Noise};
    failStart = true;
    transport.SessionPosition = 1000;
    ASSERT_FALSE(transport.ComputeStateAt(document.Contents(), transport.SessionPosition));
    EXPECT_THROW(controller->PlayButtonClick(false), std::runtime_error);
    EXPECT_FALSE(transport.IsPlaying());
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(controller->PlayThreads().empty());
    EXPECT_EQ(shownPlaying, (std::vector<bool>{true, false}));
    failStart = false;
    controller->PlayButtonClick(false); // and it plays again afterwards
    EXPECT_TRUE(transport.IsPlaying());
}

TEST_F(Playback, StopStopsTheTracksAndPlayStartsThemAgainFromThePosition) {
    document.StartValues.Waves = {Noise};
    PlayFrom(5000);
    const TrackHandle first = controller->PlayThreads().at(0);
    for (int tick = 0; tick < 3; ++tick)
        Tick();
    controller->StopButtonClick();
    EXPECT_FALSE(first->Running);
    EXPECT_TRUE(controller->PlayThreads().empty());
    EXPECT_FALSE(controller->HasPhraseReader());
    EXPECT_GE(transport.SessionPosition, 5100);
    const std::int32_t reached = transport.SessionPosition;
    controller->PlayButtonClick(false);
    ASSERT_EQ(controller->PlayThreads().size(), 1u);
    EXPECT_NE(controller->PlayThreads()[0], first);
    EXPECT_EQ(controller->PlayThreads()[0]->StartOffset, reached);
}

TEST_F(PlaybackWindow, SoundOnlyKeepsThePreviewAndStopRestoresTheControls) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseClick(form->PlaySoundButton, Qt::LeftButton);
    ASSERT_TRUE(PlayTransport().IsPlaying());
    EXPECT_FALSE(form->PlayButton->isEnabled());
    EXPECT_FALSE(form->PlaySoundButton->isEnabled());
    EXPECT_TRUE(form->StopButton->isEnabled());
    EXPECT_FALSE(form->FileMG->menuAction()->isEnabled());
    EXPECT_FALSE(form->SpeedButtons[2]->isEnabled());
    EXPECT_FALSE(form->SpeedButtons[6]->isEnabled());
    EXPECT_FALSE(form->FullScreenForm->isVisible());
    EXPECT_TRUE(form->ControlTimer->isActive());
    const QImage before = form->LastPreview();
    PlayTransport().CurrentValues.VideoEnabled = false; // a preview painted now shows black
    form->ScreenPreviewBox->repaint();
    EXPECT_NE(form->LastPreview(), before);
    EXPECT_EQ(form->LastPreview().pixel(200, 150), qRgb(0, 0, 0));

    QTest::mouseClick(form->StopButton, Qt::LeftButton);
    EXPECT_FALSE(PlayTransport().IsPlaying());
    EXPECT_TRUE(form->PlayButton->isEnabled());
    EXPECT_FALSE(form->StopButton->isEnabled());
    EXPECT_TRUE(form->FileMG->menuAction()->isEnabled());
    EXPECT_TRUE(form->SpeedButtons[2]->isEnabled());
    EXPECT_TRUE(form->SpeedButtons[6]->isEnabled());
}

TEST_F(PlaybackWindow, PlayListsTheMissingMediaOnceBeforeItStarts) {
    Document().SessionLength = 60000;
    Document().StartValues.Waves = {"/nowhere/rain.wav", ".&03@10"};
    Document().Events = {{AddTrack, 100, "/nowhere/rain.wav"}};
    (void)PlayTransport().ComputeStateAt(Document().Contents(), 0);
    form->PlayButtonClick(form->PlaySoundButton);
    EXPECT_TRUE(PlayTransport().IsPlaying());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0].count("/nowhere/rain.wav"), 1) << messages.texts[0].toStdString();
    form->StopButtonClick();
}

TEST_F(PlaybackWindow, TheClipIndicatorLightsWhileTheMixGoesPastFullScale) {
    Document().SessionLength = 60000;
    Document().StartValues.Waves = {".&04%440@0@100", ".&04%440@0@100"};
    (void)PlayTransport().ComputeStateAt(Document().Contents(), 0);
    form->PlayButtonClick(form->PlaySoundButton);
    ASSERT_TRUE(PlayTransport().IsPlaying());
    form->ControlTimerTimer();
    EXPECT_FALSE(form->ClipIndicator->isVisibleTo(form.get()));
    ASSERT_NE(backend.Stream(1, std::chrono::seconds(5)), nullptr);
    backend.Mix(4096, std::chrono::seconds(5));
    form->ControlTimerTimer();
    EXPECT_TRUE(form->ClipIndicator->isVisibleTo(form.get()));
    form->StopButtonClick();
    EXPECT_FALSE(form->ClipIndicator->isVisibleTo(form.get()));
}

TEST_F(PlaybackWindow, ThousandsOfTracksAndEventsAtOnceNeitherHoldTheClockNorStartMoreThreads) {
    // As a hostile or damaged file of a few hundred kilobytes may hold them.
    Document().StartValues.Waves.assign(5000, ".&04%440@0@1");
    Document().Events.assign(3000, {AddTrack, 60100, ".&04%550@0@1"});
    PlayTransport().SessionPosition = 60000;
    ASSERT_FALSE(
        PlayTransport().ComputeStateAt(Document().Contents(), PlayTransport().SessionPosition));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

    // The window's own processor time, so that other work on the machine does not count.
    const double playStarted = ThreadCpuSeconds();
    QTest::mouseClick(form->PlaySoundButton, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([this] { return PlayTransport().CurrentValues.Waves.size() == 8000; }));
    // Each refresh lists every track: one per event kept this tick busy for half a minute.
    EXPECT_LT(ThreadCpuSeconds() - playStarted, 3.0 * SanitizerSlowdown);
    EXPECT_LE(PlayTransport().Tracks().Count(), EventPlayhead::MaxPlayingTracks);
    EXPECT_EQ(form->WavesListBox->count(), 8000);
    EXPECT_EQ(messages.texts.size(), 1) << "the limit of tracks is told once";
    // Stop waits for 64 track threads to end; each playing out its queued sound in turn would
    // take half a minute. The bound leaves room for a machine busy with other work.
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(form->StopButton, Qt::LeftButton);
    EXPECT_FALSE(PlayTransport().IsPlaying());
    EXPECT_LT(clock.elapsed(), 5000 * SanitizerSlowdown);
}

} // namespace

} // namespace umbrascope
