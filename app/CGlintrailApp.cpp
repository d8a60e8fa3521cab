#include "CGlintrailApp.h"

#include <QFileInfo>

#include "CMainFrame.h"
#include "CrashDump.h"
#include "Icons.h"
#include "LogStartup.h"
#include "Profile.h"
#include "ResourceIds.h"
#include "StringTable.h"

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
