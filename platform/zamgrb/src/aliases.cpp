#include "aliases.h"

#include "cards.h"
#include "machine.h"
#include "zamgrb.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace zamgrb {

namespace {

std::mutex aliasMutex;
std::map<uint64_t, std::u16string> sessionAliases;

std::string dataFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.local/share";
    } else {
        base = "/tmp";
    }
    return base + "/zamgrb";
}

// Creates every missing folder of a path.
void makeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos)
            break;
    }
}

std::string aliasPath(uint64_t cardId) {
    char name[48];
    std::snprintf(name, sizeof name, "/card-%016llx.alias", static_cast<unsigned long long>(cardId));
    return dataFolder() + name;
}

}  // namespace

std::optional<std::u16string> cardAlias(uint64_t cardId) {
    {
        std::lock_guard lock(aliasMutex);
        if (auto it = sessionAliases.find(cardId); it != sessionAliases.end())
            return it->second;
    }
    // Stored as UTF-16 little-endian code units, so every text comes back unchanged.
    std::ifstream in(aliasPath(cardId), std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty() || bytes.size() % 2)
        return std::nullopt;
    std::u16string alias(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < alias.size(); ++i)
        alias[i] = char16_t(uint8_t(bytes[2 * i]) | (uint8_t(bytes[2 * i + 1]) << 8));
    return alias;
}

bool setCardAlias(uint64_t cardId, const std::u16string& alias, bool store) {
    std::lock_guard lock(aliasMutex);
    if (!store) {
        // An empty text is no alias: the stored one, if any, shows again.
        if (alias.empty())
            sessionAliases.erase(cardId);
        else
            sessionAliases[cardId] = alias;
        return true;
    }
    makeFolders(dataFolder());
    const std::string path = aliasPath(cardId);
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    std::string bytes;
    for (char16_t c : alias) {
        bytes.push_back(char(c & 0xFF));
        bytes.push_back(char(c >> 8));
    }
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    sessionAliases.erase(cardId);
    return true;
}

void forgetSessionAliases() {
    std::lock_guard lock(aliasMutex);
    sessionAliases.clear();
}

}  // namespace zamgrb

using namespace zamgrb;

namespace {

// Copies an alias out: a null buffer answers the length; otherwise *count is the
// capacity in (a terminating zero is added when there is room) and the length out.
uint32_t copyAlias(const std::optional<std::u16string>& alias, char16_t* buffer, uint32_t* count) {
    if (!count)
        return ZAMGRB_INVALID_ARGUMENT;
    const uint32_t length = alias ? uint32_t(alias->size()) : 0;
    if (!buffer) {
        *count = length;
        return ZAMGRB_OK;
    }
    const uint32_t capacity = *count;
    *count = length;
    if (!alias)
        return ZAMGRB_FAILED;
    if (capacity < length)
        return ZAMGRB_INVALID_ARGUMENT;
    std::copy(alias->begin(), alias->end(), buffer);
    if (capacity > length)
        buffer[length] = u'\0';
    return ZAMGRB_OK;
}

}  // namespace

uint32_t GetCardAlias(uint64_t cardId, char16_t* buffer, uint32_t* count) {
    if (!findCard(cardId)) {
        if (count && !buffer)
            *count = 0;
        return ZAMGRB_NO_CARD;
    }
    return copyAlias(cardAlias(cardId), buffer, count);
}

uint32_t GetOpenCardAlias(uint64_t card, char16_t* buffer, uint32_t* count) {
    const SimCard* c = cardOf(card);
    if (!c) {
        if (count && !buffer)
            *count = 0;
        return ZAMGRB_NO_CARD;
    }
    return copyAlias(cardAlias(c->id), buffer, count);
}

uint32_t SetCardAlias(uint64_t cardId, const char16_t* alias, uint32_t store) {
    if (!findCard(cardId))
        return ZAMGRB_NO_CARD;
    if (!alias)
        return ZAMGRB_INVALID_ARGUMENT;
    return setCardAlias(cardId, std::u16string(alias), store != 0) ? ZAMGRB_OK : ZAMGRB_FAILED;
}
