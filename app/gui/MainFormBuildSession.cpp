// Build session: the open session as one file that plays itself on another machine.

#include "MainForm.h"

#include "base/FileUtils.h"
#include "model/BuiltSession.h"
#include "model/Common.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The name the session is built under: ".run" is added unless the chosen name has it, in any
// letter case.
QString BuiltSessionName(const QString& chosen) {
    const QString name = QFileInfo(chosen).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && name.mid(dot).toUpper() == QLatin1String(".RUN"))
        return chosen;
    return chosen + QStringLiteral(".run");
}

} // namespace

std::optional<QString> TMainForm::ChooseBuiltSessionFile() {
    // The question comes after the naming rule, about the file that is really replaced.
    return ChooseFileToSave(this, QStringLiteral("SaveBuildDialog"),
                            QStringLiteral("Сессия Umbrascope (*.run)"),
                            OverwriteQuestion::DontAsk);
}

bool TMainForm::ConfirmReplace(const QString& path) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                    QStringLiteral("Файл %1 уже существует.\nЗаменить его?").arg(path),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TMainForm::BuildSessionMIClick() {
    if (const auto path = ChooseBuiltSessionFile())
        BuildSessionAs(*path);
}

void TMainForm::BuildSessionAs(const QString& chosen) {
    const QString path = BuiltSessionName(QFileInfo(chosen).absoluteFilePath());
    if (QFileInfo::exists(path) && !ConfirmReplace(path))
        return;
    std::vector<std::string> leftOut;
    try {
        const WaitCursor waiting;
        leftOut = BuildSessionFile(OpenSession(), OpenProjectFolder(), RunningProgramFile(),
                                   path.toStdString());
    } catch (const EInOutError& error) {
        ShowMessageBox(this, path + QStringLiteral(": ") + QString::fromUtf8(error.what()));
        return;
    }
    if (leftOut.empty())
        return;
    QString text = QStringLiteral("Сессия собрана, но без этих файлов: их нет на месте или их "
                                  "нельзя прочитать.\n");
    for (const std::string& file : leftOut)
        text += QStringLiteral("\n") + FromModelText(file);
    ShowMessageBox(this, text);
}
