#include "TApplication.h"
#include "TFormMain.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    // Creating the window takes the program's title from its file name.
    TFormMain form;
    form.show();
    return app.exec();
}
