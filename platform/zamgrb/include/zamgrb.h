/*
 * zamgrb.h - the card library of the Glintrail Express frame grabber.
 *
 * One C ABI for every access to the card, so that a driver for the real card can
 * replace libzamgrb.so without rebuilding the application. By default the library
 * is a software card (see README.md beside this folder).
 *
 * Conventions of every operation:
 * - Statuses are uint32_t: 0 success, 254 (ZAMGRB_NOT_SUPPORTED) not supported on
 *   this card, 3 no card, 4 image buffers not allocatable, any other value failure.
 * - Card handle: uint64_t, 0 = none. Channel: uint8_t, 0 or 1.
 * - Paths are UTF-8; alias and camera-file texts are UTF-16 (char16_t), counts are
 *   in 16-bit characters.
 * - Records are little-endian with 4-byte packing; their sizes and offsets are
 *   fixed and checked at compile time below.
 * - Unless an operation says otherwise it may be called from any thread; the
 *   frame callback runs on a thread of the library.
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
    ZAMGRB_OK = 0,
    ZAMGRB_FAILED = 1,
    ZAMGRB_INVALID_ARGUMENT = 2,
    ZAMGRB_NO_CARD = 3,
    ZAMGRB_NO_BUFFERS = 4,
    ZAMGRB_BUSY = 5,
    ZAMGRB_NOT_SUPPORTED = 254
};

/* QueryCapability selector: full and 80-bit Camera Link modes (254 = absent). */
#define ZAMGRB_CAP_FULL_DECA 2u

/* GetFirmwareImage answers. */
#define ZAMGRB_IMAGE_APPLICATION 10u
#define ZAMGRB_IMAGE_FACTORY 15u

/* ConvertFrame flags. */
#define ZAMGRB_CONVERT_KEEP_DEPTH 0x01u /* deep samples as 16-bit words, value in the low bits */
#define ZAMGRB_CONVERT_NORMALISE 0x02u  /* stretch deep monochrome to the full 16 bits */
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

/* What the card is told about the camera of a channel. */
typedef struct CameraConfig {
    uint32_t widthPreValid;
    uint32_t widthValid; /* must not be 0 */
    uint32_t widthPostValid;
    uint32_t heightPreValid;
    uint32_t heightValid; /* must not be 0 */
    uint32_t heightPostValid;
    uint32_t bitDepth; /* 8, 10, 12, 14, 16; 24, 30, 36 for RGB */
    uint32_t packed;
    TapConfig tapConfig;
    uint8_t tapConfigPadding;
    uint32_t swapTaps;
    uint32_t ignoreDval;
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
    const int32_t* lutLevels; /* lookup table in force, or null; owned by the caller */
    const int32_t* lutValues;
} CameraDescription;

typedef struct PulseGeneratorSettings {
    uint8_t mode; /* 0 continuous, 1 counted burst */
    uint8_t padding;
    uint16_t pulseCount;
    uint16_t granularity; /* one cycle in units of 10 ns */
    uint16_t masterWidth;
    uint16_t masterPeriod;
    uint16_t slaveWidth;
    uint16_t slaveDelay;
} PulseGeneratorSettings;

/* Source index of each camera control line CC1..CC4. */
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

/* Handed to the frame callback; valid only during the call. */
typedef struct FrameInfo {
    uint32_t frameNumber; /* delivered frames modulo 65536 */
    uint32_t timeStamp;   /* card clock in microseconds modulo 2^32 */
    const void* data;     /* raw bytes in arrival order */
    uint32_t size;        /* byte count of data */
    uint32_t status;      /* non-zero: the frame must be ignored */
} FrameInfo;

typedef struct GrabStatistics {
    uint32_t cameraFrameRate; /* frames per second */
    uint32_t pixelClock;      /* MHz */
    uint32_t clocksPerLine;
    uint32_t linesPerFrame;
    uint32_t grabbingRate; /* frames per second */
    uint32_t grabbingCount;
    uint32_t dropCount;
    uint32_t overrunCount;
} GrabStatistics;

/* One text of a camera file: a caller-owned UTF-16 buffer and its length in
 * characters (including room for the terminating zero). */
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
#define ZAMGRB_SIZE(type, size)                     \
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
    if (bits <= 24) return CAMERA_LINK_BASE;
    if (bits <= 48) return CAMERA_LINK_MEDIUM;
    if (bits <= 64) return CAMERA_LINK_FULL;
    if (bits <= 80) return CAMERA_LINK_DECA;
    return CAMERA_LINK_NOT_ALLOWED;
}

/* ---- Operations ------------------------------------------------------------------ */

/* Opens the first card that can be opened; 0 when none. */
ZAMGRB_API uint64_t OpenDefaultCard(void);
/* Opens the card of an id from NextCard; flags must be 0. Answers a handle or 0. */
ZAMGRB_API uint64_t OpenCard(uint64_t cardId, uint32_t flags);
/* Closes a handle; stops the grabs and releases the channels it owns. 0 is ignored. */
ZAMGRB_API void CloseCard(uint64_t card);

/* Card enumeration: Begin, then NextCard until it answers non-zero, then End. */
ZAMGRB_API uint32_t BeginCardEnum(void** enumeration);
/* 0 = a card was returned in info (info->size must be sizeof(CardInfo)). */
ZAMGRB_API uint32_t NextCard(void* enumeration, CardInfo* info);
ZAMGRB_API void EndCardEnum(void* enumeration);

/* 0 = the channel is now owned by this process; otherwise it is busy. */
ZAMGRB_API uint32_t OpenChannel(uint64_t card, uint8_t channel);
ZAMGRB_API uint32_t CloseChannel(uint64_t card, uint8_t channel);

/* Aliases. With a null buffer, *count receives the alias length in 16-bit
 * characters (0 when none). With a buffer, *count is its capacity in, length out. */
ZAMGRB_API uint32_t GetCardAlias(uint64_t cardId, char16_t* buffer, uint32_t* count);
ZAMGRB_API uint32_t GetOpenCardAlias(uint64_t card, char16_t* buffer, uint32_t* count);
/* store = 1 keeps the alias with the card (persistent). */
ZAMGRB_API uint32_t SetCardAlias(uint64_t cardId, const char16_t* alias, uint32_t store);

/* Versions: pairs with the first number in the high 16 bits; firmware as four
 * bytes, most significant first. Any out pointer may be null. */
ZAMGRB_API uint32_t GetVersions(uint64_t card, uint32_t* libraryVersion, uint32_t* libraryBuild,
                                uint32_t* driverVersion, uint32_t* driverBuild, uint32_t* firmware);
/* *image: ZAMGRB_IMAGE_APPLICATION or ZAMGRB_IMAGE_FACTORY. */
ZAMGRB_API uint32_t GetFirmwareImage(uint64_t card, uint32_t* image);
/* ZAMGRB_CAP_FULL_DECA: 0 when full and 80-bit modes are supported, 254 otherwise. */
ZAMGRB_API uint32_t QueryCapability(uint64_t card, uint32_t selector);
/* PCI Express link: lanes, speed code (x 2.5 Gbit/s), max payload requested and granted (bytes). */
ZAMGRB_API uint32_t GetLinkInfo(uint64_t card, uint32_t* lanes, uint32_t* speedCode,
                                uint32_t* maxPayloadRequested, uint32_t* maxPayload);

/* 0 = the configuration was accepted for the channel. */
ZAMGRB_API uint32_t ConfigureChannel(uint64_t card, uint8_t channel, const CameraConfig* config);

typedef void (*FrameCallbackProc)(void* context, const FrameInfo* frame);
/* mode 1: continuous. 0 started; 4 image buffers could not be allocated. */
ZAMGRB_API uint32_t StartGrab(uint64_t card, uint8_t channel, uint32_t mode, FrameCallbackProc callback,
                              void* context);
/* When it returns, no callback of the channel runs or will run. Never call it from the callback. */
ZAMGRB_API uint32_t StopGrab(uint64_t card, uint8_t channel);
/* *online non-zero: a camera is connected and delivering. */
ZAMGRB_API uint32_t GetCameraStatus(uint64_t card, uint8_t channel, uint32_t* online);
ZAMGRB_API uint32_t GetStatistics(uint64_t card, uint8_t channel, GrabStatistics* statistics);
/* 0, 254 (cannot measure) or failure. */
ZAMGRB_API uint32_t MeasureSignal(uint64_t card, uint8_t channel, uint32_t* clocksPerLine,
                                  uint32_t* linesPerFrame);

/* Converts a raw frame into an image of width x bytes-per-pixel x height bytes,
 * rows without padding. A null destination answers only *rowStep and *bitsPerPixel.
 * flags: ZAMGRB_CONVERT_*. bitsPerPixel may be null. The raw frame is read only as
 * far as the description's storage form implies; a description that contradicts
 * itself answers a failure with *rowStep and *bitsPerPixel 0. The lookup table has
 * 2^bitDepth entries (three runs of 2^(bitDepth/3), red, green, blue, for RGB
 * depths); colour offsets and gains apply after it: (level + offset) x gain, clamped. */
ZAMGRB_API uint32_t ConvertFrame(const CameraDescription* description, const void* raw, void* destination,
                                 uint64_t* rowStep, uint8_t flags, uint32_t* bitsPerPixel);

/* Standard tap formats 1..18. */
ZAMGRB_API uint32_t SetTapFormat(uint32_t format, TapConfig* tapConfig);
/* 1..18, or 0 for a geometry that matches none. */
ZAMGRB_API uint32_t GetTapFormat(const TapConfig* tapConfig);

/* Camera files (.cxf XML read and written; .cam read only; see doc/camera-files.md).
 * A failed load leaves the record as it was; a load empties the lookup-table slots. */
ZAMGRB_API uint32_t LoadCameraFile(const char* path, CameraFileRecord* record);
ZAMGRB_API uint32_t SaveCameraFile(const char* path, const CameraFileRecord* record);

/* Image writers; pixels as ConvertFrame writes them, of the description's width and
 * height: grey of bitDepth bits (a byte up to 8, else a 16-bit word), or colour
 * (colorFormat non-zero or bitDepth 24 and above) as four channels B, G, R, unused of
 * bitDepth / 3 bits each. BMP and JPEG reduce deep pixels to 8 bits; JPEG quality 0 is
 * 100. TIFF flags: ZAMGRB_CONVERT_KEEP_DEPTH writes deep pixels as 16-bit samples,
 * ZAMGRB_CONVERT_NORMALISE stretches deep grey over 16 bits. A failed write leaves no file. */
ZAMGRB_API uint32_t SaveBmpFile(const CameraDescription* description, const void* pixels, const char* path);
ZAMGRB_API uint32_t SaveJpegFile(const CameraDescription* description, const void* pixels, const char* path,
                                 uint8_t quality);
ZAMGRB_API uint32_t SaveTiffFile(const CameraDescription* description, const void* pixels, const char* path,
                                 uint8_t flags);

/* Camera control. */
ZAMGRB_API uint32_t SetPulseGenerator(uint64_t card, uint8_t channel, const PulseGeneratorSettings* settings);
ZAMGRB_API uint32_t SetCameraControl(uint64_t card, uint8_t channel, const CameraControlSettings* settings);
ZAMGRB_API uint32_t EnablePulseGenerator(uint64_t card, uint8_t channel, uint32_t on);

/* Serial link to the camera. */
ZAMGRB_API uint32_t OpenSerialPort(uint64_t card, uint8_t channel);
ZAMGRB_API uint32_t CloseSerialPort(uint64_t card, uint8_t channel);
ZAMGRB_API uint32_t GetBaudRate(uint64_t card, uint8_t channel, uint32_t* baudRate);
ZAMGRB_API uint32_t SetBaudRate(uint64_t card, uint8_t channel, uint32_t baudRate);
/* *count: capacity in, bytes read out; waits at most timeoutMs for the first byte. */
ZAMGRB_API uint32_t ReadSerial(uint64_t card, uint8_t channel, void* buffer, uint32_t* count,
                               uint32_t timeoutMs);
ZAMGRB_API uint32_t WriteSerial(uint64_t card, uint8_t channel, const void* bytes, uint32_t count,
                                uint32_t timeoutMs);

#endif /* ZAMGRB_H */
