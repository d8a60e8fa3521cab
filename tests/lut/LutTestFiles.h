// Lookup-table files written into a temporary folder for the tests.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

namespace luttest {

class LutFiles {
public:
    // Writes the lines (each ended with "\r\n") and answers the path.
    QString Write(const std::string& name, const std::vector<std::string>& lines) {
        const QString path = dir_.filePath(QString::fromStdString(name));
        std::ofstream out(path.toStdString(), std::ios::binary);
        for (const auto& line : lines)
            out << line << "\r\n";
        return path;
    }
    QString Missing() const { return dir_.filePath(QStringLiteral("missing.lut")); }

private:
    QTemporaryDir dir_;
};

// "section" followed by the entries first..last mapped by `map`.
template <typename Map>
std::vector<std::string> Table(const std::string& section, int first, int last, Map map) {
    std::vector<std::string> lines{section};
    for (int i = first; i <= last; ++i)
        lines.push_back(std::to_string(i) + "," + std::to_string(map(i)));
    return lines;
}

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace luttest
