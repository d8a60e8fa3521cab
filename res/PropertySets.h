// Property-set texts: the rows of the property grids, as UTF-8 text.
#pragma once

#include <QByteArray>
#include <optional>

namespace res {

// The text of a property set; empty when there is no set of that id.
std::optional<QByteArray> LoadPropertySetText(int id);

}  // namespace res
