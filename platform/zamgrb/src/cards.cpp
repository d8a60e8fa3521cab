// Card enumeration, opening and the card's fixed properties.
#include "cards.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "runtime.h"
#include "zamgrb.h"

namespace zamgrb {
namespace {

std::mutex handlesMutex;
std::map<uint64_t, uint64_t> handles;  // handle -> card id
uint64_t nextHandle = 0x1000;

// The location texts handed out by the last enumeration; replaced at the next one.
std::mutex enumMutex;
std::vector<std::string> enumLocations;

struct Enumeration {
    size_t next = 0;
};

}  // namespace

const SimCard* cardOf(uint64_t handle) {
    uint64_t id = 0;
    {
        std::lock_guard lock(handlesMutex);
        auto it = handles.find(handle);
        if (it == handles.end())
            return nullptr;
        id = it->second;
    }
    return findCard(id);
}

std::vector<uint64_t> openHandles() {
    std::lock_guard lock(handlesMutex);
    std::vector<uint64_t> out;
    for (const auto& [handle, id] : handles)
        out.push_back(handle);
    return out;
}

}  // namespace zamgrb

using namespace zamgrb;

uint64_t OpenCard(uint64_t cardId, uint32_t flags) {
    const SimCard* card = findCard(cardId);
    if (!card || !card->openable || flags != 0)
        return 0;
    std::lock_guard lock(handlesMutex);
    uint64_t handle = nextHandle++;
    handles[handle] = cardId;
    return handle;
}

uint64_t OpenDefaultCard(void) {
    for (const SimCard& c : machine().cards) {
        if (uint64_t h = OpenCard(c.id, 0))
            return h;
    }
    return 0;
}

void CloseCard(uint64_t card) {
    if (!cardOf(card))
        return;
    releaseHandle(card);
    std::lock_guard lock(handlesMutex);
    handles.erase(card);
}

uint32_t BeginCardEnum(void** enumeration) {
    if (!enumeration)
        return ZAMGRB_INVALID_ARGUMENT;
    {
        std::lock_guard lock(enumMutex);
        enumLocations.clear();
        for (const SimCard& c : machine().cards)
            enumLocations.push_back(c.location);
    }
    *enumeration = new Enumeration;
    return ZAMGRB_OK;
}

uint32_t NextCard(void* enumeration, CardInfo* info) {
    if (!enumeration || !info || info->size != sizeof(CardInfo))
        return ZAMGRB_INVALID_ARGUMENT;
    auto* e = static_cast<Enumeration*>(enumeration);
    const auto& cards = machine().cards;
    std::lock_guard lock(enumMutex);
    if (e->next >= cards.size() || e->next >= enumLocations.size())
        return ZAMGRB_NO_CARD;
    info->cardId = cards[e->next].id;
    info->location = enumLocations[e->next].c_str();
    ++e->next;
    return ZAMGRB_OK;
}

void EndCardEnum(void* enumeration) {
    delete static_cast<Enumeration*>(enumeration);
}

uint32_t GetVersions(uint64_t card, uint32_t* libraryVersion, uint32_t* libraryBuild, uint32_t* driverVersion,
                     uint32_t* driverBuild, uint32_t* firmware) {
    if (libraryVersion)
        *libraryVersion = kLibraryVersion;
    if (libraryBuild)
        *libraryBuild = kLibraryBuild;
    const SimCard* c = cardOf(card);
    if (!c)
        return ZAMGRB_NO_CARD;
    if (driverVersion)
        *driverVersion = kDriverVersion;
    if (driverBuild)
        *driverBuild = kDriverBuild;
    if (firmware)
        *firmware = c->firmware;
    return ZAMGRB_OK;
}

uint32_t GetFirmwareImage(uint64_t card, uint32_t* image) {
    const SimCard* c = cardOf(card);
    if (!c)
        return ZAMGRB_NO_CARD;
    if (!image)
        return ZAMGRB_INVALID_ARGUMENT;
    *image = c->firmwareImage;
    return ZAMGRB_OK;
}

uint32_t QueryCapability(uint64_t card, uint32_t selector) {
    const SimCard* c = cardOf(card);
    if (!c)
        return ZAMGRB_NO_CARD;
    if (selector != ZAMGRB_CAP_FULL_DECA)
        return ZAMGRB_NOT_SUPPORTED;
    return c->fullDeca ? ZAMGRB_OK : ZAMGRB_NOT_SUPPORTED;
}

uint32_t GetLinkInfo(uint64_t card, uint32_t* lanes, uint32_t* speedCode, uint32_t* maxPayloadRequested,
                     uint32_t* maxPayload) {
    const SimCard* c = cardOf(card);
    if (!c)
        return ZAMGRB_NO_CARD;
    if (lanes)
        *lanes = c->lanes;
    if (speedCode)
        *speedCode = c->speedCode;
    if (maxPayloadRequested)
        *maxPayloadRequested = c->maxPayloadRequested;
    if (maxPayload)
        *maxPayload = c->maxPayload;
    return ZAMGRB_OK;
}
