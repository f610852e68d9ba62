#pragma once

// What the dialog tests share: the application made before any widget of a fixture, and
// answers to the modal windows a handler under test opens and waits for.

#include "tests/visual/GuiTestApplication.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>

class QWidget;

class DialogTest : public ::testing::Test {
protected:
    DialogTest() { EnsureGuiApplication(); }
};

// Runs act on the next modal window that shows (not the one modal now), once, from the event
// loop of that window.
void AnswerNextModal(std::function<void(QWidget*)> act);

// Chooses path in the file dialog modal and confirms it.
void AcceptFileDialog(QWidget* modal, const QString& path);
