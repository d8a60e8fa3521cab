#include "app/CGlintrailApp.h"

int main(int argc, char** argv) {
    CGlintrailApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
