#pragma once

// Answers a modal dialog that a handler under test opens and waits for.

#include <functional>

class QWidget;

// Runs act on the next modal window that shows (not the one modal now), once, from the event
// loop of that window.
void AnswerNextModal(std::function<void(QWidget*)> act);
