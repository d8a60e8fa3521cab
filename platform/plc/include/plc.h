// Interface of the optional PLC plug-in library ("Qarv_PLC"). The plug-in exports
//   extern "C" void* QarvCreateObject(const char* className);
// which creates an object of the named class ("CPoCLDlg" or "CPLCTestDlg") or
// answers null when it has no such class. The objects are destroyed through
// their virtual destructor.
#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace plc {

inline constexpr const char* kLibraryName = "Qarv_PLC";
inline constexpr const char* kFactorySymbol = "QarvCreateObject";
inline constexpr const char* kPoCLClass = "CPoCLDlg";
inline constexpr const char* kPLCTestClass = "CPLCTestDlg";

using CreateObjectProc = void* (*)(const char* className);

// Power over Camera Link dialog.
class PoCLDialog {
public:
    virtual ~PoCLDialog() = default;
    virtual bool Create(QWidget* parent) = 0;
    virtual void SetCard(uint64_t card, uint8_t channel, uint32_t bitProduct) = 0;
    virtual QString GetName() const = 0;  // the menu item's text
    virtual bool IsEnabled() const = 0;
    virtual QWidget* window() const = 0;  // null until created
};

// Programmable logic controller test dialog; replaces the CC control dialog.
class PLCTestDialog {
public:
    virtual ~PLCTestDialog() = default;
    virtual bool Create(QWidget* parent) = 0;
    virtual bool IsUsable() const = 0;
    virtual void SetCard(uint64_t card, uint8_t channel) = 0;
    virtual void SaveSettings(const QString& path) = 0;
    virtual void LoadSettings(const QString& path) = 0;
    virtual QWidget* window() const = 0;
};

}  // namespace plc
