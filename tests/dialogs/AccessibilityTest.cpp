// Every control of every dialog can be named by a screen reader: a field by the label that
// is its buddy (or a name of its own), a button by its caption, hint or name.

#include "DialogTestSupport.h"
#include "dialogs/AboutForm.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "dialogs/FontSettingsForm.h"
#include "dialogs/SessionParametersForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/SessionDocument.h"

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

TEST_F(DialogTest, EveryControlCanBeNamed) {
    SessionDocument document;
    TSessionParametersForm parameters(document);
    TAboutForm about(nullptr, {"example.org", "", "", "help@example.org"});
    TAddWaveForm addWave;
    TFontSettingsForm look;
    TSessionStartValuesForm start(document.StartValues);
    TEditEventForm editor(document);
    TEventsListForm list(document);
    for (QWidget* window : std::initializer_list<QWidget*>{&parameters, &about, &addWave, &look,
                                                           &start, &editor, &list})
        EXPECT_EQ(Nameless(*window), "") << window->objectName().toStdString();
}

} // namespace
