// The main window's texts in the language in force, set in one place when the window is built
// and again whenever the language changes, and the menu that changes it.

#include "MainForm.h"

#include "ui/Language.h"
#include "ui/MessageBoxes.h"
#include "ui/PaintBox.h"

#include <QActionGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <utility>

namespace umbrascope {

void TMainForm::CreateLanguageMenu() {
    LanguageMG = menuBar()->addMenu(QString());
    LanguageMG->setObjectName(QStringLiteral("LanguageMG"));
    auto* choices = new QActionGroup(this);
    // Each language is named in its own words, so a reader of either finds it.
    const auto item = [&](const char* name, const QString& caption, Language language) {
        QAction* action = LanguageMG->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setActionGroup(choices);
        connect(action, &QAction::triggered, this,
                [this, language] { Guarded(this, [&] { ChooseLanguage(language); }); });
        return action;
    };
    RussianLanguageMI = item("RussianLanguageMI", QStringLiteral("&Русский"), Language::Russian);
    EnglishLanguageMI = item("EnglishLanguageMI", QStringLiteral("&English"), Language::English);
}

void TMainForm::ChooseLanguage(Language language) {
    preferences_.ChooseLanguage(language);
    language_.Apply(language);
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QMainWindow::changeEvent(event);
}

void TMainForm::RetranslateUi() {
    FileMG->setTitle(tr("&Файл"));
    NewMI->setText(tr("&Новый"));
    OpenMI->setText(tr("&Открыть"));
    RecentProjectsMG->setTitle(tr("Недавние &проекты"));
    SaveMI->setText(tr("&Сохранить"));
    SaveAsMI->setText(tr("Сохранить &как.."));
    BuildSessionMI->setText(tr("Ско&мпилировать сессию"));
    ExportSoundMI->setText(tr("&Экспорт звука..."));
    ExportVideoMI->setText(tr("Экспорт &видео..."));
    ExitMI->setText(tr("Вы&ход"));
    EditMG->setTitle(tr("&Правка"));
    SessionSettingsMG->setTitle(tr("&Настройки сессии"));
    SessionParametersMI->setText(tr("&Основные параметры"));
    SessionStartValuesMI->setText(tr("&Начальные значения"));
    PresentationScreenMG->setTitle(tr("&Экран показа"));
    EventsMG->setTitle(tr("&Редактирование событий"));
    AddEventMI->setText(tr("&Добавить событие"));
    DeleteEventMI->setText(tr("&Удалить событие"));
    GetEventListMI->setText(tr("&Вывести список событий"));
    LanguageMG->setTitle(tr("&Язык"));
    RussianLanguageMI->setChecked(language_.Current() == Language::Russian);
    EnglishLanguageMI->setChecked(language_.Current() == Language::English);
    HelpMG->setTitle(tr("&Справка"));
    HelpMI->setText(tr("&Помощь"));
    AboutMI->setText(tr("&О программе"));

    const std::pair<int, QString> hints[] = {
        {2, tr("Создать новый проект")},
        {3, tr("Открыть существующий проект")},
        {4, tr("Сохранить проект")},
        {11, tr("Скомпилировать сессию")},
        {1, tr("Настроить основные параметры сессии")},
        {5, tr("Изменить начальные значения")},
        {6, tr("Добавить событие")},
        {7, tr("Удалить событие")},
        {8, tr("Редактировать список событий")},
        {9, tr("Справка")},
        {10, tr("О программе")},
    };
    for (const auto& [number, hint] : hints) {
        SpeedButtons[number]->setToolTip(hint);
        SpeedButtons[number]->setAccessibleName(hint);
    }

    TextFileBox->setTitle(tr("Текстовый файл с фразами"));
    FrameTimeGroupBox->setTitle(tr("Время показа текстовой фразы"));
    AudioWavesGroupBox->setTitle(tr("Активные аудиодорожки"));
    ClipIndicator->setText(tr("Перегрузка"));
    ClipIndicator->setToolTip(tr("Звук сеанса превышает предельную громкость и искажается: "
                                 "уменьшите громкость дорожек."));
    TrackBox->setAccessibleName(tr("Позиция в сессии"));
    PlayButton->setToolTip(tr("Начать воспроизведение с текущей позиции"));
    PlayButton->setAccessibleName(PlayButton->toolTip());
    PlaySoundButton->setToolTip(tr("Воспроизводить только звук"));
    PlaySoundButton->setAccessibleName(PlaySoundButton->toolTip());
    // Stop has no hint; a screen reader still names it.
    StopButton->setAccessibleName(tr("Остановить воспроизведение"));

    // The texts made from the session.
    ShowProjectCaption();
    ShowUndoSteps();
    UpdateDisplay();
}

} // namespace umbrascope
