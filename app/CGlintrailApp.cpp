#include "app/CGlintrailApp.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "app/AboutTexts.h"
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
    setApplicationVersion(app::FormatVersionPair(app::ProductVersionMS(), app::ProductVersionLS()));
    app::InstallCrashDumpWriter(app::CrashDumpFolder(),
                                QFileInfo(applicationFilePath()).completeBaseName().toStdString());
}

CGlintrailApp::~CGlintrailApp() = default;

bool CGlintrailApp::InitInstance() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Acquisition and viewing for the Glintrail Express card."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption grab(QStringLiteral("grab"),
                                  QStringLiteral("Start grabbing as soon as the channel is configured."));
    parser.addOption(grab);
    parser.process(arguments());  // --help, --version and a wrong option end the program here

    logengine::ConfigureLoggingAtStartup();
    mainFrame_ = std::make_unique<CMainFrame>();
    setWindowIcon(res::applicationIcon());
    if (!mainFrame_->OnCreate(parser.isSet(grab)))
        return false;
    mainFrame_->show();
    return true;
}
