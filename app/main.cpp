#include "TApplication.h"
#include "TFormMain.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    // Creating the window takes the program's title from its file name.
    TFormMain form;
    // The settings dialog fills its port list from the scan the window made at its creation.
    form.CreateDialogs();
    form.show();
    return app.exec();
}
