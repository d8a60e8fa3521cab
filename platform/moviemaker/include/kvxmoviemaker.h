/* kvxmoviemaker.h - AVI clip writer with a C ABI, on FFmpeg.
 *
 * Every call answers a 32-bit result: 0 or more is success, a negative value is
 * an FFmpeg error code (AVERROR), whose text KvxMovieMakerErrorText gives.
 * Instances are numbered from 1; 0 is never an instance. Times handed with a
 * frame are in units of 100 ns, frame numbers count from any start; both only
 * need to grow, and gaps in time become missing frames of the clip. */
#ifndef KVXMOVIEMAKER_H
#define KVXMOVIEMAKER_H

#include <stdint.h>

#ifdef __cplusplus
#include <cstddef>
extern "C" {
#endif

#if defined(KVXMOVIEMAKER_BUILDING)
#define KVX_API __attribute__((visibility("default")))
#else
#define KVX_API
#endif

/* Option word of KvxMovieMakerInitEx: the frames are monochrome, 8-bit frames
 * stay grey in the clip where the codec can store grey. */
#define KVX_OPTION_MONOCHROME 2u

/* A result of the application's own, never of FFmpeg: the writer timed out. */
#define KVX_WRITER_TIMEOUT (-1234)

/* The clip options as the application hands them, 1712 bytes, little-endian,
 * texts UTF-16 with a terminator. The library reads FileName and the compressor
 * fields; the rest is the application's. */
typedef struct KvxMovieRecord {
    uint16_t FileName[260];
    uint8_t applicationFields[600];
    uint32_t CompressorType;
    uint32_t CompressorHandler;
    uint32_t CompressorKeyFrame; /* frames between key frames, 0 = the codec's choice */
    uint32_t CompressorQuality;  /* 1 (smallest) .. 100 (best), 0 = the codec's default */
    uint32_t CompressorDataRate;
    uint32_t CompressorFlags;
    uint8_t moreApplicationFields[44];
    uint16_t CompressorName[260];
    uint32_t reserved;
} KvxMovieRecord;

/* What the compressor options dialog edits. */
typedef struct KvxCompressorSettings {
    uint32_t keyFrame;
    uint32_t quality;
} KvxCompressorSettings;

/* height < 0: rows are stored top to bottom (the only layout taken). */
KVX_API int32_t KvxMovieMakerInitEx(uint32_t width, int32_t height, double framesPerSecond,
                                    const uint32_t* option, uint32_t* instance);
/* names == NULL: fills count and the longest name in characters (terminator
 * included). Otherwise fills count buffers of that many UTF-16 characters. */
KVX_API int32_t KvxMovieMakerGetCompressors(uint32_t instance, uint16_t** names, int32_t* count,
                                            int32_t* longest);
/* hasOptions: 1 when the compressor has an options dialog. */
KVX_API int32_t KvxMovieMakerSetCompressor(uint32_t instance, const uint16_t* name, int32_t* hasOptions);
/* owner: a QWidget*, or NULL. */
KVX_API int32_t KvxMovieMakerShowCompressorDlg(uint32_t instance, void* owner);
KVX_API int32_t KvxMovieMakerGetCompressorSettings(uint32_t instance, KvxCompressorSettings* settings);
KVX_API int32_t KvxMovieMakerSetCompressorSettings(uint32_t instance, const KvxCompressorSettings* settings);
/* Opens the clip at record->FileName with the compressor named in the record
 * (or the one set last when the record names none). */
KVX_API int32_t KvxMovieMakerStartMovieRecord(uint32_t instance, const KvxMovieRecord* record);
/* pixels: rows of ((width x bits + 31) / 32) x 4 bytes, 8 or 24 bits (B, G, R). */
KVX_API int32_t KvxMovieMakerAddMovieFrame2(uint32_t instance, const void* pixels, uint32_t size,
                                            int64_t time, int64_t frameNumber);
KVX_API int32_t KvxMovieMakerStopMovieRecord(uint32_t instance);
KVX_API int32_t KvxMovieMakerRelease(uint32_t instance);
/* The text of a negative result, UTF-8, cut to size; answers 0 when known. */
KVX_API int32_t KvxMovieMakerErrorText(int32_t result, char* buffer, uint32_t size);

#ifdef __cplusplus
}
static_assert(sizeof(KvxMovieRecord) == 1712);
static_assert(offsetof(KvxMovieRecord, CompressorType) == 1120);
static_assert(offsetof(KvxMovieRecord, CompressorName) == 1188);
#endif

#endif
