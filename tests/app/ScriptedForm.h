#pragma once

// The main window with its file dialogs answered by the test.

#include "app/gui/MainForm.h"

#include <optional>

namespace umbrascope {

class ScriptedForm : public TMainForm {
public:
    using TMainForm::TMainForm;
    std::optional<QString> openAnswer;
    std::optional<QString> saveAnswer;
    int saveDialogs = 0;
    bool overwriteDamaged = false;

    std::optional<QString> ChooseProjectToOpen() override { return openAnswer; }
    std::optional<QString> ChooseProjectToSave() override {
        ++saveDialogs;
        return saveAnswer;
    }
    bool ConfirmOverwriteDamaged(const QString&) override { return overwriteDamaged; }
};

} // namespace umbrascope
