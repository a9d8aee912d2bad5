#include "TApplication.h"
#include "TFormMain.h"

#include <QFileInfo>

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    // The program's title is its file name without folder and extension.
    QApplication::setApplicationName(QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    TFormMain form;
    form.show();
    return app.exec();
}
