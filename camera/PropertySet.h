// Property sets: typed, labelled rows read from a small text grammar, shown by
// the property grid of the custom tap configuration.
//
//   ; comment (also # and ')
//   COL title
//   ROW key label type parameters
//
// Tokens: "..." or '...' up to the same quote, (...) up to the matching
// parenthesis with nesting, otherwise up to white space. Keywords and type names
// ignore case.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

enum tagPropertyObjectType : int {
    PROPERTY_UNKNOWN = -1,
    PROPERTY_TEXT = 0,
    PROPERTY_NUMERIC = 1,
    PROPERTY_LIST = 2,
    PROPERTY_LIST_INT = 3,
};

class CPropertyObject {
public:
    virtual ~CPropertyObject() = default;

    QString label;
    tagPropertyObjectType type = PROPERTY_UNKNOWN;
    QString key;
    int32_t row = 0;  // 1-based grid row

    virtual bool ParseParameters(QStringView parameters) = 0;
};

// A number between a minimum and a maximum.
class CNumericProperty : public CPropertyObject {
public:
    int32_t minimum = 0;
    int32_t maximum = 0;

    bool ParseParameters(QStringView parameters) override;
};

// One of a list of options: its index (list), or the option read as a number (list_int).
class CListProperty : public CPropertyObject {
public:
    QStringList options;

    bool ParseParameters(QStringView parameters) override;
};

class CPropertyMap {
public:
    using Properties = std::map<QString, std::unique_ptr<CPropertyObject>>;

    CPropertyMap();
    virtual ~CPropertyMap();
    CPropertyMap(const CPropertyMap&) = delete;
    CPropertyMap& operator=(const CPropertyMap&) = delete;

    virtual QStringList& Columns() { return columns_; }
    virtual const QStringList& Columns() const { return columns_; }
    virtual Properties& Map() { return properties_; }
    virtual const Properties& Map() const { return properties_; }

    // A new object of the class registered for a type; null when none is.
    std::unique_ptr<CPropertyObject> Create(tagPropertyObjectType type) const;
    // The properties in grid-row order.
    std::vector<const CPropertyObject*> ByRow() const;
    const CPropertyObject* Find(const QString& key) const;

private:
    std::map<int, std::function<std::unique_ptr<CPropertyObject>()>> registry_;
    QStringList columns_;
    Properties properties_;
};

namespace propertyset {

// The type named by a type keyword; PROPERTY_UNKNOWN for none.
tagPropertyObjectType TypeOf(QStringView keyword);

// Reads the next token of `text` from `pos` and skips the blanks after it.
QString NextToken(QStringView text, qsizetype& pos);
// Every token of a text.
QStringList Tokens(QStringView text);

// A C integer with automatic base (decimal, 0x hexadecimal, leading 0 octal),
// read from the start of the text and clamped to 32 bits; empty without a number.
std::optional<int32_t> ReadInteger(QStringView text);

}  // namespace propertyset

// Reads a property set text (UTF-8, optional byte-order mark) into the map.
// False when a key repeats: parsing stops there and the rows read before stay.
bool ParsePropertySet(const QByteArray& text, CPropertyMap& map);

// Reads the property set resource of an id; false when it is missing or fails to parse.
bool LoadPropertySet(int id, CPropertyMap& map);
