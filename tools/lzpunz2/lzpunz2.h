// The exported interface of lzpunz2.dll, the decompressor (and packer) of
// the installer's packaged files. All entry points use __stdcall and are
// exported under their plain names (no @n decoration), so that callers can
// look them up with GetProcAddress("LzpUnzOpen") and so on.
//
// The DLL holds one unpacking stream and one packing stream at a time; the
// packed bytes reach it through callbacks, one byte per call.
#pragma once

#ifdef _WIN32
#define LZP_CALL __stdcall
#else
#define LZP_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Returns the next packed byte (0-255), or -1 at the end of the input.
typedef int(LZP_CALL* LzpReadByteFn)(void);
// Takes `size` packed bytes; returns 0 on success, nonzero to stop packing.
typedef int(LZP_CALL* LzpWriteFn)(const void* data, int size);

// The only format this DLL knows; the second argument of LzpUnzOpen.
#define LZP_FORMAT 2

// Unpacking. LzpUnzOpen returns 0 on success (the magic is checked there);
// opening ends any stream still open. LzpUnzRead returns the number of bytes
// produced (at most size, fewer only at the end of the stream), 0 at the end,
// -1 on error; after an error every read fails. LzpUnzClose returns 0, also
// when no stream is open.
int LZP_CALL LzpUnzOpen(LzpReadByteFn readByte, int format);
int LZP_CALL LzpUnzRead(void* buffer, int size);
int LZP_CALL LzpUnzClose(void);

// Failure codes of LzpGetError.
#define LZP_E_NONE 0
#define LZP_E_ARGUMENT 1  /* a null pointer, a bad size or level */
#define LZP_E_FORMAT 2    /* a format number other than LZP_FORMAT */
#define LZP_E_MAGIC 3     /* the input is not a packed stream */
#define LZP_E_DATA 4      /* damaged: bad data, checksum, length or bytes after the end */
#define LZP_E_TRUNCATED 5 /* the input ends inside the stream */
#define LZP_E_MEMORY 6    /* out of memory */
#define LZP_E_STATE 7     /* a call out of order, e.g. LzpZipWrite without LzpZipCreate */
#define LZP_E_WRITE 8     /* the write callback asked to stop */

// The code of the last failure (one of LZP_E_*), 0 after success.
int LZP_CALL LzpGetError(void);

// Buffers from the DLL's own heap, for callers that hand them back to it.
void* LZP_CALL LzpUnzAlloc(int size);
void LZP_CALL LzpUnzFree(void* block);

// Packing: LzpZipCreate starts a stream at a level from 1 (fastest) to 9
// (smallest); LzpZipWrite adds plain bytes; LzpZipClose finishes the stream.
// Each returns 0 on success and -1 on failure. Creating ends any stream still
// open without finishing it.
int LZP_CALL LzpZipCreate(LzpWriteFn write, int level);
int LZP_CALL LzpZipWrite(const void* data, int size);
int LZP_CALL LzpZipClose(void);

#ifdef __cplusplus
}
#endif
