#include "app/window/SmokeRun.h"
#include "app/window/TApplication.h"
#include "app/window/TFormMain.h"

#include <memory>

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    // Before the first text of the window is made.
    app.installLanguage();
    // Creating the window takes the program's title from its file name.
    TFormMain form;
    // The settings dialog fills its port list from the scan the window made at its creation.
    form.CreateDialogs();
    std::unique_ptr<SmokeRun> smoke;
    if (SmokeRun::Requested(QCoreApplication::arguments()))
        smoke = std::make_unique<SmokeRun>(&form, 60000);
    form.show();
    return app.exec();
}
