#include "platform/standins/mmio.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

struct MmioFile {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> stream;
    uint64_t size = 0;      // bytes in the file, at most 2^32 - 1 (chunk offsets are 32-bit)
    uint64_t position = 0;  // the next byte to read
};

namespace {

std::vector<std::unique_ptr<MmioFile>>& OpenFiles() {
    static std::vector<std::unique_ptr<MmioFile>> files;
    return files;
}

bool IsOpen(HMMIO file) {
    const auto& files = OpenFiles();
    return file && std::any_of(files.begin(), files.end(), [file](const auto& open) { return open.get() == file; });
}

// Reads exactly `count` bytes at `offset`, without moving the file's position.
bool ReadAt(MmioFile& file, uint64_t offset, uint8_t* out, size_t count) {
    if (offset + count > file.size) {
        return false;
    }
    if (std::fseek(file.stream.get(), static_cast<long>(offset), SEEK_SET) != 0) {
        return false;
    }
    return std::fread(out, 1, count, file.stream.get()) == count;
}

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

bool IsContainer(FOURCC id) { return id == FOURCC_RIFF || id == FOURCC_LIST; }

}  // namespace

HMMIO mmioOpenA(LPSTR fileName, MMIOINFO* info, DWORD flags) {
    auto fail = [info](UINT reason) -> HMMIO {
        if (info) info->wErrorRet = reason;
        return nullptr;
    };
    if (!fileName || (flags & (MMIO_WRITE | MMIO_READWRITE | MMIO_CREATE)) != 0) {
        return fail(MMSYSERR_INVALPARAM);
    }
    auto file = std::make_unique<MmioFile>();
    file->stream.reset(std::fopen(fileName, "rb"));
    if (!file->stream || std::fseek(file->stream.get(), 0, SEEK_END) != 0) {
        return fail(MMIOERR_CANNOTOPEN);
    }
    const long end = std::ftell(file->stream.get());
    if (end < 0) {
        return fail(MMIOERR_CANNOTOPEN);
    }
    file->size = std::min<uint64_t>(static_cast<uint64_t>(end), 0xFFFFFFFFu);
    if (info) info->wErrorRet = MMSYSERR_NOERROR;
    OpenFiles().push_back(std::move(file));
    return OpenFiles().back().get();
}

LONG mmioRead(HMMIO file, HPSTR buffer, LONG count) {
    if (!IsOpen(file) || !buffer || count < 0) {
        return -1;
    }
    const uint64_t left = file->size - std::min(file->position, file->size);
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(count), left));
    if (wanted == 0) {
        return 0;
    }
    if (!ReadAt(*file, file->position, reinterpret_cast<uint8_t*>(buffer), wanted)) {
        return -1;
    }
    file->position += wanted;
    return static_cast<LONG>(wanted);
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
    if (!IsOpen(file)) {
        return -1;
    }
    int64_t base = 0;
    if (origin == SEEK_CUR) {
        base = static_cast<int64_t>(file->position);
    } else if (origin == SEEK_END) {
        base = static_cast<int64_t>(file->size);
    } else if (origin != SEEK_SET) {
        return -1;
    }
    const int64_t target = base + offset;
    if (target < 0 || target > static_cast<int64_t>(file->size) || target > 0x7FFFFFFF) {
        return -1;
    }
    file->position = static_cast<uint64_t>(target);
    return static_cast<LONG>(target);
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
    if (!IsOpen(file)) {
        return MMSYSERR_INVALHANDLE;
    }
    if (!chunk) {
        return MMSYSERR_INVALPARAM;
    }
    uint64_t end = file->size;
    if (parent) {
        end = std::min<uint64_t>(end, uint64_t{parent->dwDataOffset} + parent->cksize);
    }
    const FOURCC wantedId = chunk->ckid;
    const FOURCC wantedType = chunk->fccType;
    uint64_t at = file->position;
    while (at + 8 <= end) {
        uint8_t header[12];
        if (!ReadAt(*file, at, header, 8)) {
            return MMIOERR_CANNOTREAD;
        }
        const FOURCC id = Le32(header);
        const uint32_t size = Le32(header + 4);
        const uint64_t dataStart = at + 8;
        const uint64_t dataEnd = dataStart + size;
        FOURCC form = 0;
        const bool container = IsContainer(id) && size >= 4 && dataStart + 4 <= end;
        if (container) {
            if (!ReadAt(*file, dataStart, header + 8, 4)) {
                return MMIOERR_CANNOTREAD;
            }
            form = Le32(header + 8);
        }
        bool match = true;
        if (flags & MMIO_FINDCHUNK) {
            match = id == wantedId;
        } else if (flags & MMIO_FINDRIFF) {
            match = id == FOURCC_RIFF && container && form == wantedType;
        } else if (flags & MMIO_FINDLIST) {
            match = id == FOURCC_LIST && container && form == wantedType;
        }
        if (match) {
            // The file's own RIFF chunk may claim more than the file holds (written as a stream,
            // or cut short by one pad byte): it ends with the file. Any other chunk must fit.
            uint32_t taken = size;
            if (!parent && id == FOURCC_RIFF && container && dataEnd > end) {
                taken = static_cast<uint32_t>(end - dataStart);
            } else if (dataEnd > end || (IsContainer(id) && !container)) {
                return MMIOERR_INVALIDFILE;
            }
            *chunk = MMCKINFO{id, taken, form, static_cast<DWORD>(dataStart), 0};
            file->position = container ? dataStart + 4 : dataStart;
            return MMSYSERR_NOERROR;
        }
        at = dataEnd + (size & 1u);
    }
    return MMIOERR_CHUNKNOTFOUND;
}

MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT) {
    if (!IsOpen(file)) {
        return MMSYSERR_INVALHANDLE;
    }
    if (!chunk) {
        return MMSYSERR_INVALPARAM;
    }
    file->position = uint64_t{chunk->dwDataOffset} + chunk->cksize + (chunk->cksize & 1u);
    return MMSYSERR_NOERROR;
}

MMRESULT mmioClose(HMMIO file, UINT) {
    auto& files = OpenFiles();
    const auto it = std::find_if(files.begin(), files.end(), [file](const auto& open) { return open.get() == file; });
    if (!file || it == files.end()) {
        return MMSYSERR_INVALHANDLE;
    }
    files.erase(it);
    return MMSYSERR_NOERROR;
}

int MmioOpenFiles() { return static_cast<int>(OpenFiles().size()); }
