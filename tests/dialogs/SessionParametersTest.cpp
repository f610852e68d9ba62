// The session parameters dialog: the header stored on "OK" only, event times rescaled with the
// length, texts kept byte for byte, and the about box's links.

#include "DialogTestSupport.h"
#include "dialogs/AboutForm.h"
#include "dialogs/SessionParametersForm.h"
#include "model/Cp1251.h"
#include "model/SessionDocument.h"
#include "ui/MessageBoxes.h"
#include "ui/SpinField.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>

namespace umbrascope {

namespace {

class SessionParameters : public DialogTest {
protected:
    void SetUp() override {
        AnswerMessagesOf(form, [this](const QString& text) { messages << text; });
    }

    std::vector<std::int32_t> EventTimes() const {
        std::vector<std::int32_t> times;
        for (const TSessionEvent& event : document.Events)
            times.push_back(event.EventTime);
        return times;
    }

    SessionDocument document;
    TSessionParametersForm form{document};
    QStringList messages;
};

TEST_F(SessionParameters, OkStoresTheHeaderAndRescalesEventTimesHalvesToEven) {
    document.Events = {{"a", 1000, ""}, {"b", 90000, ""}, {"c", 1799999, ""}};
    document.SessionDescription = "line\nbare"; // not CR LF: kept as it is while nobody edits it
    form.show();
    form.NameEdit->setText(QStringLiteral("Вечер"));
    form.LongEdit->setValue(7);
    form.OkButtonClick();
    EXPECT_EQ(document.SessionName, Cp1251Literal("Вечер"));
    EXPECT_EQ(document.SessionDescription, "line\nbare");
    EXPECT_EQ(document.SessionLength, 420000);
    // 1000 * 7/30 = 233.3; 1799999 * 7/30 = 419999.77
    EXPECT_EQ(EventTimes(), (std::vector<std::int32_t>{233, 21000, 420000}));
    EXPECT_FALSE(form.isVisible());

    form.show();
    form.DescribeMemo->setPlainText(QStringLiteral("один\nдва"));
    form.OkButtonClick();
    EXPECT_EQ(document.SessionDescription, Cp1251Literal("один\r\nдва"));
    EXPECT_EQ(EventTimes(), (std::vector<std::int32_t>{233, 21000, 420000}))
        << "an unchanged length moves nothing";
}

TEST_F(SessionParameters, CloseBoxAndUnstorableTextChangeNothing) {
    document.Events = {{"a", 1000, ""}};
    form.show();
    form.LongEdit->setValue(60);
    form.close();
    EXPECT_EQ(document.SessionLength, DefaultSessionLength);

    form.show();
    form.AuthorEdit->setText(QStringLiteral("作者"));
    form.LongEdit->setValue(60);
    form.OkButtonClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Автор"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(document.SessionLength, DefaultSessionLength);
    EXPECT_EQ(document.Events[0].EventTime, 1000);
    form.close();
}

TEST_F(SessionParameters, ALengthOfZeroFromAFileKeepsTheEventTimes) {
    document.SessionLength = 0;
    document.Events = {{"a", 1000, ""}};
    form.show();
    form.OkButtonClick();
    EXPECT_EQ(document.SessionLength, 300000) << "shown as the least length, 5 minutes";
    EXPECT_EQ(document.Events[0].EventTime, 1000);
}

TEST_F(SessionParameters, TheLengthSaysBeforeOkWhatItWillDo) {
    document.Events = {{"a", 1000, ""}};
    form.show();
    EXPECT_EQ(form.LengthNote->text(), "");
    TypeOver(*form.LongEdit, "2");
    EXPECT_TRUE(form.LengthNote->text().contains("будет 5"))
        << form.LengthNote->text().toStdString() << "/" << form.LongEdit->text().toStdString();
    EXPECT_TRUE(form.LengthNote->text().contains("с 30 на 5 минут"));
    TypeOver(*form.LongEdit, "30");
    EXPECT_EQ(form.LengthNote->text(), "");
    form.close();
}

TEST_F(SessionParameters, TabLeavesTheDescriptionAndCtrlTabTypesATab) {
    form.show();
    form.DescribeMemo->setPlainText("a");
    form.DescribeMemo->moveCursor(QTextCursor::End);
    QTest::keyClick(form.DescribeMemo, Qt::Key_Tab);
    EXPECT_EQ(form.DescribeMemo->toPlainText(), "a");
    QTest::keyClick(form.DescribeMemo, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form.DescribeMemo->toPlainText(), "a\t");
    form.close();
}

// Receives the links the about box opens.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST_F(SessionParameters, AboutBoxOpensOnlyTheAddressesItHas) {
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
    QDesktopServices::setUrlHandler("http", &catcher, "Open");
    TAboutForm about(nullptr, {"", "help@example.org", "example.org", ""});
    about.show();
    for (QLabel* label : {about.DeveloperSiteLabel, about.DeveloperMailLabel,
                          about.ProductSiteLabel, about.ProductMailLabel})
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, label->height() / 2));
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("http");
    EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl("mailto:help@example.org?subject=Umbrascope_4.1"),
                                           QUrl("http://example.org")}));
    EXPECT_EQ(about.ProductMailLabel->text(), "адрес почты не указан");
}

} // namespace

#include "SessionParametersTest.moc"

} // namespace umbrascope
