#pragma once

// The event editor: one timed event composed from its type (a row of the event catalogue), its
// time in whole minutes and seconds, and the value its type needs, entered on the page of that
// type. It never changes Events itself: "OK" leaves the composed event in ComposedEvent and the
// caller inserts or replaces it. While it is open, CurrentValues holds the state at the time it
// shows, so that the removal page lists the tracks playing then; the caller computes the state
// for the session position again afterwards. One instance serves the whole run and keeps what
// its controls held from one opening to the next.
// User-interface thread only; never opened while a session plays.

#include "model/EventCatalogue.h"
#include "model/Session.h"

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
class QRadioButton;
class QSlider;
class QStackedWidget;
class QToolButton;
class TAddWaveForm;
class TColorPicker;
class TColorSwatch;
class TFontNameBox;
class TFrequencyEdit;
class TPositionButtons;
class TSpinField;
class TUpDown;

class TEditEventForm : public QDialog {
    Q_OBJECT

public:
    explicit TEditEventForm(QWidget* parent = nullptr);
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
    // minutes by the open session's length), then the time change runs once.
    void PresetTime(std::int64_t minutes, std::int64_t seconds);
    // Selects a catalogue row as the type.
    void SelectType(EventKind kind);
    EventKind SelectedType() const;

    // Fills the dialog from Events[index]: its time (milliseconds dropped), the state at its
    // time, its type and its value. Returns the message that stops it when a value that must
    // be a number is not one (Windows-1251); the dialog must not be shown then.
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
    void ColorButtonClick(TColorSwatch* swatch);

    // The fixed part of the window.
    QComboBox* EventTypeBox = nullptr;
    TSpinField* MinuteEdit = nullptr;
    TSpinField* SecondsEdit = nullptr;
    QLabel* EventDecriptionText = nullptr;
    QStackedWidget* PageControl = nullptr;
    QPushButton* OkButton = nullptr;

    // The controls of the pages, by page.
    TFontNameBox* FontNameBox = nullptr;
    QComboBox* FontStyleBox = nullptr;
    TColorSwatch* TextColorShape = nullptr;
    QPushButton* TextColorButton = nullptr;
    TColorSwatch* BackColorShape = nullptr;
    QPushButton* BackColorButton = nullptr;
    TSpinField* BlendEdit = nullptr;
    TPositionButtons* PositionButtons = nullptr; // PosTextButton1 to PosTextButton12
    QRadioButton* RB100 = nullptr;
    QRadioButton* RB50 = nullptr;
    QRadioButton* RB33 = nullptr;
    TSpinField* TextFrameLongEdit = nullptr;
    TSpinField* TextFrameIntervalEdit = nullptr;
    QLineEdit* TxtFileEdit = nullptr;
    QToolButton* OpenTxtFileButton = nullptr;
    QToolButton* ClFileName = nullptr;
    QSlider* VolumeTrack = nullptr;
    QLineEdit* AddedWaveEdit = nullptr;
    QPushButton* AddAudiotrackBtn = nullptr;
    QListWidget* WavesList = nullptr;
    QComboBox* VideoTypeBox = nullptr;
    TColorSwatch* SolidScreenColorShape = nullptr;
    QPushButton* Button1 = nullptr;
    TFrequencyEdit* FmFreqE = nullptr;
    TUpDown* FmFreqU = nullptr;
    TColorSwatch* SpiralLColorShape = nullptr;
    QPushButton* Button3 = nullptr;
    TColorSwatch* SpiralBColorShape = nullptr;
    QPushButton* Button2 = nullptr;
    TSpinField* SpiralSpeed = nullptr;
    TSpinField* SpiralWidth = nullptr;
    QComboBox* SpiralDirect = nullptr;
    TColorSwatch* LinesLColorShape = nullptr;
    QPushButton* Button6 = nullptr;
    TColorSwatch* LinesBColorShape = nullptr;
    QPushButton* Button5 = nullptr;
    TSpinField* LinesSpeed = nullptr;
    TSpinField* LinesWidth = nullptr;
    QComboBox* LinesDirectBox = nullptr;
    TColorSwatch* CirclesLColorShape = nullptr;
    QPushButton* Button7 = nullptr;
    TColorSwatch* CirclesBColorShape = nullptr;
    QPushButton* Button4 = nullptr;
    TFrequencyEdit* ClFreqE = nullptr;
    TUpDown* ClFreqU = nullptr;
    TSpinField* CirclesWidth = nullptr;

    std::unique_ptr<TColorPicker> ColorDialog;

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

private:
    void FormCreate();
    void CreateFixedPart();
    void BindHandlers();
    // The pages, by the kind of value the catalogue gives each type.
    Page CreatePage(const EventType& type);
    Page CreateNoticePage(EventKind kind);
    Page CreateFontPage();
    Page CreateChoicePage(EventKind kind);
    Page CreateColourPage(EventKind kind);
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
    // EventTime from the fields, the state at that time, and the removal list when its page
    // is the one shown.
    void TimeChange();
    void UpdateMinuteLimit();
    bool RemovalPageShown() const;
    void ShowPhraseFile();
    void ShowAddedWave();

    // The tracks the removal list shows, parallel to it.
    std::vector<std::string> removalTracks_;
    // A removal value loaded that matches no track of the list: kept while nothing is chosen.
    std::string keptRemoval_;
};
