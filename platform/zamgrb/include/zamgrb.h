/*
 * zamgrb.h - the card library of the Glintrail Express frame grabber.
 *
 * One C ABI for every access to the card, so that a driver for the real card can
 * replace libzamgrb.so without rebuilding the application. By default the library
 * is a software card (see README.md beside this folder): what each operation says
 * below is what the software card does; where a real card may differ, the text says
 * what a caller may rely on.
 *
 * Conventions of every operation:
 * - Statuses are uint32_t (the ZAMGRB_* values below). A caller may rely on 0 being
 *   success and any other value failure, and on the meaning of 3, 4, 5 and 254 where
 *   an operation lists them; it must treat any other non-zero value as a plain
 *   failure (a real card may answer 1 or 2 where the software card answers the other).
 * - Argument checks run in this order unless an operation says otherwise: the card
 *   handle (3), the channel number (2), the channel's ownership where it is needed
 *   (5), then pointers and values (2). The first failing check decides the status.
 * - Card handle: uint64_t from OpenCard or OpenDefaultCard, 0 = none; a closed or
 *   unknown handle answers 3. Card id: uint64_t from NextCard, stable across
 *   processes. Channel: uint8_t, 0 (the first) or 1 (the second); anything else 2.
 * - "Owned" means opened with OpenChannel through the same handle. Operations that
 *   change a channel (configuration, acquisition, camera control, serial link)
 *   answer 5 when it is not; operations that only read it (status, statistics,
 *   signal) need no ownership.
 * - Out-values: on failure an operation leaves its out-values untouched unless it
 *   says it zeroes them. Null out-pointers answer 2 unless the operation says they
 *   may be null.
 * - Pointers handed in are borrowed for the call only: the library copies what it
 *   keeps and never frees or retains a caller's pointer, except the frame
 *   callback's context, kept until StopGrab returns. Pointers handed out
 *   (CardInfo.location, FrameInfo.data) are owned by the library; each says how long
 *   it stays valid.
 * - Paths are UTF-8 and zero-terminated; alias and camera-file texts are UTF-16
 *   (char16_t); counts of texts are in 16-bit characters.
 * - Units: widths in pixels, heights in lines, clocks in cycles of the camera's
 *   pixel clock, pixel clock in MHz, times in microseconds (the card clock: the
 *   monotonic clock since the library was loaded), pulse timing in cycles of
 *   granularity x 10 ns, sizes in bytes.
 * - Records are little-endian with 4-byte packing; their sizes and offsets are
 *   fixed and checked at compile time below.
 * - Threads: every operation is thread-safe and may be called from any thread
 *   unless it says otherwise; operations on one channel are serialised inside the
 *   library. The frame callback runs on the library's delivery thread of its
 *   channel; see StartGrab for what it may call.
 */
#ifndef ZAMGRB_H
#define ZAMGRB_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#include <type_traits>
#define ZAMGRB_EXTERN_C extern "C"
#else
#include <uchar.h>
#define ZAMGRB_EXTERN_C
#endif

#if defined(ZAMGRB_BUILDING)
#define ZAMGRB_API ZAMGRB_EXTERN_C __attribute__((visibility("default")))
#else
#define ZAMGRB_API ZAMGRB_EXTERN_C
#endif

/* ---- Statuses ----------------------------------------------------------------- */
enum {
    ZAMGRB_OK = 0,               /* success */
    ZAMGRB_FAILED = 1,           /* the state forbids it: not configured, port not open, no
                                    camera, a file that cannot be read or written */
    ZAMGRB_INVALID_ARGUMENT = 2, /* a null pointer, a value out of range, a channel above 1 */
    ZAMGRB_NO_CARD = 3,          /* unknown or closed card handle, unknown card id, no more cards */
    ZAMGRB_NO_BUFFERS = 4,       /* memory (image buffers, working memory) cannot be allocated */
    ZAMGRB_BUSY = 5,             /* owned elsewhere or not through this handle, already
                                    grabbing or open, or the second Camera Link port is taken */
    ZAMGRB_NOT_SUPPORTED = 254   /* this card cannot do it, or a configuration it cannot take */
};

/* QueryCapability selector: Full and 80-bit Camera Link modes (254 = absent). */
#define ZAMGRB_CAP_FULL_DECA 2u

/* GetFirmwareImage answers. */
#define ZAMGRB_IMAGE_APPLICATION 10u
#define ZAMGRB_IMAGE_FACTORY 15u

/* ConvertFrame flags. */
#define ZAMGRB_CONVERT_KEEP_DEPTH 0x01u    /* deep samples as 16-bit words, value in the low bits */
#define ZAMGRB_CONVERT_NORMALISE 0x02u     /* stretch deep monochrome to the full 16 bits */
#define ZAMGRB_CONVERT_FOUR_CHANNELS 0x04u /* colour as B, G, R, unused */

/* colorFormat values of CameraDescription. */
#define ZAMGRB_COLOR_NONE 0u /* monochrome, or RGB when bitDepth is 24, 30 or 36 */
#define ZAMGRB_COLOR_BAYER 1u
#define ZAMGRB_COLOR_TRUESENSE 4u

#pragma pack(push, 4)

/* Tap geometry: how the pixels of one frame arrive over channels and taps. */
typedef struct TapConfig {
    uint8_t channels;          /* 1, 2 */
    uint8_t channelOrder;      /* 0 Normal, 1 Reverse */
    uint8_t channelOutput;     /* 0 Segmented, 1 Interlaced */
    uint8_t channelDirection0; /* 0 Top-Down, 1 Bottom-Up */
    uint8_t channelDirection1; /* 0 Top-Down, 1 Bottom-Up */
    uint8_t taps;              /* 1, 2, 3, 4, 8, 10 */
    uint8_t tapOutput;         /* 0 Segmented, 1 Alternate, 2 Interleaved */
    uint8_t tapDirection0;     /* 0 Left-Right, 1 Right-Left */
    uint8_t tapDirection1;
    uint8_t tapDirection2;
    uint8_t tapDirection3;
} TapConfig;

/* What the card is told about the camera of a channel: the window it captures out
 * of each line and frame, and how the samples are stored in the raw frame. */
typedef struct CameraConfig {
    uint32_t widthPreValid;   /* pixels skipped at the start of each line */
    uint32_t widthValid;      /* pixels captured per line; must not be 0 */
    uint32_t widthPostValid;  /* pixels of blanking after the valid ones */
    uint32_t heightPreValid;  /* lines skipped at the start of each frame */
    uint32_t heightValid;     /* lines captured per frame; must not be 0 */
    uint32_t heightPostValid; /* lines of blanking after the valid ones */
    uint32_t bitDepth;        /* bits per sample: 8, 10, 12, 14, 16; 24, 30, 36 for RGB */
    uint32_t packed;          /* non-zero: 10, 12-bit and RGB24 samples packed (README.md) */
    TapConfig tapConfig;
    uint8_t tapConfigPadding;
    uint32_t swapTaps;   /* the next four are kept in camera files; the software card */
    uint32_t ignoreDval; /* ignores them, a real card applies them to the cable signals */
    uint32_t invertDval;
    uint32_t invertLval;
    uint32_t invertFval;
    uint32_t reserved; /* always 0 */
} CameraConfig;

/* The per-channel description kept by the application and stored in camera files. */
typedef struct CameraDescription {
    uint8_t header[8]; /* carried unchanged from and to camera files */
    CameraConfig config;
    uint8_t colorFormat;  /* ZAMGRB_COLOR_* */
    uint8_t patternStart; /* Bayer 0 GR/BG, 1 RG/GB, 2 BG/GR, 3 GB/RG; TRUESENSE cell 0..15 */
    int8_t rgbOffsetRed;  /* in 8-bit units */
    int8_t rgbOffsetGreen;
    int8_t rgbOffsetBlue;
    uint8_t padding[3];
    double rgbGainRed; /* 0 means not set and counts as 1.0 */
    double rgbGainGreen;
    double rgbGainBlue;
    /* Lookup table in force, or null: pairs (lutLevels[i] -> lutValues[i]) of
     * 2^bitDepth entries (three runs of 2^(bitDepth/3), red, green, blue, for RGB).
     * Applies only when both are set; owned by the caller, read only during a call,
     * never stored in camera files. Levels out of range are skipped, values clamped. */
    const int32_t* lutLevels;
    const int32_t* lutValues;
} CameraDescription;

/* A channel's pulse generator: a master pulse each period and a slave pulse
 * slaveDelay after it. Times are in cycles of granularity x 10 ns. */
typedef struct PulseGeneratorSettings {
    uint8_t mode; /* 0 continuous, 1 counted burst */
    uint8_t padding;
    uint16_t pulseCount;   /* pulses of a burst (mode 1); 0 sends none */
    uint16_t granularity;  /* one cycle in units of 10 ns; 0 counts as 1 */
    uint16_t masterWidth;  /* cycles the master stays high */
    uint16_t masterPeriod; /* cycles from one master rising edge to the next; 0 counts as 1 */
    uint16_t slaveWidth;   /* cycles the slave stays high */
    uint16_t slaveDelay;   /* cycles from the master's rising edge to the slave's */
} PulseGeneratorSettings;

/* Source index of each camera control line CC1..CC4 (source[0] drives CC1):
 * 0 low, 1 high, 2 this channel's master pulse, 3 its inverted master, 4 its slave,
 * 5 its inverted slave, 6..9 the same four of the other channel's generator. */
typedef struct CameraControlSettings {
    uint32_t source[4];
} CameraControlSettings;

/* Filled by NextCard; location is owned by the library and valid until the next
 * enumeration call. */
typedef struct CardInfo {
    uint32_t size; /* the caller sets sizeof(CardInfo) */
    uint32_t padding;
    uint64_t cardId;
    const char* location;
} CardInfo;

/* Handed to the frame callback; the record and data are owned by the library and
 * valid only until the callback returns (copy what must outlive it; never write). */
typedef struct FrameInfo {
    uint32_t frameNumber; /* frames delivered since StartGrab, modulo 65536, from 0 */
    uint32_t timeStamp;   /* card clock at the end of the frame, microseconds modulo 2^32 */
    const void* data;     /* raw bytes in arrival order (layout in README.md) */
    uint32_t size;        /* byte count of data: the storage form of the configuration */
    uint32_t status;      /* non-zero: a damaged frame; it must be ignored */
} FrameInfo;

/* Counts are since the last StartGrab of the channel; camera values are 0 while no
 * camera is online. */
typedef struct GrabStatistics {
    uint32_t cameraFrameRate; /* frames per second the camera sends (trigger mode: last second) */
    uint32_t pixelClock;      /* MHz, rounded */
    uint32_t clocksPerLine;   /* pixel clock cycles per line, blanking included */
    uint32_t linesPerFrame;   /* line periods per frame, blanking included */
    uint32_t grabbingRate;    /* frames delivered in the last second */
    uint32_t grabbingCount;   /* frames delivered */
    uint32_t dropCount;       /* frames lost because the callback was still running */
    uint32_t overrunCount;    /* frames lost because the bus could not carry them in time */
} GrabStatistics;

/* One text of a camera file: a caller-owned UTF-16 buffer and its capacity in
 * 16-bit characters, the terminating zero included. A null text or a count of 0
 * skips the text. */
typedef struct CameraFileText {
    char16_t* text;
    uint32_t count;
} CameraFileText;

typedef struct CameraFileRecord {
    CameraFileText manufacturer;
    CameraFileText model;
    CameraFileText description;
    CameraFileText alias;
    CameraDescription camera;
    CameraControlSettings cameraControl;
    PulseGeneratorSettings pulseGenerator;
    uint8_t padding[2];
    uint32_t baudRate;
} CameraFileRecord;

#pragma pack(pop)

#ifdef __cplusplus
#define ZAMGRB_LAYOUT(type, field, offset) static_assert(offsetof(type, field) == (offset), #type "." #field)
#define ZAMGRB_SIZE(type, size)                   \
    static_assert(sizeof(type) == (size), #type); \
    static_assert(std::is_standard_layout_v<type>, #type)
#else
#define ZAMGRB_LAYOUT(type, field, offset) _Static_assert(offsetof(type, field) == (offset), #type "." #field)
#define ZAMGRB_SIZE(type, size) _Static_assert(sizeof(type) == (size), #type)
#endif

ZAMGRB_SIZE(TapConfig, 11);
ZAMGRB_LAYOUT(TapConfig, taps, 5);
ZAMGRB_LAYOUT(TapConfig, tapOutput, 6);
ZAMGRB_LAYOUT(TapConfig, tapDirection0, 7);
ZAMGRB_LAYOUT(TapConfig, tapDirection3, 10);

ZAMGRB_SIZE(CameraConfig, 68);
ZAMGRB_LAYOUT(CameraConfig, widthValid, 4);
ZAMGRB_LAYOUT(CameraConfig, heightPreValid, 12);
ZAMGRB_LAYOUT(CameraConfig, heightPostValid, 20);
ZAMGRB_LAYOUT(CameraConfig, bitDepth, 24);
ZAMGRB_LAYOUT(CameraConfig, packed, 28);
ZAMGRB_LAYOUT(CameraConfig, tapConfig, 32);
ZAMGRB_LAYOUT(CameraConfig, swapTaps, 44);
ZAMGRB_LAYOUT(CameraConfig, ignoreDval, 48);
ZAMGRB_LAYOUT(CameraConfig, invertDval, 52);
ZAMGRB_LAYOUT(CameraConfig, invertLval, 56);
ZAMGRB_LAYOUT(CameraConfig, invertFval, 60);
ZAMGRB_LAYOUT(CameraConfig, reserved, 64);

ZAMGRB_SIZE(CameraDescription, 124);
ZAMGRB_LAYOUT(CameraDescription, config, 8);
ZAMGRB_LAYOUT(CameraDescription, colorFormat, 76);
ZAMGRB_LAYOUT(CameraDescription, patternStart, 77);
ZAMGRB_LAYOUT(CameraDescription, rgbOffsetRed, 78);
ZAMGRB_LAYOUT(CameraDescription, rgbOffsetGreen, 79);
ZAMGRB_LAYOUT(CameraDescription, rgbOffsetBlue, 80);
ZAMGRB_LAYOUT(CameraDescription, rgbGainRed, 84);
ZAMGRB_LAYOUT(CameraDescription, rgbGainGreen, 92);
ZAMGRB_LAYOUT(CameraDescription, rgbGainBlue, 100);
ZAMGRB_LAYOUT(CameraDescription, lutLevels, 108);
ZAMGRB_LAYOUT(CameraDescription, lutValues, 116);

ZAMGRB_SIZE(PulseGeneratorSettings, 14);
ZAMGRB_LAYOUT(PulseGeneratorSettings, pulseCount, 2);
ZAMGRB_LAYOUT(PulseGeneratorSettings, granularity, 4);
ZAMGRB_LAYOUT(PulseGeneratorSettings, masterWidth, 6);
ZAMGRB_LAYOUT(PulseGeneratorSettings, masterPeriod, 8);
ZAMGRB_LAYOUT(PulseGeneratorSettings, slaveWidth, 10);
ZAMGRB_LAYOUT(PulseGeneratorSettings, slaveDelay, 12);

ZAMGRB_SIZE(CameraControlSettings, 16);

ZAMGRB_SIZE(CardInfo, 24);
ZAMGRB_LAYOUT(CardInfo, cardId, 8);
ZAMGRB_LAYOUT(CardInfo, location, 16);

ZAMGRB_SIZE(FrameInfo, 24);
ZAMGRB_LAYOUT(FrameInfo, timeStamp, 4);
ZAMGRB_LAYOUT(FrameInfo, data, 8);
ZAMGRB_LAYOUT(FrameInfo, size, 16);
ZAMGRB_LAYOUT(FrameInfo, status, 20);

ZAMGRB_SIZE(GrabStatistics, 32);
ZAMGRB_LAYOUT(GrabStatistics, overrunCount, 28);

ZAMGRB_SIZE(CameraFileRecord, 208);
ZAMGRB_LAYOUT(CameraFileRecord, model, 12);
ZAMGRB_LAYOUT(CameraFileRecord, description, 24);
ZAMGRB_LAYOUT(CameraFileRecord, alias, 36);
ZAMGRB_LAYOUT(CameraFileRecord, camera, 48);
ZAMGRB_LAYOUT(CameraFileRecord, cameraControl, 172);
ZAMGRB_LAYOUT(CameraFileRecord, pulseGenerator, 188);
ZAMGRB_LAYOUT(CameraFileRecord, baudRate, 204);

#undef ZAMGRB_LAYOUT
#undef ZAMGRB_SIZE

/* ---- Camera Link mode ----------------------------------------------------------- */

typedef enum CameraLinkMode {
    CAMERA_LINK_BASE = 0,   /* up to 24 bits per clock */
    CAMERA_LINK_MEDIUM = 1, /* 25 to 48 */
    CAMERA_LINK_FULL = 2,   /* 49 to 64 */
    CAMERA_LINK_DECA = 3,   /* 65 to 80, the 80-bit mode */
    CAMERA_LINK_NOT_ALLOWED = 4
} CameraLinkMode;

/* The one rule of the Camera Link mode: bits per clock = bitDepth x taps x channels. */
static inline CameraLinkMode ZamgrbCameraLinkMode(uint32_t bitDepth, uint32_t taps, uint32_t channels) {
    uint64_t bits = (uint64_t)bitDepth * taps * channels;
    if (bits <= 24)
        return CAMERA_LINK_BASE;
    if (bits <= 48)
        return CAMERA_LINK_MEDIUM;
    if (bits <= 64)
        return CAMERA_LINK_FULL;
    if (bits <= 80)
        return CAMERA_LINK_DECA;
    return CAMERA_LINK_NOT_ALLOWED;
}

/* ---- Operations ------------------------------------------------------------------ */

/* ---- Cards ---- */

/* Opens the first card, in enumeration order, that can be opened. Answers a new
 * handle, or 0 when no card can be opened. */
ZAMGRB_API uint64_t OpenDefaultCard(void);
/* Opens the card of an id from NextCard; flags must be 0. Every call answers a new
 * handle (a card may be open through several handles, in this and other processes).
 * Answers 0 for an unknown id, a card that cannot be opened, or non-zero flags. */
ZAMGRB_API uint64_t OpenCard(uint64_t cardId, uint32_t flags);
/* Closes a handle: on every channel the handle owns it does what CloseChannel does
 * (stops the grab, waiting for the last callback as StopGrab; closes the serial port;
 * disables the pulse generator; forgets the configuration) and releases the channel. Afterwards the handle
 * answers 3. An unknown handle or 0 is ignored. Never call it from a frame callback. */
ZAMGRB_API void CloseCard(uint64_t card);

/* Card enumeration: BeginCardEnum, then NextCard until it answers non-zero, then
 * EndCardEnum. The cards come in a fixed order (the software card: the order of its
 * machine description).
 * BeginCardEnum: *enumeration receives a library-owned cursor, released by
 * EndCardEnum. Answers 2 when enumeration is null (nothing allocated). */
ZAMGRB_API uint32_t BeginCardEnum(void** enumeration);
/* Fills info with the next card: 0 = a card was returned; 3 = no more cards; 2 =
 * a null argument or info->size other than sizeof(CardInfo). info is untouched on
 * failure. info->location points to a zero-terminated UTF-8 text owned by the
 * library, valid until the next enumeration call (the software card keeps it until
 * the next BeginCardEnum): copy it before enumerating again. Use one cursor from one
 * thread at a time. */
ZAMGRB_API uint32_t NextCard(void* enumeration, CardInfo* info);
/* Releases a cursor of BeginCardEnum; null is ignored. */
ZAMGRB_API void EndCardEnum(void* enumeration);

/* ---- Channels ---- */

/* Takes a channel for this handle, exclusively against every other handle, of this
 * or another process. 0 = owned now (also when this handle already owns it);
 * 5 = busy: owned through another handle or process, or by another program;
 * 1 = ownership cannot be taken at all (the software card: its lock file cannot be
 * created, e.g. XDG_RUNTIME_DIR names a missing folder); 3, 2 as usual. A process
 * that exits or dies releases its channels. */
ZAMGRB_API uint32_t OpenChannel(uint64_t card, uint8_t channel);
/* Releases a channel owned through this handle: stops its grab (as StopGrab), closes
 * its serial port (the baud rate is kept; a ReadSerial waiting on it answers 1),
 * disables its pulse generator and forgets its configuration (the next owner
 * configures it before StartGrab). 5 when the handle does not own it. Never call it
 * from a frame callback. */
ZAMGRB_API uint32_t CloseChannel(uint64_t card, uint8_t channel);

/* ---- Aliases: a name the user gives a card, kept per card id ---- */

/* GetCardAlias (by card id) and GetOpenCardAlias (by handle) copy the alias out.
 * With a null buffer, *count receives the alias length in 16-bit characters without
 * the terminating zero (0 when there is none) and the answer is 0. With a buffer,
 * *count is its capacity in 16-bit characters on entry and the alias length on
 * return; the alias is copied, followed by a zero when there is room. Failures:
 * 2 when count is null, or (with *count set to the length, the buffer untouched)
 * when the capacity is smaller than the length; 1 with *count 0 when the card has
 * no alias and a buffer was given; 3 for an unknown card id or handle (*count 0 when
 * the buffer is null, otherwise untouched). The buffer is the caller's. */
ZAMGRB_API uint32_t GetCardAlias(uint64_t cardId, char16_t* buffer, uint32_t* count);
ZAMGRB_API uint32_t GetOpenCardAlias(uint64_t card, char16_t* buffer, uint32_t* count);
/* Sets a card's alias from a zero-terminated UTF-16 text (copied; an empty text
 * means no alias). store = 1 keeps it with the card for every process and
 * later runs (the software card: a file in the user's data folder, replaced
 * atomically); store = 0 sets it for this process only, ahead of the stored one.
 * 0 = done; 3 unknown card id; 2 null alias; 1 the alias could not be stored (the
 * previous one is kept). No card handle or ownership is needed. */
ZAMGRB_API uint32_t SetCardAlias(uint64_t cardId, const char16_t* alias, uint32_t store);

/* ---- Card properties ---- */

/* Versions: each a pair with the first number in the high 16 bits and the second in
 * the low 16 bits; firmware as four bytes, most significant first (0x00020100 is
 * 0.2.1.0). Any out pointer may be null. The library version and build are written
 * even when the handle is unknown (use card 0 to read only them); the driver and
 * firmware values only on success. 3 for an unknown handle. */
ZAMGRB_API uint32_t GetVersions(uint64_t card, uint32_t* libraryVersion, uint32_t* libraryBuild,
                                uint32_t* driverVersion, uint32_t* driverBuild, uint32_t* firmware);
/* *image: the firmware image the card runs, ZAMGRB_IMAGE_APPLICATION or
 * ZAMGRB_IMAGE_FACTORY. 3 unknown handle; 2 null image. */
ZAMGRB_API uint32_t GetFirmwareImage(uint64_t card, uint32_t* image);
/* ZAMGRB_CAP_FULL_DECA: 0 when Full and 80-bit modes are supported, 254 otherwise.
 * An unknown selector answers 254; an unknown handle 3. */
ZAMGRB_API uint32_t QueryCapability(uint64_t card, uint32_t selector);
/* PCI Express link: lanes, speed code (x 2.5 Gbit/s per lane), max payload requested
 * and granted (bytes). Any out pointer may be null. 3 for an unknown handle, with
 * every out-value untouched. */
ZAMGRB_API uint32_t GetLinkInfo(uint64_t card, uint32_t* lanes, uint32_t* speedCode,
                                uint32_t* maxPayloadRequested, uint32_t* maxPayload);

/* ---- Configuration and acquisition ---- */

/* Tells the card the camera of an owned channel; the record is copied. 0 = accepted
 * (it takes effect at the next StartGrab). Failures, the channel's configuration
 * unchanged:
 * - 3, 2 (channel, or null config), 5 when the handle does not own the channel;
 * - 254 for a configuration the card cannot take: a zero widthValid or heightValid;
 *   taps other than 1, 2, 3, 4, 8, 10 or channels other than 1, 2; a widthValid not
 *   a multiple of the taps or a heightValid not a multiple of the channels; a
 *   bitDepth of 0 or above 36 (pass only the depths CameraConfig lists: the others
 *   have no raw storage form); more than 80 bits per clock; Full or 80-bit modes on
 *   a card without them (ZamgrbCameraLinkMode and QueryCapability); a raw frame whose
 *   byte count does not fit FrameInfo.size;
 * - 5 when the mode needs the second Camera Link port (above 24 bits per clock) and
 *   it is not free: always on channel 1 (the second), and on channel 0 while channel
 *   1 is owned by anyone; 5 also while the channel grabs.
 * A configuration whose buffers exceed the card's memory is accepted here; StartGrab
 * then answers 4. Never call it from a frame callback. */
ZAMGRB_API uint32_t ConfigureChannel(uint64_t card, uint8_t channel, const CameraConfig* config);

/* Called once per frame on the channel's delivery thread (named
 * "zamgrb-grab-<channel + 1>"), with the context given to StartGrab. Calls of one
 * channel never overlap; the two channels' callbacks may run at the same time. Frames
 * that end while the callback still runs are lost and counted as drops, so return
 * quickly. From the callback a caller may use the operations that only read (status,
 * statistics, signal, versions), ConvertFrame, the writers, camera control and the
 * serial link with a short time-out; it must not call StartGrab, StopGrab,
 * ConfigureChannel, OpenChannel, CloseChannel or CloseCard. */
typedef void (*FrameCallbackProc)(void* context, const FrameInfo* frame);
/* Starts acquisition on an owned, configured channel. mode must be 1 (continuous);
 * callback must not be null; context is passed to every callback unchanged and is
 * the caller's (it must stay valid until StopGrab, CloseChannel or CloseCard
 * returns). Counters of GetStatistics restart. 0 = started: the first callback comes
 * when the camera's first frame ends (about one frame period; in trigger mode after
 * the first rising edge of CC1). Failures, nothing started: 3, 2 (channel, mode or
 * null callback), 5 not owned or already grabbing, 1 not configured, 4 the image
 * buffers (four raw frames) do not fit the card's memory or cannot be allocated. */
ZAMGRB_API uint32_t StartGrab(uint64_t card, uint8_t channel, uint32_t mode, FrameCallbackProc callback,
                              void* context);
/* Stops acquisition. It waits for a running callback to return: when it answers 0,
 * no callback of the channel runs or will run. 0 also when the channel was not
 * grabbing. 3, 2, 5 (not owned) as usual. Never call it from a frame callback: on
 * the callback's own channel it answers 1 without stopping (it would wait for
 * itself); on the other channel it may deadlock. */
ZAMGRB_API uint32_t StopGrab(uint64_t card, uint8_t channel);
/* *online: 1 when a camera is connected and delivering, 0 otherwise. No ownership
 * needed. When online is not null it is set to 0 first, so it reads 0 on every
 * failure (3, 2 for the channel); 2 when it is null. */
ZAMGRB_API uint32_t GetCameraStatus(uint64_t card, uint8_t channel, uint32_t* online);
/* Fills *statistics (see GrabStatistics); meaningful during and after a grab. No
 * ownership needed. 3, 2 (channel, or null statistics) leave it untouched. */
ZAMGRB_API uint32_t GetStatistics(uint64_t card, uint8_t channel, GrabStatistics* statistics);
/* Measures the camera's signal on the cable: *clocksPerLine in pixel clock cycles
 * and *linesPerFrame in line periods, blanking included (independent of the
 * channel's configuration). No ownership needed. Failures leave both untouched:
 * 3, 2 (channel), 254 when the card cannot measure (checked before the pointers),
 * 2 for a null pointer, 1 when no camera is online. */
ZAMGRB_API uint32_t MeasureSignal(uint64_t card, uint8_t channel, uint32_t* clocksPerLine,
                                  uint32_t* linesPerFrame);

/* ---- Conversion and the card-free helpers (no card needed, any thread) ---- */

/* Converts a raw frame into an image of widthValid x heightValid pixels, rows
 * without padding. Pure: it needs no card, keeps no state and may run on any thread,
 * the frame callback included.
 * - description: bitDepth, packed and tapConfig give the raw storage and geometry,
 *   colorFormat and patternStart the colour, the lookup table (see
 *   CameraDescription) and the colour offsets and gains the levels: offsets and
 *   gains apply after the table, (level + offset) x gain, clamped.
 * - raw: one frame as FrameInfo.data delivered it for this configuration; read only
 *   as far as the storage form implies (FrameInfo.size bytes).
 * - destination: caller-owned, *rowStep x heightValid bytes. A null destination
 *   answers only *rowStep and *bitsPerPixel (ask first, then allocate).
 * - flags (ZAMGRB_CONVERT_*): a pixel channel is one byte, or with KEEP_DEPTH and more
 *   than 8 bits per channel a 16-bit word with the value in the low bits (stretched
 *   over the full 16 bits with NORMALISE, monochrome only). Colour (Bayer, TRUESENSE,
 *   RGB) comes out as B, G, R, or as B, G, R, unused with FOUR_CHANNELS.
 * - *rowStep: bytes per row. *bitsPerPixel (may be null): bits per channel x channels.
 * Both out-values are set to 0 first, so they read 0 on every failure. Failures: 2 for
 * a null description or rowStep, a null raw with a destination, or a description
 * that contradicts itself (an unknown colorFormat, a colour pattern deeper than 16
 * bits or with patternStart out of range, fewer than 8 or more than 16 bits per
 * channel, a tap geometry that does not fit, a side above 2^20), with the destination
 * untouched; 4 when working memory cannot be allocated (the destination may be
 * partly written). */
ZAMGRB_API uint32_t ConvertFrame(const CameraDescription* description, const void* raw, void* destination,
                                 uint64_t* rowStep, uint8_t flags, uint32_t* bitsPerPixel);

/* Fills *tapConfig with one of the standard tap formats 1..18 (one channel). 2 for a
 * null tapConfig or another format, with *tapConfig untouched. */
ZAMGRB_API uint32_t SetTapFormat(uint32_t format, TapConfig* tapConfig);
/* The standard format 1..18 that equals *tapConfig in every field, or 0 for a null
 * pointer or a geometry that matches none. */
ZAMGRB_API uint32_t GetTapFormat(const TapConfig* tapConfig);

/* Camera files (.cxf XML read and written; .cam read only; see doc/camera-files.md).
 * No card needed, any thread; path and record are the caller's, used only during
 * the call.
 * LoadCameraFile: the form follows the extension (".cam" in any case is the text
 * form, anything else XML). On success the record takes the file's values, each text
 * is copied into its caller-owned buffer (cut to count - 1 characters and
 * zero-terminated) and the lookup-table slots are emptied (set to null). Failures
 * leave the record and its text buffers exactly as they were: 2 null argument; 1 the
 * file cannot be read or is not a valid camera file; 4 out of memory. */
ZAMGRB_API uint32_t LoadCameraFile(const char* path, CameraFileRecord* record);
/* Writes the record as XML (texts read up to their count or first zero). The file
 * is written beside its destination and renamed over it when complete, so a failure
 * leaves no file and an existing one unchanged. Failures: 2 null argument or a .cam
 * path; 1 cannot be written; 4 out of memory. */
ZAMGRB_API uint32_t SaveCameraFile(const char* path, const CameraFileRecord* record);

/* Image writers. pixels: the image as ConvertFrame writes it with
 * ZAMGRB_CONVERT_KEEP_DEPTH (and ZAMGRB_CONVERT_FOUR_CHANNELS for colour, never
 * ZAMGRB_CONVERT_NORMALISE), of the description's widthValid x heightValid, rows
 * without padding: grey of bitDepth bits (a byte up to 8, else a 16-bit word), or
 * colour (colorFormat non-zero or bitDepth 24 and above) as four channels B, G, R,
 * unused of bitDepth / 3 bits each. BMP and JPEG reduce deep pixels to 8 bits; JPEG
 * quality 1..100, 0 (and above 100) is 100. TIFF flags: ZAMGRB_CONVERT_KEEP_DEPTH
 * writes deep pixels as 16-bit samples, ZAMGRB_CONVERT_NORMALISE stretches deep grey
 * over 16 bits; otherwise 8-bit samples. No card needed, any thread. pixels and path
 * are the caller's, read only during the call. The file is written beside its
 * destination and renamed over it when complete, so a failed write leaves no file
 * and an existing one unchanged. Failures: 2 for a null argument, an empty path,
 * fewer than 8 or more than 16 bits per channel, an RGB depth not a multiple of 3, a
 * side above 2^20 (above 65535 for JPEG); 1 the file cannot be written (also a BMP
 * that would pass 4 GiB, before any pixel is read); 4 out of memory. */
ZAMGRB_API uint32_t SaveBmpFile(const CameraDescription* description, const void* pixels, const char* path);
ZAMGRB_API uint32_t SaveJpegFile(const CameraDescription* description, const void* pixels, const char* path,
                                 uint8_t quality);
ZAMGRB_API uint32_t SaveTiffFile(const CameraDescription* description, const void* pixels, const char* path,
                                 uint8_t flags);

/* ---- Camera control (owned channel) ---- */

/* Sets a channel's pulse generator (copied). While enabled, the pulses restart at
 * once with the new timing; otherwise the settings wait for EnablePulseGenerator.
 * Failures, nothing changed: 3, 2 (channel), 5 not owned, 2 null settings or mode
 * above 1. */
ZAMGRB_API uint32_t SetPulseGenerator(uint64_t card, uint8_t channel, const PulseGeneratorSettings* settings);
/* Sets the sources of CC1..CC4 (copied; see CameraControlSettings). Changing a line
 * from 0 (low) to 1 (high) is one rising edge; a camera in trigger mode takes one
 * frame per rising edge of CC1 (edges while it still reads out are ignored).
 * Failures, nothing changed: 3, 2 (channel), 5 not owned, 2 null settings or a source
 * above 9. */
ZAMGRB_API uint32_t SetCameraControl(uint64_t card, uint8_t channel, const CameraControlSettings* settings);
/* on non-zero starts the channel's pulse generator from now (mode 0: until disabled;
 * mode 1: pulseCount pulses, so a burst of N pulses on CC1 gives exactly N frames);
 * 0 stops it. Enabling a running or disabling a stopped generator changes nothing.
 * 3, 2 (channel), 5 not owned. */
ZAMGRB_API uint32_t EnablePulseGenerator(uint64_t card, uint8_t channel, uint32_t on);

/* ---- Serial link to the camera (owned channel) ---- */

/* Opens the channel's serial port, emptying what it had received. One opening at a
 * time: 5 when already open or the channel is not owned; 3, 2 (channel). */
ZAMGRB_API uint32_t OpenSerialPort(uint64_t card, uint8_t channel);
/* Closes the port; a ReadSerial waiting on it returns at once with 1. 1 when the port
 * is not open; 3, 2 (channel), 5 not owned. */
ZAMGRB_API uint32_t CloseSerialPort(uint64_t card, uint8_t channel);
/* *baudRate: bits per second; 9600 until set, kept across closing the port.
 * Failures, *baudRate untouched: 3, 2 (channel), 5 not owned, 1 port not open,
 * 2 null baudRate. */
ZAMGRB_API uint32_t GetBaudRate(uint64_t card, uint8_t channel, uint32_t* baudRate);
/* baudRate in bits per second: 9600, 14400, 19200, 38400, 57600, 115200, 230400,
 * 460800 or 921600; anything else 2. 3, 2 (channel), 5 not owned, 1 port not open. */
ZAMGRB_API uint32_t SetBaudRate(uint64_t card, uint8_t channel, uint32_t baudRate);
/* *count: capacity in, bytes read out; waits at most timeoutMs for the first byte.
 *
 * Blocks the calling thread up to timeoutMs milliseconds (0: does not wait) until at
 * least one byte has arrived, then copies what has arrived, up to the capacity, into
 * the caller's buffer. A time-out is not a failure: it answers 0 with *count 0.
 * *count is set to 0 first (when count is not null), so it reads 0 on every failure:
 * 2 null count, or a null buffer with a non-zero capacity; 3, 2 (channel), 5 not
 * owned; 1 port not open, or closed while waiting. Bytes the camera sends while
 * nobody reads are kept up to 4096; more are lost, as on a UART. */
ZAMGRB_API uint32_t ReadSerial(uint64_t card, uint8_t channel, void* buffer, uint32_t* count,
                               uint32_t timeoutMs);
/* Sends count bytes from the caller's buffer to the camera. The software card never
 * blocks (timeoutMs, the longest a real card may wait for room to send, is unused)
 * and the emulated camera answers each command line (ended by CR or LF) with a reply
 * ended by CR LF, to be read with ReadSerial. Without a camera on the cable the bytes
 * are lost and the answer is still 0. Failures, nothing sent: 3, 2 (channel), 5 not
 * owned, 1 port not open, 2 null bytes with a non-zero count. */
ZAMGRB_API uint32_t WriteSerial(uint64_t card, uint8_t channel, const void* bytes, uint32_t count,
                                uint32_t timeoutMs);

#endif /* ZAMGRB_H */
