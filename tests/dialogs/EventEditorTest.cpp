// The event editor: the value each page writes, events loaded and confirmed unchanged, the
// minute field's limit, and the removal page's list at the editor's time.

#include "DialogTestSupport.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/EditEventForm.h"
#include "model/Cp1251.h"
#include "model/SessionDocument.h"
#include "ui/ColorSwatch.h"
#include "ui/FontNameBox.h"
#include "ui/FrequencyField.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include <functional>

namespace umbrascope {

namespace {

class EventEditor : public DialogTest {
protected:
    void SetUp() override { form.AddWaveForm = &addWave; }

    // "OK" with this type selected: the value its page writes.
    std::string Confirm(EventKind kind) {
        form.SelectType(kind);
        form.OkButtonClick();
        return form.ComposedEvent.EventValue;
    }

    TAddWaveForm addWave{Settings()};
    SessionDocument document;
    TEditEventForm form{document, Settings()};
};

TEST_F(EventEditor, TypesNamesAndDescriptionsComeFromTheCatalogue) {
    ASSERT_EQ(form.EventTypeBox->count(), EventTypeCount);
    for (const EventType& type : EventTypes())
        EXPECT_EQ(form.EventTypeBox->itemText(static_cast<int>(type.kind)).toStdString(),
                  Cp1251ToUtf8(type.name));
    form.SelectType(EventKind::SpiralSpeed);
    EXPECT_EQ(form.EventDecriptionText->text(), "Изменяет скорость вращения спирали");
    form.OkButtonClick();
    EXPECT_EQ(form.ComposedEvent.EventType, EventTypeName(EventKind::SpiralSpeed));
}

TEST_F(EventEditor, AFreshEditorWritesEachPagesDefault) {
    const std::pair<EventKind, std::string> defaults[] = {
        {EventKind::Undefined, ""},
        {EventKind::TextOn, ""},
        {EventKind::TextFontStyle, "0"},
        {EventKind::TextColor, "0"},
        {EventKind::OutlineColor, "16777215"},
        {EventKind::TextTransparency, "0"},
        {EventKind::TextPosition, "5"},
        {EventKind::TextWidth, "100"},
        {EventKind::PhraseDuration, "50"},
        {EventKind::PhraseInterval, "1000"},
        {EventKind::PhraseFile, ""},
        {EventKind::AudioVolume, "100"},
        {EventKind::AddTrack, ""},
        {EventKind::RemoveTrack, ""},
        {EventKind::VideoType, "1"},
        {EventKind::FlickerColor, "128"},
        {EventKind::FlickerFreq, "08000"},
        {EventKind::SpiralColor, "255"},
        {EventKind::SpiralBackColor, "16711680"},
        {EventKind::SpiralSpeed, "88"},
        {EventKind::SpiralWidth, "16"},
        {EventKind::SpiralDirection, "0"},
        {EventKind::LinesColor, "8388608"},
        {EventKind::LinesBackColor, "15780518"},
        {EventKind::LinesSpeed, "4"},
        {EventKind::LinesWidth, "15"},
        {EventKind::LinesDirection, "2"},
        {EventKind::CirclesColor, "128"},
        {EventKind::CirclesBackColor, "65535"},
        {EventKind::CirclesFreq, "2000"},
        {EventKind::CirclesWidth, "20"},
    };
    for (const auto& [kind, value] : defaults)
        EXPECT_EQ(Confirm(kind), value) << Cp1251ToUtf8(EventTypeName(kind));
}

TEST_F(EventEditor, PagesWriteWhatTheirControlsShow) {
    form.FontStyleBox->setCurrentIndex(3);
    form.TextColorShape->SetColor(0x123456);
    form.BackColorShape->SetColor(0x80000005); // a system colour: the high bit set
    form.BlendEdit->setValue(35);
    form.positionButtons->Buttons[9]->click();
    form.RB33->click();
    form.VolumeTrack->setValue(64);
    form.FmFreqE->SetValue(12345);
    form.ClFreqE->SetValue(500);
    form.SpiralSpeed->setValue(200);
    form.LinesSpeed->setValue(10);
    form.LinesDirectBox->setCurrentIndex(0);
    EXPECT_EQ(Confirm(EventKind::TextFontStyle), "3");
    EXPECT_EQ(Confirm(EventKind::TextColor), "1193046");
    EXPECT_EQ(Confirm(EventKind::OutlineColor), "-2147483643") << "reads back as the same bits";
    EXPECT_EQ(Confirm(EventKind::TextTransparency), "35");
    EXPECT_EQ(Confirm(EventKind::TextPosition), "9");
    EXPECT_EQ(Confirm(EventKind::TextWidth), "33");
    EXPECT_EQ(Confirm(EventKind::AudioVolume), "64");
    EXPECT_EQ(Confirm(EventKind::FlickerFreq), "12345");
    EXPECT_EQ(Confirm(EventKind::CirclesFreq), "0500");
    EXPECT_EQ(Confirm(EventKind::SpiralSpeed), "8");
    EXPECT_EQ(Confirm(EventKind::LinesSpeed), "1");
    EXPECT_EQ(Confirm(EventKind::LinesDirection), "0");

    AnswerNextModal([this](QWidget*) {
        addWave.RBClick(addWave.NoiseRB);
        addWave.Button1->click();
    });
    form.AddAudiotrackBtn->click();
    EXPECT_EQ(Confirm(EventKind::AddTrack), ".&03%0@100");
    AnswerNextModal([this](QWidget*) { addWave.close(); });
    form.AddAudiotrackBtn->click();
    EXPECT_EQ(Confirm(EventKind::AddTrack), ".&03%0@100") << "kept for the next event";
}

TEST_F(EventEditor, EveryTypeLoadedAndConfirmedUnchangedComesBack) {
    document.StartValues.Waves = {".&03%0@50", "/music/loop.wav"};
    const auto name = [](EventKind kind) { return EventTypeName(kind); };
    const std::vector<TSessionEvent> events = {
        {name(EventKind::Undefined), 90500, ""},
        {name(EventKind::TextOff), 90500, ""},
        {name(EventKind::TextFont), 90500, "DejaVu Serif"},
        {name(EventKind::TextFont), 90500, "No Such Face"},
        {name(EventKind::TextFontStyle), 90500, "2"},
        {name(EventKind::TextColor), 90500, "1193046"},
        {name(EventKind::OutlineColor), 90500, "-2147483643"},
        {name(EventKind::TextTransparency), 90500, "35"},
        {name(EventKind::TextPosition), 90500, "11"},
        {name(EventKind::TextPosition), 90500, "13"},
        {name(EventKind::TextWidth), 90500, "50"},
        {name(EventKind::TextWidth), 90500, "40"},
        {name(EventKind::PhraseDuration), 90500, "120"},
        {name(EventKind::PhraseInterval), 90500, "2500"},
        {name(EventKind::PhraseFile), 90500, "C:\\Texts\\phrases.txt"},
        {name(EventKind::AudioVolume), 90500, "64"},
        {name(EventKind::AddTrack), 90500, ".&04%1000.5@2@35"},
        {name(EventKind::RemoveTrack), 90500, "/music/loop.wav"},
        {name(EventKind::RemoveTrack), 90500, "/music/gone.wav"},
        {name(EventKind::VideoType), 90500, "3"},
        {name(EventKind::VideoType), 90500, "9"},
        {name(EventKind::FlickerFreq), 90500, "12345"},
        {name(EventKind::SpiralSpeed), 90500, "8"},
        {name(EventKind::SpiralWidth), 90500, "500"},
        {name(EventKind::SpiralDirection), 90500, "1"},
        {name(EventKind::LinesSpeed), 90500, "10"},
        {name(EventKind::LinesWidth), 90500, "300"},
        {name(EventKind::LinesDirection), 90500, "3"},
        {name(EventKind::CirclesFreq), 90500, "0500"},
        {name(EventKind::CirclesWidth), 90500, "5"},
    };
    for (const TSessionEvent& event : events) {
        document.Events = {event};
        form.SelectType(EventKind::Undefined);
        ASSERT_FALSE(form.LoadEvent(0));
        form.OkButtonClick();
        TSessionEvent expected = event;
        expected.EventTime = 90000; // whole seconds
        EXPECT_EQ(form.ComposedEvent, expected) << Cp1251ToUtf8(event.EventValue);
    }
    EXPECT_EQ(form.MinuteEdit->value(), 1);
    EXPECT_EQ(form.SecondsEdit->value(), 30);
}

TEST_F(EventEditor, LoadingStopsAtAValueThatMustBeANumber) {
    document.Events = {{EventTypeName(EventKind::TextTransparency), 5000, "abc"}};
    EXPECT_EQ(form.LoadEvent(0), "'abc' is not a valid integer value");
    document.Events = {{EventTypeName(EventKind::AudioVolume), 1000, "x"},
                       {EventTypeName(EventKind::TextOn), 5000, ""}};
    EXPECT_EQ(form.LoadEvent(1), "'x' is not a valid integer value") << "an earlier event";
}

TEST_F(EventEditor, TheMinuteLimitFollowsTheSessionLength) {
    document.SessionLength = 1800000;
    form.FormShow();
    EXPECT_EQ(form.MinuteEdit->maximum(), 29);
    document.SessionLength = 3600000;
    form.PresetTime(45, 75);
    EXPECT_EQ(form.MinuteEdit->value(), 45) << "not held to the limit of the last opening";
    EXPECT_EQ(form.SecondsEdit->value(), 59);
    EXPECT_EQ(form.ComposedEvent.EventTime, 45 * 60000 + 59000);
    document.SessionLength = -5;
    form.FormShow();
    EXPECT_EQ(form.MinuteEdit->maximum(), 0);
    EXPECT_EQ(form.ComposedEvent.EventTime, 59000);
}

TEST_F(EventEditor, TheRemovalPageListsTheTracksPlayingAtItsTime) {
    document.Events = {{EventTypeName(EventKind::AddTrack), 60000, ".&03%0@50"}};
    form.PresetTime(0, 30);
    EXPECT_EQ(Confirm(EventKind::RemoveTrack), "");
    EXPECT_EQ(form.WavesList->count(), 0);
    form.MinuteEdit->setValue(2);
    ASSERT_EQ(form.WavesList->count(), 1);
    EXPECT_EQ(form.WavesList->currentRow(), 0);
    EXPECT_EQ(Confirm(EventKind::RemoveTrack), ".&03%0@50");
    form.MinuteEdit->setValue(0);
    EXPECT_EQ(form.WavesList->count(), 0) << "refilled when the time changes";
}

} // namespace

} // namespace umbrascope
