#pragma once

// What the dialog tests share: the application made before any widget of a fixture, the user's
// settings in a private folder, and answers to the modal windows a handler under test opens
// and waits for.

#include "tests/dialogs/ScratchPreferences.h"
#include "tests/visual/GuiTestApplication.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QWidget;

namespace umbrascope {

// Points the user's folders for settings at a private one for the whole test program, once (Qt's
// own dialogs keep theirs there).
void KeepUserSettingsPrivate();

class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        KeepUserSettingsPrivate();
        EnsureGuiApplication();
    }

    // The preferences the dialogs under test are lent.
    Preferences& Settings() { return scratch_.preferences; }

private:
    ScratchPreferences scratch_;
};

// Selects the field's text and types text over it.
void TypeOver(QWidget& field, const QString& text);

// The access keys (&) that clash among the captions of the window's controls that show
// together (buttons, labels of fields, group and tab titles), and the buttons with a caption but
// no key; "" when none.
std::string AccessKeyFaults(QWidget& window);

// The same among the items of a menu bar or a menu.
std::string AccessKeyFaults(const QList<QAction*>& items);

// Runs act on the next modal window that shows (not the one modal now), once, from the event
// loop of that window.
void AnswerNextModal(std::function<void(QWidget*)> act);

// Chooses path in the file dialog modal and confirms it.
void AcceptFileDialog(QWidget* modal, const QString& path);

} // namespace umbrascope
