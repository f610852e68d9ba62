#include "SessionParametersForm.h"

#include "model/SessionDocument.h"
#include "ui/MessageBoxes.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"
#include "ui/UiText.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>

namespace umbrascope {

namespace {

constexpr std::int32_t MinuteMs = 60000;
constexpr int ShortestMinutes = 5;
constexpr int LongestMinutes = 60;

QLabel* NewLabel(QWidget* parent, RetranslatedTexts& texts, TranslatedText text, QWidget* buddy,
                 int x, int y) {
    auto* label = texts.Text(new QLabel(parent), std::move(text));
    label->setGeometry(x, y, 160, 16);
    label->setBuddy(buddy);
    return label;
}

// The memo shows lines; the session keeps them separated by CR LF.
QString MemoText(const std::string& description) {
    return FromModelText(description).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString WithCrLf(QString memoText) {
    return memoText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// A length in minutes as the note shows it: whole minutes, or with a tenth for a length from a
// file that is not.
QString MinutesText(std::int32_t ms) {
    if (ms % MinuteMs == 0)
        return QString::number(ms / MinuteMs);
    return QLocale().toString(ms / double{MinuteMs}, 'f', 1);
}

// The model text of a field: the bytes it was loaded from when the user left it alone.
std::optional<std::string> StoredText(const QString& text, const QString& loaded,
                                      const std::string& original) {
    if (text == loaded)
        return original;
    return ToModelText(text);
}

} // namespace

TSessionParametersForm::TSessionParametersForm(SessionDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName(QStringLiteral("SessionParametersForm"));
    texts_.Keep([this] { setWindowTitle(tr("Основные параметры сессии")); });
    MakeFixedToolWindow(*this, QSize(407, 266));

    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setGeometry(100, 10, 297, 22);
    NewLabel(
        this, texts_, [] { return tr("&Название:"); }, NameEdit, 10, 13);

    AuthorEdit = new QLineEdit(this);
    AuthorEdit->setObjectName(QStringLiteral("AuthorEdit"));
    AuthorEdit->setGeometry(100, 40, 297, 22);
    NewLabel(
        this, texts_, [] { return tr("&Автор:"); }, AuthorEdit, 10, 43);

    DescribeMemo = new QPlainTextEdit(this);
    DescribeMemo->setObjectName(QStringLiteral("DescribeMemo"));
    DescribeMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DescribeMemo->setTabChangesFocus(true);
    DescribeMemo->installEventFilter(this);
    DescribeMemo->setGeometry(10, 90, 387, 84);
    NewLabel(
        this, texts_, [] { return tr("&Краткое описание сессии:"); }, DescribeMemo, 10, 70);

    LongEdit = new SpinField(ShortestMinutes, LongestMinutes, 30, this);
    LongEdit->setObjectName(QStringLiteral("LongEdit"));
    LongEdit->setGeometry(150, 182, 60, 22);
    NewLabel(
        this, texts_, [] { return tr("&Длительность сессии:"); }, LongEdit, 10, 185);
    NewLabel(
        this, texts_, [] { return tr("минут"); }, LongEdit, 216, 185);
    LengthNote = new QLabel(this);
    LengthNote->setObjectName(QStringLiteral("LengthNote"));
    LengthNote->setWordWrap(true);
    LengthNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for four lines, as long as the two notes can be.
    LengthNote->setGeometry(10, 208, 297, 56);
    connect(LongEdit, &SpinField::ShownTextChanged, this,
            [this] { Guarded(this, [this] { LongEditChange(); }); });

    OkButton = texts_.Text(new QPushButton(this), [] { return tr("&OK"); });
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(317, 230, 80, 26);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this,
            [this] { Guarded(this, [this] { OkButtonClick(); }); });
}

void TSessionParametersForm::RetranslateUi() {
    texts_.Apply();
    LongEditChange();
}

void TSessionParametersForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Guarded(this, [this] { RetranslateUi(); });
    QDialog::changeEvent(event);
}

bool TSessionParametersForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DescribeMemo && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            DescribeMemo->insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSessionParametersForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TSessionParametersForm::FormShow() {
    loadedName_ = FromModelText(document_.SessionName);
    loadedAuthor_ = FromModelText(document_.SessionAuthor);
    loadedDescription_ = MemoText(document_.SessionDescription);
    NameEdit->setText(loadedName_);
    AuthorEdit->setText(loadedAuthor_);
    DescribeMemo->setPlainText(loadedDescription_);
    // Read back, as the edits may hold a text differently (a line edit keeps no line break).
    loadedName_ = NameEdit->text();
    loadedAuthor_ = AuthorEdit->text();
    loadedDescription_ = DescribeMemo->toPlainText();
    OldSessionLength = document_.SessionLength;
    LongEdit->setValue(document_.SessionLength / MinuteMs);
    LongEditChange();
}

void TSessionParametersForm::LongEditChange() {
    QStringList note;
    bool typed = false;
    const qlonglong minutes = LongEdit->cleanText().trimmed().toLongLong(&typed);
    if (typed && (minutes < ShortestMinutes || minutes > LongestMinutes))
        note << tr("Длительность бывает от %1 до %2 минут: будет %3.")
                    .arg(ShortestMinutes)
                    .arg(LongestMinutes)
                    .arg(LongEdit->Value());
    const std::int32_t length = LongEdit->Value() * MinuteMs;
    // A length of 0 or less (only a damaged file holds one) moves no event.
    if (length != OldSessionLength && OldSessionLength > 0 && !document_.Events.empty())
        note << tr("Время всех событий будет пересчитано пропорционально новой длительности: с "
                   "%1 на %2 минут.")
                    .arg(MinutesText(OldSessionLength), MinutesText(length));
    LengthNote->setText(note.join(QLatin1Char(' ')));
}

void TSessionParametersForm::OkButtonClick() {
    const auto refuse = [this](const QString& label) {
        ShowMessageBox(this, UnrepresentableTextMessage(label));
    };
    SessionDocument& d = document_;
    const auto name = StoredText(NameEdit->text(), loadedName_, d.SessionName);
    if (!name)
        return refuse(tr("Название"));
    const auto author = StoredText(AuthorEdit->text(), loadedAuthor_, d.SessionAuthor);
    if (!author)
        return refuse(tr("Автор"));
    const auto description = StoredText(WithCrLf(DescribeMemo->toPlainText()),
                                        WithCrLf(loadedDescription_), d.SessionDescription);
    if (!description)
        return refuse(tr("Краткое описание сессии"));
    d.SessionName = *name;
    d.SessionAuthor = *author;
    d.SessionDescription = *description;
    d.SessionLength = LongEdit->Value() * MinuteMs;
    // A length of 0 or less gives no proportion: the events keep their times.
    if (d.SessionLength != OldSessionLength && OldSessionLength > 0)
        d.RescaleEventTimes(OldSessionLength, d.SessionLength);
    accept();
}

} // namespace umbrascope
