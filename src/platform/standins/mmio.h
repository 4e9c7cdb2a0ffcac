// Our stand-in for the multimedia file services that read RIFF files (WAV effects): open, walk
// into and out of chunks, read, close, under their published names.
//
// Unlike the services it stands in for, the chunk walk checks every size it is told: a chunk is
// found only when its header and its stated data lie inside the parent chunk (or the file, at
// the top level), so a reader that stays within the chunks it descended into never reads past
// them or past the end of the file, whatever the sizes in the file say.
#pragma once

#include "platform/standins/win32.h"

#include <cstdint>
#include <cstdio>

using FOURCC = DWORD;
using HPSTR = char*;

struct MmioFile;
using HMMIO = MmioFile*;

// Packs four characters into a chunk id, first character in the lowest byte.
constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
    return static_cast<FOURCC>(static_cast<uint8_t>(a)) | (static_cast<FOURCC>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<FOURCC>(static_cast<uint8_t>(c)) << 16) | (static_cast<FOURCC>(static_cast<uint8_t>(d)) << 24);
}

constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');

// Open flags.
constexpr DWORD MMIO_READ = 0x00000000;
constexpr DWORD MMIO_WRITE = 0x00000001;
constexpr DWORD MMIO_READWRITE = 0x00000002;
constexpr DWORD MMIO_CREATE = 0x00001000;
constexpr DWORD MMIO_ALLOCBUF = 0x00010000;

// Descend flags.
constexpr UINT MMIO_FINDCHUNK = 0x0010;
constexpr UINT MMIO_FINDRIFF = 0x0020;
constexpr UINT MMIO_FINDLIST = 0x0040;

// Results.
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMIOERR_BASE = 256;
constexpr MMRESULT MMIOERR_CANNOTOPEN = MMIOERR_BASE + 3;
constexpr MMRESULT MMIOERR_CANNOTREAD = MMIOERR_BASE + 5;
constexpr MMRESULT MMIOERR_CANNOTSEEK = MMIOERR_BASE + 7;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = MMIOERR_BASE + 9;
constexpr MMRESULT MMIOERR_INVALIDFILE = MMIOERR_BASE + 16;

// One chunk: its id, its data size, the form type of a RIFF or LIST chunk, and the file offset
// of its data (for RIFF and LIST, the data starts with the form type).
struct MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;
    DWORD dwDataOffset;
    DWORD dwFlags;
};

// What mmioOpenA reports back when a caller passes one: the reason an open failed.
struct MMIOINFO {
    UINT wErrorRet;
};

// Opens `fileName` for reading (MMIO_READ, optionally MMIO_ALLOCBUF); the file's bytes are
// read through a buffer. Returns the handle, or nullptr (writing is not offered).
HMMIO mmioOpenA(LPSTR fileName, MMIOINFO* info, DWORD flags);
// Reads up to `count` bytes at the current position; returns the number read, 0 at the end of
// the file, -1 on an error or a bad handle.
LONG mmioRead(HMMIO file, HPSTR buffer, LONG count);
// Moves the position to `offset` bytes from the start (SEEK_SET), the position (SEEK_CUR) or the
// end of the file (SEEK_END); returns the new position, or -1 for a position before the start
// or past the end, a bad origin or a bad handle (the position stays).
LONG mmioSeek(HMMIO file, LONG offset, int origin);
// Finds a chunk from the current position and moves to its data: the next chunk (no flag), the
// next chunk with `chunk->ckid` (MMIO_FINDCHUNK), or the next RIFF or LIST chunk with form
// type `chunk->fccType` (MMIO_FINDRIFF, MMIO_FINDLIST). The search stays inside `parent` (the
// file when nullptr). Fills `chunk`; returns MMSYSERR_NOERROR, MMIOERR_CHUNKNOTFOUND, or
// MMIOERR_INVALIDFILE for a chunk whose stated size runs past its parent or the file. The
// file's own RIFF chunk is the exception: when it claims more than the file holds (a file
// written as a stream, or one whose last pad byte is missing), it ends with the file.
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
// Moves past the end of `chunk` and its pad byte (chunks of odd size are padded to even).
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);
// Closes the file; MMSYSERR_INVALHANDLE for a handle that is not open.
MMRESULT mmioClose(HMMIO file, UINT flags);

// How many files are open (for leak tests).
int MmioOpenFiles();
