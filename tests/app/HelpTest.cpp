// The help: written owner-only into the user's own folder, refreshed when the version changes,
// never written through a planted link, every page reachable from the start page, an English
// page beside every Russian one, and handed to the desktop in the language of the windows from
// the menu and F1.

#include "app/gui/Help.h"
#include "QtTestSupport.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace umbrascope {

namespace {

// Stands for the desktop's browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

int Mode(const QString& path) {
    struct stat info {};
    lstat(QFile::encodeName(path).constData(), &info);
    return static_cast<int>(info.st_mode & 07777);
}

QByteArray Resource(const QString& name) {
    QFile file(QStringLiteral(":/help/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Help : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        ASSERT_TRUE(folder.isValid());
    }
    QString Path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

TEST_F(Help, PagesAreOwnerOnlyInAFolderMadeOrMadePrivate) {
    const HelpPages fresh = WriteHelpPages(Path("cache/Umbrascope/help"), "4.1");
    ASSERT_TRUE(fresh.error.isEmpty()) << fresh.error.toStdString();
    EXPECT_EQ(fresh.startPage, Path("cache/Umbrascope/help/index.html"));
    EXPECT_EQ(Mode(Path("cache/Umbrascope/help")), 0700);
    for (const QString& name : QDir(Path("cache/Umbrascope/help")).entryList(QDir::Files))
        EXPECT_EQ(Mode(Path("cache/Umbrascope/help/") + name), 0600) << name.toStdString();

    ASSERT_TRUE(QDir().mkdir(Path("open")));
    chmod(QFile::encodeName(Path("open")).constData(), 0755);
    ASSERT_TRUE(WriteHelpPages(Path("open"), "4.1").error.isEmpty());
    EXPECT_EQ(Mode(Path("open")), 0700);
}

TEST_F(Help, PagesAreRefreshedWhenTheVersionChanges) {
    const QString page = Path("help/index.html");
    ASSERT_TRUE(WriteHelpPages(Path("help"), "4.0").error.isEmpty());
    QByteArray older = Resource("index.html");
    older.fill('x');
    WriteBytes(page, older.toStdString());

    ASSERT_TRUE(WriteHelpPages(Path("help"), "4.0").error.isEmpty());
    EXPECT_EQ(ReadBytes(page), older.toStdString()) << "the same version is not written again";
    ASSERT_TRUE(WriteHelpPages(Path("help"), "4.1").error.isEmpty());
    EXPECT_EQ(ReadBytes(page), Resource("index.html").toStdString());
}

TEST_F(Help, APlantedLinkIsReplacedNotFollowed) {
    WriteBytes(Path("precious.txt"), "the user's own file");
    ASSERT_TRUE(QDir().mkdir(Path("help")));
    ASSERT_TRUE(QFile::link(Path("precious.txt"), Path("help/index.html")));

    ASSERT_TRUE(WriteHelpPages(Path("help"), "4.1").error.isEmpty());
    EXPECT_EQ(ReadBytes(Path("precious.txt")), "the user's own file");
    EXPECT_FALSE(QFileInfo(Path("help/index.html")).isSymLink());
    EXPECT_EQ(ReadBytes(Path("help/index.html")), Resource("index.html").toStdString());

    // The folder itself planted as a link to another one is refused.
    ASSERT_TRUE(QDir().mkdir(Path("elsewhere")));
    ASSERT_TRUE(QFile::link(Path("elsewhere"), Path("linked")));
    EXPECT_FALSE(WriteHelpPages(Path("linked"), "4.1").error.isEmpty());
    EXPECT_TRUE(QDir(Path("elsewhere")).isEmpty());
}

TEST_F(Help, AFolderUnderAParentThatAnotherUserMayChangeIsRefused) {
    // Whoever may write the parent may swap the help folder for one of theirs once written.
    ASSERT_TRUE(QDir().mkdir(Path("shared")));
    chmod(QFile::encodeName(Path("shared")).constData(), 0777);
    QStringList parents{Path("shared")};
    if (geteuid() == 0) {
        ASSERT_TRUE(QDir().mkdir(Path("theirs")));
        ASSERT_EQ(chown(QFile::encodeName(Path("theirs")).constData(), 65534, 65534), 0);
        parents << Path("theirs");
    }
    for (const QString& parent : parents) {
        const HelpPages help = WriteHelpPages(parent + "/help", "4.1");
        EXPECT_TRUE(help.startPage.isEmpty());
        EXPECT_TRUE(help.error.contains(parent)) << help.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(parent + "/help"));
    }
}

TEST_F(Help, EveryPageIsReachableFromTheStartPageAndEveryLinkLeadsSomewhere) {
    ASSERT_TRUE(WriteHelpPages(Path("help"), "4.1").error.isEmpty());
    const QRegularExpression link(QStringLiteral("href=\"([^\":]*)\"")); // pages of our own
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList toRead{QStringLiteral("index.html")};
    while (!toRead.isEmpty()) {
        const QString page = toRead.takeFirst();
        for (const auto& match :
             link.globalMatch(QString::fromUtf8(ReadBytes(Path("help/") + page)))) {
            const QStringList target = match.captured(1).split('#'); // file, then anchor
            const QString file = target[0].isEmpty() ? page : target[0];
            const std::string text = ReadBytes(Path("help/") + file);
            EXPECT_FALSE(text.empty()) << page.toStdString() << " -> " << file.toStdString();
            if (target.size() > 1) {
                EXPECT_NE(text.find("id=\"" + target[1].toStdString() + '"'), std::string::npos)
                    << page.toStdString() << " -> " << match.captured(1).toStdString();
            }
            if (file.endsWith(QStringLiteral(".html")) && !reached.contains(file))
                toRead << file;
            reached << file;
        }
    }
    const QStringList written = QDir(Path("help")).entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(written.begin(), written.end()), reached);
}

// The English set mirrors the Russian one page for page, with the same links and anchors: every
// link the Russian pages prove sound then leads somewhere in English too.
TEST_F(Help, EveryPageHasAnEnglishCounterpartWithTheSameLinksAndAnchors) {
    ASSERT_TRUE(WriteHelpPages(Path("help"), "4.1").error.isEmpty());
    const QStringList russian = QDir(Path("help")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(QDir(QStringLiteral(":/help/en")).entryList(QDir::Files, QDir::Name).join(' '),
              russian.join(' '));
    const QRegularExpression target(QStringLiteral("(?:href|id)=\"[^\"]*\""));
    const auto targets = [&target](const QString& text) {
        QStringList found;
        for (const auto& match : target.globalMatch(text))
            found << match.captured(0);
        found.sort();
        found.removeDuplicates();
        return found.join(' ').toStdString();
    };
    for (const QString& name : russian) {
        if (!name.endsWith(QStringLiteral(".html")))
            continue;
        const QString english = QString::fromUtf8(Resource(QStringLiteral("en/") + name));
        EXPECT_TRUE(english.contains(QStringLiteral("<html lang=\"en\">"))) << name.toStdString();
        EXPECT_EQ(targets(english),
                  targets(QString::fromStdString(ReadBytes(Path("help/") + name))))
            << name.toStdString();
    }
}

class HelpFromTheWindow : public Help {
protected:
    void SetUp() override {
        Help::SetUp();
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
        form = std::make_unique<TMainForm>(QStringList{}, program.Services(messages));
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CACHE_HOME");
    }

    UrlRecorder desktop;
    TestProgram program;
    MessageRecorder messages;
    std::unique_ptr<TMainForm> form;
};

TEST_F(HelpFromTheWindow, TheMenuAndF1OpenTheStartPageOnTheDesktop) {
    const QUrl startPage = QUrl::fromLocalFile(Path("umbrascope-help/index.html"));
    form->HelpMI->trigger();
    EXPECT_EQ(desktop.urls, QList<QUrl>{startPage});
    EXPECT_TRUE(QFile::exists(startPage.toLocalFile()));

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(desktop.urls.size(), 2);
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(HelpFromTheWindow, TheHelpOpensInTheLanguageOfTheWindowsWhicheverWasWrittenBefore) {
    const QString start = Path("umbrascope-help/index.html");
    program.language.Apply(Language::English);
    form->HelpMIClick();
    program.language.Apply(Language::Russian);
    EXPECT_EQ(ReadBytes(start), Resource("en/index.html").toStdString());
    form->HelpMIClick();
    EXPECT_EQ(ReadBytes(start), Resource("index.html").toStdString());
}

TEST_F(HelpFromTheWindow, AFolderThatCannotBeWrittenIsReportedAndNothingOpens) {
    // A runtime folder others may write to is not used.
    ASSERT_TRUE(QDir().mkdir(Path("shared")));
    chmod(QFile::encodeName(Path("shared")).constData(), 0777);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Path("shared")));
    WriteBytes(Path("cache"), "a file where the cache folder should be");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Path("cache")));
    form->HelpMIClick();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(Path("cache"))) << messages.texts[0].toStdString();
    EXPECT_TRUE(desktop.urls.isEmpty());
}

TEST_F(HelpFromTheWindow, ADesktopThatCannotOpenThePageSaysSo) {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file")); // offscreen opens nothing
    form->HelpMIClick();
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].endsWith(Path("umbrascope-help/index.html")));
}

} // namespace

#include "HelpTest.moc"

} // namespace umbrascope
