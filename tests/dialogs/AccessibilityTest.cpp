// Every control of every dialog can be named by a screen reader: a field by the label that
// is its buddy (or a name of its own), a button by its caption, hint or name; and reached from
// the keyboard by an access key no other control showing with it has.

#include "DialogTestSupport.h"
#include "dialogs/AboutForm.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "dialogs/ExportSoundDialog.h"
#include "dialogs/ExportVideoDialog.h"
#include "dialogs/FontSettingsForm.h"
#include "dialogs/SessionParametersForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/SessionDocument.h"
#include "ui/PhotosensitivityWarning.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <set>
#include <vector>

namespace umbrascope {

namespace {

// The controls of the window without a name a screen reader could say.
std::string Nameless(QWidget& window) {
    std::set<const QWidget*> labelled;
    for (const QLabel* label : window.findChildren<QLabel*>())
        labelled.insert(label->buddy());
    QStringList nameless;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        // Parts of a compound control (the text of a spin field, a list's scroll bar) and
        // other windows.
        if (w->window() != &window || qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
            qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QScrollBar*>(w))
            continue;
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractSlider*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w);
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const bool named = labelled.count(w) || !w->accessibleName().isEmpty() ||
                           (button && !button->text().isEmpty());
        if (control && !named)
            nameless << w->objectName() + " (" + w->metaObject()->className() + ")";
    }
    return nameless.join(", ").toStdString();
}

// One of each dialog.
class Dialogs : public DialogTest {
protected:
    std::vector<QWidget*> All() {
        return {&parameters, &about, &addWave, &look,  &start,
                &editor,     &list,  &video,   &sound, &warning};
    }

    SessionDocument document;
    TSessionParametersForm parameters{document};
    TAboutForm about{nullptr, {"example.org", "", "", "help@example.org"}};
    TAddWaveForm addWave{Settings()};
    TFontSettingsForm look;
    TSessionStartValuesForm start{document.StartValues, Settings()};
    TEditEventForm editor{document, Settings()};
    TEventsListForm list{document};
    ExportVideoDialog video{Settings()};
    ExportSoundDialog sound{Settings()};
    PhotosensitivityWarning warning;
};

TEST_F(Dialogs, EveryControlCanBeNamed) {
    for (QWidget* window : All())
        EXPECT_EQ(Nameless(*window), "") << window->metaObject()->className();
}

TEST_F(Dialogs, AccessKeysDoNotClash) {
    for (QWidget* window : All())
        EXPECT_EQ(AccessKeyFaults(*window), "") << window->metaObject()->className();
    // Each type of event shows a page of its own.
    for (int type = 1; type < editor.EventTypeBox->count(); ++type) {
        editor.EventTypeBox->setCurrentIndex(type);
        EXPECT_EQ(AccessKeyFaults(editor), "") << editor.EventTypeBox->currentText().toStdString();
    }
}

} // namespace

} // namespace umbrascope
