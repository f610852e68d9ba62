// The windows in English and in Russian: the language the locale and the user's choice give,
// the main window retranslated at once from its menu, every window's texts fitting their
// controls, no Russian left on the English windows, and projects saved the same in either.

#include "ui/Language.h"
#include "MainWindowFixture.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "dialogs/AboutForm.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "dialogs/ExportSoundDialog.h"
#include "dialogs/ExportVideoDialog.h"
#include "dialogs/FontSettingsForm.h"
#include "dialogs/SessionParametersForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/EventCatalogue.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/PhotosensitivityWarning.h"
#include "ui/UiText.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>

namespace umbrascope {

namespace {

TEST(LanguageOfLocale, RussianWhereTheLocaleIsRussianOrNoneIsSet) {
    EXPECT_EQ(LanguageOfLocale("", "", ""), Language::Russian);
    EXPECT_EQ(LanguageOfLocale("", "", "C.UTF-8"), Language::Russian);
    EXPECT_EQ(LanguageOfLocale("", "", "POSIX"), Language::Russian);
    EXPECT_EQ(LanguageOfLocale("", "", "ru_UA.UTF-8"), Language::Russian);
    EXPECT_EQ(LanguageOfLocale("", "", "de_DE@euro"), Language::English);
    EXPECT_EQ(LanguageOfLocale("C", "", "en_US.UTF-8"), Language::Russian) << "LC_ALL first";
    EXPECT_EQ(LanguageOfLocale("", "en_GB.UTF-8", "ru_RU.UTF-8"), Language::English)
        << "then LC_MESSAGES";
}

TEST(WindowLanguage, ItsTranslationsGoWithIt) {
    TestApplication();
    {
        WindowLanguage language;
        language.Apply(Language::English);
        EXPECT_EQ(QCoreApplication::translate("umbrascope::TMainForm", "&Файл"), "&File");
    }
    EXPECT_EQ(QCoreApplication::translate("umbrascope::TMainForm", "&Файл"), "&Файл")
        << "no language outlives the program part that owns it";
}

class Languages : public MainWindowTest {
protected:
    void TearDown() override { Apply(Language::Russian); }

    void Apply(Language language) {
        program.language.Apply(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
};

TEST_F(Languages, ChoosingFromTheMenuRetranslatesTheOpenWindowAndIsRemembered) {
    form->show();
    form->RunEditingCommand(Translatable("umbrascope::TMainForm", "&Начальные значения"),
                            [this] { form->Document().StartValues.VideoType = 3; });
    form->EnglishLanguageMI->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(form->FileMG->title(), "&File");
    EXPECT_EQ(form->UndoMI->text(), "&Undo “Start Values”") << "a step made in Russian";
    EXPECT_EQ(form->windowTitle(), " Umbrascope - New Project*");
    EXPECT_EQ(form->VolumeLabel->text(), "Audio volume: 100%");
    EXPECT_TRUE(form->EnglishLanguageMI->isChecked());
    EXPECT_EQ(program.Settings().ChosenLanguage(), Language::English);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "File &name:");

    form->RussianLanguageMI->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(form->FileMG->title(), "&Файл");
    EXPECT_EQ(program.Settings().ChosenLanguage(), Language::Russian);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "&Имя файла:")
        << "Qt's own Russian comes back";
}

// Faults of the texts of a window as it shows: a text wider than its control (cut off), and in
// English a text with Russian letters. Each names the window, the control and the text.
class TextFaults {
public:
    explicit TextFaults(bool english) : english_(english) {}

    void Check(QWidget& window) {
        const bool shown = window.isVisible();
        window.show();
        QCoreApplication::processEvents();
        Text(window, window.windowTitle());
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (w->window() != &window || !w->isVisibleTo(&window))
                continue;
            Text(*w, w->toolTip());
            if (auto* label = qobject_cast<QLabel*>(w))
                Label(*label);
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                Fits(*button, button->text(), NeededWidth(*button));
            else if (auto* group = qobject_cast<QGroupBox*>(w))
                Fits(*group, group->title(), group->minimumSizeHint().width());
            else if (auto* tabs = qobject_cast<QTabBar*>(w))
                for (int i = 0; i < tabs->count(); ++i)
                    Text(*tabs, tabs->tabText(i));
            else if (auto* box = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < box->count(); ++i)
                    Text(*box, box->itemText(i));
            else if (auto* list = qobject_cast<QListWidget*>(w))
                for (int i = 0; i < list->count(); ++i)
                    Text(*list, list->item(i)->text());
            else if (auto* edit = qobject_cast<QLineEdit*>(w))
                Text(*edit, edit->text() + edit->placeholderText());
        }
        if (!shown)
            window.hide();
    }

    // The items of a menu bar, each shown whole on the bar, and of its menus.
    void Check(QMenuBar& bar) {
        for (QAction* group : bar.actions()) {
            const QRect place = bar.actionGeometry(group);
            if (!place.isValid() || place.right() >= bar.width())
                faults_ << Name(bar) + ": " + group->text() + " goes past the menu bar";
            Text(bar, group->text());
            // The languages are named each in its own words.
            if (group->menu() && group->menu()->objectName() != QStringLiteral("LanguageMG"))
                for (QAction* item : group->menu()->actions())
                    Text(*group->menu(), item->text());
        }
    }

    std::string Faults() const { return faults_.join('\n').toStdString(); }

private:
    // A push button's own minimum width (75 px in some styles) is no fault of its text: the
    // text, its icon and a few pixels of frame are what must fit.
    static int NeededWidth(const QAbstractButton& button) {
        if (!qobject_cast<const QPushButton*>(&button))
            return button.sizeHint().width();
        const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
        return button.fontMetrics().horizontalAdvance(WithoutAccessKey(button.text())) + icon + 8;
    }

    static QString Name(const QWidget& w) {
        return w.window()->metaObject()->className() + QStringLiteral("/") + w.objectName() + " (" +
               w.metaObject()->className() + ")";
    }

    void Text(const QWidget& w, const QString& text) {
        static const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
        if (english_ && text.contains(cyrillic))
            faults_ << Name(w) + ": " + text;
    }

    void Fits(const QWidget& w, const QString& text, int needed) {
        Text(w, text);
        if (!text.isEmpty() && needed > w.width())
            faults_ << Name(w) + QStringLiteral(": «%1» needs %2 px, has %3")
                                     .arg(text)
                                     .arg(needed)
                                     .arg(w.width());
    }

    void Label(const QLabel& label) {
        Text(label, label.text());
        if (label.text().isEmpty() || label.textFormat() == Qt::RichText)
            return;
        if (label.wordWrap()) {
            if (label.heightForWidth(label.width()) > label.height())
                faults_ << Name(label) +
                               QStringLiteral(": «%1» is cut off below").arg(label.text());
            return;
        }
        if (label.sizeHint().width() > label.width())
            faults_ << Name(label) + QStringLiteral(": «%1» needs %2 px, has %3")
                                         .arg(label.text())
                                         .arg(label.sizeHint().width())
                                         .arg(label.width());
    }

    bool english_;
    QStringList faults_;
};

std::string WindowTextFaults(TMainForm& form, bool english, Preferences& preferences) {
    TextFaults faults(english);
    faults.Check(form);
    form.show();
    faults.Check(*form.menuBar());
    ExportVideoDialog video(preferences, &form);
    ExportSoundDialog sound(preferences, &form);
    PhotosensitivityWarning warning(&form);
    for (QWidget* window : std::initializer_list<QWidget*>{
             form.SessionParametersForm, form.SessionStartValuesForm, form.EventsListForm,
             form.AboutForm, form.AddWaveForm, form.FontSettingsForm, &video, &sound, &warning})
        faults.Check(*window);
    // Each type of event shows a page of its own.
    TEditEventForm& editor = *form.EditEventForm;
    editor.show();
    for (int type = 0; type < editor.EventTypeBox->count(); ++type) {
        editor.EventTypeBox->setCurrentIndex(type);
        faults.Check(editor);
    }
    editor.hide();
    return faults.Faults();
}

TEST_F(Languages, EveryWindowsTextsFitAndTheEnglishOnesHoldNoRussian) {
    EXPECT_EQ(WindowTextFaults(*form, false, program.Settings()), "");
    Apply(Language::English);
    EXPECT_EQ(WindowTextFaults(*form, true, program.Settings()), "");
    EXPECT_EQ(AccessKeyFaults(form->menuBar()->actions()), "");
    for (QAction* group : form->menuBar()->actions())
        EXPECT_EQ(AccessKeyFaults(group->menu()->actions()), "") << group->text().toStdString();
}

// A session composed through the event editor, an event of every type at its own second, a
// track added through its dialog, saved as a project.
std::string ComposedProject(TMainForm& form, const QString& path) {
    for (int type = 1; type < EventTypeCount; ++type) {
        const auto kind = static_cast<EventKind>(type);
        form.PlayTransport().SessionPosition = type * 1000;
        AnswerNextModal([kind](QWidget* modal) {
            auto* editor = qobject_cast<TEditEventForm*>(modal);
            ASSERT_NE(editor, nullptr);
            editor->SelectType(kind);
            if (kind == EventKind::AddTrack) {
                AnswerNextModal([](QWidget* wave) {
                    auto* add = qobject_cast<TAddWaveForm*>(wave);
                    ASSERT_NE(add, nullptr);
                    add->NoiseRB->click();
                    add->Button1->click();
                });
                editor->AddAudiotrackBtn->click();
            }
            editor->OkButton->click();
        });
        form.AddEventMI->trigger();
    }
    EXPECT_TRUE(form.SaveProjectAs(path));
    return ReadBytes(path);
}

TEST_F(Languages, AProjectIsSavedTheSameWhicheverLanguageTheWindowsSpeak) {
    QTemporaryDir folder;
    const std::string russian = ComposedProject(*form, folder.filePath("ru.usp"));
    const std::size_t events = Document().Events.size();
    EXPECT_GT(events, 30u) << "most types take their default values";

    Apply(Language::English);
    TMainForm english(QStringList{}, program.Services(messages));
    EXPECT_EQ(ComposedProject(english, folder.filePath("en.usp")), russian);
    EXPECT_EQ(english.Document().Events.size(), events);
}

} // namespace

} // namespace umbrascope
