// The main of the widget tests.
#include "GuiTestSupport.h"
#include "IsolatedHome.h"

int main(int argc, char** argv) {
    const testsupport::IsolatedHome home;
    return RunWidgetTests(argc, argv);
}
