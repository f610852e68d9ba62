// Texts made below the windows: the command line gets the Russian text with its arguments in
// place, the windows the same text in their language, and an argument is never read as a place.

#include "ui/ShownText.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

namespace umbrascope {

namespace {

// An English translation of one text, as a loaded translation file would give it; the places
// come in the other order, as a translation may need.
class OneTranslation final : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (QByteArray(context) == "umbrascope::Test" &&
            QByteArray(source) == "Файл «%1»: прочитано %2")
            return QStringLiteral("Read %2 of file \"%1\"");
        return {};
    }
    bool isEmpty() const override { return false; }
};

TEST(ShownText, PutsTheArgumentsOnceInTheRussianAndTheTranslatedText) {
    const UserText text(Translatable("umbrascope::Test", "Файл «%1»: прочитано %2"),
                        {"a%2b%1.usp", "3"});
    EXPECT_EQ(text.Text(), "Файл «a%2b%1.usp»: прочитано 3");

    char name[] = "test_shown_text";
    char* argv[] = {name, nullptr};
    int argc = 1;
    QCoreApplication application(argc, argv);
    OneTranslation english;
    ASSERT_TRUE(QCoreApplication::installTranslator(&english));
    EXPECT_EQ(ShownText(text), QStringLiteral("Read 3 of file \"a%2b%1.usp\""));
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(ShownText(text), QString::fromStdString(text.Text()));
}

} // namespace

} // namespace umbrascope
