#include "camera/PropertySet.h"

#include <QRegularExpression>
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "res/PropertySets.h"

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

void skipBlanks(QStringView text, qsizetype& pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
}

}  // namespace

namespace propertyset {

tagPropertyObjectType TypeOf(QStringView keyword) {
    static const std::pair<const char*, tagPropertyObjectType> kTypes[] = {{"text", PROPERTY_TEXT},
                                                                           {"numeric", PROPERTY_NUMERIC},
                                                                           {"list", PROPERTY_LIST},
                                                                           {"list_int", PROPERTY_LIST_INT}};
    for (const auto& [name, type] : kTypes)
        if (keyword.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return type;
    return PROPERTY_UNKNOWN;
}

QString NextToken(QStringView text, qsizetype& pos) {
    skipBlanks(text, pos);
    if (pos >= text.size())
        return {};
    const QChar first = text[pos];
    qsizetype begin = pos, end = pos;
    if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
        begin = pos + 1;
        end = begin;
        while (end < text.size() && text[end] != first)
            ++end;
        pos = end < text.size() ? end + 1 : end;
    } else if (first == QLatin1Char('(')) {
        begin = pos + 1;
        end = begin;
        int depth = 1;
        for (; end < text.size(); ++end) {
            if (text[end] == QLatin1Char('('))
                ++depth;
            else if (text[end] == QLatin1Char(')') && --depth == 0)
                break;
        }
        pos = end < text.size() ? end + 1 : end;
    } else {
        while (end < text.size() && !text[end].isSpace())
            ++end;
        pos = end;
    }
    const QString token = text.mid(begin, end - begin).toString();
    skipBlanks(text, pos);
    return token;
}

QStringList Tokens(QStringView text) {
    QStringList tokens;
    qsizetype pos = 0;
    skipBlanks(text, pos);
    while (pos < text.size()) {
        const qsizetype before = pos;
        tokens.append(NextToken(text, pos));
        if (pos == before)  // a lone white space that is not a blank (for example a form feed)
            ++pos;
    }
    return tokens;
}

std::optional<int32_t> ReadInteger(QStringView text) {
    const QByteArray bytes = text.toUtf8();
    const char* begin = bytes.constData();
    char* end = nullptr;
    const long long value = std::strtoll(begin, &end, 0);
    if (end == begin)
        return std::nullopt;
    return int32_t(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

}  // namespace propertyset

bool CNumericProperty::ParseParameters(QStringView parameters) {
    const QStringList tokens = propertyset::Tokens(parameters);
    if (tokens.size() < 2)
        return false;
    const auto low = propertyset::ReadInteger(tokens[0]);
    const auto high = propertyset::ReadInteger(tokens[1]);
    if (!low || !high)
        return false;
    minimum = *low;
    maximum = *high;
    return true;
}

bool CListProperty::ParseParameters(QStringView parameters) {
    options = propertyset::Tokens(parameters);
    return true;
}

CPropertyMap::CPropertyMap() {
    const auto numeric = [] {
        return std::unique_ptr<CPropertyObject>(std::make_unique<CNumericProperty>());
    };
    const auto list = [] { return std::unique_ptr<CPropertyObject>(std::make_unique<CListProperty>()); };
    registry_[PROPERTY_NUMERIC] = numeric;
    registry_[PROPERTY_LIST] = list;
    registry_[PROPERTY_LIST_INT] = list;
}

CPropertyMap::~CPropertyMap() = default;

std::unique_ptr<CPropertyObject> CPropertyMap::Create(tagPropertyObjectType type) const {
    const auto it = registry_.find(type);
    return it == registry_.end() ? nullptr : it->second();
}

std::vector<const CPropertyObject*> CPropertyMap::ByRow() const {
    std::vector<const CPropertyObject*> rows;
    for (const auto& [key, property] : Map())
        rows.push_back(property.get());
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->row < b->row; });
    return rows;
}

const CPropertyObject* CPropertyMap::Find(const QString& key) const {
    const auto it = Map().find(key);
    return it == Map().end() ? nullptr : it->second.get();
}

bool ParsePropertySet(const QByteArray& text, CPropertyMap& map) {
    QString wide = QString::fromUtf8(text);
    if (wide.startsWith(QChar(0xFEFF)))
        wide.remove(0, 1);
    int32_t nextRow = 1;
    static const QRegularExpression kLineBreak(QStringLiteral("[\r\n]"));
    for (QStringView line : QStringView(wide).split(kLineBreak, Qt::SkipEmptyParts)) {
        qsizetype pos = 0;
        skipBlanks(line, pos);
        if (pos >= line.size())
            continue;
        const QChar first = line[pos];
        if (first == QLatin1Char('#') || first == QLatin1Char(';') || first == QLatin1Char('\''))
            continue;
        qsizetype wordEnd = pos;
        while (wordEnd < line.size() && !isBlank(line[wordEnd]))
            ++wordEnd;
        const QString keyword = line.mid(pos, wordEnd - pos).toString().toUpper();
        pos = wordEnd;
        if (keyword == QLatin1String("COL")) {
            const QString title = propertyset::NextToken(line, pos);
            if (!title.isEmpty())
                map.Columns().append(title);
        } else if (keyword == QLatin1String("ROW")) {
            const QString key = propertyset::NextToken(line, pos);
            if (map.Map().count(key))
                return false;
            const QString label = propertyset::NextToken(line, pos);
            const tagPropertyObjectType type = propertyset::TypeOf(propertyset::NextToken(line, pos));
            const QString parameters = propertyset::NextToken(line, pos);
            std::unique_ptr<CPropertyObject> property = map.Create(type);
            if (!property)
                continue;
            property->key = key;
            property->label = label;
            property->type = type;
            property->row = nextRow;
            if (!property->ParseParameters(parameters))
                continue;
            map.Map().emplace(key, std::move(property));
            ++nextRow;
        }
    }
    return true;
}

bool LoadPropertySet(int id, CPropertyMap& map) {
    const auto text = res::LoadPropertySetText(id);
    return text && ParsePropertySet(*text, map);
}
