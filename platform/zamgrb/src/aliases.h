// Card aliases: UTF-16 texts kept per card id in the user's data folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zamgrb {

// The alias of a card: the one set for this process without storing, else the stored one.
std::optional<std::u16string> cardAlias(uint64_t cardId);

// store: keep it in the data folder (replaced atomically); otherwise for this process only.
bool setCardAlias(uint64_t cardId, const std::u16string& alias, bool store);

// Forgets the aliases set for this process only.
void forgetSessionAliases();

}  // namespace zamgrb
