/*
 * zamgrb_sim.h - test control of the software card. For tests and demonstrations
 * only: a driver for the real card does not provide these operations.
 *
 * Every operation takes an open card handle (any handle of the card; the channel
 * need not be owned) and answers a status as zamgrb.h does: 0 success, 3 unknown
 * handle, 2 invalid argument, other values failure. All may be called from any
 * thread except the frame callback's, where ZamgrbSimReload is refused.
 */
#ifndef ZAMGRB_SIM_H
#define ZAMGRB_SIM_H

#include "zamgrb.h"

/* Closes every open handle of this process (stopping their grabs and releasing their
 * channels), forgets the per-process state of the cards (cameras changed by serial
 * commands or test control, aliases set without storing) and reads the machine
 * description named by ZAMGRB_SIM_CONFIG again. Stored aliases and locks held by
 * other processes stay. It discards the state every other operation works on, so no
 * other thread may be inside the library while it runs (a ReadSerial waiting, a
 * GetStatistics, ...). From a frame callback it answers 1 and changes nothing. */
ZAMGRB_API uint32_t ZamgrbSimReload(void);

/* Unplugs (connected 0) or replugs (1) the camera of a channel. Unplugged, the
 * camera is offline for GetCameraStatus, sends no frames, answers no serial command
 * and cannot be measured. Replugging a channel the description gives no camera fails. */
ZAMGRB_API uint32_t ZamgrbSimSetCameraConnected(uint64_t card, uint8_t channel, uint32_t connected);

/* The next count delivered frames of the channel carry a non-zero FrameInfo.status. */
ZAMGRB_API uint32_t ZamgrbSimInjectBadFrames(uint64_t card, uint8_t channel, uint32_t count);

/* The camera's true geometry, in pixels and lines, with its bit depth and tap geometry. */
typedef struct ZamgrbSimGeometry {
    uint32_t widthPreValid, widthValid, widthPostValid;
    uint32_t heightPreValid, heightValid, heightPostValid;
    uint32_t bitDepth;
    TapConfig tapConfig;
} ZamgrbSimGeometry;

/* Changes the camera's geometry at once (also during a grab: the frames then show
 * what a card configured for the old geometry captures). Refused (2) when a width is
 * not a multiple of the taps, a height not of the channels, or the depth is not 1..16
 * for a monochrome or colour-filter camera, 24, 30 or 36 for an RGB one. */
ZAMGRB_API uint32_t ZamgrbSimSetCameraGeometry(uint64_t card, uint8_t channel,
                                               const ZamgrbSimGeometry* geometry);

/* Master and slave pulses the channel's pulse generator has sent so far in this
 * process (null pointers are skipped). */
ZAMGRB_API uint32_t ZamgrbSimGetPulseCounters(uint64_t card, uint8_t channel, uint64_t* masterPulses,
                                              uint64_t* slavePulses);

#endif /* ZAMGRB_SIM_H */
