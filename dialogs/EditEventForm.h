#pragma once

// The event editor: one timed event composed from its type (a row of the event catalogue), its
// time in whole minutes and seconds, and the value its type needs, entered on the page of that
// type. It never changes the session itself: "OK" leaves the composed event in ComposedEvent
// and the caller inserts or replaces it. The removal page lists the tracks of the state at the
// time the editor shows, computed from the session's values. One instance serves the whole run
// and keeps what its controls held from one opening to the next.
// User-interface thread only; never opened while a session plays.

#include "SettingsControls.h"
#include "model/EventCatalogue.h"
#include "model/Session.h"
#include "ui/RetranslatedTexts.h"

#include <QDialog>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace umbrascope {

class SessionDocument;
class TAddWaveForm;
class ColorPicker;
class ColorSwatch;
class FontFaceBox;
class SpinField;

class Preferences;

class TEditEventForm : public QDialog, public SettingsControls {
    Q_OBJECT

public:
    // Composes events for document; its file dialog opens where preferences say. Both must
    // outlive the dialog.
    TEditEventForm(const SessionDocument& document, Preferences& preferences,
                   QWidget* parent = nullptr);
    ~TEditEventForm() override;

    // The add-track dialog this one opens; the main window sets it once it exists.
    TAddWaveForm* AddWaveForm = nullptr;

    // The result: the type's name, the time (which also follows every change of the time
    // fields) and the value. Type and value are written only by "OK".
    TSessionEvent ComposedEvent;

    // Working values kept between openings: the phrase file's full path and the track
    // descriptor of the add-track page (Windows-1251).
    std::string PhraseFilePath;
    std::string AddedWave;

    // Presets by a caller before showing: the time fields, each brought into its range (the
    // minutes by the session's length), then the time change runs once.
    void PresetTime(std::int64_t minutes, std::int64_t seconds);
    // Selects a catalogue row as the type.
    void SelectType(EventKind kind);
    EventKind SelectedType() const;

    // Fills the dialog from the session's event at index: its time (milliseconds dropped), the
    // tracks of the state at its time, its type and its value. Returns the message that stops it
    // when a value that must be a number is not one (Windows-1251); the dialog must not be shown
    // then.
    [[nodiscard]] std::optional<std::string> LoadEvent(std::size_t index);

    // The handlers, by the names the form binds.
    void FormShow();
    void EventTypeBoxChange();
    void MinuteEditChange();
    void SecondsEditChange();
    void OkButtonClick();
    void OpenTxtFileButtonClick();
    void ClFileNameClick();
    void AddAudiotrackBtnClick();
    // The removal page's list: the tracks of the state at the editor's time.
    void TabSheet19Show();
    // TextColorButtonClick, BackColorButtonClick, Button1Click to Button7Click: the colour
    // picker for the swatch of the button's page.
    void ColorButtonClick(ColorSwatch* swatch);

    // The fixed part of the window.
    QComboBox* EventTypeBox = nullptr;
    SpinField* MinuteEdit = nullptr;
    SpinField* SecondsEdit = nullptr;
    QLabel* EventDecriptionText = nullptr;
    QStackedWidget* PageControl = nullptr;
    QPushButton* OkButton = nullptr;

    // The controls of the pages that only the editor has; those the start values dialog has
    // too are SettingsControls'.
    FontFaceBox* FontNameBox = nullptr;
    QComboBox* FontStyleBox = nullptr;
    ColorSwatch* TextColorShape = nullptr;
    QPushButton* TextColorButton = nullptr;
    ColorSwatch* BackColorShape = nullptr;
    QPushButton* BackColorButton = nullptr;
    SpinField* BlendEdit = nullptr;
    QLineEdit* AddedWaveEdit = nullptr;
    QPushButton* AddAudiotrackBtn = nullptr;
    QListWidget* WavesList = nullptr;
    QComboBox* SpiralDirect = nullptr;

    std::unique_ptr<ColorPicker> ColorDialog;

    // One page per catalogue row: its controls, the value "OK" writes from them, and how an
    // event's value is put into them (the message when it must be a number and is not).
    struct Page {
        QWidget* Sheet = nullptr;
        std::function<std::string()> Value;
        std::function<std::optional<std::string>(const std::string&)> Load;
    };
    std::array<Page, EventTypeCount> Pages;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();
    void FormCreate();
    void CreateFixedPart();
    void CreatePageControls();
    void BindHandlers();
    // The pages, by the kind of value the catalogue gives each type.
    Page CreatePage(const EventType& type);
    Page CreateNoticePage(EventKind kind);
    Page CreateFontPage();
    Page CreateChoicePage(EventKind kind);
    Page CreateColorPage(EventKind kind);
    Page CreateNumberPage(const EventType& type);
    Page CreateVolumePage();
    Page CreatePositionPage();
    Page CreateWidthPage();
    Page CreatePhraseFilePage();
    Page CreateAddTrackPage();
    Page CreateRemoveTrackPage();
    Page CreateFrequencyPage(EventKind kind);

    // The time of the two fields, each brought into its range.
    std::int32_t FieldTime() const;
    // EventTime from the fields, the tracks of the state at that time, and the removal list
    // when its page is the one shown.
    void TimeChange();
    // The state at time: its tracks kept for the removal list, and the message that stopped
    // the computation, if any.
    std::optional<std::string> ComputeTracksAt(std::int32_t time);
    void UpdateMinuteLimit();
    bool RemovalPageShown() const;
    void ShowPhraseFile();
    void ShowAddedWave();

    const SessionDocument& document_;
    Preferences& preferences_;
    // The tracks of the state at the editor's time.
    std::vector<TWaveEntry> tracksAtTime_;
    // The tracks the removal list shows, parallel to it.
    std::vector<std::string> removalTracks_;
    // A removal value loaded that matches no track of the list: kept while nothing is chosen.
    std::string keptRemoval_;
    RetranslatedTexts texts_;
};

} // namespace umbrascope
