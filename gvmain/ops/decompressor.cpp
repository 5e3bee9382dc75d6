#include "gvmain/ops/decompressor.h"

#include "tools/lzpunz2/lzpunz2.h"

namespace gvmain {
namespace {

constexpr uint32_t pumpInterval = 64 * 1024;

// The packed bytes of the job being unpacked. The DLL's byte callback takes
// no context, so the open Decompressor publishes its source here for the
// length of the job and withdraws it on closing.
struct ByteFeed {
    SpanningReader* reader = nullptr;
    OperationHost* host = nullptr;
    uint32_t sincePump = 0;
};
ByteFeed activeFeed;

int LZP_CALL NextPackedByte() {
    if (activeFeed.reader == nullptr) {
        return -1;
    }
    // Keeps the window responsive during long files.
    if (++activeFeed.sincePump >= pumpInterval) {
        activeFeed.sincePump = 0;
        activeFeed.host->PumpMessages();
    }
    return activeFeed.reader->ReadByte();
}

template <typename Function>
Function Entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

using OpenFn = int(LZP_CALL*)(LzpReadByteFn, int);
using ReadFn = int(LZP_CALL*)(void*, int);
using CloseFn = int(LZP_CALL*)();

}  // namespace

bool Decompressor::Open(SpanningReader& reader, OperationHost& host) {
    Close();
    library_.Reset(::LoadLibraryA("lzpunz2.dll"));
    if (!library_.Valid()) {
        host.ReportError("Unable to load lzpunz2.dll");
        return false;
    }
    activeFeed = ByteFeed{&reader, &host, 0};
    auto open = Entry<OpenFn>(library_.Get(), "LzpUnzOpen");
    open_ = open != nullptr && open(&NextPackedByte, LZP_FORMAT) == 0;
    if (!open_) {
        Close();
    }
    return open_;
}

int Decompressor::Read(void* buffer, int size) {
    if (!open_) {
        return -1;
    }
    auto read = Entry<ReadFn>(library_.Get(), "LzpUnzRead");
    return read == nullptr ? -1 : read(buffer, size);
}

void Decompressor::Close() {
    if (open_) {
        if (auto close = Entry<CloseFn>(library_.Get(), "LzpUnzClose")) {
            close();
        }
        open_ = false;
    }
    activeFeed = ByteFeed{};
    library_.Reset();
}

}  // namespace gvmain
