// A minimal PLC plug-in: both dialog classes, created by name.
#include <QWidget>
#include <cstring>
#include <memory>

#include "plc.h"

namespace {

class PoCL : public plc::PoCLDialog {
public:
    bool Create(QWidget* parent) override {
        window_ = std::make_unique<QWidget>(parent);
        return true;
    }
    void SetCard(uint64_t card, uint8_t, uint32_t bits) override { enabled_ = card != 0 && bits <= 24; }
    QString GetName() const override { return QStringLiteral("Po&CL"); }
    bool IsEnabled() const override { return enabled_; }
    QWidget* window() const override { return window_.get(); }

private:
    std::unique_ptr<QWidget> window_;
    bool enabled_ = false;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) void* QarvCreateObject(const char* className) {
    if (std::strcmp(className, plc::kPoCLClass) == 0)
        return static_cast<plc::PoCLDialog*>(new PoCL);
    return nullptr;
}
