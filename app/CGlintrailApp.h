// The application object: start-up in order, then the one main frame.
#pragma once

#include <QApplication>
#include <memory>

class CMainFrame;

class CGlintrailApp : public QApplication {
    Q_OBJECT
public:
    CGlintrailApp(int& argc, char** argv);
    ~CGlintrailApp() override;

    // The command line, settings root, logging, the main frame shown. False when
    // start-up fails.
    bool InitInstance();
    CMainFrame* mainFrame() const { return mainFrame_.get(); }

private:
    std::unique_ptr<CMainFrame> mainFrame_;
};
