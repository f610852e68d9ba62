#include "QtTestSupport.h"
#include "tests/common/SanitizerBuild.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>

namespace umbrascope {

QString TestHome() {
    static QTemporaryDir home;
    return home.path();
}

QApplication& TestApplication() {
    static QApplication* application = [] {
        qputenv("XDG_DATA_HOME", (TestHome() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (TestHome() + "/config").toUtf8());
        qputenv("XDG_STATE_HOME", (TestHome() + "/state").toUtf8());
        static int argc = 1;
        static char name[] = "umbrascope-test";
        static char* argv[] = {name, nullptr};
        auto* app = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Umbrascope"));
        // Fusion scales its frame pixmaps on Qt's pooled threads, which ThreadSanitizer cannot
        // follow (Qt is not built with it); the plain style draws the same widgets without.
        QApplication::setStyle(QStringLiteral("Windows"));
        return app;
    }();
    return *application;
}

MessageAnswerer MessageRecorder::Answerer() {
    return [this](const QString& text) { texts << text; };
}

DialogAnswer::DialogAnswer(QString buttonCaption) : timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, [this, buttonCaption] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (answered_ || !dialog)
            return;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->text().remove(u'&') != buttonCaption || !button->isVisible())
                continue;
            answered_ = true;
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                question = box->text();
            else if (auto* label = dialog->findChild<QLabel*>())
                question = label->text();
            button->click();
            return;
        }
    });
    timer_->start(10);
}

DialogAnswer::~DialogAnswer() {
    delete timer_;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > qint64{timeoutMs} * SanitizerSlowdown)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

const char* const LibraryLeaks = "leak:libfontconfig.so\n"
                                 "leak:libdbus-1.so\n"
                                 "leak:libpulse.so\n";

// Font matching, the desktop bus and the sound server's client library keep a few blocks of
// their own for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return LibraryLeaks;
}

} // namespace umbrascope
