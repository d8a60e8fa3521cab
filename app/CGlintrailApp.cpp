#include "app/CGlintrailApp.h"

#include <QFileInfo>

#include "app/CMainFrame.h"
#include "app/CrashDump.h"
#include "kit/Profile.h"
#include "log/LogStartup.h"
#include "res/Icons.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

CGlintrailApp::CGlintrailApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromLatin1(appkit::kOrganization));
    setApplicationName(res::LoadString(res::IDS_APP_NAME));
    app::InstallCrashDumpWriter(app::CrashDumpFolder(),
                                QFileInfo(applicationFilePath()).completeBaseName().toStdString());
}

CGlintrailApp::~CGlintrailApp() = default;

bool CGlintrailApp::InitInstance() {
    logengine::ConfigureLoggingAtStartup();
    mainFrame_ = std::make_unique<CMainFrame>();
    setWindowIcon(res::applicationIcon());
    if (!mainFrame_->OnCreate())
        return false;
    mainFrame_->show();
    return true;
}
