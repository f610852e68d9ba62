#include "Desktop.h"

#include "MainForm.h"
#include "MessageBoxes.h"

int RunDesktopProgram(int argc, char** argv) {
    TApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Umbrascope"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TMainForm mainForm(arguments);
    mainForm.show();
    return QApplication::exec();
}
