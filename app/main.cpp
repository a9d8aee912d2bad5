#include "TApplication.h"
#include "TFormMain.h"

#include <QFileInfo>

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    // The program's title is its file name without folder and extension.
    QApplication::setApplicationName(QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    TFormMain form;
    // The settings dialog fills its port list from the scan the window made at its creation.
    form.CreateDialogs();
    form.show();
    return app.exec();
}
